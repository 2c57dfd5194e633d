#include "app/MainWindow.h"
#include "dialogs/OffLineFilterCommands.h"
#include "views/ResultWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <filesystem>

#include "analysis/Statistics.h"
#include "app/BackgroundWork.h"
#include "app/FileType.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/CDru70Doc.h"
#include "capture/FrameSource.h"
#include "capture/ImportedCapture.h"
#include "capture/LvtExport.h"
#include "capture/PcapExport.h"
#include "dialogs/ColourSelectionDialog.h"
#include "dialogs/Dru70ProtocolInformationDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/PlmFiltersDialog.h"
#include "dialogs/ProductDialog.h"
#include "dialogs/ProductPictures.h"
#include "dialogs/ProtocolInformationDialog.h"
#include "dialogs/ProtocolSetupCommand.h"
#include "dialogs/SerialLinkSetupDialog.h"
#include "dialogs/StatisticsDialog.h"
#include "plm/CPlm45Doc.h"
#include "views/CallsWindow.h"
#include "views/CaptureWindow.h"
#include "views/CommentWindow.h"
#include "views/DocumentWindow.h"
#include "views/Dru70Window.h"
#include "views/ExpertWindow.h"
#include "views/FindDialog.h"
#include "views/FlowWindow.h"
#include "views/HexaFindDialog.h"
#include "views/PlmWindow.h"

namespace qv {

namespace {

struct ModeEntry {
    WorkingMode mode;
    const char *text;
};

// A command this version cannot carry out: shown disabled, with the reason in its tooltip and
// in the status bar while the pointer is on it.
void explainUnavailable(QAction *action, const QString &reason) {
    action->setToolTip(reason);
    action->setStatusTip(reason);
}

constexpr ModeEntry kModes[] = {
    {WorkingMode::Capture, QT_TRANSLATE_NOOP("qv::MainWindow", "&Capture")},
    {WorkingMode::Examine, QT_TRANSLATE_NOOP("qv::MainWindow", "&Examine")},
    {WorkingMode::ViewResults, QT_TRANSLATE_NOOP("qv::MainWindow", "&View Results")},
};

} // namespace

template <class Window> Window *MainWindow::active() const {
    DocumentWindow *document = activeDocument();
    return document ? qobject_cast<Window *>(document->widget()) : nullptr;
}

MainWindow::MainWindow(const Installation &installation, Settings &settings,
                       ProgramContext &context, UserMessages &messages)
    : installation_(installation), settings_(settings), context_(context), messages_(messages) {
    mdiArea_ = new QMdiArea(this);
    setCentralWidget(mdiArea_);
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName("mainToolBar");
    statusBar()->showMessage(tr("Ready"));
    textPane_ = new QLabel(this);
    framePane_ = new QLabel(this);
    framePane_->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Frame number 0000000")));
    shownPane_ = new QLabel(this);
    shownPane_->setObjectName(QStringLiteral("shownPane"));
    statusBar()->addPermanentWidget(shownPane_);
    statusBar()->addPermanentWidget(textPane_);
    statusBar()->addPermanentWidget(framePane_);
    causes_.load(settings_.file());
    dru70Columns_.load(settings_.file());
    plmColumns_.load(settings_.file());
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    createMenus();
    setWindowTitle(QStringLiteral("Quorvane"));
    setAcceptDrops(true);
    toolBar_->setVisible(settings_.toolBar);
    statusBar()->setVisible(settings_.statusBar);
    updateDocumentActions();
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus() {
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *open = file->addAction(tr("&Open..."), this, &MainWindow::openFile);
    open->setShortcut(QKeySequence::Open);
    closeAction_ = file->addAction(tr("&Close"), this, &MainWindow::closeActive);
    closeAction_->setShortcut(QKeySequence::Close);
    saveAsAction_ = file->addAction(tr("Save &As..."), this, &MainWindow::saveAs);
    saveAsAction_->setShortcut(QKeySequence::SaveAs);
    exportAction_ = file->addAction(tr("&Export..."), this, &MainWindow::exportCapture);
    printAction_ = file->addAction(tr("&Print..."), this, [this] {
        if (DocumentWindow *document = activeDocument())
            document->printAsked(*printer_, messages_);
    });
    printAction_->setShortcut(QKeySequence::Print);
    file->addAction(tr("P&rinter Setup..."), this, [this] {
        QPageSetupDialog setup(printer_.get(), this);
        setup.exec();
    });
    // Transfers from the testers come with the serial link.
    QAction *transfer = file->addAction(tr("&Transfer..."));
    transfer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    transfer->setEnabled(false);
    explainUnavailable(transfer, tr("Not available in this version: transfers from a tester "
                                    "need the serial link"));
    file->setToolTipsVisible(true);
    recentSeparator_ = file->addSeparator();
    for (std::size_t i = 0; i < RecentFileList::kMaxEntries; ++i) {
        QAction *recent = file->addAction(QString());
        connect(recent, &QAction::triggered, this, [this, i] { openRecent(i); });
        recentActions_.push_back(recent);
    }
    file->addSeparator();
    // The frame panes follow the active document, however it became active.
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        updateDocumentActions();
        refreshStatusPanes();
        refreshShownPane();
    });
    updateRecentMenu();
    updateDocumentActions();
    QAction *exit = file->addAction(tr("E&xit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    copyAction_ = edit->addAction(tr("&Copy"), this, [this] {
        if (DocumentWindow *document = activeDocument())
            document->copySelected();
    });
    copyAction_->setShortcut(QKeySequence::Copy);
    findAction_ = edit->addAction(tr("&Find..."), this, [this] {
        DocumentWindow *document = activeDocument();
        if (!document || document->findInDocument())
            return;
        FindDialog *dialog = findDialog();
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });
    findAction_->setShortcut(QKeySequence::Find);
    // The last find again, forwards or backwards, without the dialog.
    findNextAction_ = edit->addAction(tr("Find &Next"), this, [this] { findAgain(true); });
    findNextAction_->setShortcut(QKeySequence(Qt::Key_F3));
    findPreviousAction_ = edit->addAction(tr("Find Pre&vious"), this, [this] { findAgain(false); });
    findPreviousAction_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    hexaFindAction_ = edit->addAction(tr("Find on Hexa &Trace..."), this, [this] {
        if (!hexaFindDialog_) {
            hexaFindDialog_ = new HexaFindDialog(this);
            connect(hexaFindDialog_, &HexaFindDialog::findNext, this, [this] {
                if (CaptureWindow *capture = activeCapture())
                    capture->findInTrace(hexaFindDialog_->text(), hexaFindDialog_->hexadecimal(),
                                         hexaFindDialog_->forward(), messages_);
            });
        }
        hexaFindDialog_->show();
        hexaFindDialog_->raise();
    });
    goToAction_ = edit->addAction(tr("&Go to Frame..."), this, [this] {
        if (DocumentWindow *document = activeDocument())
            document->goToAsked();
    });
    goToAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    commentAction_ = edit->addAction(tr("Co&mment..."), this, [this] {
        if (DocumentWindow *document = activeDocument())
            document->showComment();
    });
    edit->addSeparator();
    offLineFiltersAction_ = edit->addAction(tr("Off-Line &Filters..."), this, [this] {
        if (DocumentWindow *document = activeDocument())
            document->editFilters(installation_.filterFolder(), &causes_, messages_);
    });
    callRefAction_ = edit->addAction(tr("Call-Ref on &selection"), this, [this] {
        if (CaptureWindow *capture = activeCapture())
            callRefOnSelection(capture->document(), &causes_, messages_);
    });

