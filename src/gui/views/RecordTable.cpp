#include "views/RecordTable.h"

#include <QHeaderView>
#include <QTableView>

namespace qv {

QTableView *newRecordTable(QWidget *owner, const QString &name, QAbstractItemModel *model,
                           std::function<void(int section, int width)> widthChanged) {
    auto *table = new QTableView(owner);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(false);
    QObject::connect(table->horizontalHeader(), &QHeaderView::sectionResized, owner,
                     [widthChanged = std::move(widthChanged)](int section, int, int size) {
                         if (size > 0)
                             widthChanged(section, size);
                     });
    return table;
}

} // namespace qv
