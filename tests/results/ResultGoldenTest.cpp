// The complete report of every result type on every instrument and firmware, pinned in
// tests/data/results/NAME.txt. After a deliberate change of the report, rewrite them with
//   QUORVANE_REWRITE_GOLDEN=1 build-<you>/bin/quorvane_tests --gtest_filter='ResultGolden*'
// and read the differences before keeping them.
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "results/ResultTestSupport.h"

namespace qv {
namespace {

using synth::ResultInstrumentKind;

struct Variant {
    const char *name;
    int type;
    ResultInstrumentKind instrument;
    const char *firmware; // empty: the instrument's newest
    int threshold;        // the BER threshold code of a 447-byte configuration, -1 for none
};

constexpr Variant kVariants[] = {
    {"service-lvt30", kResultServiceTest, ResultInstrumentKind::Lvt30, "", -1},
    {"service-lvt30-anonymous", kResultServiceTest, ResultInstrumentKind::Lvt30Anonymous, "", -1},
    {"service-hardware", kResultServiceTest, ResultInstrumentKind::HardwareNumber, "", -1},
    {"supplementary-lvt30", kResultSupplementaryServiceTest, ResultInstrumentKind::Lvt30, "", -1},
    {"supplementary-lvt60-V05.01", kResultSupplementaryServiceTest, ResultInstrumentKind::Lvt60,
     "V05.01", -1},
    {"ber-lvt30", kResultBerTest, ResultInstrumentKind::Lvt30, "", -1},
    {"ber-lvt30-threshold", kResultBerTest, ResultInstrumentKind::Lvt30, "", 3},
    {"ber-lvt30-V09.01", kResultBerTest, ResultInstrumentKind::Lvt30, "V09.01", -1},
    {"ber-lvt30-V08.10-threshold", kResultBerTest, ResultInstrumentKind::Lvt30, "V08.10", 0},
    {"ber-lvt60", kResultBerTest, ResultInstrumentKind::Lvt60, "", -1},
    {"ber-lvt60-V05.01", kResultBerTest, ResultInstrumentKind::Lvt60, "V05.01", -1},
    {"ber-lvt60-anonymous", kResultBerTest, ResultInstrumentKind::Lvt60Anonymous, "", -1},
    {"ber-hardware", kResultBerTest, ResultInstrumentKind::HardwareNumber, "", -1},
    {"ber-hardware-V08.00", kResultBerTest, ResultInstrumentKind::HardwareNumber, "V08.00", -1},
    {"x25d-lvt30", kResultX25DTest, ResultInstrumentKind::Lvt30, "", -1},
    {"x25d-hardware", kResultX25DTest, ResultInstrumentKind::HardwareNumber, "", -1},
    {"x25b-lvt60", kResultX25BTest, ResultInstrumentKind::Lvt60, "", -1},
    {"x25b-lvt60-V05.01", kResultX25BTest, ResultInstrumentKind::Lvt60, "V05.01", -1},
    {"bchannel-lvt30", kResultBChannelTest, ResultInstrumentKind::Lvt30, "", -1},
    {"bchannel-lvt60-anonymous", kResultBChannelTest, ResultInstrumentKind::Lvt60Anonymous, "", -1},
};

std::string goldenPath(const char *name) {
    return std::string(QUORVANE_SOURCE_DIR) + "/tests/data/results/" + name + ".txt";
}

std::string readText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ResultGolden : public ::testing::TestWithParam<Variant> {};

TEST_P(ResultGolden, ReportMatchesItsPinnedText) {
    const Variant &v = GetParam();
    synth::ResultFileContent content = synth::resultScenario(v.type, v.instrument, v.firmware);
    if (v.threshold >= 0)
        synth::setBerThreshold(content, static_cast<std::uint8_t>(v.threshold));
    const std::string report = test::reportOf(content);
    ASSERT_FALSE(report.empty());
    const std::string path = goldenPath(v.name);
    if (std::getenv("QUORVANE_REWRITE_GOLDEN")) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << report;
        GTEST_SKIP() << "rewrote " << path;
    }
    EXPECT_EQ(report, readText(path)) << path;
}

INSTANTIATE_TEST_SUITE_P(EveryTypeAndVariant, ResultGolden, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant> &info) {
                             std::string name = info.param.name;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// Every variant is pinned by a file and every file by a variant.
TEST(ResultGoldenFiles, NoFileWithoutItsVariant) {
    std::set<std::string> expected;
    for (const Variant &v : kVariants)
        expected.insert(std::string(v.name) + ".txt");
    std::set<std::string> found;
    for (const auto &entry : std::filesystem::directory_iterator(std::string(QUORVANE_SOURCE_DIR) +
                                                                 "/tests/data/results"))
        if (entry.path().extension() == ".txt")
            found.insert(entry.path().filename().string());
    EXPECT_EQ(found, expected);
}

} // namespace
} // namespace qv
