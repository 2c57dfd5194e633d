#include "synth/Scenario.h"

#include <gtest/gtest.h>

namespace qv::synth {
namespace {

TEST(ScenarioTextTest, ParsesEveryFieldOfARecord) {
    ParsedScenario s;
    std::string error;
    ASSERT_TRUE(parseScenarioText("# a comment line\n"
                                  "\n"
                                  "31/12/2025 23:59:58.125 frame good te 02 01 7f  # trailing\r\n"
                                  "01/01 00:00:01.002 l1 21 nt\n"
                                  "01/01 00:00:01.500 overflow 1 nt\n"
                                  "01/01 00:00:02.000 frame aborted nt 00\n",
                                  s, error))
        << error;
    ASSERT_EQ(s.records.size(), 4u);
    EXPECT_EQ(s.year, 2025);
    const LvtRecord &r = s.records[0];
    EXPECT_EQ(r.kind, kFrameRecord);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.direction, 1);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(timeText(r), "23:59:58.125");
    EXPECT_EQ(r.day(), 31u);
    ASSERT_EQ(r.dataLength, 3);
    EXPECT_EQ(r.data[2], 0x7F);
    EXPECT_EQ(s.records[1].kind, kLayer1Event);
    EXPECT_EQ(s.records[1].status, 21);
    EXPECT_EQ(s.records[2].kind, kOverflowMark);
    EXPECT_EQ(s.records[3].status, 2);
    EXPECT_EQ(s.records[3].direction, 0);
}

TEST(ScenarioTextTest, ErrorsNameTheirLine) {
    struct Case {
        const char *text;
        const char *error;
    } cases[] = {
        {"01/01 00:00:00.000 frame good te 0G", "line 1: bad octet '0G'"},
        {"\n32/01 00:00:00.000 frame good te", "line 2: bad date '32/01' (DD/MM or DD/MM/YYYY)"},
        {"01/01 24:00:00.000 frame good te", "line 1: bad time '24:00:00.000' (HH:MM:SS.mmm)"},
        {"01/01 00:00:00.000 packet good te", "line 1: bad kind 'packet'"},
        {"01/01 00:00:00.000 frame fine te", "line 1: bad status 'fine'"},
        {"01/01 00:00:00.000 frame good up", "line 1: bad direction 'up' (te or nt)"},
        {"01/01 00:00:00.000 frame", "line 1: expected: date time kind status direction [octets]"},
        {"01/01 00:00:00.000 frame good te 123", "line 1: bad octet '123'"},
    };
    for (const Case &c : cases) {
        ParsedScenario s;
        std::string error;
        EXPECT_FALSE(parseScenarioText(c.text, s, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
    std::string tooLong = "01/01 00:00:00.000 frame good te";
    for (int i = 0; i < 273; ++i)
        tooLong += " 55";
    ParsedScenario s;
    std::string error;
    EXPECT_FALSE(parseScenarioText(tooLong, s, error));
    EXPECT_EQ(error, "line 1: more than 272 octets");
}

// The built-in scenarios are checked through the exact rows the command-line tests expect of
// them; the benchmarks need them to be the same at every run.
TEST(BuiltinScenarioTest, MixIsDeterministicAndSized) {
    std::vector<LvtRecord> a = builtinScenario("mix", 5000, 9);
    std::vector<LvtRecord> b = builtinScenario("mix", 5000, 9);
    std::vector<LvtRecord> c = builtinScenario("mix", 5000, 10);
    ASSERT_EQ(a.size(), 5000u);
    bool same = true, differs = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        same = same && a[i].data == b[i].data && a[i].timeLow == b[i].timeLow;
        differs = differs || a[i].data != c[i].data;
    }
    EXPECT_TRUE(same);
    EXPECT_TRUE(differs);
    EXPECT_NE(a.front().day(), a.back().day()); // long captures run over days
}

} // namespace
} // namespace qv::synth
