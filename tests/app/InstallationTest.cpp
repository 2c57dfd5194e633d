#include "app/Installation.h"

#include "base/UserMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class InstallationTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    fs::path home_ = dir_.path();
};

TEST_F(InstallationTest, MissingNotationFolderIsReported) {
    RecordingUserMessages messages;
    Installation installation(home_.string());
    EXPECT_FALSE(installation.check(messages));
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, "Wrong working directory!");
    EXPECT_EQ(messages.entries()[0].icon, MessageIcon::Error);

    messages.clear();
    fs::create_directory(home_ / "ISDNNOT");
    EXPECT_TRUE(installation.check(messages));
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(InstallationTest, NotationFolderMustBeAFolder) {
    RecordingUserMessages messages;
    fs::create_directory(home_ / "isdnnot"); // another spelling is another folder on Linux
    std::FILE *f = std::fopen((home_ / "ISDNNOT").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_FALSE(Installation(home_.string()).check(messages));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Wrong working directory!"}));
}

TEST_F(InstallationTest, PathsBelowTheHome) {
    Installation installation(home_.string() + "/");
    EXPECT_EQ(installation.home(), home_.string());
    EXPECT_EQ(installation.settingsPath(), home_.string() + "/QUORVANE.INI");
    EXPECT_EQ(Installation("/").settingsPath(), "/QUORVANE.INI");
}

TEST_F(InstallationTest, HomeComesFromArgumentThenEnvironmentThenExecutable) {
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    } cases[] = {
        {{"--home", "/opt/a"}, "/opt/a"},
        {{"capture.lvt", "--home=/opt/b"}, "/opt/b"},
        {{"--screenshot", "x.png", "--home", "/opt/c", "file"}, "/opt/c"},
        {{"--home"}, ""},
        {{}, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Installation::homeArgument(c.args), c.expected);

    const char *saved = std::getenv("QUORVANE_HOME");
    std::string savedValue = saved ? saved : "";
    ::setenv("QUORVANE_HOME", "/env/home", 1);
    EXPECT_EQ(Installation::fromCommandLine({"--home", "/arg/home"}).home(), "/arg/home");
    EXPECT_EQ(Installation::fromCommandLine({"file.lvt"}).home(), "/env/home");
    ::unsetenv("QUORVANE_HOME");
    EXPECT_EQ(Installation::fromCommandLine({}).home(), Installation::executableFolder());
    EXPECT_TRUE(fs::is_directory(Installation::executableFolder()));
    if (saved)
        ::setenv("QUORVANE_HOME", savedValue.c_str(), 1);
}

TEST_F(InstallationTest, WorkingFolderFallsBackFromLastPathToCaptureToHome) {
    Installation installation(home_.string());
    fs::path last = home_ / "last";
    fs::create_directory(last);

    EXPECT_EQ(installation.chooseWorkingFolder(""), home_.string());
    EXPECT_EQ(installation.chooseWorkingFolder((home_ / "gone").string()), home_.string());
    EXPECT_FALSE(fs::exists(home_ / "CAPTURE")); // not created on the way
    fs::create_directory(home_ / "CAPTURE");
    EXPECT_EQ(installation.chooseWorkingFolder((home_ / "gone").string()),
              home_.string() + "/CAPTURE");
    EXPECT_EQ(installation.chooseWorkingFolder(last.string()), last.string());
}

} // namespace
} // namespace qv
