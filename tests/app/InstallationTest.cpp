#include "app/Installation.h"

#include "base/UserMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

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

// An environment variable set for the test's time.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const std::string &value) : name_(name) {
        if (const char *old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> old_;
};

TEST_F(InstallationTest, AnInstalledProgramKeepsTheUsersFilesInTheirOwnFolders) {
    const fs::path shared = home_ / "usr/share/quorvane";
    fs::create_directories(home_ / "usr/bin");
    fs::create_directories(shared / "ISDNNOT");
    fs::create_directories(shared / "Filter");
    dir_.write("usr/share/quorvane/QUORVANE.INI", "[Language]\nLanguage=1\n");
    dir_.write("usr/share/quorvane/Filter/LVTO_Calls.flt", "shipped");
    ScopedVariable config("XDG_CONFIG_HOME", (home_ / "config").string());
    ScopedVariable data("XDG_DATA_HOME", (home_ / "data").string());

    const Installation installed = Installation::ofProgramIn((home_ / "usr/bin").string());
    EXPECT_TRUE(installed.installedLayout());
    EXPECT_EQ(installed.notationRoot(), shared.string() + "/ISDNNOT");
    EXPECT_EQ(installed.settingsPath(), (home_ / "config/quorvane/QUORVANE.INI").string());
    EXPECT_EQ(installed.filterFolder(), (home_ / "data/quorvane/Filter").string());
    EXPECT_EQ(installed.captureFolder(), (home_ / "data/quorvane/CAPTURE").string());
    EXPECT_TRUE(fs::is_directory(installed.captureFolder())) << "made at the first start";
    EXPECT_EQ(dir_.read("config/quorvane/QUORVANE.INI"), "[Language]\nLanguage=1\n");
    EXPECT_EQ(dir_.read("data/quorvane/Filter/LVTO_Calls.flt"), "shipped");

    // What the user changed or deleted stays so at the next start.
    dir_.write("config/quorvane/QUORVANE.INI", "[Language]\nLanguage=2\n");
    fs::remove(home_ / "data/quorvane/Filter/LVTO_Calls.flt");
    Installation::ofProgramIn((home_ / "usr/bin").string());
    EXPECT_EQ(dir_.read("config/quorvane/QUORVANE.INI"), "[Language]\nLanguage=2\n");
    EXPECT_FALSE(fs::exists(home_ / "data/quorvane/Filter/LVTO_Calls.flt"));

    // Without the XDG variables, below the user's home.
    ::unsetenv("XDG_CONFIG_HOME");
    ScopedVariable user("HOME", (home_ / "user").string());
    EXPECT_EQ(Installation::ofProgramIn((home_ / "usr/bin").string()).settingsPath(),
              (home_ / "user/.config/quorvane/QUORVANE.INI").string());

    // A program beside its notation files, as in the build tree, keeps one folder.
    fs::create_directories(home_ / "tree/ISDNNOT");
    const Installation tree = Installation::ofProgramIn((home_ / "tree").string());
    EXPECT_FALSE(tree.installedLayout());
    EXPECT_EQ(tree.settingsPath(), (home_ / "tree/QUORVANE.INI").string());
    EXPECT_EQ(tree.filterFolder(), (home_ / "tree/Filter").string());
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