    // The analyses of the whole capture of the active window, whatever its filters show.
    QMenu *analysis = menuBar()->addMenu(tr("&Analysis"));
    expertAction_ = analysis->addAction(tr("&Expert Information..."), this, [this] {
        if (CaptureWindow *capture = activeCapture()) {
            auto *expert = new ExpertWindow(*capture, this);
            expert->setAttribute(Qt::WA_DeleteOnClose);
            if (!expert->complete()) {
                delete expert;
                return;
            }
            dockBeside(expert, QStringLiteral("expertPane"), Qt::BottomDockWidgetArea);
        }
    });
    statisticsAction_ = analysis->addAction(tr("&Statistics..."), this, [this] {
        CaptureWindow *capture = activeCapture();
        if (!capture || !capture->document().decodable())
            return;
        CDecodeDoc &doc = capture->document();
        // Under filters the frames displayed are counted too, beside all of them.
        struct Counted {
            Statistics all;
            std::optional<Statistics> shown;
        };
        std::shared_ptr<FrameSourceSetup> shownSetup;
        if (doc.filtersActive())
            shownSetup = std::make_shared<FrameSourceSetup>(FrameSource::setupOf(doc));
        const std::optional<Counted> statistics = runInBackground(
            capture, tr("Counting the frames"),
            [setup = FrameSource::setupOf(doc), shownSetup](JobControl &control) mutable {
                Counted counted;
                FrameSource source(std::move(setup));
                collectStatistics(source, counted.all, control.progress());
                if (shownSetup && !control.cancelled()) {
                    FrameSource shownSource(std::move(*shownSetup));
                    counted.shown.emplace();
                    collectShownStatistics(shownSource, *counted.shown, control.progress());
                }
                return counted;
            });
        if (!statistics)
            return;
        auto *dialog =
            new StatisticsDialog(statistics->all, QString::fromStdString(doc.pathName()), this,
                                 statistics->shown ? &*statistics->shown : nullptr);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dockBeside(dialog, QStringLiteral("statisticsPane"), Qt::RightDockWidgetArea);
    });
    callsAction_ = analysis->addAction(tr("&Calls..."), this, [this] {
        if (CaptureWindow *capture = activeCapture()) {
            auto *calls = new CallsWindow(*capture, &causes_, messages_, this);
            calls->setAttribute(Qt::WA_DeleteOnClose);
            if (!calls->complete()) {
                delete calls;
                return;
            }
            calls->setFlowHost([this](QWidget *flow) {
                dockBeside(flow, QStringLiteral("flowPane"), Qt::RightDockWidgetArea);
            });
            dockBeside(calls, QStringLiteral("callsPane"), Qt::BottomDockWidgetArea);
        }
    });
    flowAction_ = analysis->addAction(tr("Call &Flow..."), this, [this] {
        CaptureWindow *capture = activeCapture();
        if (!capture || !capture->document().decodable())
            return;
        // The flow of the call the current frame belongs to.
        const std::uint32_t frame = capture->document().currentFrame();
        const std::optional<std::vector<CallEntry>> calls = findCalls(*capture);
        if (!calls)
            return;
        for (const CallEntry &call : *calls)
            if (std::binary_search(call.frames.begin(), call.frames.end(), frame)) {
                auto *flow = new FlowWindow(callFlowOf(*capture, call, true), capture, this);
                flow->setAttribute(Qt::WA_DeleteOnClose);
                dockBeside(flow, QStringLiteral("flowPane"), Qt::RightDockWidgetArea);
                return;
            }
        messages_.show(tr("This frame belongs to no call").toStdString(), kProgramCaption,
                       MessageIcon::Exclamation);
    });

