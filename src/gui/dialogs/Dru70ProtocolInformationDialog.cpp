#include "dialogs/Dru70ProtocolInformationDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/Dru70EventModel.h"

namespace qv {

namespace {

constexpr int kColumnRole = Qt::UserRole;

} // namespace

Dru70ProtocolInformationDialog::Dru70ProtocolInformationDialog(const Dru70Columns &columns,
                                                               QWidget *parent)
    : QDialog(parent), columns_(columns) {
    setWindowTitle(tr("DRU-70 Protocol Information"));

    auto *fixed = new QLabel(
        tr("%1 : %2").arg(dru70ColumnTitle(kDruNumber), tr("This field can not be hidden")), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("fieldList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(list_->fontMetrics().height() * 9);
    list_->installEventFilter(this);

    upButton_ = new QPushButton(tr("Move &Up"), this);
    downButton_ = new QPushButton(tr("Move &Down"), this);
    auto *showAllButton = new QPushButton(tr("Show &All"), this);
    auto *hideAllButton = new QPushButton(tr("Hid&e All"), this);
    auto *invertButton = new QPushButton(tr("&Invert"), this);
    auto *defaultButton = new QPushButton(tr("Defaul&t"), this);
    for (QPushButton *button :
         {upButton_, downButton_, showAllButton, hideAllButton, invertButton, defaultButton})
        button->setAutoDefault(false);
    connect(upButton_, &QPushButton::clicked, this, &Dru70ProtocolInformationDialog::moveUp);
    connect(downButton_, &QPushButton::clicked, this, &Dru70ProtocolInformationDialog::moveDown);
    connect(showAllButton, &QPushButton::clicked, this, &Dru70ProtocolInformationDialog::showAll);
    connect(hideAllButton, &QPushButton::clicked, this, &Dru70ProtocolInformationDialog::hideAll);
    connect(invertButton, &QPushButton::clicked, this, &Dru70ProtocolInformationDialog::invert);
    connect(defaultButton, &QPushButton::clicked, this,
            &Dru70ProtocolInformationDialog::setDefault);
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

    auto *group = new QGroupBox(tr("Fields of the DRU-70 event list"), this);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(fixed);
    listColumn->addWidget(list_, 1);
    listColumn->addWidget(new QLabel(tr("Space shows or hides the selected field."), this));
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(listColumn, 1);
    groupLayout->addLayout(buttons);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &Dru70ProtocolInformationDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &Dru70ProtocolInformationDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(box);

    fillList();
}

void Dru70ProtocolInformationDialog::fillList() {
    list_->clear();
    for (int column : columns_.displayOrder()) {
        if (column == kDruNumber)
            continue;
        auto *item = new QListWidgetItem(dru70ColumnTitle(column), list_);
        item->setData(kColumnRole, column);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(columns_.width(column) != 0 ? Qt::Checked : Qt::Unchecked);
    }
    list_->setCurrentRow(0);
    updateButtons();
}

QStringList Dru70ProtocolInformationDialog::rowTitles() const {
    QStringList titles;
    for (int row = 0; row < list_->count(); ++row)
        titles << list_->item(row)->text();
    return titles;
}

bool Dru70ProtocolInformationDialog::isRowShown(int row) const {
    const QListWidgetItem *item = list_->item(row);
    return item && item->checkState() == Qt::Checked;
}

int Dru70ProtocolInformationDialog::currentRow() const {
    return list_->currentRow();
}

void Dru70ProtocolInformationDialog::setCurrentRow(int row) {
    list_->setCurrentRow(row);
}

void Dru70ProtocolInformationDialog::moveUp() {
    moveCurrent(-1);
}

void Dru70ProtocolInformationDialog::moveDown() {
    moveCurrent(1);
}

void Dru70ProtocolInformationDialog::moveCurrent(int step) {
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count())
        return;
    QListWidgetItem *item = list_->takeItem(row);
    list_->insertItem(target, item);
    list_->setCurrentRow(target);
}

void Dru70ProtocolInformationDialog::setShown(int row, bool shown) {
    if (QListWidgetItem *item = list_->item(row))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void Dru70ProtocolInformationDialog::showAll() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(row, true);
}

void Dru70ProtocolInformationDialog::hideAll() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(row, false);
}

void Dru70ProtocolInformationDialog::invert() {
    for (int row = 0; row < list_->count(); ++row)
        setShown(row, !isRowShown(row));
}

void Dru70ProtocolInformationDialog::setDefault() {
    columns_.setDefaults();
    fillList();
}

void Dru70ProtocolInformationDialog::toggleCurrent() {
    const int row = list_->currentRow();
    if (row >= 0)
        setShown(row, !isRowShown(row));
}

void Dru70ProtocolInformationDialog::updateButtons() {
    const int row = list_->currentRow();
    upButton_->setEnabled(row > 0);
    downButton_->setEnabled(row >= 0 && row + 1 < list_->count());
}

bool Dru70ProtocolInformationDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleCurrent();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Dru70ProtocolInformationDialog::accept() {
    // "Number" stays first; each row's column takes the row's place after it.
    columns_.moveTo(kDruNumber, 0);
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem *item = list_->item(row);
        const int column = item->data(kColumnRole).toInt();
        columns_.moveTo(column, row + 1);
        if (item->checkState() != Qt::Checked)
            columns_.setWidth(column, 0);
        else if (columns_.width(column) == 0)
            columns_.setWidth(column,
                              Dru70Columns::defaultChars(column) * Dru70Columns::kWidthPerChar);
    }
    QDialog::accept();
}

} // namespace qv
