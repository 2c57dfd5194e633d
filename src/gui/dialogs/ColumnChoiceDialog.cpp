#include "dialogs/ColumnChoiceDialog.h"

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

bool changeable(const QListWidgetItem *item) {
    return item && (item->flags() & Qt::ItemIsUserCheckable);
}

} // namespace

ColumnChoiceDialog::ColumnChoiceDialog(const Texts &texts, QWidget *parent) : QDialog(parent) {
    setWindowTitle(texts.title);
    auto *fixed =
        new QLabel(tr("%1 : %2").arg(texts.fixedColumn, tr("This field can not be hidden")), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("fieldList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(list_->fontMetrics().height() * texts.listLines);
    list_->installEventFilter(this);

    upButton_ = new QPushButton(tr("Move &Up"), this);
    downButton_ = new QPushButton(tr("Move &Down"), this);
    auto *showAllButton = new QPushButton(tr("Show &All"), this);
    auto *hideAllButton = new QPushButton(tr("Hid&e All"), this);
    auto *invertButton = new QPushButton(tr("&Invert"), this);
    auto *defaultButton = new QPushButton(texts.defaultButton, this);
    for (QPushButton *button :
         {upButton_, downButton_, showAllButton, hideAllButton, invertButton, defaultButton})
        button->setAutoDefault(false);
    connect(upButton_, &QPushButton::clicked, this, &ColumnChoiceDialog::moveUp);
    connect(downButton_, &QPushButton::clicked, this, &ColumnChoiceDialog::moveDown);
    connect(showAllButton, &QPushButton::clicked, this, &ColumnChoiceDialog::showAll);
    connect(hideAllButton, &QPushButton::clicked, this, &ColumnChoiceDialog::hideAll);
    connect(invertButton, &QPushButton::clicked, this, &ColumnChoiceDialog::invert);
    connect(defaultButton, &QPushButton::clicked, this, &ColumnChoiceDialog::setDefault);
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

    auto *group = new QGroupBox(texts.group, this);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(fixed);
    listColumn->addWidget(list_, 1);
    listColumn->addWidget(new QLabel(tr("Space shows or hides the selected field."), this));
    if (!texts.note.isEmpty()) {
        auto *note = new QLabel(texts.note, this);
        note->setWordWrap(true);
        listColumn->addWidget(note);
    }
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(listColumn, 1);
    groupLayout->addLayout(buttons);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &ColumnChoiceDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &ColumnChoiceDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(box);
}

void ColumnChoiceDialog::setRows(const std::vector<Row> &rows) {
    list_->clear();
    for (const Row &row : rows) {
        auto *item = new QListWidgetItem(row.title, list_);
        item->setData(kColumnRole, row.column);
        switch (row.state) {
        case RowState::Changeable:
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(row.shown ? Qt::Checked : Qt::Unchecked);
            break;
        case RowState::AlwaysShown: // and movable
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
            break;
        case RowState::Unavailable:
            item->setFlags(Qt::NoItemFlags);
            item->setCheckState(Qt::Unchecked);
            break;
        }
        item->setToolTip(row.toolTip);
    }
    list_->setCurrentRow(0);
    updateButtons();
}

std::vector<ColumnChoiceDialog::Choice> ColumnChoiceDialog::choices() const {
    std::vector<Choice> out;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem *item = list_->item(row);
        out.push_back({item->data(kColumnRole).toInt(), item->checkState() == Qt::Checked});
    }
    return out;
}

QStringList ColumnChoiceDialog::rowTitles() const {
    QStringList titles;
    for (int row = 0; row < list_->count(); ++row)
        titles << list_->item(row)->text();
    return titles;
}

bool ColumnChoiceDialog::isRowShown(int row) const {
    const QListWidgetItem *item = list_->item(row);
    return item && item->checkState() == Qt::Checked;
}

bool ColumnChoiceDialog::isRowChangeable(int row) const {
    return changeable(list_->item(row));
}

int ColumnChoiceDialog::currentRow() const {
    return list_->currentRow();
}

void ColumnChoiceDialog::setCurrentRow(int row) {
    list_->setCurrentRow(row);
}

void ColumnChoiceDialog::moveUp() {
    moveCurrent(-1);
}

void ColumnChoiceDialog::moveDown() {
    moveCurrent(1);
}

void ColumnChoiceDialog::moveCurrent(int step) {
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count())
        return;
    QListWidgetItem *item = list_->takeItem(row);
    list_->insertItem(target, item);
    list_->setCurrentRow(target);
}

void ColumnChoiceDialog::setShown(QListWidgetItem *item, bool shown) {
    if (changeable(item))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void ColumnChoiceDialog::showAll() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(list_->item(row), true);
}

void ColumnChoiceDialog::hideAll() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(list_->item(row), false);
}

void ColumnChoiceDialog::invert() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(list_->item(row), !isRowShown(row));
}

void ColumnChoiceDialog::setDefault() {
    setRows(defaultRows());
}

void ColumnChoiceDialog::toggleCurrent() {
    if (QListWidgetItem *item = list_->currentItem())
        setShown(item, item->checkState() != Qt::Checked);
}

void ColumnChoiceDialog::updateButtons() {
    const int row = list_->currentRow();
    upButton_->setEnabled(row > 0);
    downButton_->setEnabled(row >= 0 && row + 1 < list_->count());
}

bool ColumnChoiceDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleCurrent();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qv
