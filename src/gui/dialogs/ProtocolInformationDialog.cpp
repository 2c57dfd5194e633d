#include "dialogs/ProtocolInformationDialog.h"

namespace qv {

namespace {

QString titleOf(const SummaryField &field) {
    return QString::fromLatin1(field.title.data(), static_cast<qsizetype>(field.title.size()));
}

} // namespace

ProtocolInformationDialog::ProtocolInformationDialog(const SummaryFieldTable &columns,
                                                     bool v5Decoding, QWidget *parent)
    : ColumnChoiceDialog({tr("Protocol Information"), titleOf(columns.field(0)),
                          tr("Fields of the frame summary"),
                          v5Decoding ? tr("The V5 fields are always shown while V5 decoding is on.")
                                     : tr("The V5 fields are available with V5 decoding only."),
                          tr("Set All Defaul&t"), 16},
                         parent),
      table_(columns), v5_(v5Decoding) {
    setRows(rows());
}

std::vector<ColumnChoiceDialog::Row> ProtocolInformationDialog::rows() const {
    std::vector<Row> out;
    for (int column : table_.columnsInDisplayOrder()) {
        if (column == 0)
            continue;
        Row row{titleOf(table_.field(column)),
                column,
                table_.field(column).width != 0,
                RowState::Changeable,
                {}};
        if (SummaryFieldTable::isV5Column(column)) {
            row.state = v5_ ? RowState::AlwaysShown : RowState::Unavailable;
            row.toolTip = v5_ ? tr("Always shown while V5 decoding is on")
                              : tr("Available with V5 decoding only");
        }
        out.push_back(row);
    }
    return out;
}

std::vector<ColumnChoiceDialog::Row> ProtocolInformationDialog::defaultRows() {
    table_.resetToDefaults();
    return rows();
}

void ProtocolInformationDialog::hideAll() {
    table_.hideAll();
    ColumnChoiceDialog::hideAll();
}

void ProtocolInformationDialog::accept() {
    std::vector<SummaryFieldChoice> chosen;
    for (const Choice &c : choices())
        chosen.push_back({c.column, c.shown});
    table_.applySelection(chosen, v5_);
    QDialog::accept();
}

} // namespace qv
