#pragma once
// The lines of an open PLM-45 project as a Qt model: a row per measured line, a column per shown
// column of the layout in the layout's order, each cell the text the document made for it.
#include <QAbstractTableModel>
#include <QString>

#include <string>
#include <vector>

#include "plm/PlmLines.h"

namespace qv {

class CPlm45Doc;
class PlmColumns;

// The title of a PLM-45 column as the user reads it; the settings and the tester know the
// English one.
QString plmColumnTitle(int column);
// The words of the display rules in the interface language, single-byte as the cells are.
PlmWords plmWords();

class PlmModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PlmModel(const CPlm45Doc &document, const PlmColumns &columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The PLM-45 column shown at a view section, and the section of a column (-1: hidden).
    int columnAt(int section) const;
    int sectionOf(int column) const;
    // The shown columns, after the layout changed.
    void takeColumns();

private:
    const CPlm45Doc &document_;
    const PlmColumns &layout_;
    std::vector<int> columns_;
};

} // namespace qv