    QMenu *modeMenu = menuBar()->addMenu(tr("&Mode"));
    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    for (const ModeEntry &entry : kModes) {
        QAction *action = modeMenu->addAction(tr(entry.text));
        action->setCheckable(true);
        modeGroup_->addAction(action);
        toolBar_->addAction(action);
        WorkingMode mode = entry.mode;
        connect(action, &QAction::triggered, this, [this, mode] { enterMode(mode); });
        modeActions_.push_back(action);
        if (mode == WorkingMode::Capture) {
            // Real-time capture comes with the serial link.
            action->setEnabled(false);
            explainUnavailable(action, tr("Not available in this version: real-time capture "
                                          "needs the serial link"));
        }
    }
    modeMenu->setToolTipsVisible(true);

    QMenu *productMenu = menuBar()->addMenu(tr("&Product"));
    productMenu->addAction(tr("Product &Selection..."), this, &MainWindow::chooseProduct);
    productMenu->addSeparator();
    // The toolbar shows the instrument in use; a click on it opens the product choice.
    toolBar_->addSeparator();
    productAction_ = toolBar_->addAction(QString(), this, &MainWindow::chooseProduct);
    productAction_->setObjectName(QStringLiteral("productPicture"));
    showToolbarImage();
    productGroup_ = new QActionGroup(this);
    productGroup_->setExclusive(true);
    for (const ProductInfo &product : kProducts) {
        QAction *action = productMenu->addAction(QString::fromUtf8(product.name));
        action->setCheckable(true);
        action->setChecked(product.value == settings_.product);
        productGroup_->addAction(action);
        int value = product.value;
        connect(action, &QAction::triggered, this,
                [this, value] { selectProduct(value, settings_.v5Decoding); });
        productActions_.push_back(action);
    }

    QMenu *view = menuBar()->addMenu(tr("&View"));
    QAction *toolbar = view->addAction(tr("&Toolbar"));
    toolbar->setCheckable(true);
    toolbar->setChecked(settings_.toolBar);
    connect(toolbar, &QAction::toggled, this, [this](bool on) {
        settings_.toolBar = on;
        toolBar_->setVisible(on);
    });
    QAction *status = view->addAction(tr("&Status Bar"));
    status->setCheckable(true);
    status->setChecked(settings_.statusBar);
    connect(status, &QAction::toggled, this, [this](bool on) {
        settings_.statusBar = on;
        statusBar()->setVisible(on);
    });
    view->addAction(tr("Restore Default &Widths"), this, &MainWindow::restoreDefaultWidths);
    QAction *hexa = view->addAction(tr("&Hexa Trace"));
    hexa->setCheckable(true);
    hexa->setChecked(settings_.hexa);
    connect(hexa, &QAction::toggled, this, [this](bool on) {
        settings_.hexa = on;
        forEachWindow<CaptureWindow>([on](CaptureWindow &capture) { capture.setHexaShown(on); });
    });
    QAction *captureBar = view->addAction(tr("&Capture Toolbar"));
    captureBar->setCheckable(true);
    captureBar->setEnabled(false);

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    options->addAction(tr("&Serial Link Setup..."), this, &MainWindow::serialLinkSetup);
    options->addAction(tr("&Protocol Setup..."), this, &MainWindow::protocolSetup);
    options->addAction(tr("Protocol &Information..."), this, &MainWindow::chooseColumns);
    options->addAction(tr("&DRU-70 Protocol Information..."), this,
                       &MainWindow::chooseDru70Columns);
    options->addAction(tr("PLM-45 &Filters..."), this, &MainWindow::choosePlmColumns);
    options->addAction(tr("F&onts..."), this, &MainWindow::chooseFont);
    options->addAction(tr("&Colors..."), this, &MainWindow::chooseColours);
    options->addSeparator();
    auto *languages = new QActionGroup(this);
    const char *names[] = {QT_TR_NOOP("&English"), QT_TR_NOOP("&French"), QT_TR_NOOP("&German")};
    for (int i = 0; i < 3; ++i) {
        QAction *language = options->addAction(tr(names[i]));
        language->setCheckable(true);
        language->setChecked(settings_.appLanguage == i);
        languages->addAction(language);
        connect(language, &QAction::triggered, this, [this, i] { chooseInterfaceLanguage(i); });
        languageActions_.push_back(language);
    }

    QMenu *windows = menuBar()->addMenu(tr("&Window"));
    connect(windows, &QMenu::aboutToShow, this, [this, windows] { fillWindowMenu(windows); });
    fillWindowMenu(windows);
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&Reference Manual"), this, [this] {
        QMessageBox::information(
            this, tr("Reference Manual"),
            tr("<b>Working modes</b><br>Examine: captures (.lvt, .mon) and DRU-70 files. View "
               "Results: test results and PLM-45 projects. Capture: real-time analysis.<br><br>"
               "<b>File</b><br>Open (Ctrl+O) shows the files of the mode; the content decides "
               "the window a file opens in. Save As copies the capture with its comment. Print "
               "(Ctrl+P): the summary, the detail, or the detail with the hexadecimal trace, of "
               "the selection, from the current frame to the end, every frame or a range; to a "
               "printer, a PDF or a text file.<br><br>"
               "<b>Edit</b><br>Find (Ctrl+F): a text, an ISDN, V5 or X.25 message, or a cause; "
               "Find Next goes on from the hit, Escape stops a long search. Find on Hexa Trace: "
               "text or octets "
               "in the selected frame. Go to Frame (Ctrl+G). Comment: the note stored in the "
               "capture, up to 2048 characters.<br><br>"
               "<b>View</b><br>Toolbar, Status Bar, Hexa Trace beside the detail, Restore "
               "Default Widths of the summary columns.<br><br>"
               "<b>Summary keys</b><br>Home, End, Page Up, Page Down and the arrows move the "
               "selection; Shift or Ctrl with a click selects several frames; dragging the scroll "
               "thumb names the frame it stands for."));
    });
    help->addAction(tr("&Short Users' Guide"), this, [this] {
        QMessageBox::information(
            this, tr("Short Users' Guide"),
            tr("1. Choose your instrument in the Product menu.<br>"
               "2. Choose Examine, then File > Open... and a capture from the tester.<br>"
               "3. Click a frame in the summary: its decode appears below, its octets beside it. "
               "Click a line of the decode to mark its octets.<br>"
               "4. Edit > Find... searches the capture; Edit > Comment... keeps your notes in "
               "the file.<br>"
               "5. File > Print... prints or saves what you found."));
    });
    help->addSeparator();
    help->addAction(tr("&About Quorvane..."), this, [this] {
        QMessageBox::about(this, tr("About Quorvane"),
                           tr("<b>Quorvane</b><br>Analyser of ISDN tester captures: LAPD, TEI "
                              "management, Q.931 and its national variants, X.25 and V5."));
    });
}

