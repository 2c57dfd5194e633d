#pragma once
// "DRU-70 Protocol Information": which columns the DRU-70 event list shows and in what order.
// The dialog edits a copy of the layout; the caller takes columns() when the user confirms.
#include "capture/Dru70Columns.h"
#include "dialogs/ColumnChoiceDialog.h"

namespace qv {

class Dru70ProtocolInformationDialog : public ColumnChoiceDialog {
    Q_OBJECT
public:
    explicit Dru70ProtocolInformationDialog(const Dru70Columns &columns, QWidget *parent = nullptr);

    // The layout as OK left it: "Number" first, the other columns at their row's place, shown
    // as checked (a column shown again takes its width in characters × 12).
    const Dru70Columns &columns() const { return columns_; }

    void accept() override;

protected:
    std::vector<Row> defaultRows() override;

private:
    std::vector<Row> rows() const;

    Dru70Columns columns_;
};

} // namespace qv
