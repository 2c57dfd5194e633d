#pragma once
// The window of an open capture: the frame summary above, the protocol detail and the
// hexadecimal trace of the selected frame below.
#include <QList>
#include <QPointer>
#include <QSet>

#include <QStringList>
#include <QWidget>

#include "views/DocumentWindow.h"
#include <functional>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QPlainTextEdit;
class QTableView;
class QPrinter;

#include "capture/SummaryFinder.h"
#include "views/CommentWindow.h"

namespace qv {

class CDecodeDoc;
class CauseList;
class ColourTable;
class FilterBar;
class Settings;
class SummaryFieldTable;
class SummaryModel;
class SummaryFinder;
class CommentWindow;
struct PrintRequest;
class UserMessages;
struct FindQuery;

class CaptureWindow : public QWidget, public DocumentWindow {
    Q_OBJECT
public:
    // DocumentWindow
    QWidget *widget() override { return this; }
    DocumentCommands commands() const override {
        return {.find = true,
                .copy = true,
                .comment = true,
                .filters = true,
                .goTo = true,
                .frames = true};
    }
    bool owns(const QWidget *window) const override { return comment_.shows(window); }
    std::string suggestedCopyName() const override;
    QString copyFilter() const override;
    bool saveCopy(const std::string &path, UserMessages &messages) override;
    void printAsked(QPrinter &printer, UserMessages &messages) override {
        printWithDialog(messages, printer);
    }
    void goToAsked() override { goToTypedFrame(); }
    void copySelected() override;
    void showComment() override { openComment(); }
    void editFilters(const std::string &filterFolder, const CauseList *causes,
                     UserMessages &messages) override;
    bool showFramePanes() override;

    CaptureWindow(std::unique_ptr<CDecodeDoc> document, SummaryFieldTable &columns,
                  const ColourTable &colours, bool showHexa, QWidget *parent = nullptr);
    ~CaptureWindow() override;

    CDecodeDoc &document() { return *document_; }
    // Makes frame the current one: selected in the summary, shown in the detail and hexa trace.
    // A frame the scan of the filtered rows has not reached yet is selected when it does.
    void selectFrame(int frame);

    // The find bar's text looked for from the selected row, forwards or backwards; the result
    // as runFind gives it. Its boxes (the ends of the capture, nothing found) go to the
    // messages given by setFindMessages.
    QString findText(bool forward);
    void setFindMessages(UserMessages *messages) { findMessages_ = messages; }
    // The last find, from the bar or the dialog, again; empty when nothing was looked for.
    QString findAgain(bool forward, UserMessages &messages);
    bool hasFind() const { return lastFind_.has_value(); }

    // Runs a find on the summary from the selected row in the background (its progress dialog
    // stops it), asks at either end whether to go on from the
    // other, and shows the result through messages. The text shown, empty when stopped.
    QString runFind(const FindQuery &query, UserMessages &messages);

    // What the three panes show, as a user reads it.
    const QAbstractItemModel *summaryModel() const;
    QStringList detailTexts() const;
    QString hexaText() const;
    // The frame the summary's scroll thumb stands for at value, as the box beside it shows it
    // ("Frame %d") while the thumb is dragged.
    QString thumbText(int value) const;
    // Asks for a frame number and makes that frame current.
    void goToTypedFrame();
    // Selects frame number (1-based); a frame the filters hide offers the nearest one shown.
    void goToFrameNumber(int number);

    // Find on the hexadecimal trace of the current frame: a string, or a hexadecimal value as
    // digit pairs, after (or before) the octets marked last. The octets found are marked; the
    // result text is shown through messages and returned.
    QString findInTrace(const QString &text, bool hexadecimal, bool forward,
                        UserMessages &messages);

    // Prints frames as asked: to the printer given, a PDF file or a text file. False (with the
    // message) when the range is refused or the file cannot be written.
    bool print(const PrintRequest &request, UserMessages &messages, QPrinter *printer = nullptr);
    // The print dialog, then the print; printer is the one chosen in Print Setup.
    void printWithDialog(UserMessages &messages, QPrinter &printer);
    // The frames selected in the summary, in order.
    std::vector<std::uint32_t> selectedFrames() const;

    // Sizes the summary's columns to their texts, at least their width in characters.
    void sizeColumns();
    // The font of the summary, the detail and the trace.
    void setViewFont(const QFont &font);
    // Shows or hides the hexadecimal trace beside the detail.
    void setHexaShown(bool shown);
    // The capture is decoded anew (another decoder, V5 or ISDN): the summary is made again with
    // the columns of that decoding, and the V5 hint follows.
    void decodingChanged();
    // The summary's columns or the colours changed: the summary is made again with the same
    // current frame and selection, and the detail is drawn again.
    void refreshSummary();

