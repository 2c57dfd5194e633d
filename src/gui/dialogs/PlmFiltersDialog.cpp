#include "dialogs/PlmFiltersDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/PlmModel.h"

namespace qv {

PlmFiltersDialog::PlmFiltersDialog(const PlmColumns &columns, QWidget *parent)
    : QDialog(parent), columns_(columns) {
    setWindowTitle(tr("PLM-45 Filters"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("fieldList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(list_->fontMetrics().height() * 14);
    for (int column = 0; column < kPlmColumnCount; ++column) {
        auto *item = new QListWidgetItem(plmColumnTitle(column), list_);
        item->setCheckState(columns_.shown(column) ? Qt::Checked : Qt::Unchecked);
        // A line is known by its number: that column cannot be hidden.
        item->setFlags(column == 0
                           ? Qt::ItemIsSelectable
                           : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
    list_->item(0)->setCheckState(Qt::Checked);

    auto *showAllButton = new QPushButton(tr("Show &All"), this);
    auto *hideAllButton = new QPushButton(tr("Hid&e All"), this);
    for (QPushButton *button : {showAllButton, hideAllButton})
        button->setAutoDefault(false);
    connect(showAllButton, &QPushButton::clicked, this, &PlmFiltersDialog::showAll);
    connect(hideAllButton, &QPushButton::clicked, this, &PlmFiltersDialog::hideAll);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(showAllButton);
    buttons->addWidget(hideAllButton);
    buttons->addStretch();

    auto *group = new QGroupBox(tr("Columns of the project window"), this);
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(list_, 1);
    groupLayout->addLayout(buttons);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &PlmFiltersDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &PlmFiltersDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(box);
}

QStringList PlmFiltersDialog::rowTitles() const {
    QStringList titles;
    for (int row = 0; row < list_->count(); ++row)
        titles << list_->item(row)->text();
    return titles;
}

bool PlmFiltersDialog::isShown(int column) const {
    const QListWidgetItem *item = list_->item(column);
    return item && item->checkState() == Qt::Checked;
}

void PlmFiltersDialog::setShown(int column, bool shown) {
    if (column <= 0 || column >= list_->count())
        return;
    list_->item(column)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void PlmFiltersDialog::showAll() {
    for (int column = 1; column < list_->count(); ++column)
        setShown(column, true);
}

void PlmFiltersDialog::hideAll() {
    for (int column = 1; column < list_->count(); ++column)
        setShown(column, false);
}

void PlmFiltersDialog::accept() {
    for (int column = 1; column < kPlmColumnCount; ++column)
        columns_.setShown(column, isShown(column));
    QDialog::accept();
}

} // namespace qv
