#pragma once
// "DRU-70 Protocol Information": which columns the DRU-70 event list shows and in what order.
// The dialog edits a copy of the layout; the caller takes columns() when the user confirms.
#include <QDialog>
#include <QStringList>

#include "capture/Dru70Columns.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qv {

class Dru70ProtocolInformationDialog : public QDialog {
    Q_OBJECT
public:
    explicit Dru70ProtocolInformationDialog(const Dru70Columns &columns, QWidget *parent = nullptr);

    // The layout as OK left it: "Number" first, the other columns at their row's place, shown
    // as checked (a column shown again takes its width in characters × 12).
    const Dru70Columns &columns() const { return columns_; }

    // The list as the user sees it: one row per column but "Number", in display order.
    QStringList rowTitles() const;
    bool isRowShown(int row) const;
    int currentRow() const;
    void setCurrentRow(int row);

    void moveUp();
    void moveDown();
    void showAll();
    void hideAll();
    void invert();
    // The layout the program starts with.
    void setDefault();
    // Shows or hides the column of the selected row (the space key does the same).
    void toggleCurrent();

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList();
    void updateButtons();
    void moveCurrent(int step);
    void setShown(int row, bool shown);

    Dru70Columns columns_;
    QListWidget *list_ = nullptr;
    QPushButton *upButton_ = nullptr;
    QPushButton *downButton_ = nullptr;
};

} // namespace qv
