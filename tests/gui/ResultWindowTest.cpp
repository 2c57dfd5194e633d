// View Results: a tester's result file opens as its report in a read-only text window, which
// is saved as text; a capture is refused in that mode.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QPlainTextEdit>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "results/TestResultFile.h"
#include "synth/ResultsScenario.h"
#include "views/ResultWindow.h"

namespace qv {
namespace {

class ResultWindowTest : public test::ProgramTest {
protected:
    std::string berFile() {
        const std::string path = dir.file("E0001.lvt");
        std::string error;
        EXPECT_TRUE(synth::writeResultFile(
            path, synth::resultScenario(kResultBerTest, synth::ResultInstrumentKind::Lvt30), error))
            << error;
        return path;
    }
};

TEST_F(ResultWindowTest, AResultFileShowsItsReport) {
    window->enterMode(WorkingMode::ViewResults);
    const std::string path = berFile();
    ASSERT_EQ(window->openPath(path, OpenSource::Dialog), nullptr);
    ResultWindow *result = window->activeResult();
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
    ASSERT_TRUE(result->saveText(dir.file("report.txt"), messages));
    EXPECT_EQ(dir.read("report.txt"), file.Report());
    EXPECT_FALSE(result->saveText(dir.file("no-such-folder/r.txt"), messages));
    EXPECT_EQ(messages.texts().back(), "The report cannot be written to this file!");
    EXPECT_EQ(window->recentMenuTexts().size(), 1);
}

} // namespace
} // namespace qv
