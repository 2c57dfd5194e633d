#pragma once
// The window of an open DRU-70 file: its events in a table with the columns of "Dru-70Fields",
// coloured by the side they come from, with the status bar following the current event, the
// file's comment, find, the event filter, printing and Save As.
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "views/DocumentWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureInfo.h"
#include "capture/Dru70Finder.h"
#include "filters/Dru70EventFilter.h"

class QAbstractItemModel;
class QPrinter;
class QTableView;

#include "views/CommentWindow.h"

namespace qv {

class CDru70Doc;
class ColourTable;
class DocumentStatus;
class Dru70Columns;
class CommentWindow;
class Dru70EventModel;
class Dru70FindDialog;
class Dru70Messages;
class UserMessages;
struct PrintRequest;

class Dru70Window : public QWidget, public DocumentWindow {
    Q_OBJECT
public:
    // DocumentWindow
    QWidget *widget() override { return this; }
    DocumentCommands commands() const override {
        return {.find = true, .comment = true, .filters = true, .goTo = true};
    }
    bool owns(const QWidget *window) const override { return comment_.shows(window); }
    std::string suggestedCopyName() const override;
    QString copyFilter() const override;
    bool saveCopy(const std::string &path, UserMessages &) override { return saveAs(path); }
    void printAsked(QPrinter &printer, UserMessages &) override { printWithDialog(printer); }
    bool findInDocument() override {
        showFindDialog();
        return true;
    }
    void goToAsked() override { goToTypedEvent(); }
    void showComment() override { openComment(); }
    void editFilters(const std::string &filterFolder, const CauseList *, UserMessages &) override {
        editFilter(filterFolder);
    }
    bool showFramePanes() override;

    // Opens the file at path in a window of its own; null, after the document's message, when
    // the file cannot be shown. The status bar follows the document's current event; the
    // layout and the colours are the program's, shared by every DRU-70 window.
    static Dru70Window *open(const std::string &path, UserMessages &messages,
                             DocumentStatus *status, const Registration &registration,
                             Dru70Columns &columns, const ColourTable &colours,
                             bool startOnLast = false, QWidget *parent = nullptr);
    ~Dru70Window() override;

    CDru70Doc &document() { return *document_; }
    // What the table shows, as a user reads it.
    const QAbstractItemModel *eventModel() const;
    // The width the table gives a DRU-70 column, -1 when the column is not shown.
    int shownWidth(int column) const;

    // Makes event the current one: selected in the table and named in the status bar.
    void selectEvent(std::uint32_t event);
    std::uint32_t currentEvent() const;
    // The events selected in the table, in order.
    std::vector<std::uint32_t> selectedEvents() const;
    // Runs a find from the current event, slice by slice with the window kept live (Escape in
    // the table stops it), asks at either end whether to go on from the other, selects the
    // event found and shows the result. The text shown, empty when stopped.
    QString runFind(const Dru70FindQuery &query);
    // The find dialog, made on first use, shown and raised.
    Dru70FindDialog *showFindDialog();
    // The event whose cell the last find marked, -1 for none.
    std::int64_t foundEvent() const { return foundEvent_; }

    // The event filter in force from now on: the rows are those it shows, the title says when
    // it hides some, and a current event it hides gives way to the nearest one shown.
    void applyFilter(const Dru70EventFilter &filter);
    // The "DRU-70 Off-Line Filters" sheet with the profiles of filterFolder; OK applies it.
    bool editFilter(const std::string &filterFolder);

    // Asks for an event number (as the status bar counts) and makes that event current.
    void goToTypedEvent();
    // An event the filter hides offers the nearest one shown.
    void goToEventNumber(std::uint32_t number);

    // Copies the file to path and goes on with the copy.
    bool saveAs(const std::string &path);

    // Prints events as asked: to the printer given, a PDF file or a text file. False (with the
    // message) when the range is refused or the file cannot be written.
    bool print(const PrintRequest &request, QPrinter *printer = nullptr);
    // The print dialog, then the print; printer is the one chosen in Printer Setup.
    void printWithDialog(QPrinter &printer);

    // The file's comment editor, opened on first use and raised after.
    CommentWindow *openComment();
    CommentWindow *comment() const { return comment_.window(); }
    // Places the comment beside this window in the main window's document area; without a host
    // it is a window of its own.
    using ChildHost = std::function<void(QWidget *)>;
    void setChildHost(ChildHost host) { childHost_ = std::move(host); }

    // The layout changed (columns shown, order, widths): the table is made again with the same
    // current event and selection.
    void refreshColumns();
    // The colours changed: the rows are drawn again.
    void refreshRows();
    void setViewFont(const QFont &font);

signals:
    void statusMessage(const QString &text);
    // The user resized a column: its width is in the layout now.
    void columnWidthsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The comment is closed (and stored) first; the window stays when it stays.
    void closeEvent(QCloseEvent *event) override;

private:
    Dru70Window(std::unique_ptr<Dru70Messages> messages, std::unique_ptr<CDru70Doc> document,
                Dru70Columns &columns, const ColourTable &colours, QWidget *parent);
    UserMessages &user();
    void watchSelection();
    void applyWidths();
    // The model made again by change, the current event and the selection kept where they can.
    void remake(const std::function<void()> &change);
    void updateTitle();
    QStringList fileHeaderLines() const;

    std::unique_ptr<Dru70Messages> messages_;
    std::unique_ptr<CDru70Doc> document_;
    Dru70Columns &columns_;
    const ColourTable &colours_;
    Dru70EventModel *model_ = nullptr;
    QTableView *table_ = nullptr;
    bool sizing_ = false; // the program, not the user, is sizing the columns
    std::unique_ptr<Dru70Finder> finder_;
    QPointer<Dru70FindDialog> findDialog_;
    bool finding_ = false;
    bool findStopRequested_ = false;
    std::int64_t foundEvent_ = -1;
    CommentSlot comment_;
    ChildHost childHost_;
};

} // namespace qv
