// View Results: a tester's result file opens as its report in a read-only text window, which
// is saved as text; a capture is refused in that mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <QPlainTextEdit>

#include "Screenshots.h"
#include "app/MainWindow.h"
#include "base/UserMessages.h"
#include "results/TestResultFile.h"
#include "synth/ResultsScenario.h"
#include "views/ResultWindow.h"

namespace qv {
namespace {

class ResultWindowTest : public ::testing::Test {
protected:
    ResultWindowTest()
        : installation(Installation::fromCommandLine({})),
          window(installation, settings, context, messages),
          dir(std::filesystem::temp_directory_path() /
              ("qv-results-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir);
        context.columns.load(settings.file(), 0);
        context.decoding.start(installation, settings, {}, messages);
    }
    ~ResultWindowTest() override { std::filesystem::remove_all(dir); }
    std::string berFile() {
        const std::string path = (dir / "E0001.lvt").string();
        std::string error;
        EXPECT_TRUE(synth::writeResultFile(
            path, synth::resultScenario(kResultBerTest, synth::ResultInstrumentKind::Lvt30), error))
            << error;
        return path;
    }

    Installation installation;
    Settings settings;
    ProgramContext context;
    RecordingUserMessages messages;
    MainWindow window;
    std::filesystem::path dir;
};

TEST_F(ResultWindowTest, AResultFileShowsItsReport) {
    window.enterMode(WorkingMode::ViewResults);
    const std::string path = berFile();
    ASSERT_EQ(window.openPath(path, OpenSource::Dialog), nullptr);
    ResultWindow *result = window.activeResult();
    ASSERT_NE(result, nullptr) << (messages.texts().empty() ? "" : messages.texts().back());
    const QString text = result->findChild<QPlainTextEdit *>()->toPlainText();
    EXPECT_TRUE(text.contains("              ISDN BER G821 Test result"));
    EXPECT_TRUE(text.contains("Test configuration\n------------------"));
    EXPECT_TRUE(text.contains("     Alarm Count\n     -----------"));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    EXPECT_TRUE(result->findChild<QPlainTextEdit *>()->isReadOnly());
    test::saveScreenshot(result, "result-report");

    // Saved as text: the report exactly as the command line prints it, CR LF and all.
    RecordingUserMessages quiet;
    TestResultFile file(path, false, quiet);
    file.Identify();
    file.Read();
    const std::string saved = (dir / "report.txt").string();
    ASSERT_TRUE(result->saveText(saved, messages));
    std::ifstream in(saved, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), file.Report());
    EXPECT_FALSE(result->saveText((dir / "no-such-folder" / "r.txt").string(), messages));
    EXPECT_EQ(messages.texts().back(), "The report cannot be written to this file!");
    EXPECT_EQ(window.recentMenuTexts().size(), 1);
}

} // namespace
} // namespace qv
