#pragma once
// The main window: the document area, the working modes, the product choice and the bars.
#include "app/ColourTable.h"
#include "app/DecoderContext.h"
#include "app/FileType.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "capture/Dru70Columns.h"
#include "decode/SummaryFieldTable.h"
#include "filters/CauseList.h"
#include "plm/PlmColumns.h"

#include <QFont>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <QStringList>
#include <memory>

#include "capture/DecodableObject.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QMimeData;
class QDragEnterEvent;
class QDropEvent;
class QPrinter;
class QActionGroup;
class QToolBar;

namespace qv {

class CaptureWindow;
class DocumentWindow;
class ResultWindow;
class Dru70Window;
class PlmWindow;
class FindDialog;
class HexaFindDialog;
class UserMessages;

// What the windows share: the decoding objects, the summary columns and the colours.
struct ProgramContext {
    DecoderContext decoding;
    SummaryFieldTable columns;
    ColourTable colours;
};

class MainWindow : public QMainWindow, public DocumentStatus {
    Q_OBJECT
public:
    MainWindow(const Installation &installation, Settings &settings, ProgramContext &context,
               UserMessages &messages);
    ~MainWindow() override;

    // Opens a capture in a window of its own; the window, or null when it cannot be shown or
    // the user chose not to open a second window on a file already open.
    CaptureWindow *openCapture(const std::string &path);
    // Opens a file of any type in its document and mode: the type is found from its content,
    // and a file refused for its type or its mode is reported. The capture window, else null.
    CaptureWindow *openPath(const std::string &path, OpenSource source);
    CaptureWindow *activeCapture() const;
    // Opens a pcap or pcapng file of another tool: imported into a real-time capture in the
    // system's temporary folder, shown read-only under the original's name, and removed when
    // its window closes. Null when it cannot be imported or shown.
    CaptureWindow *openImported(const std::string &path);
    // Opens a DRU-70 file in an event window of its own; null when it cannot be shown.
    Dru70Window *openDru70(const std::string &path);
    Dru70Window *activeDru70() const;
    // Shows the report of a test result file (View Results); null when it holds none.
    ResultWindow *openResult(const std::string &path);
    ResultWindow *activeResult() const;
    // Opens a PLM-45 project in a window of its own; null when it cannot be shown.
    PlmWindow *openPlm(const std::string &path);
    PlmWindow *activePlm() const;
    // The PLM-45 columns in use from now on: written to the settings file and shown at once by
    // every open project window.
    void applyPlmColumns(const PlmColumns &columns);
    const PlmColumns &plmColumns() const { return plmColumns_; }
    // The DRU-70 columns in use from now on: written to the settings file and shown at once by
    // every open DRU-70 window.
    void applyDru70Columns(const Dru70Columns &columns);
    const Dru70Columns &dru70Columns() const { return dru70Columns_; }
    // Opens entry (0 the newest) of the recent-file list.
    CaptureWindow *openRecent(std::size_t entry);
    // The recent-file entries of the File menu, as shown.
    QStringList recentMenuTexts() const;
    // Save As and Close of the active capture.
    bool saveActiveAs(const std::string &path);
    // File > Export of the active capture: pcap, or pcapng when path ends in ".pcapng", of the
    // frames shown (only those the active filters show), or with ".lvt" a copy of the whole
    // capture file. False, with the reason shown, when nothing was written.
    bool exportActive(const std::string &path);
    void closeActive();
    // The Open dialog's filters for the working mode, and the setting that remembers the
    // one chosen.
    QStringList openFilters() const;
    int &openFilterIndex();
    // Every visible summary column back to its width in characters × 12, in the table and
    // in the open windows.
    void restoreDefaultWidths();
    // The summary's find dialog, made on first use.
    FindDialog *findDialog();

    // The status bar's frame panes: 1 the frame number, 2 a text of the frame; statusPane also
    // reads 3, the frames shown of the active capture ("Displayed N of M").
    void setStatusPane(int pane, const std::string &text) override;
    QString statusPane(int pane) const;
    // Shows the active document's frame in the panes when another document became active.
    void refreshStatusPanes();
    void refreshShownPane();
    // Shows an analysis (Calls, a call flow, Expert, Statistics) as a pane at area of the main
    // window, beside the captures rather than over them; the pane can be moved, floated and
    // closed. A pane of the same name shown before gives its place.
    QDockWidget *dockBeside(QWidget *content, const QString &name, Qt::DockWidgetArea area);
    // F3 and Shift+F3: the last find again, forwards or backwards; the find dialog when nothing
    // was looked for yet.
    void findAgain(bool forward);
    // Opens the local files data names, as a drop on the window does; false when it names none.
    bool openDropped(const QMimeData &data);
    // The Window menu: tile, cascade, next, close all, and the open windows.
    void fillWindowMenu(QMenu *menu);

