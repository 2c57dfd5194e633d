#pragma once
// A read-only table over a list the window keeps (calls, expert items): the texts of a row are
// made when the view paints it, so that a list of tens of thousands of rows shows at once.
#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

namespace qv {

class ListModel : public QAbstractTableModel {
public:
    // What row shows in column for role; an invalid QVariant for nothing.
    using Cell = std::function<QVariant(int row, int column, int role)>;

    ListModel(QStringList titles, int rows, Cell cell, QObject *parent = nullptr)
        : QAbstractTableModel(parent), titles_(std::move(titles)), rows_(rows),
          cell_(std::move(cell)) {}

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(titles_.size());
    }
    // The role a sorting view sorts by: a number where the text is one, else the text.
    static constexpr int kSortRole = Qt::UserRole + 100;
    // The row of the list a row of a sorting view stands for.
    static constexpr int kRowRole = Qt::UserRole + 101;

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid())
            return {};
        if (role == kRowRole)
            return index.row();
        if (role == kSortRole) {
            const QVariant shown = cell_(index.row(), index.column(), Qt::DisplayRole);
            bool number = false;
            const double value = shown.toString().toDouble(&number);
            return number ? QVariant(value) : shown;
        }
        return cell_(index.row(), index.column(), role);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return titles_.value(section);
        return {};
    }

private:
    QStringList titles_;
    int rows_;
    Cell cell_;
};

} // namespace qv
