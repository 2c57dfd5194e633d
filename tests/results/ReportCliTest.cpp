// The result commands of the command line: generated result files of every kind, their type
// and report, and the refusals and failure messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "capture/CaptureTestSupport.h"
#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

class ReportCli : public ::testing::Test {
protected:
    std::string file(const std::string &name) const { return dir_.file(name); }
    static std::string golden(const std::string &name) {
        std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/results/" + name + ".txt",
                         std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    qv::test::TempDir dir_;
};

TEST_F(ReportCli, GeneratesEveryKindAndReportsIt) {
    struct Case {
        const char *kind;
        const char *type;
    };
    const Case cases[] = {{"service", "1\tAutomatic service test"},
                          {"supplementary", "2\tAutomatic supplementary service test"},
                          {"ber", "3\tISDN BER G.821 test"},
                          {"x25d", "4\tX.25 test in the D channel"},
                          {"x25b", "5\tX.25 test in a B channel"},
                          {"bchannel", "9\tB-channel test"}};
    for (const Case &c : cases) {
        const std::string path = file(std::string(c.kind) + ".lvt");
        CliRun run = cli("generate --scenario result-" + std::string(c.kind) + " -o " + path);
        ASSERT_EQ(run.code, 0) << run.out;
        EXPECT_EQ(run.out, path + ": " + (c.type + 2) + "\n");
        EXPECT_EQ(cli("type " + path).out, std::string(c.type) + "\n");
        run = cli("report " + path);
        EXPECT_EQ(run.code, 0) << run.out;
        EXPECT_EQ(run.out.rfind("Vennmark       LVT-30\r\n\r\nSerial number: LV-0456\r\n", 0), 0u);
    }
    // The whole text, as the tests of the report pin it.
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

TEST_F(ReportCli, FilesThatHoldNoReport) {
    ASSERT_EQ(cli("generate --scenario demo --layout stored -o " + file("M1.lvt")).code, 0);
    struct Case {
        std::string path;
        const char *message;
    };
    qv::test::writeFile(file("text.lvt"), {'a', 'b', 'c'});
    ASSERT_EQ(cli("generate --scenario result-ber -o " + file("E1.lvt")).code, 0);
    std::vector<std::uint8_t> cut = qv::test::readFile(file("E1.lvt"));
    cut.resize(500); // the configuration, and the start of the results
    qv::test::writeFile(file("cut.lvt"), cut);
    const Case cases[] = {
        {file("M1.lvt"), "Error Message: This file holds no test result!\n"},
        {file("text.lvt"), "Error Message: This file is not an LVT file!\n"},
        {file("missing.lvt"), "Error Message: Unable to open file!\n"},
        {file("cut.lvt"), "Error Message: Error while reading file!\n"},
    };
    for (const Case &c : cases) {
        const CliRun run = cli("report " + c.path);
        EXPECT_EQ(run.code, 1) << c.path;
        EXPECT_EQ(run.out, c.message) << c.path;
    }
    EXPECT_EQ(cli("report").code, 2);
    EXPECT_EQ(cli("report " + file("E1.lvt") + " more").code, 2);
}

TEST_F(ReportCli, GenerateRefusesWhatNoTesterWrites) {
    struct Case {
        std::string args;
        const char *message;
    };
    const Case cases[] = {
        {"--scenario result-fax",
         "result-fax: no such result scenario (result- and one of service, supplementary, ber, "
         "x25d, x25b, bchannel)\n"},
        {"--scenario result-ber --instrument lvt90",
         "lvt90: no such instrument (lvt30, lvt30-anonymous, lvt60, lvt60-anonymous, "
         "hardware)\n"},
        {"--scenario result-x25d --threshold 2",
         "--threshold: only the BER test of an LVT-30 keeps a threshold\n"},
        {"--scenario result-ber --instrument lvt60 --threshold 2",
         "--threshold: only the BER test of an LVT-30 keeps a threshold\n"},
        {"--scenario result-ber --threshold 10",
         "--threshold: a code of 0 (infinite) to 9 (1E-1)\n"},
        {"--scenario result-ber --instrument lvt30-anonymous --firmware V09.02",
         "--firmware: an LVT-30 without identification names no version\n"},
        {"--scenario result-ber --firmware V09.02.01",
         "--firmware: at most 7 characters, as in V09.02\n"},
    };
    for (const Case &c : cases) {
        const CliRun run = cli("generate " + c.args + " -o " + file("x.lvt"));
        EXPECT_EQ(run.code, 2) << c.args;
        EXPECT_EQ(run.out, c.message) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(file("x.lvt")));
    // Without an output, or with an option of another scenario: the usage text.
    CliRun run = cli("generate --scenario result-ber");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("--scenario result-KIND"), std::string::npos);
    run = cli("generate --scenario result-ber --frames 3 -o " + file("x.lvt"));
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("--frames is not an option of this command"), std::string::npos);
}

} // namespace
