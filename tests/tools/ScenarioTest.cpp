#include "synth/Scenario.h"

#include <gtest/gtest.h>

#include "base/Numbers.h"
#include "support/Pinned.h"

namespace qv::synth {
namespace {

// Each row of the table: a scenario text -> its year and records (kind, status, direction,
// day/month, time, octets), or the error that names its line.
TEST(ScenarioTextTest, RecordsAndErrorsAsPinned) {
    test::expectTable("tools/scenario.txt", [](const std::string &text) {
        ParsedScenario s;
        std::string error;
        if (!parseScenarioText(test::unescaped(text), s, error))
            return error;
        std::string out = std::to_string(s.year);
        for (const LvtRecord &r : s.records) {
            out += " | " + std::to_string(r.kind) + " " + std::to_string(r.status) + " " +
                   std::to_string(r.direction) + " " + std::to_string(r.day()) + "/" +
                   std::to_string(r.month) + " " + timeText(r);
            for (std::uint16_t i = 0; i < r.dataLength; ++i)
                appendHex(out += ' ', r.data[i]);
        }
        return out;
    });
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
