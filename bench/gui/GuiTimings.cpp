// Timings of the desktop program on a large capture, drawn off screen:
//   quorvane_gui_timings CAPTURE
// the first rows after the file is chosen, jumps to frames (each with its repaint), and the
// longest stretch a find keeps the window without events.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Installation.h"
#include "app/MainWindow.h"
#include "capture/SummaryFinder.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "views/CaptureWindow.h"

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
    auto ms = [&clock] { return clock.nsecsElapsed() / 1e6; };
    clock.start();
    qv::CaptureWindow *capture = window.openCapture(argv[1]);
    if (!capture)
        return 1;
    capture->selectFrame(0);
    window.grab();
    std::printf("first rows shown: %.1f ms after the file was chosen\n", ms());
    const int frames = static_cast<int>(capture->document().frameCount());
    std::printf("frames: %d\n", frames);

    double worstJump = 0;
    for (int target : {frames - 1, frames / 2, 0, frames / 3, frames - 2, 12345 % frames}) {
        clock.restart();
        capture->selectFrame(target);
        window.grab();
        worstJump = std::max(worstJump, ms());
        std::printf("jump to frame %d and repaint: %.1f ms\n", target + 1, ms());
    }

    // A find that runs over the whole capture: the time of its longest slice is the longest
    // the window goes without handling events.
    qv::SummaryFinder finder(capture->document(), context.columns);
    qv::FindQuery query;
    query.text = "NO SUCH TEXT ANYWHERE";
    finder.start(query, 0);
    double worstSlice = 0, total = 0;
    int slices = 0;
    for (;;) {
        clock.restart();
        const auto state = finder.step();
        worstSlice = std::max(worstSlice, ms());
        total += ms();
        ++slices;
        if (state != qv::SummaryFinder::State::Running)
            break;
    }
    std::printf("find over the capture: %d slices, %.0f ms in all, longest slice %.1f ms\n",
                slices, total, worstSlice);
    std::printf("worst jump %.1f ms\n", worstJump);
    return 0;
}
