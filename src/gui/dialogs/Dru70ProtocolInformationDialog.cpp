#include "dialogs/Dru70ProtocolInformationDialog.h"

#include "views/Dru70EventModel.h"

namespace qv {

Dru70ProtocolInformationDialog::Dru70ProtocolInformationDialog(const Dru70Columns &columns,
                                                               QWidget *parent)
    : ColumnChoiceDialog({tr("DRU-70 Protocol Information"), dru70ColumnTitle(kDruNumber),
                          tr("Fields of the DRU-70 event list"), QString(), tr("Defaul&t"), 9},
                         parent),
      columns_(columns) {
    setRows(rows());
}

std::vector<ColumnChoiceDialog::Row> Dru70ProtocolInformationDialog::rows() const {
    std::vector<Row> out;
    for (int column : columns_.displayOrder())
        if (column != kDruNumber)
            out.push_back({dru70ColumnTitle(column),
                           column,
                           columns_.width(column) != 0,
                           RowState::Changeable,
                           {}});
    return out;
}

std::vector<ColumnChoiceDialog::Row> Dru70ProtocolInformationDialog::defaultRows() {
    columns_.setDefaults();
    return rows();
}

void Dru70ProtocolInformationDialog::accept() {
    // "Number" stays first; each row's column takes the row's place after it.
    columns_.moveTo(kDruNumber, 0);
    int place = 1;
    for (const Choice &c : choices()) {
        columns_.moveTo(c.column, place++);
        if (!c.shown)
            columns_.setWidth(c.column, 0);
        else if (columns_.width(c.column) == 0)
            columns_.setWidth(c.column,
                              Dru70Columns::defaultChars(c.column) * Dru70Columns::kWidthPerChar);
    }
    QDialog::accept();
}

} // namespace qv
