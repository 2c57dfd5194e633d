#include "base/IniFile.h"

#include <gtest/gtest.h>

#include "support/Pinned.h"

#include <filesystem>

#include "support/TempDir.h"

namespace qv {
namespace {

using test::TempDir;

// The values of base/ini-integers.txt read as integers, 55 being the default.
TEST(IniFileTest, IntegerParsing) {
    test::expectTable("base/ini-integers.txt", [](const std::string &input) {
        IniFile ini;
        ini.parse("[S]\n" + input.substr(1, input.size() - 2) + "\n");
        return std::to_string(ini.readInt("S", "Key", 55));
    });
    IniFile ini;
    ini.parse("[S]\nOther=1\n");
    EXPECT_EQ(ini.readInt("S", "Key", 55), 55);
    EXPECT_EQ(ini.readInt("Missing", "Key", -4), -4);
}

TEST(IniFileTest, SectionsAndKeysMatchWithoutCase) {
    IniFile ini;
    ini.parse("[Configuration]\nLast Path = /home/u/caps  \n[POLICE]\nfontname=Mono\n");
    EXPECT_EQ(ini.readString("configuration", "LAST PATH", "x"), "/home/u/caps");
    EXPECT_EQ(ini.readString("Police", "FontName", "x"), "Mono");
    EXPECT_EQ(ini.readString("Police", "FontSize", "dflt"), "dflt");
    EXPECT_TRUE(ini.hasSection("police"));
    EXPECT_FALSE(ini.hasSection("Colors"));

    ini.writeString("CONFIGURATION", "last path", "/tmp");
    EXPECT_EQ(ini.serialize(), "[Configuration]\nLast Path = /tmp\n[POLICE]\nfontname=Mono\n");
}

TEST(IniFileTest, SectionsAndKeysInFileOrderWithoutCommentsOrOddLines) {
    IniFile ini;
    ini.parse("; header\n[B]\nz=1\na=2\n;Key=1\n#Key=2\nno equals sign\n=orphan\nm=3\n"
              "[broken\nName=abcdefgh\n[A]\n[b]\nlate=4\n");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(ini.keys("b"), (std::vector<std::string>{"z", "a", "m", "Name"}));
    EXPECT_TRUE(ini.keys("A").empty());
    EXPECT_EQ(ini.readString("B", "Name", "", 3), "abc") << "cut to the length asked";
    EXPECT_EQ(ini.readString("B", "Missing", "defaultlong", 4), "defa");
    ini.parse("[S]\na=b=c\n");
    EXPECT_EQ(ini.readString("S", "a"), "b=c");
}

TEST(IniFileTest, WritesNewKeysAndSectionsInPlace) {
    struct Case {
        const char *name;
        const char *before;
        const char *section;
        const char *key;
        const char *value;
        const char *after;
    } cases[] = {
        {"update keeps spelling and position", "[S]\nKeY=1\nB=2\n", "s", "key", "9",
         "[S]\nKeY=9\nB=2\n"},
        {"new key before trailing blank lines", "[S]\nA=1\n\n\n[T]\nX=1\n", "S", "B", "2",
         "[S]\nA=1\nB=2\n\n\n[T]\nX=1\n"},
        {"new section at end", "[S]\nA=1\n", "New", "K", "v", "[S]\nA=1\n[New]\nK=v\n"},
        {"empty file", "", "S", "K", "v", "[S]\nK=v\n"},
        {"crlf kept", "[S]\r\nA=1\r\n", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
        {"no final line break", "[S]\nA=1", "S", "A", "3", "[S]\nA=3"},
        {"value cut at line break", "[S]\n", "S", "K", "one\ntwo", "[S]\nK=one\n"},
        {"hand-edited lines stay as they are",
         "; by hand\r\n[Configuration]\r\n  Status = 0   \r\nMine=1\r\n\r\n# "
         "note\r\n[U]\r\nodd\r\n",
         "configuration", "status", "1",
         "; by hand\r\n[Configuration]\r\n  Status = 1\r\nMine=1\r\n\r\n# note\r\n[U]\r\nodd\r\n"},
    };
    for (const Case &c : cases) {
        IniFile ini;
        ini.parse(c.before);
        ini.writeString(c.section, c.key, c.value);
        EXPECT_EQ(ini.serialize(), c.after) << c.name;
    }
}

TEST(IniFileTest, WriteIntAndRemoveKey) {
    IniFile ini;
    ini.parse("[S]\nA=1\nB=2\n");
    ini.writeInt("S", "A", -17);
    EXPECT_TRUE(ini.removeKey("s", "b"));
    EXPECT_FALSE(ini.removeKey("S", "B"));
    EXPECT_EQ(ini.serialize(), "[S]\nA=-17\n");
}

TEST(IniFileTest, MissingFileIsEmptyAndSaveCreatesItWithoutLeftovers) {
    TempDir folder;
    IniFile ini;
    EXPECT_FALSE(ini.load(folder.file("NEW.INI")));
    EXPECT_TRUE(ini.sections().empty());
    ini.writeString("Recent File List", "File1", "/data/M001.LVT");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(folder.read("NEW.INI"), "[Recent File List]\nFile1=/data/M001.LVT\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    ASSERT_TRUE(ini.saveAs(folder.file("COPY.INI")));
    EXPECT_EQ(folder.read("COPY.INI"), folder.read("NEW.INI"));
    EXPECT_EQ(ini.path(), folder.file("COPY.INI"));
}

TEST(IniFileTest, SaveIntoMissingFolderFailsAndKeepsNothing) {
    IniFile ini;
    ini.parse("[S]\nA=1\n");
    EXPECT_FALSE(ini.saveAs(TempDir().file("no-such-dir/x/Q.INI")));
    IniFile unbound;
    EXPECT_FALSE(unbound.save());
}

TEST(IniFileTest, ASaveKeepsTheFilesModeAndLink) {
    TempDir folder;
    const std::string real = folder.write("REAL.INI", "[S]\nA=1\n");
    std::filesystem::permissions(real, std::filesystem::perms(0600));
    std::filesystem::create_symlink(real, folder.file("LINK.INI"));
    IniFile ini;
    ASSERT_TRUE(ini.load(folder.file("LINK.INI")));
    ini.writeInt("S", "A", 2);
    ASSERT_TRUE(ini.save());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("LINK.INI")));
    EXPECT_EQ(folder.read("REAL.INI"), "[S]\nA=2\n");
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0600));
}

