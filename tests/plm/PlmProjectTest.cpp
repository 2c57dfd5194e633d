// The tester's reply read into a project, and projects saved as pNN.plm files with the
// overwrite answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "capture/CaptureTestSupport.h"
#include "plm/PlmProject.h"
#include "synth/PlmScenario.h"

namespace qv {
namespace {

constexpr const char *kLine1 =
    "1,A01,80,76,20,250,3,3,2,12,35,36,4095,45,123,100,254,,,ok,,67,2,1,1,1-2,150";
constexpr const char *kLine2 =
    "2,A02,255,255,255,255,0,0,7,12,4095,36,4095,45,4095,255,255,?,,,,67,0,0,0,?,150";

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(PlmReply, TheHeadTellsWhetherTheProjectIsThere) {
    EXPECT_EQ(plmReplyKind(""), PlmReplyKind::Incorrect);
    EXPECT_EQ(plmReplyKind("version 2.1\r\n"), PlmReplyKind::Incorrect);
    // "csv" beyond the first 20 characters is not looked at.
    EXPECT_EQ(plmReplyKind(std::string(20, '.') + "csv\r\n"), PlmReplyKind::Incorrect);
    EXPECT_EQ(plmReplyKind("csv\r\n1,A01"), PlmReplyKind::NoProject); // the marker at the start
    EXPECT_EQ(plmReplyKind("\r\ncsv no project\r\n"), PlmReplyKind::NoProject);
    EXPECT_EQ(plmReplyKind("\r\ncsv\r\n"), PlmReplyKind::Project);
    EXPECT_EQ(plmReplyKind(std::string(15, ' ') + "csv\r\n"), PlmReplyKind::Project);
    EXPECT_EQ(plmReplyKind(std::string(16, ' ') + "csv\r\n"), PlmReplyKind::NoProject);
}

TEST(PlmReply, LinesAfterTheMarkerUntilTheFirstThatIsCutShort) {
    struct Case {
        std::string reply;
        std::size_t lines;
    };
    const std::string head = "\r\ncsv\r\n";
    const Case cases[] = {
        {head, 0},
        {head + kLine1 + "\r\n" + kLine2 + "\r\n", 2},
        {head + kLine1 + "\r\n" + kLine2 + "\r\n> ", 2}, // the prompt has no CR LF
        {head + kLine1 + "\r\n" + kLine2, 1},            // the last line never ended
        {head + kLine1 + "\r\nEnd of project\r\n" + kLine2 + "\r\n", 1}, // no comma: stop
        {head + kLine1 + "\r\n\r\n" + kLine2 + "\r\n", 1},               // an empty line stops too
        {"echo\r\n" + head + kLine1 + "\r\n", 1}, // the marker after some text
    };
    for (const Case &c : cases) {
        PlmProject project;
        ASSERT_TRUE(parsePlmReply(c.reply, project)) << c.reply;
        EXPECT_EQ(project.lines.size(), c.lines) << c.reply;
    }
    PlmProject none;
    EXPECT_FALSE(parsePlmReply("csv but no marker line", none));
}

TEST(PlmReply, AScenarioReplyReadsBackAsTheProjectSavedWithItsNumber) {
    const PlmProject sent = synth::plmScenario(7, 300, 5);
    PlmProject received;
    received.number = 7;
    const std::string reply = synth::plmReply(sent);
    ASSERT_EQ(plmReplyKind(reply), PlmReplyKind::Project);
    ASSERT_TRUE(parsePlmReply(reply, received));
    ASSERT_EQ(received.lines.size(), 300u);
    EXPECT_EQ(received.lines, sent.lines);
    // Field 1 of every saved line is the project number, whatever the tester sent there.
    const std::string file = plmFileText(received);
    EXPECT_EQ(file.substr(0, 3), "07,");
    EXPECT_EQ(file.find("\r\n300,"), std::string::npos);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 300);
}

class SaveProjects : public ::testing::Test {
protected:
    SaveProjects() {
        for (int n : {1, 2, 3}) {
            PlmProject p;
            p.number = n;
            PlmRawLine line;
            parsePlmRawLine(kLine1, line);
            p.lines.push_back(line);
            projects.push_back(p);
        }
    }
    std::string path(int n) const { return dir.file(plmFileName(n)); }
    void existing(int n) const { std::ofstream(path(n), std::ios::binary) << "old"; }

    test::TempDir dir;
    std::vector<PlmProject> projects;
    RecordingUserMessages messages;
};

TEST_F(SaveProjects, NewFilesAreWrittenInTheLineFormat) {
    ASSERT_TRUE(saveProjects(projects, dir.file(""), messages));
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(plmFileName(3), "p03.plm");
    EXPECT_EQ(slurp(path(3)),
              "03,A01,80,76,20,250,3,3,2,12,35,36,4095,45,123,100,254,,,ok,,67,2,1,1,1-2,150\r\n");
    EXPECT_FALSE(std::filesystem::exists(path(3) + ".part"));
}

TEST_F(SaveProjects, EachAnswerToAnExistingFile) {
    struct Case {
        std::vector<MessageAnswer> answers;
        bool result;
        std::vector<bool> replaced; // projects 1, 2, 3
        std::size_t questions;
    };
    using A = MessageAnswer;
    const Case cases[] = {
        {{A::Yes, A::Yes, A::Yes}, true, {true, true, true}, 3},
        {{A::No, A::Yes, A::No}, true, {false, true, false}, 3},
        {{A::YesToAll}, true, {true, true, true}, 1},
        {{A::No, A::YesToAll}, true, {false, true, true}, 2},
        {{A::Yes, A::Cancel}, false, {true, false, false}, 2},
        {{A::Cancel}, false, {false, false, false}, 1},
    };
    for (const Case &c : cases) {
        for (int n : {1, 2, 3})
            existing(n);
        messages.clear();
        for (A a : c.answers)
            messages.queueAnswer(a);
        EXPECT_EQ(saveProjects(projects, dir.file(""), messages), c.result);
        ASSERT_EQ(messages.entries().size(), c.questions);
        EXPECT_EQ(messages.entries()[0].text,
                  "The file p01.plm already exists in this destination directory.\n"
                  "Do you want to overwrite it?");
        EXPECT_EQ(messages.entries()[0].caption, "Existing file");
        for (int n : {1, 2, 3})
            EXPECT_EQ(slurp(path(n)) != "old", c.replaced[static_cast<std::size_t>(n - 1)])
                << "project " << n;
    }
}

TEST_F(SaveProjects, AFolderThatCannotTakeTheFileIsReported) {
    EXPECT_FALSE(saveProjects(projects, dir.file("no-such-folder"), messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File could not be saved"});
}

} // namespace
} // namespace qv
