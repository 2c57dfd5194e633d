#pragma once
// "Protocol Information": which columns the frame summary shows and in what order. The dialog
// edits a copy of the column table; the caller takes columns() when the user confirms.
#include "decode/SummaryFieldTable.h"
#include "dialogs/ColumnChoiceDialog.h"

namespace qv {

class ProtocolInformationDialog : public ColumnChoiceDialog {
    Q_OBJECT
public:
    // The V5 columns are always shown while v5Decoding is on and cannot be chosen while it is
    // off.
    ProtocolInformationDialog(const SummaryFieldTable &columns, bool v5Decoding,
                              QWidget *parent = nullptr);

    // The table as OK left it: every column at its row's place, hidden or shown as checked.
    const SummaryFieldTable &columns() const { return table_; }

    void setAllDefault() { setDefault(); }
    // The widths go too: a column shown again afterwards starts from its width in characters.
    void hideAll() override;
    void accept() override;

protected:
    std::vector<Row> defaultRows() override;

private:
    std::vector<Row> rows() const;

    SummaryFieldTable table_;
    bool v5_;
};

} // namespace qv