    // The capture's comment editor, opened on first use and raised after.
    CommentWindow *openComment();
    CommentWindow *comment() const { return comment_.window(); }
    // Places the windows this one opens for its document (the comment) beside it, in the
    // main window's document area; without a host they are windows of their own.
    using ChildHost = std::function<void(QWidget *)>;
    void setChildHost(ChildHost host) { childHost_ = std::move(host); }

    // What Copy puts on the clipboard: from the detail, the selected line with the lines under
    // it, indented (the whole detail when none is selected); from the trace, its selected text
    // or all of it; else the selected summary rows with their headings, TAB-separated.
    enum class CopyFrom { Summary, Detail, Trace };
    QString copyText(CopyFrom from) const;
    // The octets of the current frame as hexadecimal pairs ("00 81 7F").
    QString frameHex() const;

    // What the filter bar needs: the folder of the filter profiles, the cause names, and the
    // settings that keep the lines applied.
    void setFilterContext(const std::string &folder, const CauseList *causes, Settings *settings);
    FilterBar *filterBar() const { return filterBar_; }
    // Reads line as the off-line filter and applies it; a line that cannot be read is refused
    // with its reason beside the bar and in the status bar, and false.
    bool applyFilterLine(const QString &line);
    // "Filter on this value" (replacing the filter) or "Add to filter" on the value of column
    // (a view column of the summary) for the frame of row. False when the frame has no such
    // value the filter can select.
    bool filterOnCell(int row, int section, bool add);
    // The same on the value of a detail line (its row in reading order).
    bool filterOnDetailLine(int row, bool add);

    // Marks the octets of detail row (its lines in reading order, branches closed or not) in the
    // hexa trace; the octets marked, as frame offsets.
    QList<int> selectDetailRow(int row);
    // Selects the field that tells most about octet (the fewest octets, the first of as few), as
    // a click on the octet
    // in the trace does; its row, -1 when no field describes it.
    int selectOctet(int octet);

    // How many frames the summary shows of how many, as the status bar tells it ("Displayed N
    // of M", with the scan's progress while it runs).
    QString shownCountText() const;
    // Whether the filtered rows are still being found.
    bool scanning() const;

signals:
    void statusMessage(const QString &text);
    // The number of frames shown changed, or the scan came further.
    void shownCountChanged();
    // The user resized a column: its width is in the summary table now.
    void columnWidthsChanged();

protected:
    // The comment is closed (and stored) first; the window stays when it stays.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows the current row's frame in the detail and the trace.
    void watchSelection();
    void showFrame(int frame);
    int selectedFrame() const;
    // The capture's path, with " - Active Filters " while off-line filters hide frames.
    void updateTitle();
    QList<int> markOctets(int offset, int count);
    void showV5Hint();
    // The term that filters on the value of a summary column for the current frame.
    std::string cellFilterTerm(int section) const;
    void summaryMenu(const QPoint &at);
    void detailMenu(const QPoint &at);
    void traceMenu(const QPoint &at);
    // The term that filters on the value of a detail line; empty when it has none.
    std::string detailFilterTerm(const QTreeWidgetItem *item) const;
    void applyTerm(const std::string &term, bool add);

    std::unique_ptr<CDecodeDoc> document_;
    SummaryFieldTable &columns_;
    bool sizing_ = false; // the program, not the user, is sizing the columns
    const ColourTable &colours_;
    SummaryModel *model_ = nullptr;
    QTableView *summary_ = nullptr;
    QLabel *v5Hint_ = nullptr; // a V5 capture decoded as ISDN says so
    FilterBar *filterBar_ = nullptr;
    std::string filterFolder_;
    const CauseList *causes_ = nullptr;
    Settings *settings_ = nullptr;
    QTreeWidget *detail_ = nullptr;
    QList<QTreeWidgetItem *> detailItems_; // the detail's lines, in the order they are read
    QSet<QString> collapsed_;              // the parts of the detail the user closed
    bool fillingDetail_ = false;
    QPlainTextEdit *hexa_ = nullptr;
    std::unique_ptr<SummaryFinder> finder_;
    QLineEdit *findEdit_ = nullptr;
    UserMessages *findMessages_ = nullptr;
    std::optional<FindQuery> lastFind_;
    bool finding_ = false;
    CommentSlot comment_;
    ChildHost childHost_;
    int traceMark_ = -1; // the first octet marked in the hexa trace, -1 for none
    // The frame to select once the scan of the filtered rows has come to it; -1 for none.
    std::int64_t pendingFrame_ = -1;
};

} // namespace qv
