#include "app/Settings.h"

#include <gtest/gtest.h>

#include "support/Pinned.h"
#include "support/TempDir.h"

namespace qv {
namespace {

Settings loaded(const std::string &text) {
    IniFile ini;
    ini.parse(text);
    Settings settings;
    settings.load(ini);
    return settings;
}

// The keys a program writes back, as "Section/Key=value", that differ from a new program's.
std::string changedKeys(const Settings &settings) {
    IniFile written, defaults;
    settings.saveOnClose(written);
    settings.saveOnExit(written);
    Settings().saveOnClose(defaults);
    Settings().saveOnExit(defaults);
    std::string out;
    for (const std::string &section : written.sections())
        for (const std::string &key : written.keys(section)) {
            const std::string value = written.readString(section, key);
            if (value != defaults.readString(section, key))
                out += (out.empty() ? "" : "; ") + section + "/" + key + "=" + value;
        }
    return out.empty() ? "(as a new program)" : out;
}

// Each row: a settings file -> what the program makes of it (numbers outside their range fall
// back, V5 decoding stays on only for the LVT-60).
TEST(SettingsTest, KeysOutsideTheirRangeAsPinned) {
    test::expectTable("app/settings-ranges.txt", [](const std::string &text) {
        return changedKeys(loaded(test::unescaped(text)));
    });
    // The interface language is written when it is chosen; one outside the menu is English.
    EXPECT_EQ(loaded("[Configuration]\nAppLanguage=2").appLanguage, 2);
    EXPECT_EQ(loaded("[Configuration]\nAppLanguage=7").appLanguage, 0);
}

TEST(SettingsTest, TextKeysAreCutToTheirLength) {
    std::string longText(300, 'x');
    Settings s = loaded("[Configuration]\nLast Path=" + longText + "\n[Protocol Info]\nProtocol=" +
                        longText + "\nVariant=" + longText + "\n[Police]\nFontName=" + longText +
                        "\n[Registration]\nname=" + longText + "\ncompany=" + longText + "\n");
    EXPECT_EQ(s.lastPath.size(), 255u);
    EXPECT_EQ(s.protocol.size(), 169u);
    EXPECT_EQ(s.variant.size(), 169u);
    EXPECT_EQ(s.fontName.size(), 31u);
    EXPECT_EQ(s.registrationName.size(), 48u);
    EXPECT_EQ(s.registrationCompany.size(), 48u);
}

// What each product sets is seen through Product Selection in the desktop program's tests.
TEST(SettingsTest, AProductOutsideTheTableIsRefused) {
    Settings s;
    EXPECT_FALSE(s.selectProduct(7));
    EXPECT_FALSE(s.selectProduct(-1));
    EXPECT_EQ(s.product, 2);
}

TEST(SettingsTest, RecentFileListMovesToFrontAndKeepsFour) {
    RecentFileList list;
    for (const char *f : {"/a", "/b", "/c", "/d", "/e"})
        list.add(f);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/e", "/d", "/c", "/b"}));
    list.add("/c");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.add("/C"); // another file on a case-sensitive file system
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/C", "/c", "/e", "/d"}));
    list.add("");
    EXPECT_EQ(list.entries().size(), 4u);
    EXPECT_EQ(RecentFileList::displayName("/short/M1.lvt"), "/short/M1.lvt");
    EXPECT_EQ(RecentFileList::displayName("/a/very/long/folder/name/captures/M0001.lvt"),
              "...der/name/captures/M0001.lvt");
    EXPECT_EQ(RecentFileList::displayName(std::string(40, 'p')).size(), 30u);
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::string bytes() const { return folder_.read("QUORVANE.INI"); }

    test::TempDir folder_;
    std::string path_ = folder_.file("QUORVANE.INI");
};

TEST_F(SettingsFileTest, FourRecentFilesSurviveSaveAndRestartInOrder) {
    {
        Settings s;
        s.open(path_);
        for (const char *f : {"/cap/M4.lvt", "/cap/M3.lvt", "/cap/M2.lvt", "/cap/M1.lvt"})
            s.recentFiles.add(f);
        ASSERT_TRUE(s.writeAtExit());
    }
    const std::vector<std::string> expected = {"/cap/M1.lvt", "/cap/M2.lvt", "/cap/M3.lvt",
                                               "/cap/M4.lvt"};
    for (int restart = 0; restart < 2; ++restart) {
        Settings s;
        s.open(path_);
        EXPECT_EQ(s.recentFiles.entries(), expected) << "restart " << restart;
        ASSERT_TRUE(s.writeAtExit());
    }
    EXPECT_NE(bytes().find("[Recent File List]\nFile1=/cap/M1.lvt\nFile2=/cap/M2.lvt\n"
                           "File3=/cap/M3.lvt\nFile4=/cap/M4.lvt\n"),
              std::string::npos);
}

TEST_F(SettingsFileTest, ClosingWritesItsKeysAndExitWritesTheRest) {
    Settings s;
    s.open(path_);
    s.launchpad = WorkingMode::ViewResults;
    s.selectProduct(kProductPlm45);
    s.statusBar = false;
    s.lastPath = "/home/User/Captures";
    s.fontStyle = 2;

    IniFile closeOnly;
    s.saveOnClose(closeOnly);
    EXPECT_EQ(closeOnly.serialize(), "[Configuration]\nLaunchpad=3\nProduct=4\nExamineFilter=0\n"
                                     "ViewFilter=1\nStatus=0\nTool=1\n");

    IniFile exitOnly;
    s.saveOnExit(exitOnly);
    EXPECT_EQ(exitOnly.serialize(), "[Configuration]\nLast Path=/home/User/Captures\nHexa=1\n"
                                    "[Protocol Info]\nProtocol=EDSS-1\nVariant=EDSS\n"
                                    "V5 Decoding=No\n[Language]\nLanguage=0\n"
                                    "[Police]\nFontName=Courier New\nFontSize=9\nFontStyle=2\n");
}

TEST_F(SettingsFileTest, HandEditedFileKeepsItsOwnLines) {
    folder_.write("QUORVANE.INI",
                  "; tuned by hand\r\n[Configuration]\r\nProduct=3\r\nMine=1\r\n\r\n"
                  "[Colors]\r\nUsedColors=2\r\n[Protocol Info]\r\nV5 Decoding=Yes\r\n");
    Settings s;
    s.open(path_);
    EXPECT_TRUE(s.v5Decoding);
    s.file().writeInt("Serial Ports", "Baud", 9600); // another subsystem's section
    ASSERT_TRUE(s.writeAtExit());
    EXPECT_EQ(bytes(), "; tuned by hand\r\n[Configuration]\r\nProduct=3\r\nMine=1\r\n"
                       "Launchpad=2\r\nExamineFilter=0\r\nViewFilter=0\r\nStatus=1\r\nTool=1\r\n"
                       "Last Path=\r\nHexa=1\r\n\r\n"
                       "[Colors]\r\nUsedColors=2\r\n[Protocol Info]\r\nV5 Decoding=Yes\r\n"
                       "Protocol=EDSS-1\r\nVariant=EDSS\r\n"
                       "[Serial Ports]\r\nBaud=9600\r\n"
                       "[Language]\r\nLanguage=0\r\n"
                       "[Police]\r\nFontName=Courier New\r\nFontSize=9\r\nFontStyle=0\r\n");
}

TEST_F(SettingsFileTest, CorruptFileReadsAsDefaults) {
    folder_.write("QUORVANE.INI",
                  std::string("\0\xff[Configuration\n=\n[Police]\nFontSize=\x80\nFontStyle\n", 48));
    Settings s;
    s.open(path_);
    EXPECT_EQ(s.fontSize, 6);
    EXPECT_EQ(s.fontStyle, 0);
    EXPECT_EQ(s.product, 2);
    EXPECT_TRUE(s.writeAtExit());
}

} // namespace
} // namespace qv
