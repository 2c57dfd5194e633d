#pragma once
// What the "Protocol Information" dialogs of the frame summary and the DRU-70 event list share:
// the list of columns in display order, each shown or hidden by its check box (the space key
// toggles the selected one), moved up and down, all shown, hidden or inverted, and the layout
// the program starts with. Each dialog fills the rows from its table and applies them on OK.
#include <QDialog>
#include <QStringList>

#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qv {

class ColumnChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // The list as the user sees it: one row per column but the first, in display order.
    QStringList rowTitles() const;
    bool isRowShown(int row) const;
    // False for a row whose check box the dialog sets itself.
    bool isRowChangeable(int row) const;
    int currentRow() const;
    void setCurrentRow(int row);

    void moveUp();
    void moveDown();
    void showAll();
    virtual void hideAll();
    void invert();
    // The layout the program starts with.
    void setDefault();
    // Shows or hides the column of the selected row.
    void toggleCurrent();

protected:
    struct Texts {
        QString title;
        QString fixedColumn; // the first column's title: it is always shown
        QString group;
        QString note; // below the list; may be empty
        QString defaultButton;
        int listLines = 16;
    };
    enum class RowState { Changeable, AlwaysShown, Unavailable };
    struct Row {
        QString title;
        int column = 0;
        bool shown = true;
        RowState state = RowState::Changeable;
        QString toolTip;
    };
    struct Choice {
        int column;
        bool shown;
    };

    ColumnChoiceDialog(const Texts &texts, QWidget *parent);
    // Fills the list (the first row selected); the constructor of a dialog calls it once.
    void setRows(const std::vector<Row> &rows);
    // The rows as OK leaves them, in order.
    std::vector<Choice> choices() const;
    // The rows of the layout the program starts with.
    virtual std::vector<Row> defaultRows() = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateButtons();
    void moveCurrent(int step);
    void setShown(QListWidgetItem *item, bool shown);

    QListWidget *list_ = nullptr;
    QPushButton *upButton_ = nullptr;
    QPushButton *downButton_ = nullptr;
};

} // namespace qv