QFont MainWindow::viewFont() const {
    // A family this machine lacks falls back to its fixed-pitch font.
    QFont font(QString::fromStdString(settings_.fontName), settings_.fontSize,
               settings_.fontWeight(), settings_.fontItalic());
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void MainWindow::chooseFont() {
    FontDialog dialog(QString::fromStdString(settings_.fontName), settings_.fontSize,
                      settings_.fontStyle, this);
    if (dialog.exec() == QDialog::Accepted)
        setViewFont(dialog.selectedFont());
}

void MainWindow::chooseColumns() {
    ProtocolInformationDialog dialog(context_.columns, settings_.v5Decoding, this);
    if (dialog.exec() == QDialog::Accepted)
        applyColumns(dialog.columns());
}

void MainWindow::applyColumns(const SummaryFieldTable &columns) {
    context_.columns = columns;
    context_.columns.save(settings_.file());
    writeSettingsFile();
    refreshSummaries();
}

void MainWindow::chooseDru70Columns() {
    Dru70ProtocolInformationDialog dialog(dru70Columns_, this);
    if (dialog.exec() == QDialog::Accepted)
        applyDru70Columns(dialog.columns());
}

void MainWindow::applyDru70Columns(const Dru70Columns &columns) {
    dru70Columns_ = columns;
    dru70Columns_.save(settings_.file());
    writeSettingsFile();
    forEachWindow<Dru70Window>([](Dru70Window &dru) { dru.refreshColumns(); });
}

void MainWindow::choosePlmColumns() {
    PlmFiltersDialog dialog(plmColumns_, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPlmColumns(dialog.columns());
}

void MainWindow::applyPlmColumns(const PlmColumns &columns) {
    plmColumns_ = columns;
    plmColumns_.save(settings_.file());
    writeSettingsFile();
    forEachWindow<PlmWindow>([](PlmWindow &plm) { plm.refreshColumns(); });
}

void MainWindow::chooseColours() {
    ColourSelectionDialog dialog(context_.colours, this);
    if (dialog.exec() == QDialog::Accepted)
        applyColours(dialog.colours());
}

void MainWindow::applyColours(const ColourTable &colours) {
    context_.colours = colours;
    context_.colours.save(settings_.file());
    writeSettingsFile();
    refreshSummaries();
}

void MainWindow::writeSettingsFile() {
    // A profile bound to no file (a session started without one) keeps its keys until exit.
    const IniFile &file = settings_.file();
    if (!file.path().empty() && !file.save())
        messages_.error(tr("The settings could not be written to %1.")
                            .arg(QString::fromStdString(file.path()))
                            .toStdString());
}

void MainWindow::refreshSummaries() {
    forEachWindow<CaptureWindow>([](CaptureWindow &capture) { capture.refreshSummary(); });
    forEachWindow<Dru70Window>([](Dru70Window &dru) { dru.refreshRows(); });
}

void MainWindow::setViewFont(const QFont &font) {
    settings_.fontName = font.family().toStdString().substr(0, Settings::kFontNameLength);
    settings_.fontSize =
        std::clamp(font.pointSize(), Settings::kSmallestFontSize, Settings::kLargestFontSize);
    settings_.fontStyle = (font.italic() ? 1 : 0) | (font.weight() >= QFont::Bold ? 2 : 0);
    const QFont shown = viewFont();
    forEachWindow<CaptureWindow>([&shown](CaptureWindow &capture) { capture.setViewFont(shown); });
    forEachWindow<Dru70Window>([&shown](Dru70Window &dru) { dru.setViewFont(shown); });
    forEachWindow<PlmWindow>([&shown](PlmWindow &plm) { plm.setViewFont(shown); });
}

void MainWindow::chooseInterfaceLanguage(int language) {
    // The interface changes at the next start; a translation that cannot be loaded is not
    // chosen.
    if (language != 0) {
        QTranslator probe;
        if (!probe.load(QString::fromStdString(installation_.translationPath(language)))) {
            messages_.error(language == 1 ? kMsgFrenchNotFound : kMsgGermanNotFound);
            languageActions_[static_cast<std::size_t>(settings_.appLanguage)]->setChecked(true);
            return;
        }
    }
    settings_.appLanguage = language;
    settings_.file().writeInt("Configuration", "AppLanguage", language);
    writeSettingsFile();
    messages_.show(kMsgLanguageAtNextStart, kProgramCaption, MessageIcon::Information);
}

void MainWindow::enterMode(WorkingMode mode) {
    // Until real-time capture exists, a start in Capture mode is a start in Examine mode.
    if (mode == WorkingMode::Capture || mode == WorkingMode::None)
        mode = WorkingMode::Examine;
    mode_ = mode;
    settings_.launchpad = mode;
    for (std::size_t i = 0; i < std::size(kModes); ++i)
        modeActions_[i]->setChecked(kModes[i].mode == mode);
}

void MainWindow::selectProduct(int product, bool v5Decoding) {
    const bool v5Before = settings_.v5Decoding;
    // A capture window would be closed first; real-time capture does not run yet.
    if (product != settings_.product && settings_.selectProduct(product)) {
        showToolbarImage();
        // The PLM-45 keeps projects, which are viewed as results.
        if (product == kProductPlm45 && mode_ != WorkingMode::ViewResults)
            enterMode(WorkingMode::ViewResults);
    }
    // Only the LVT-60 decodes V5, as its user chose in the product dialog.
    if (settings_.product == kProductLvt60)
        settings_.v5Decoding = v5Decoding;
    if (settings_.v5Decoding != v5Before)
        redecodeCaptures(true);
    for (std::size_t i = 0; i < productActions_.size(); ++i)
        productActions_[i]->setChecked(kProducts[i].value == settings_.product);
}

void MainWindow::chooseProduct() {
    ProductDialog dialog(settings_.product, settings_.v5Decoding, this);
    if (dialog.exec() == QDialog::Accepted)
        selectProduct(dialog.product(), dialog.v5Decoding());
}

int MainWindow::toolbarImage() const {
    return productAction_->data().toInt();
}

void MainWindow::showToolbarImage() {
    const ProductInfo *info = findProduct(settings_.product);
    if (!info)
        return;
    const QString name = QString::fromLatin1(info->name);
    productAction_->setData(info->toolbarImage);
    productAction_->setIcon(QIcon(productPicture(productOfToolbarImage(info->toolbarImage), 64)));
    productAction_->setText(name);
    productAction_->setToolTip(tr("%1 - Product Selection").arg(name));
}

void MainWindow::serialLinkSetup() {
    // In Capture mode the settings of the capture link are the ones that matter.
    SerialLinkSetupDialog dialog(settings_.serialPorts, settings_.serialDevices, settings_.product,
                                 mode_ == WorkingMode::Capture, this);
    dialog.exec();
}

void MainWindow::protocolSetup() {
    ProtocolSetupCommand command(settings_, context_.decoding, installation_, messages_);
    command.run(this, [this](bool v5Changed) { redecodeCaptures(v5Changed); });
}

void MainWindow::redecodeCaptures(bool v5Changed) {
    if (v5Changed)
        context_.columns.setV5Titles(settings_.v5Decoding);
    forEachWindow<CaptureWindow>(
        [this](CaptureWindow &capture) { redecodeCapture(capture, settings_.v5Decoding); });
}

QStringList MainWindow::openFilters() const {
    // The settings' texts, with their patterns as the file dialog reads them: blanks between
    // patterns, and "*" for every file (a file name here need not have a dot).
    QStringList filters;
    auto add = [&filters](const char *text) {
        QString filter = QString::fromLatin1(text);
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        QString patterns = filter.mid(open);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '))
            .replace(QStringLiteral("*.*"), QStringLiteral("*"));
        filters << filter.left(open) + patterns;
    };
    if (mode_ == WorkingMode::Examine)
        for (const char *text : kExamineFilters)
            add(text);
    else
        for (const char *text : kViewFilters)
            add(text);
    return filters;
}

int &MainWindow::openFilterIndex() {
    return mode_ == WorkingMode::Examine ? settings_.examineFilter : settings_.viewFilter;
}

void MainWindow::openFile() {
    QFileDialog dialog(this, tr("Open"), QString::fromStdString(settings_.lastPath));
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = openFilters();
    dialog.setNameFilters(filters);
    int &index = openFilterIndex();
    if (index >= 0 && index < filters.size())
        dialog.selectNameFilter(filters[index]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    if (index < 0)
        index = 0;
    settings_.lastPath = dialog.directory().absolutePath().toStdString();
    openPath(dialog.selectedFiles().front().toStdString(), OpenSource::Dialog);
}

CaptureWindow *MainWindow::openPath(const std::string &path, OpenSource source) {
    const OpenDecision decision = decideOpen(scanFileType(path), source);
    if (!decision.refusal.empty()) {
        messages_.show(decision.refusal, kProgramCaption, MessageIcon::Exclamation);
        return nullptr;
    }
    if (decision.mode != mode_)
        enterMode(decision.mode);
    if (decision.kind == FileKind::Dru70) {
        openDru70(path);
        return nullptr;
    }
    if (decision.kind == FileKind::TestResult) {
        openResult(path);
        return nullptr;
    }
    if (decision.kind == FileKind::Plm45) {
        openPlm(path);
        return nullptr;
    }
    if (decision.kind == FileKind::Imported)
        return openImported(path);
    return openCapture(path);
}

CaptureWindow *MainWindow::openImported(const std::string &path) {
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::shared_ptr<ImportedCapture> imported = ImportedCapture::import(path, error);
    QApplication::restoreOverrideCursor();
    if (!imported) {
        messages_.show(error, kProgramCaption, MessageIcon::Exclamation);
        return nullptr;
    }
    CaptureWindow *window = openCapture(imported->path());
    // The list of recent files names the imported file, which opens again the same way.
    settings_.recentFiles.remove(imported->path());
    if (!window)
        return nullptr;
    settings_.recentFiles.add(path);
    updateRecentMenu();
    // The imported capture goes with its window.
    connect(window, &QObject::destroyed, this, [imported] {});
    const QString title = QString::fromStdString(path);
    CDecodeDoc &document = window->document();
    auto retitle = [window, title, &document] {
        window->setWindowTitle(
            document.filtersActive() ? title + CaptureWindow::tr(" - Active Filters ") : title);
    };
    auto shown = std::move(document.onFiltersApplied);
    document.onFiltersApplied = [shown, retitle] {
        if (shown)
            shown();
        retitle();
    };
    retitle();
    return window;
}

QDockWidget *MainWindow::dockBeside(QWidget *content, const QString &name,
                                    Qt::DockWidgetArea area) {
    // One pane of a kind: a new one takes the place of the one before.
    if (auto *before = findChild<QDockWidget *>(name)) {
        before->setObjectName(QString());
        before->close();
    }
    const QSize wanted = content->sizeHint().expandedTo(content->size());
    content->setWindowFlags(Qt::Widget);
    auto *dock = new QDockWidget(content->windowTitle(), this);
    dock->setObjectName(name);
    dock->setAttribute(Qt::WA_DeleteOnClose);
    dock->setWidget(content);
    connect(content, &QWidget::windowTitleChanged, dock, &QDockWidget::setWindowTitle);
    // A pane whose content closes itself goes with it.
    connect(content, &QObject::destroyed, dock, &QObject::deleteLater);
    addDockWidget(area, dock);
    dock->show();
    // As much room as the content asks for, leaving the summary most of the window.
    if (area == Qt::RightDockWidgetArea || area == Qt::LeftDockWidgetArea)
        resizeDocks({dock}, {std::min(wanted.width(), width() * 2 / 5)}, Qt::Horizontal);
    else
        resizeDocks({dock}, {std::min(wanted.height(), height() * 2 / 5)}, Qt::Vertical);
    return dock;
}

void MainWindow::hostChild(QWidget *child) {
    QMdiSubWindow *frame = mdiArea_->addSubWindow(child);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->resize(560, 320);
    // A child that closes itself takes its frame along.
    connect(child, &QObject::destroyed, frame, &QObject::deleteLater);
}

void MainWindow::showDocument(QWidget *window, const std::string &path) {
    QMdiSubWindow *sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    settings_.recentFiles.add(path);
    updateRecentMenu();
    updateDocumentActions();
}

ResultWindow *MainWindow::openResult(const std::string &path) {
    ResultWindow *window = ResultWindow::open(path, messages_, this);
    if (!window)
        return nullptr;
    window->setViewFont(viewFont());
    showDocument(window, path);
    return window;
}

ResultWindow *MainWindow::activeResult() const {
    return active<ResultWindow>();
}

PlmWindow *MainWindow::openPlm(const std::string &path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PlmWindow *window = PlmWindow::open(path, messages_, plmColumns_);
    QApplication::restoreOverrideCursor();
    if (!window)
        return nullptr;
    window->setViewFont(viewFont());
    connect(window, &PlmWindow::columnWidthsChanged, this,
            [this] { plmColumns_.save(settings_.file()); });
    connect(window, &PlmWindow::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
    showDocument(window, path);
    return window;
}

PlmWindow *MainWindow::activePlm() const {
    return active<PlmWindow>();
}

Dru70Window *MainWindow::openDru70(const std::string &path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Dru70Window *window = Dru70Window::open(
        path, messages_, this, {settings_.registrationName, settings_.registrationCompany},
        dru70Columns_, context_.colours);
    QApplication::restoreOverrideCursor();
    if (!window)
        return nullptr;
    window->setViewFont(viewFont());
    window->setChildHost([this](QWidget *child) { hostChild(child); });
    connect(window, &Dru70Window::columnWidthsChanged, this,
            [this] { dru70Columns_.save(settings_.file()); });
    connect(window, &Dru70Window::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
    showDocument(window, path);
    return window;
}

CaptureWindow *MainWindow::openCapture(const std::string &path) {
    // The command line opens what it is given here; a DRU-70 file has a window of its own.
    if (isDru70File(path)) {
        openDru70(path);
        return nullptr;
    }
    if (isPlm45ProjectName(path)) {
        openPlm(path);
        return nullptr;
    }
    for (QMdiSubWindow *sub : mdiArea_->subWindowList()) {
        auto *open = qobject_cast<CaptureWindow *>(sub->widget());
        if (open && open->document().pathName() == path &&
            messages_.ask(tr("This file is already opened.\nDo you want to open a new window on "
                             "this file ?")
                              .toStdString(),
                          kProgramCaption, MessageButtons::YesNo,
                          MessageAnswer::No) != MessageAnswer::Yes)
            return nullptr;
    }
    auto document = std::make_unique<CDecodeDoc>(messages_, context_.decoding.services(), this);
    CaptureOpenOptions options;
    options.language = settings_.language;
    options.v5Decoding = settings_.v5Decoding;
    options.captureMode = mode_ == WorkingMode::Capture;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = document->openCapture(path, options);
    QApplication::restoreOverrideCursor();
    if (!opened)
        return nullptr;
    auto *window =
        new CaptureWindow(std::move(document), context_.columns, context_.colours, settings_.hexa);
    window->setViewFont(viewFont());
    window->setFilterContext(installation_.filterFolder(), &causes_, &settings_);
    window->setFindMessages(&messages_);
    window->setFilterContext(installation_.filterFolder(), &causes_, &settings_);
    window->setFindMessages(&messages_);
    window->setChildHost([this](QWidget *child) { hostChild(child); });
    connect(window, &CaptureWindow::columnWidthsChanged, this,
            [this] { context_.columns.save(settings_.file()); });
    connect(window, &CaptureWindow::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
    connect(window, &CaptureWindow::shownCountChanged, this, [this, window] {
        if (activeCapture() == window)
            shownPane_->setText(window->shownCountText());
    });
    showDocument(window, path);
    refreshShownPane();
    // The detail and the trace show the current frame from the start, not two empty panes.
    if (window->document().frameCount() > 0)
        window->selectFrame(static_cast<int>(window->document().currentFrame()));
    return window;
}

CaptureWindow *MainWindow::openRecent(std::size_t entry) {
    const auto &entries = settings_.recentFiles.entries();
    if (entry >= entries.size())
        return nullptr;
    const std::string path = entries[entry];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        messages_.show(kMsgUnableToOpenRecent, kProgramCaption, MessageIcon::Exclamation);
        return nullptr;
    }
    return openPath(path, OpenSource::RecentFile);
}

QStringList MainWindow::recentMenuTexts() const {
    QStringList texts;
    for (const QAction *action : recentActions_)
        if (action->isVisible())
            texts << action->text();
    return texts;
}

void MainWindow::updateRecentMenu() {
    const auto &entries = settings_.recentFiles.entries();
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction *action = recentActions_[i];
        action->setVisible(i < entries.size());
        if (i < entries.size()) {
            // "&1 name": the number is the entry's key.
            const std::string shown = RecentFileList::displayName(entries[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QString::fromLocal8Bit(shown.data(), static_cast<qsizetype>(shown.size()))));
            action->setToolTip(QString::fromLocal8Bit(entries[i].c_str()));
        }
    }
    recentSeparator_->setVisible(!entries.empty());
}

void MainWindow::updateDocumentActions() {
    // Every document is saved, printed and closed; what else it takes, it says.
    DocumentWindow *document = activeDocument();
    const DocumentCommands commands = document ? document->commands() : DocumentCommands{};
    saveAsAction_->setEnabled(document != nullptr);
    printAction_->setEnabled(document != nullptr);
    closeAction_->setEnabled(document != nullptr);
    exportAction_->setEnabled(commands.frames);
    const std::pair<QAction *, bool> served[] = {
        {findAction_, commands.find},           {copyAction_, commands.copy},
        {commentAction_, commands.comment},     {offLineFiltersAction_, commands.filters},
        {callRefAction_, commands.frames},      {expertAction_, commands.frames},
        {statisticsAction_, commands.frames},   {goToAction_, commands.goTo},
        {hexaFindAction_, commands.frames},     {callsAction_, commands.frames},
        {flowAction_, commands.frames},         {findNextAction_, commands.frames},
        {findPreviousAction_, commands.frames},
    };
    for (const auto &[action, enabled] : served)
        if (action)
            action->setEnabled(enabled);
}

FindDialog *MainWindow::findDialog() {
    if (!findDialog_) {
        auto names = [this](DecoderContext::MessageFamily family) {
            QStringList list;
            for (const std::string &name : context_.decoding.messageNames(family))
                list << QString::fromLatin1(name.c_str());
            return list;
        };
        FindDialog::Lists lists;
        lists.isdnMessages = names(DecoderContext::MessageFamily::Isdn);
        lists.v5Messages = names(DecoderContext::MessageFamily::V5);
        lists.x25Messages = names(DecoderContext::MessageFamily::X25);
        lists.causes = &causes_;
        findDialog_ = new FindDialog(lists, this);
        connect(findDialog_, &FindDialog::findNext, this, &MainWindow::findNext);
    }
    return findDialog_;
}

void MainWindow::findNext() {
    CaptureWindow *capture = activeCapture();
    if (!capture || !findDialog_)
        return;
    const std::optional<FindQuery> query = findDialog_->query();
    if (!query) {
        if (findDialog_->criterion() != FindDialog::Cause)
            return; // nothing typed yet
        // A cause that is neither listed nor a number cannot be found.
        messages_.show(tr("Cause number not found!").toStdString(), kProgramCaption,
                       MessageIcon::Information);
        return;
    }
    capture->runFind(*query, messages_);
}

void MainWindow::findAgain(bool forward) {
    CaptureWindow *capture = activeCapture();
    if (!capture)
        return;
    // The last find of the window, from its find bar or the dialog.
    if (capture->hasFind()) {
        capture->findAgain(forward, messages_);
        return;
    }
    std::optional<FindQuery> query = findDialog_ ? findDialog_->query() : std::nullopt;
    if (!query) {
        // Nothing looked for yet: the dialog asks what.
        findAction_->trigger();
        return;
    }
    query->forward = forward;
    capture->runFind(*query, messages_);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent *event) {
    if (openDropped(*event->mimeData()))
        event->acceptProposedAction();
}

bool MainWindow::openDropped(const QMimeData &data) {
    // Each file dropped opens as the Open dialog would open it.
    bool any = false;
    for (const QUrl &url : data.urls())
        if (url.isLocalFile()) {
            openPath(url.toLocalFile().toStdString(), OpenSource::Dialog);
            any = true;
        }
    return any;
}

void MainWindow::fillWindowMenu(QMenu *menu) {
    menu->clear();
    menu->addAction(tr("&Tile"), mdiArea_, &QMdiArea::tileSubWindows);
    menu->addAction(tr("&Cascade"), mdiArea_, &QMdiArea::cascadeSubWindows);
    QAction *next = menu->addAction(tr("Ne&xt"), mdiArea_, &QMdiArea::activateNextSubWindow);
    next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6));
    menu->addAction(tr("Close &All"), this, [this] {
        for (QMdiSubWindow *sub : mdiArea_->subWindowList())
            sub->close();
    });
    const QList<QMdiSubWindow *> windows = mdiArea_->subWindowList();
    if (!windows.isEmpty())
        menu->addSeparator();
    int number = 0;
    for (QMdiSubWindow *sub : windows) {
        ++number;
        const QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        QAction *entry =
            menu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title,
                            this, [this, sub] { mdiArea_->setActiveSubWindow(sub); });
        entry->setCheckable(true);
        entry->setChecked(sub == currentSubWindow());
    }
}

void MainWindow::saveAs() {
    DocumentWindow *document = activeDocument();
    if (!document)
        return;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save As"), QString::fromStdString(document->suggestedCopyName()),
        document->copyFilter());
    if (!path.isEmpty())
        document->saveCopy(path.toStdString(), messages_);
}

