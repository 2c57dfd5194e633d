#pragma once
// The table of a record window: one record a row, read only, whole rows selected. Rows have one
// height, so that a table of a million records scrolls without measuring any of them.
#include <functional>

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace qv {

// A width the user gives a column by dragging its header edge is passed on to widthChanged.
QTableView *newRecordTable(QWidget *owner, const QString &name, QAbstractItemModel *model,
                           std::function<void(int section, int width)> widthChanged);

} // namespace qv
