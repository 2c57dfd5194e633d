// Timings of the desktop program on a large capture, drawn off screen:
//   quorvane_gui_timings CAPTURE
// the first rows after the file is chosen, jumps to frames (each with its repaint), filtered
// views found in the background (how long until every row is found, and the longest stretch the
// event loop goes without turning meanwhile, the window repainted as the rows come), and for each
// long piece of work (Calls, Expert, Statistics, export, find, print) the time it takes, the
// longest stretch the event loop goes without turning while it runs, and how long it takes to
// stop once Cancel is pressed.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/Installation.h"
#include "app/MainWindow.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/SummaryFinder.h"
#include "filters/OffLineFrameFilter.h"
#include "views/CaptureWindow.h"
#include "views/FramePrinter.h"

namespace {

double msSince(const QElapsedTimer &clock) {
    return clock.nsecsElapsed() / 1e6;
}

// Watches the event loop: a timer that should fire every 5 ms notes the longest gap between two
// of its turns.
class FreezeMeter {
public:
    FreezeMeter() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, msSince(clock_));
            clock_.restart();
        });
    }
    void start() {
        longest_ = 0;
        clock_.start();
        timer_.start();
    }
    double stop() {
        // The stretch since the last turn counts too: work that ends blocking is a freeze.
        timer_.stop();
        return std::max(longest_, msSince(clock_));
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    double longest_ = 0;
};

QAction *menuAction(QMainWindow &window, const QString &text) {
    for (QAction *menu : window.menuBar()->actions())
        if (menu->menu())
            for (QAction *action : menu->menu()->actions())
                if (action->text() == text)
                    return action;
    return nullptr;
}

QProgressDialog *progressDialog() {
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// Runs work to its end, then again with Cancel pressed after cancelAfterMs.
void measure(const char *name, const std::function<void()> &work, int cancelAfterMs) {
    FreezeMeter meter;
    QElapsedTimer clock;
    meter.start();
    clock.start();
    work();
    const double whole = msSince(clock);
    const double freeze = meter.stop();

    // Cancel is pressed once the progress dialog shows, cancelAfterMs after the start at the
    // earliest.
    QElapsedTimer sinceStart, sinceCancel;
    bool pressed = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        QProgressDialog *dialog = progressDialog();
        if (pressed || !dialog || sinceStart.elapsed() < cancelAfterMs)
            return;
        pressed = true;
        sinceCancel.start();
        // As the user does it: a click on the dialog's Cancel button.
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            button->click();
    });
    sinceStart.start();
    cancel.start(5);
    work();
    const double stopped = pressed ? msSince(sinceCancel) : -1;
    // Windows the work opened are closed again.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !qobject_cast<QMainWindow *>(widget))
            widget->close();
    QApplication::processEvents();
    if (stopped >= 0)
        std::printf("%-11s %8.0f ms, longest freeze %6.1f ms, stopped %6.1f ms after Cancel\n",
                    name, whole, freeze, stopped);
    else
        std::printf("%-11s %8.0f ms, longest freeze %6.1f ms, over before its progress showed\n",
                    name, whole, freeze);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane_gui_timings CAPTURE\n");
        return 2;
    }
    qv::StderrUserMessages messages;
    qv::Installation installation = qv::Installation::fromCommandLine({});
    if (!installation.check(messages))
        return 1;
    qv::Settings settings;
    qv::ProgramContext context;
    context.columns.load(settings.file(), 0);
    context.decoding.start(installation, settings, {}, messages);
    qv::MainWindow window(installation, settings, context, messages);
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    qv::CaptureWindow *capture = window.openCapture(argv[1]);
    if (!capture)
        return 1;
    capture->selectFrame(0);
    window.grab();
    std::printf("first rows shown: %.1f ms after the file was chosen\n", msSince(clock));
    const int frames = static_cast<int>(capture->document().frameCount());
    std::printf("frames: %d\n", frames);

    double worstJump = 0;
    for (int target : {frames - 1, frames / 2, 0, frames / 3, frames - 2, 12345 % frames}) {
        clock.restart();
        capture->selectFrame(target);
        window.grab();
        worstJump = std::max(worstJump, msSince(clock));
        std::printf("jump to frame %d and repaint: %.1f ms\n", target + 1, msSince(clock));
    }
    std::printf("worst jump %.1f ms\n", worstJump);

    std::printf("\nfiltered views, their rows found in the background:\n");
    struct View {
        const char *name;
        qv::FilterCriteria criteria;
    };
    View views[3];
    views[0].name = "layer 1 events";
    views[0].criteria.layer2 = views[0].criteria.layer3 = false;
    views[1].name = "layer 2 frames";
    views[1].criteria.layer1 = views[1].criteria.layer3 = false;
    views[2].name = "SETUP messages";
    views[2].criteria.layer1 = views[2].criteria.layer2 = false;
    views[2].criteria.message = 26;
    for (const View &view : views) {
        FreezeMeter meter;
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, [&window] { window.grab(); });
        meter.start();
        repaint.start(100);
        clock.restart();
        capture->document().applyOffLineFilters(
            std::make_unique<qv::OffLineFrameFilter>(view.criteria));
        const double applied = msSince(clock);
        while (capture->scanning())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double found = msSince(clock);
        repaint.stop();
        const double freeze = meter.stop();
        clock.restart();
        capture->selectFrame(0);
        const int rows = capture->summaryModel()->rowCount();
        std::printf("%-15s %8d rows, filter applied %6.1f ms, all found %7.0f ms, "
                    "longest freeze %6.1f ms\n",
                    view.name, rows, applied, found, freeze);
    }
    capture->document().applyOffLineFilters(nullptr);

    std::printf("\nlong work in the background (Cancel pressed once its progress shows):\n");
    constexpr int kCancelAfterMs = 0;
    for (const char *text : {"&Calls...", "&Expert Information...", "&Statistics..."}) {
        QAction *action = menuAction(window, QString::fromLatin1(text));
        if (!action) {
            std::fprintf(stderr, "no menu entry %s\n", text);
            return 1;
        }
        QString name = action->text().remove(QLatin1Char('&')).remove(QLatin1String("..."));
        measure(
            name.toLatin1().constData(), [action] { action->trigger(); }, kCancelAfterMs);
    }
    const std::string pcap =
        (std::filesystem::temp_directory_path() / "quorvane-gui-timings.pcap").string();
    measure(
        "Export pcap", [&] { window.exportActive(pcap); }, kCancelAfterMs);
    std::filesystem::remove(pcap);
    qv::FindQuery query;
    query.text = "NO SUCH TEXT ANYWHERE";
    measure(
        "Find", [&] { capture->runFind(query, messages); }, kCancelAfterMs);
    const std::string text =
        (std::filesystem::temp_directory_path() / "quorvane-gui-timings.txt").string();
    qv::PrintRequest print;
    print.choice = qv::PrintChoice::All;
    print.kind = qv::PrintKind::Summary;
    print.output = qv::PrintOutput::Text;
    print.path = QString::fromStdString(text);
    measure(
        "Print", [&] { capture->print(print, messages); }, kCancelAfterMs);
    std::filesystem::remove(text);
    return 0;
}