void MainWindow::exportCapture() {
    CaptureWindow *capture = activeCapture();
    if (!capture)
        return;
    const bool filtered = capture->document().filtersActive();
    QFileDialog dialog(this,
                       filtered ? tr("Export (only the frames the active filters show)")
                                : tr("Export (every frame)"),
                       QString::fromStdString(settings_.lastPath));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({tr("pcap for Wireshark (*.pcap)"), tr("pcapng for Wireshark (*.pcapng)"),
                           tr("LVT capture (*.lvt)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().front();
    const int choice = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    const char *extensions[] = {".pcap", ".pcapng", ".lvt"};
    if (choice >= 0 && choice < 3 && !path.endsWith(QLatin1String(extensions[choice])))
        path += QLatin1String(extensions[choice]);
    exportActive(path.toStdString());
}

bool MainWindow::exportActive(const std::string &path) {
    CaptureWindow *capture = activeCapture();
    if (!capture)
        return false;
    CDecodeDoc &document = capture->document();
    std::error_code ec;
    if (std::filesystem::equivalent(document.pathName(), path, ec)) {
        messages_.show(path + ": that is the capture exported; the copy needs a file of its own",
                       kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    const bool lvt = path.size() > 4 && path.compare(path.size() - 4, 4, ".lvt") == 0;
    struct Outcome {
        bool ok = false;
        std::string error;
        std::uint32_t frames = 0;
        std::uint32_t total = 0;
        std::string pcapSummary;
    };
    const bool shownOnly = document.filtersActive();
    const std::optional<Outcome> outcome =
        runInBackground(capture, tr("Exporting"),
                        [setup = FrameSource::setupOf(document), lvt, shownOnly,
                         path](JobControl &control) mutable {
                            FrameSource source(std::move(setup));
                            Outcome out;
                            if (lvt) {
                                const LvtExportResult result =
                                    exportLvt(source, shownOnly, path, control.progress());
                                out = {result.ok, result.error, result.frames, result.total, {}};
                            } else {
                                const PcapExportResult result =
                                    exportPcap(source, shownOnly, path, control.progress());
                                out = {result.ok, result.error, 0, 0, exportSummaryText(result)};
                            }
                            return out;
                        });
    if (!outcome)
        return false;
    const bool ok = outcome->ok;
    const std::string &error = outcome->error;
    const QString done = lvt ? tr("%1: %2 of %3 frames written")
                                   .arg(QString::fromStdString(path))
                                   .arg(outcome->frames)
                                   .arg(outcome->total)
                             : QString::fromStdString(path + ": " + outcome->pcapSummary);
    if (!ok) {
        messages_.show(error, kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    statusBar()->showMessage(done);
    return true;
}

bool MainWindow::saveActiveAs(const std::string &path) {
    DocumentWindow *document = activeDocument();
    return document && document->saveCopy(path, messages_);
}

void MainWindow::closeActive() {
    // Close ends the document, whichever of its windows is active.
    QMdiSubWindow *sub = currentSubWindow();
    if (DocumentWindow *document = sub ? documentOf(sub) : nullptr)
        sub = qobject_cast<QMdiSubWindow *>(document->widget()->parentWidget());
    if (sub) {
        // Closed windows are deleted later; the area forgets them now. A window that refused
        // to close stays.
        if (sub->close())
            mdiArea_->removeSubWindow(sub);
    }
    updateDocumentActions();
}

void MainWindow::setStatusPane(int pane, const std::string &text) {
    QLabel *label = pane == 1 ? framePane_ : textPane_;
    label->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void MainWindow::refreshStatusPanes() {
    DocumentWindow *document = activeDocument();
    QWidget *source = document ? document->widget() : nullptr;
    if (source == statusSource_)
        return;
    statusSource_ = source;
    if (!document || !document->showFramePanes()) {
        framePane_->clear();
        textPane_->clear();
    }
}

void MainWindow::refreshShownPane() {
    const CaptureWindow *capture = activeCapture();
    shownPane_->setText(capture ? capture->shownCountText() : QString());
}

QString MainWindow::statusPane(int pane) const {
    if (pane == 3)
        return shownPane_->text();
    return (pane == 1 ? framePane_ : textPane_)->text();
}

QMdiSubWindow *MainWindow::currentSubWindow() const {
    // While the main window is not active (hidden, or another program in front) the area has
    // no active window: the one activated last is still the user's current one.
    if (QMdiSubWindow *sub = mdiArea_->activeSubWindow())
        return sub;
    const auto history = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
    return history.isEmpty() ? nullptr : history.last();
}

DocumentWindow *MainWindow::documentOf(QMdiSubWindow *sub) const {
    if (auto *document = dynamic_cast<DocumentWindow *>(sub->widget()))
        return document;
    for (QMdiSubWindow *other : mdiArea_->subWindowList())
        if (auto *document = dynamic_cast<DocumentWindow *>(other->widget());
            document && document->owns(sub->widget()))
            return document;
    return nullptr;
}

DocumentWindow *MainWindow::activeDocument() const {
    QMdiSubWindow *sub = currentSubWindow();
    return sub ? documentOf(sub) : nullptr;
}

CaptureWindow *MainWindow::activeCapture() const {
    return active<CaptureWindow>();
}

Dru70Window *MainWindow::activeDru70() const {
    return active<Dru70Window>();
}

void MainWindow::restoreDefaultWidths() {
    SummaryFieldTable &columns = context_.columns;
    for (int column : columns.visibleColumnsInDisplayOrder())
        columns.field(column).width =
            SummaryFieldTable::defaultChars(column) * SummaryFieldTable::kWidthPerChar;
    columns.save(settings_.file());
    forEachWindow<CaptureWindow>([](CaptureWindow &capture) { capture.sizeColumns(); });
}

void MainWindow::closeEvent(QCloseEvent *event) {
    context_.columns.save(settings_.file());
    dru70Columns_.save(settings_.file());
    plmColumns_.save(settings_.file());
    settings_.serialPorts.save(settings_.file(), settings_.product);
    settings_.launchpad = mode_ == WorkingMode::None ? settings_.launchpad : mode_;
    event->accept();
}

} // namespace qv
