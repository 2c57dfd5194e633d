// The desktop program: checks the installation, reads QUORVANE.INI, shows the main window and
// writes the settings back at exit.
#include "app/FileType.h"
#include "app/Installation.h"
#include "app/InterfaceTranslation.h"
#include "app/MainWindow.h"
#include "app/QtUserMessages.h"
#include "app/Settings.h"
#include "views/CaptureWindow.h"

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct CommandLine {
    std::vector<std::string> args;
    std::string screenshot;
    std::string capture;
};

CommandLine parseCommandLine(const QStringList &arguments) {
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        line.args.push_back(arguments[i].toStdString());
    for (std::size_t i = 0; i < line.args.size(); ++i) {
        const std::string &arg = line.args[i];
        if ((arg == "--home" || arg == "--screenshot") && i + 1 < line.args.size()) {
            if (arg == "--screenshot")
                line.screenshot = line.args[i + 1];
            ++i;
        } else if (arg.rfind("--screenshot=", 0) == 0) {
            line.screenshot = arg.substr(13);
        } else if (arg.rfind("--", 0) != 0 && line.capture.empty()) {
            line.capture = arg;
        }
    }
    return line;
}

// --help and --version are answered before any window or display is needed.
bool answeredWithoutWindow(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs("usage: quorvane [--home DIR] [FILE]\n"
                       "The ISDN protocol analyser: opens FILE (a capture .lvt or .mon, a DRU-70 "
                       "recording .dru,\na PLM-45 project .plm or a test result file) in its own "
                       "window.\n"
                       "  --home DIR    one folder for settings, notation files, filters and "
                       "captures\n"
                       "                (default: QUORVANE_HOME, then the installed program's "
                       "folders)\n"
                       "  --screenshot PNG\n"
                       "                save a picture of the window once shown, and exit\n"
                       "  --help, --version\n"
                       "See also quorvane-cli --help for the same files without a window.\n",
                       stdout);
            return true;
        }
        if (arg == "--version") {
            std::printf("quorvane %s\n", QUORVANE_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    if (answeredWithoutWindow(argc, argv))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    CommandLine commandLine = parseCommandLine(QApplication::arguments());

    qv::QtUserMessages messages;
    qv::Installation installation = qv::Installation::fromCommandLine(commandLine.args);
    // A scripted screenshot run has nobody to click a message box away.
    qv::StderrUserMessages scriptedMessages;
    qv::UserMessages &startupMessages = commandLine.screenshot.empty()
                                            ? static_cast<qv::UserMessages &>(messages)
                                            : scriptedMessages;
    if (!installation.check(startupMessages))
        return 1;

    qv::Settings settings;
    settings.open(installation.settingsPath());
    // A translation that is missing or unreadable leaves the interface in English.
    qv::InterfaceTranslation translation;
    translation.install(installation, settings.appLanguage);
    settings.lastPath = installation.chooseWorkingFolder(settings.lastPath);

    qv::ProgramContext context;
    context.columns.load(settings.file(), settings.language);
    context.columns.setV5Titles(settings.v5Decoding);
    context.colours.load(settings.file());
    using StartProblem = qv::DecoderContext::StartProblem;
    context.decoding.start(installation, settings, {}, startupMessages);
    if (context.decoding.startProblem() == StartProblem::UnknownVariant) {
        // A variant name the program does not know: say so and decode with the default one.
        startupMessages.error(qv::kMsgUnknownProtocol);
        const qv::Settings defaults;
        settings.protocol = defaults.protocol;
        settings.variant = defaults.variant;
        context.decoding.start(installation, settings, {}, startupMessages);
    }
    if (const StartProblem problem = context.decoding.startProblem();
        problem != StartProblem::None) {
        startupMessages.error(qv::DecoderContext::startProblemMessage(problem));
        return 1;
    }

    qv::MainWindow window(installation, settings, context, startupMessages);
    messages.setParent(&window);
    window.showMaximized();

    qv::WorkingMode mode = settings.launchpad;
    if (!commandLine.capture.empty()) {
        std::error_code ec;
        if (!std::filesystem::exists(commandLine.capture, ec)) {
            startupMessages.error(qv::kMsgUnableToFindFile);
        } else {
            const qv::OpenDecision decision =
                qv::decideOpen(qv::scanFileType(commandLine.capture), qv::OpenSource::CommandLine);
            if (!decision.refusal.empty()) {
                startupMessages.error(decision.refusal);
            } else {
                // The file takes its own window (a capture, a DRU-70 file, a result or a
                // project) and, once open, its own mode.
                qv::CaptureWindow *capture =
                    window.openPath(commandLine.capture, qv::OpenSource::CommandLine);
                if (capture)
                    capture->selectFrame(0);
                if (capture || window.activeDru70() || window.activeResult() || window.activePlm())
                    mode = decision.mode;
            }
        }
    }
    window.enterMode(mode);

    if (!commandLine.screenshot.empty()) {
        QTimer::singleShot(200, &window, [&window, &commandLine] {
            bool saved = window.grab().save(QString::fromStdString(commandLine.screenshot));
            window.close();
            QApplication::exit(saved ? 0 : 2);
        });
    }
    int result = QApplication::exec();
    settings.writeAtExit();
    return result;
}
