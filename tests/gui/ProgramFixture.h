#pragma once
// The desktop program as the window tests drive it: a main window over a settings file of the
// test's own, and the helpers the tests read its tables and menus with.
#include <functional>
#include <memory>
#include <string>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "ModelTexts.h"
#include "app/MainWindow.h"
#include "base/IniFile.h"
#include "base/UserMessages.h"
#include "support/TempDir.h"
#include "views/CaptureWindow.h"

namespace qv::test {

// The cell of the column with this title, as the table shows it.
inline QString cell(const QAbstractItemModel *model, int row, const QString &title) {
    const int column = static_cast<int>(headerTitles(*model).indexOf(title));
    if (column < 0)
        return QStringLiteral("(no column)");
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

inline QColor colourAt(const QAbstractItemModel *model, int row, int role, int column = 0) {
    return model->data(model->index(row, column), role).value<QColor>();
}

inline std::string sample(const std::string &name) {
    return std::string(QUORVANE_SOURCE_DIR) + "/data/samples/" + name;
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() : ProgramTest(Installation::fromCommandLine({})) {}
    explicit ProgramTest(Installation home) : installation(std::move(home)) {
        settings.open(dir.file("QUORVANE.INI"));
        context.columns.load(settings.file(), 0);
        context.colours.load(settings.file());
        context.decoding.start(installation, settings, {}, messages);
        window = std::make_unique<MainWindow>(installation, settings, context, messages);
        window->enterMode(WorkingMode::Examine);
    }
    ~ProgramTest() override { window.reset(); }

    CaptureWindow *openSample(const std::string &name) { return window->openCapture(sample(name)); }
    // Runs the event loop until the scans of filtered summaries have ended, as a user waiting
    // for the count would.
    void finishScans() {
        const auto busy = [this] {
            for (const CaptureWindow *capture : window->findChildren<CaptureWindow *>())
                if (capture->scanning())
                    return true;
            return false;
        };
        QElapsedTimer clock;
        clock.start();
        while (busy() && clock.elapsed() < 120000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(2);
        }
        EXPECT_FALSE(busy()) << "a scan of filtered rows never ended";
    }
    // The settings file as the next start reads it.
    IniFile onDisk() const {
        IniFile file;
        file.load(dir.file("QUORVANE.INI"));
        return file;
    }
    QAction *action(const QString &text) {
        for (QAction *a : window->findChildren<QAction *>())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << "no action " << text.toStdString();
        return nullptr;
    }
    // Runs the menu command and drives the modal dialog it shows.
    template <typename Dialog>
    void runDialog(const QString &command, std::function<void(Dialog *)> drive) {
        QTimer::singleShot(0, [drive] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<Dialog *>(modal))
                drive(dialog);
            else if (modal)
                modal->close();
            else
                ADD_FAILURE() << "no dialog shown";
        });
        QAction *a = action(command);
        ASSERT_TRUE(a && a->isEnabled()) << command.toStdString();
        a->trigger();
    }

    TempDir dir;
    Installation installation;
    Settings settings;
    ProgramContext context;
    RecordingUserMessages messages;
    std::unique_ptr<MainWindow> window;
};

} // namespace qv::test
