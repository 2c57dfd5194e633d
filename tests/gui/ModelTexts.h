#pragma once
// What a table model shows, as a user reads it.
#include <QAbstractItemModel>
#include <QStringList>

namespace qv {

// The titles of the model's columns, left to right.
inline QStringList headerTitles(const QAbstractItemModel &model) {
    QStringList titles;
    for (int section = 0; section < model.columnCount(); ++section)
        titles << model.headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
    return titles;
}

} // namespace qv
