#pragma once
// "Protocol Information": which columns the frame summary shows and in what order. The dialog
// edits a copy of the column table; the caller takes columns() when the user confirms.
#include <QDialog>
#include <QStringList>

#include "decode/SummaryFieldTable.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qv {

class ProtocolInformationDialog : public QDialog {
    Q_OBJECT
public:
    // The V5 columns are always shown while v5Decoding is on and cannot be chosen while it is
    // off.
    ProtocolInformationDialog(const SummaryFieldTable &columns, bool v5Decoding,
                              QWidget *parent = nullptr);

    // The table as OK left it: every column at its row's place, hidden or shown as checked.
    const SummaryFieldTable &columns() const { return table_; }

    // The list as the user sees it: one row per column but the number column, in display order.
    QStringList rowTitles() const;
    bool isRowShown(int row) const;
    // False for the V5 columns, which follow V5 decoding.
    bool isRowChangeable(int row) const;
    int currentRow() const;
    void setCurrentRow(int row);

    void moveUp();
    void moveDown();
    void showAll();
    void hideAll();
    void setAllDefault();
    void invert();
    // Shows or hides the column of the selected row (the space key does the same).
    void toggleCurrent();

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList();
    void updateButtons();
    void moveCurrent(int step);
    bool changeable(const QListWidgetItem *item) const;
    void setShown(QListWidgetItem *item, bool shown);

    SummaryFieldTable table_;
    bool v5_;
    QListWidget *list_ = nullptr;
    QPushButton *upButton_ = nullptr;
    QPushButton *downButton_ = nullptr;
};

} // namespace qv
