#pragma once
// The window of an open PLM-45 project: its measured lines in a table with the columns of
// "Plm-45Fields", find, copy to the clipboard, printing and Save As.
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "views/DocumentWindow.h"

#include <memory>
#include <string>
#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPrinter;
class QTableView;

namespace qv {

class CPlm45Doc;
class PlmColumns;
class PlmFindDialog;
class PlmModel;
class UserMessages;

class PlmWindow : public QWidget, public DocumentWindow {
    Q_OBJECT
public:
    // DocumentWindow
    QWidget *widget() override { return this; }
    DocumentCommands commands() const override { return {.find = true, .copy = true}; }
    std::string suggestedCopyName() const override;
    QString copyFilter() const override;
    bool saveCopy(const std::string &path, UserMessages &) override { return saveAs(path); }
    void printAsked(QPrinter &printer, UserMessages &) override { printWithDialog(printer); }
    bool findInDocument() override {
        showFindDialog();
        return true;
    }
    void copySelected() override { copySelection(); }

    // Opens the project at path in a window of its own; null, after the document's message,
    // when the file cannot be shown. The layout is the program's, shared by every PLM-45 window.
    static PlmWindow *open(const std::string &path, UserMessages &messages, PlmColumns &columns,
                           QWidget *parent = nullptr);
    ~PlmWindow() override;

    CPlm45Doc &document() { return *document_; }
    // What the table shows, as a user reads it.
    const QAbstractItemModel *lineModel() const;
    // The width the table gives a PLM-45 column, -1 when the column is not shown.
    int shownWidth(int column) const;

    // Makes line the current one, selected alone.
    void selectLine(int line);
    // The selected lines, in order.
    std::vector<int> selectedLines() const;
    // The current cell: its line and its PLM-45 column, -1 when there is none.
    int currentLine() const;
    int currentColumn() const;

    // Looks for text from the cell after the current one, going on once from the other end of
    // the project (the status bar says so). A hit becomes the current cell on its selected
    // line; true when there was one, else the user is told.
    bool runFind(const QString &text, bool forward, bool matchCase);
    // The find dialog, made on first use, shown and raised.
    PlmFindDialog *showFindDialog();

    // Puts the selected lines on the clipboard as tab-separated shown columns; false when
    // nothing was copied.
    bool copySelection();

    // Copies the file to path and goes on with the copy.
    bool saveAs(const std::string &path);

    // Draws the lines given (in order) on device, the path in the page header.
    bool print(const std::vector<int> &lines, QPagedPaintDevice &device);
    // The print dialog, offering the selection when there is one, then the print.
    void printWithDialog(QPrinter &printer);

    // The layout changed (columns shown, widths): the table is made again with the same
    // current line and selection.
    void refreshColumns();
    void setViewFont(const QFont &font);

signals:
    void statusMessage(const QString &text);
    // The user resized a column: its width is in the layout now.
    void columnWidthsChanged();

private:
    PlmWindow(UserMessages &messages, std::unique_ptr<CPlm45Doc> document, PlmColumns &columns,
              QWidget *parent);
    void applyWidths();
    void updateTitle();
    void setCurrentCell(int line, int column);
    // One pass of the document's find; 1 with the cell found.
    int findFrom(const std::string &text, int line, int toLine, bool forward, int column,
                 bool matchCase, int &foundLine, int &foundColumn) const;

    UserMessages &messages_;
    std::unique_ptr<CPlm45Doc> document_;
    PlmColumns &columns_;
    PlmModel *model_ = nullptr;
    QTableView *table_ = nullptr;
    bool sizing_ = false; // the program, not the user, is sizing the columns
    QPointer<PlmFindDialog> findDialog_;
    int hitLine_ = -1; // the cell of the last find's hit
    int hitColumn_ = -1;
};

} // namespace qv