TEST(IniFileTest, AFileTooLargeForSettingsIsNeitherReadNorWrittenOver) {
    TempDir folder;
    const std::string big(IniFile::kMaxFileSize + 1, 'x');
    const std::string path = folder.write("BIG.INI", "[S]\nA=1\n" + big);
    IniFile ini;
    EXPECT_FALSE(ini.load(path));
    EXPECT_TRUE(ini.tooLarge());
    EXPECT_TRUE(ini.sections().empty());
    ini.writeInt("S", "A", 2);
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(folder.read("BIG.INI").size(), big.size() + 8);
    // One of the largest size is read.
    folder.write("EDGE.INI", "[S]\nA=1\n" + big.substr(9));
    EXPECT_TRUE(ini.load(folder.file("EDGE.INI")));
    EXPECT_EQ(ini.readInt("S", "A", 0), 1);
}

TEST(IniFileTest, BinaryGarbageDoesNotBreakParsing) {
    using namespace std::string_literals;
    std::string garbage = "[\x01\xff]\n\0=\0\n[S\n]\n=\n\r\r\n[S]\nK=\x80\x81\n"s;
    garbage.push_back('\0');
    IniFile ini;
    ini.parse(garbage);
    EXPECT_EQ(ini.readString("S", "K"), "\x80\x81");
    IniFile reparsed;
    reparsed.parse(ini.serialize());
    EXPECT_EQ(reparsed.sections(), ini.sections());
}

} // namespace
} // namespace qv