    // The summary columns, or the colours, in use from now on: written to the settings file
    // and shown at once by every open summary.
    void applyColumns(const SummaryFieldTable &columns);
    void applyColours(const ColourTable &colours);

    // The font of the frame views, from the settings, and a new one for every open view.
    QFont viewFont() const;
    void setViewFont(const QFont &font);
    // English (0), French (1) or German (2) for the next start, with the notice or the message
    // that the translation is missing.
    void chooseInterfaceLanguage(int language);

    void enterMode(WorkingMode mode);
    WorkingMode mode() const { return mode_; }
    // The toolbar image of the product in use, as the product table numbers it.
    int toolbarImage() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Files dropped on the window open as the Open dialog opens them.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    // A document window in its own maximised frame, its file first among the recent ones.
    void showDocument(QWidget *window, const std::string &path);
    // A window of a document (comment, find ...) in a frame of its own beside it.
    void hostChild(QWidget *child);
    void openFile();
    void saveAs();
    void exportCapture();
    void updateRecentMenu();
    void updateDocumentActions();
    void findNext();
    QMdiSubWindow *currentSubWindow() const;
    // The document a window of the area belongs to: its own window, or the one its comment
    // stands for.
    DocumentWindow *documentOf(QMdiSubWindow *sub) const;
    DocumentWindow *activeDocument() const;
    // The active document's window when it is of that kind.
    template <class Window> Window *active() const;
    void chooseDru70Columns();
    void choosePlmColumns();
    // A product confirmed by the user, with the V5 decoding chosen for the LVT-60.
    void selectProduct(int product, bool v5Decoding);
    void chooseProduct();
    void showToolbarImage();
    void serialLinkSetup();
    void protocolSetup();
    // Every open capture decoded again at its current frame, after a protocol or V5 change.
    void redecodeCaptures(bool v5Changed);
    void chooseFont();
    void chooseColumns();
    void chooseColours();
    void writeSettingsFile();
    void refreshSummaries();
    // Calls act on every document window of type Window in the document area.
    template <class Window, class Act> void forEachWindow(Act act) const {
        for (QMdiSubWindow *sub : mdiArea_->subWindowList())
            if (auto *window = qobject_cast<Window *>(sub->widget()))
                act(*window);
    }

    const Installation &installation_;
    Settings &settings_;
    ProgramContext &context_;
    UserMessages &messages_;
    WorkingMode mode_ = WorkingMode::None;
    QMdiArea *mdiArea_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QLabel *framePane_ = nullptr;
    QLabel *shownPane_ = nullptr;
    QLabel *textPane_ = nullptr;
    QActionGroup *modeGroup_ = nullptr;
    QActionGroup *productGroup_ = nullptr;
    std::vector<QAction *> modeActions_;
    std::vector<QAction *> productActions_;
    std::vector<QAction *> recentActions_;
    std::vector<QAction *> languageActions_;
    QAction *recentSeparator_ = nullptr;
    QAction *productAction_ = nullptr; // the picture of the product on the toolbar
    QAction *saveAsAction_ = nullptr;
    QAction *exportAction_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *closeAction_ = nullptr;
    QAction *findAction_ = nullptr;
    QAction *findNextAction_ = nullptr;
    QAction *findPreviousAction_ = nullptr;
    QAction *copyAction_ = nullptr;
    QAction *commentAction_ = nullptr;
    QAction *offLineFiltersAction_ = nullptr;
    QAction *callRefAction_ = nullptr;
    QAction *expertAction_ = nullptr;
    QAction *statisticsAction_ = nullptr;
    QAction *callsAction_ = nullptr;
    QAction *flowAction_ = nullptr;
    QAction *goToAction_ = nullptr;
    QAction *hexaFindAction_ = nullptr;
    HexaFindDialog *hexaFindDialog_ = nullptr;
    FindDialog *findDialog_ = nullptr;
    CauseList causes_;
    std::unique_ptr<QPrinter> printer_; // the printer chosen in Printer Setup
    Dru70Columns dru70Columns_;
    PlmColumns plmColumns_;
    QPointer<QWidget> statusSource_; // the document the panes show
};

} // namespace qv
