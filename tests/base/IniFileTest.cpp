#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path &p, const std::string &bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

class TempFolder {
public:
    TempFolder() {
        path_ =
            fs::temp_directory_path() /
            ("quorvane-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path &path() const { return path_; }

private:
    fs::path path_;
};

TEST(IniFileTest, IntegerParsing) {
    struct Case {
        const char *value;
        int expected;
    } cases[] = {
        {"12abc", 12},
        {"abc", 0},
        {" -3", -3},
        {"+7", 7},
        {"", 0},
        {"  42  ", 42},
        {"-", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"0x10", 0},
    };
    for (const Case &c : cases) {
        IniFile ini;
        ini.parse(std::string("[S]\nKey=") + c.value + "\n");
        EXPECT_EQ(ini.readInt("S", "Key", 55), c.expected) << "value '" << c.value << "'";
    }
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

TEST(IniFileTest, ReadStringTruncatesToMaxLength) {
    IniFile ini;
    ini.parse("[S]\nName=abcdefgh\n");
    EXPECT_EQ(ini.readString("S", "Name", "", 3), "abc");
    EXPECT_EQ(ini.readString("S", "Missing", "defaultlong", 4), "defa");
}

TEST(IniFileTest, ListsSectionsAndKeysInFileOrder) {
    IniFile ini;
    ini.parse("; header\n[B]\nz=1\na=2\n; note\nm=3\n[A]\n[b]\nlate=4\n");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(ini.keys("b"), (std::vector<std::string>{"z", "a", "m"}));
    EXPECT_TRUE(ini.keys("A").empty());
    EXPECT_TRUE(ini.keys("None").empty());
}

TEST(IniFileTest, CommentsAndOddLinesAreNotKeys) {
    IniFile ini;
    ini.parse("[S]\n;Key=1\n#Key=2\nno equals sign\n=orphan\n[broken\nKey=3\n");
    EXPECT_EQ(ini.keys("S"), (std::vector<std::string>{"Key"}));
    EXPECT_EQ(ini.readInt("S", "Key", 0), 3);
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

TEST(IniFileTest, HandEditedFileStaysIntactApartFromWrittenKeys) {
    TempFolder folder;
    fs::path file = folder.path() / "QUORVANE.INI";
    const std::string original = "; my settings, edited by hand\r\n"
                                 "[Configuration]\r\n"
                                 "  Status = 0   \r\n"
                                 "Launchpad=1\r\n"
                                 "MyOwnKey=keep me\r\n"
                                 "\r\n"
                                 "# another comment\r\n"
                                 "[Unknown Section]\r\n"
                                 "weird line without equals\r\n"
                                 "a=b=c\r\n";
    writeBytes(file, original);

    IniFile ini;
    ASSERT_TRUE(ini.load(file.string()));
    EXPECT_EQ(ini.readString("Unknown Section", "a"), "b=c");
    ini.writeInt("Configuration", "Launchpad", 3);
    ini.writeInt("configuration", "status", 1);
    ASSERT_TRUE(ini.save());

    std::string expected = original;
    expected.replace(expected.find("Status = 0   "), 13, "Status = 1");
    expected.replace(expected.find("Launchpad=1"), 11, "Launchpad=3");
    EXPECT_EQ(readBytes(file), expected);

    // Saving unchanged rewrites the same bytes.
    IniFile again;
    ASSERT_TRUE(again.load(file.string()));
    ASSERT_TRUE(again.save());
    EXPECT_EQ(readBytes(file), expected);
}

TEST(IniFileTest, MissingFileIsEmptyAndSaveCreatesItWithoutLeftovers) {
    TempFolder folder;
    fs::path file = folder.path() / "NEW.INI";
    IniFile ini;
    EXPECT_FALSE(ini.load(file.string()));
    EXPECT_TRUE(ini.sections().empty());
    ini.writeString("Recent File List", "File1", "/data/M001.LVT");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readBytes(file), "[Recent File List]\nFile1=/data/M001.LVT\n");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto &e : fs::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);

    fs::path other = folder.path() / "COPY.INI";
    ASSERT_TRUE(ini.saveAs(other.string()));
    EXPECT_EQ(readBytes(other), readBytes(file));
    EXPECT_EQ(ini.path(), other.string());
}

TEST(IniFileTest, SaveIntoMissingFolderFailsAndKeepsNothing) {
    IniFile ini;
    ini.parse("[S]\nA=1\n");
    EXPECT_FALSE(ini.saveAs((fs::temp_directory_path() / "quorvane-no-such-dir/x/Q.INI").string()));
    IniFile unbound;
    EXPECT_FALSE(unbound.save());
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
