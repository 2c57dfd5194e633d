#include "dialogs/ProtocolInformationDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int kColumnRole = Qt::UserRole;

QString titleOf(const SummaryField &field) {
    return QString::fromLatin1(field.title.data(), static_cast<qsizetype>(field.title.size()));
}

int columnOf(const QListWidgetItem *item) {
    return item->data(kColumnRole).toInt();
}

} // namespace

ProtocolInformationDialog::ProtocolInformationDialog(const SummaryFieldTable &columns,
                                                     bool v5Decoding, QWidget *parent)
    : QDialog(parent), table_(columns), v5_(v5Decoding) {
    setWindowTitle(tr("Protocol Information"));

    auto *fixed = new QLabel(
        tr("%1 : %2").arg(titleOf(table_.field(0)), tr("This field can not be hidden")), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("fieldList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(list_->fontMetrics().height() * 16);
    list_->installEventFilter(this);
    auto *v5Note = new QLabel(v5_ ? tr("The V5 fields are always shown while V5 decoding is on.")
                                  : tr("The V5 fields are available with V5 decoding only."),
                              this);
    v5Note->setWordWrap(true);

    upButton_ = new QPushButton(tr("Move &Up"), this);
    downButton_ = new QPushButton(tr("Move &Down"), this);
    auto *showAllButton = new QPushButton(tr("Show &All"), this);
    auto *hideAllButton = new QPushButton(tr("Hid&e All"), this);
    auto *defaultButton = new QPushButton(tr("Set All Defaul&t"), this);
    auto *invertButton = new QPushButton(tr("&Invert"), this);
    for (QPushButton *button :
         {upButton_, downButton_, showAllButton, hideAllButton, defaultButton, invertButton})
        button->setAutoDefault(false);
    connect(upButton_, &QPushButton::clicked, this, &ProtocolInformationDialog::moveUp);
    connect(downButton_, &QPushButton::clicked, this, &ProtocolInformationDialog::moveDown);
    connect(showAllButton, &QPushButton::clicked, this, &ProtocolInformationDialog::showAll);
    connect(hideAllButton, &QPushButton::clicked, this, &ProtocolInformationDialog::hideAll);
    connect(defaultButton, &QPushButton::clicked, this, &ProtocolInformationDialog::setAllDefault);
    connect(invertButton, &QPushButton::clicked, this, &ProtocolInformationDialog::invert);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(upButton_);
    buttons->addWidget(downButton_);
    buttons->addSpacing(12);
    buttons->addWidget(showAllButton);
    buttons->addWidget(hideAllButton);
    buttons->addWidget(invertButton);
    buttons->addSpacing(12);
    buttons->addWidget(defaultButton);
    buttons->addStretch();

    auto *group = new QGroupBox(tr("Fields of the frame summary"), this);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(fixed);
    listColumn->addWidget(list_, 1);
    listColumn->addWidget(new QLabel(tr("Space shows or hides the selected field."), this));
    listColumn->addWidget(v5Note);
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(listColumn, 1);
    groupLayout->addLayout(buttons);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &ProtocolInformationDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &ProtocolInformationDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(box);

    fillList();
}

void ProtocolInformationDialog::fillList() {
    list_->clear();
    for (int column : table_.columnsInDisplayOrder()) {
        if (column == 0)
            continue;
        auto *item = new QListWidgetItem(titleOf(table_.field(column)), list_);
        item->setData(kColumnRole, column);
        if (!SummaryFieldTable::isV5Column(column)) {
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(table_.field(column).width != 0 ? Qt::Checked : Qt::Unchecked);
        } else if (v5_) {
            // Shown and movable, but not to be hidden.
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
            item->setToolTip(tr("Always shown while V5 decoding is on"));
        } else {
            item->setFlags(Qt::NoItemFlags);
            item->setCheckState(Qt::Unchecked);
            item->setToolTip(tr("Available with V5 decoding only"));
        }
    }
    list_->setCurrentRow(0);
    updateButtons();
}

bool ProtocolInformationDialog::changeable(const QListWidgetItem *item) const {
    return item && (item->flags() & Qt::ItemIsUserCheckable);
}

void ProtocolInformationDialog::setShown(QListWidgetItem *item, bool shown) {
    if (changeable(item))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

QStringList ProtocolInformationDialog::rowTitles() const {
    QStringList titles;
    for (int row = 0; row < list_->count(); ++row)
        titles << list_->item(row)->text();
    return titles;
}

bool ProtocolInformationDialog::isRowShown(int row) const {
    const QListWidgetItem *item = list_->item(row);
    return item && item->checkState() == Qt::Checked;
}

bool ProtocolInformationDialog::isRowChangeable(int row) const {
    return changeable(list_->item(row));
}

int ProtocolInformationDialog::currentRow() const {
    return list_->currentRow();
}

void ProtocolInformationDialog::setCurrentRow(int row) {
    list_->setCurrentRow(row);
}

void ProtocolInformationDialog::moveUp() {
    moveCurrent(-1);
}

void ProtocolInformationDialog::moveDown() {
    moveCurrent(1);
}

void ProtocolInformationDialog::moveCurrent(int step) {
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count())
        return;
    QListWidgetItem *item = list_->takeItem(row);
    list_->insertItem(target, item);
    list_->setCurrentRow(target);
}

void ProtocolInformationDialog::showAll() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(list_->item(row), true);
}

void ProtocolInformationDialog::hideAll() {
    // The widths go too: a column shown again afterwards starts from its width in characters.
    table_.hideAll();
    for (int row = 0; row < list_->count(); ++row)
        setShown(list_->item(row), false);
}

void ProtocolInformationDialog::setAllDefault() {
    table_.resetToDefaults();
    fillList();
}

void ProtocolInformationDialog::invert() {
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem *item = list_->item(row);
        setShown(item, item->checkState() != Qt::Checked);
    }
}

void ProtocolInformationDialog::toggleCurrent() {
    QListWidgetItem *item = list_->currentItem();
    if (item)
        setShown(item, item->checkState() != Qt::Checked);
}

void ProtocolInformationDialog::updateButtons() {
    const int row = list_->currentRow();
    upButton_->setEnabled(row > 0);
    downButton_->setEnabled(row >= 0 && row + 1 < list_->count());
}

bool ProtocolInformationDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleCurrent();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ProtocolInformationDialog::accept() {
    std::vector<SummaryFieldChoice> rows;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem *item = list_->item(row);
        rows.push_back({columnOf(item), item->checkState() == Qt::Checked});
    }
    table_.applySelection(rows, v5_);
    QDialog::accept();
}

} // namespace qv
