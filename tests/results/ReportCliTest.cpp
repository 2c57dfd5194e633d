// The result commands of the command line: generated result files of every kind, their type
// and report, and the refusals and failure messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "capture/CaptureTestSupport.h"
#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

class ReportCli : public qv::test::CliFolder {
protected:
    static std::string golden(const std::string &name) {
        return qv::test::TempDir::readBytes(std::string(QUORVANE_SOURCE_DIR) +
                                            "/tests/data/results/" + name + ".txt");
    }
};

// The runs of cli/report.txt: every kind generated and typed, files without a report, and what
// the generator refuses.
TEST_F(ReportCli, GeneratesEveryKindAndRefusesWhatNoTesterWrites) {
    ASSERT_EQ(cli("generate --scenario result-ber -o " + file("E1.lvt")).code, 0);
    std::vector<std::uint8_t> cut = qv::test::readFile(file("E1.lvt"));
    cut.resize(500); // the configuration, and the start of the results
    qv::test::writeFile(file("cut.lvt"), cut);
    expectRuns("report.txt");
    EXPECT_FALSE(std::filesystem::exists(file("x.lvt")));
    EXPECT_EQ(cli("report " + file("E1.lvt"))
                  .out.rfind("Vennmark       LVT-30\r\n\r\nSerial number: LV-0456\r\n", 0),
              0u);
}

// The whole text, as the tests of the report pin it.
TEST_F(ReportCli, ReportsAsPinned) {
    ASSERT_EQ(cli("generate --scenario result-ber --threshold 3 -o " + file("E1.lvt")).code, 0);
    EXPECT_EQ(cli("report " + file("E1.lvt")).out, golden("ber-lvt30-threshold"));
    ASSERT_EQ(cli("generate --scenario result-x25b --instrument lvt60 --firmware V05.01 -o " +
                  file("B1.lvt"))
                  .code,
              0);
    EXPECT_EQ(cli("report " + file("B1.lvt")).out, golden("x25b-lvt60-V05.01"));
    ASSERT_EQ(
        cli("generate --scenario result-service --instrument hardware -o " + file("S1.lvt")).code,
        0);
    EXPECT_EQ(cli("report " + file("S1.lvt")).out, golden("service-hardware"));
}

} // namespace
