#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "capture/CDecodeDoc.h"
#include "views/CaptureWindow.h"

namespace qv {

namespace {

struct ModeEntry {
    WorkingMode mode;
    const char *text;
};

constexpr ModeEntry kModes[] = {
    {WorkingMode::Capture, "&Capture"},
    {WorkingMode::Examine, "&Examine"},
    {WorkingMode::ViewResults, "&View Results"},
};

} // namespace

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
    framePane_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Frame number 0000000")));
    statusBar()->addPermanentWidget(textPane_);
    statusBar()->addPermanentWidget(framePane_);
    createMenus();
    setWindowTitle(QStringLiteral("Quorvane"));
    toolBar_->setVisible(settings_.toolBar);
    statusBar()->setVisible(settings_.statusBar);
}

void MainWindow::createMenus() {
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *open = file->addAction(tr("&Open..."), this, &MainWindow::openFile);
    open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    QAction *exit = file->addAction(tr("E&xit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);

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
    }

    QMenu *productMenu = menuBar()->addMenu(tr("&Product"));
    productGroup_ = new QActionGroup(this);
    productGroup_->setExclusive(true);
    for (const ProductInfo &product : kProducts) {
        QAction *action = productMenu->addAction(QString::fromUtf8(product.name));
        action->setCheckable(true);
        action->setChecked(product.value == settings_.product);
        productGroup_->addAction(action);
        int value = product.value;
        connect(action, &QAction::triggered, this, [this, value] { selectProduct(value); });
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
    QAction *hexa = view->addAction(tr("&Hexa Trace"));
    hexa->setCheckable(true);
    hexa->setChecked(settings_.hexa);
    connect(hexa, &QAction::toggled, this, [this](bool on) { settings_.hexa = on; });
}

void MainWindow::enterMode(WorkingMode mode) {
    mode_ = mode;
    settings_.launchpad = mode;
    for (std::size_t i = 0; i < std::size(kModes); ++i)
        modeActions_[i]->setChecked(kModes[i].mode == mode);
}

void MainWindow::selectProduct(int product) {
    if (product == settings_.product)
        return;
    settings_.selectProduct(product);
    // The PLM-45 keeps projects, which are viewed as results.
    if (product == kProductPlm45 && mode_ != WorkingMode::ViewResults)
        enterMode(WorkingMode::ViewResults);
    for (std::size_t i = 0; i < productActions_.size(); ++i)
        productActions_[i]->setChecked(kProducts[i].value == settings_.product);
}

void MainWindow::openFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open"), QString::fromStdString(settings_.lastPath),
        tr("LVT-30/60 files(*.lvt);;KSM-2 and KSE-400 files (*.mon);;All files (*)"));
    if (!path.isEmpty())
        openCapture(path.toStdString());
}

CaptureWindow *MainWindow::openCapture(const std::string &path) {
    auto document = std::make_unique<CDecodeDoc>(messages_, context_.decoding.services(), this);
    CaptureOpenOptions options;
    options.language = settings_.language;
    options.v5Decoding = settings_.v5Decoding;
    options.captureMode = mode_ == WorkingMode::Capture;
    if (!document->openCapture(path, options))
        return nullptr;
    auto *window = new CaptureWindow(std::move(document), context_.columns, context_.colours,
                                     settings_.hexa);
    QMdiSubWindow *sub = mdiArea_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    settings_.recentFiles.add(path);
    return window;
}

void MainWindow::setStatusPane(int pane, const std::string &text) {
    QLabel *label = pane == 1 ? framePane_ : textPane_;
    label->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

QString MainWindow::statusPane(int pane) const {
    return (pane == 1 ? framePane_ : textPane_)->text();
}

CaptureWindow *MainWindow::activeCapture() const {
    QMdiSubWindow *sub = mdiArea_->activeSubWindow();
    return sub ? qobject_cast<CaptureWindow *>(sub->widget()) : nullptr;
}

void MainWindow::closeEvent(QCloseEvent *event) {
    settings_.launchpad = mode_ == WorkingMode::None ? settings_.launchpad : mode_;
    event->accept();
}

} // namespace qv
