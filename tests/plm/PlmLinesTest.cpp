// The lines of a PLM-45 project: the display rules of every column, the comma rules of a line
// and the exact line a .plm file keeps.
#include <gtest/gtest.h>

#include "plm/PlmLines.h"
#include "support/Pinned.h"

namespace qv {
namespace {

// Field numbers as the tester sends them (2 to 27), turned into table indices.
constexpr int field(int number) {
    return number - 2;
}

// The display rules of tests/data/plm/display-rules.txt.
TEST(PlmDisplayRules, EachColumnShowsItsCodeAsTheTesterMeansIt) {
    test::expectTable("plm/display-rules.txt", [](const std::string &input) {
        const std::size_t quote = input.find('"');
        return plmDisplayText(field(std::stoi(input.substr(6))),
                              input.substr(quote + 1, input.size() - quote - 2));
    });
}

TEST(PlmDisplayRules, WordsComeInTheInterfaceLanguage) {
    const PlmWords french = [](const char *english) {
        return std::string(english) == "yes" ? "oui" : "[" + std::string(english) + "]";
    };
    EXPECT_EQ(plmDisplayText(field(7), "3", french), "oui");
    EXPECT_EQ(plmDisplayText(field(16), "254", french), "[hi-Z]");
    EXPECT_EQ(plmDisplayText(field(25), "5", french), "[none]");
    // Numbers are no words.
    EXPECT_EQ(plmDisplayText(field(23), "1", french), "100");
    EXPECT_EQ(plmDisplayText(field(25), "1", french), "36,45");
    EXPECT_EQ(plmDisplayText(field(3), "20", french), "10");
}

constexpr const char *kLine =
    "03,A01-1,250,20,255,80,3,2,4,12,4095,36,120,45,123,254,255,,,ok,,67,2,1,1,1-2,150";

TEST(PlmLine, FieldsFeedTheirColumns) {
    PlmDisplayLine line;
    ASSERT_TRUE(parsePlmDisplayLine(kLine, line));
    EXPECT_EQ(line.project, 3);
    const std::array<std::string, kPlmColumnCount> shown = {
        "A01-1", "67",   "120",  "36,45",     "tp", "1-2",  "150", "12",  "36",
        "45",    "-2",   "10",   "not meas.", "40", "yes",  "no",  "low", "not meas.",
        "120",   "12.3", "hi-Z", "not meas.", "",   "none", "ok",  "",
    };
    EXPECT_EQ(line.cells, shown);
}

TEST(PlmLine, EveryCommaMustBeThereAndTheLastFieldRunsToTheEnd) {
    std::string line = kLine;
    PlmDisplayLine display;
    PlmRawLine raw;
    EXPECT_FALSE(parsePlmDisplayLine(line.substr(0, line.rfind(',')), display));
    EXPECT_FALSE(parsePlmRawLine(line.substr(0, line.rfind(',')), raw));
    EXPECT_FALSE(parsePlmRawLine("", raw));
    EXPECT_FALSE(parsePlmRawLine("03", raw));
    // A comma more is part of the last field: a text shows it, a number stops before it.
    ASSERT_TRUE(parsePlmDisplayLine(line + ",7", display));
    EXPECT_EQ(display.cells[kPlmWireResist], "150,7");
    ASSERT_TRUE(parsePlmRawLine(line + ",7", raw));
    EXPECT_EQ(raw.integers[field(27)], 150);
}

TEST(PlmLine, RawFieldsKeepTheirTypesAndAreWrittenInTheFileFormat) {
    PlmRawLine raw;
    ASSERT_TRUE(parsePlmRawLine(
        "9,L 1,250,x,-3,80,3,2,4,12,4095,36,120,45,12a,254,255,,,ok,,67,2,1,1,1-2,150", raw));
    EXPECT_EQ(raw.project, 9);
    EXPECT_EQ(raw.texts[field(2)], "L 1");
    EXPECT_EQ(raw.integers[field(3)], 250);
    EXPECT_EQ(raw.integers[field(4)], 0); // not a number
    EXPECT_EQ(raw.integers[field(5)], -3);
    EXPECT_EQ(raw.integers[field(15)], 12); // digits up to the first other character
    EXPECT_EQ(formatPlmLine(7, raw),
              "07,L 1,250,0,-3,80,3,2,4,12,4095,36,120,45,12,254,255,,,ok,,67,2,1,1,1-2,150\r\n");
    EXPECT_EQ(formatPlmLine(42, raw).substr(0, 3), "42,");
    PlmRawLine again;
    std::string text = formatPlmLine(7, raw);
    ASSERT_TRUE(parsePlmRawLine(text.substr(0, text.size() - 2), again));
    again.project = raw.project;
    EXPECT_EQ(again, raw);
}

TEST(PlmLine, OnlyCrLfEndsALine) {
    PlmLineScanner scanner("a\r\nb\nc\rd\r\n\r\ntail");
    std::string_view line;
    std::vector<std::string> lines;
    while (scanner.next(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\nc\rd", ""}));
    EXPECT_EQ(scanner.position(), 12u);
}

} // namespace
} // namespace qv
