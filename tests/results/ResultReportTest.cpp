// The report's values and their rules: the duration, the G.821 verdict, the rate and bit-error
// lines, the BER threshold, labels that depend on the protocol, and values outside their tables.
#include "results/ResultReport.h"

#include <gtest/gtest.h>

#include "results/ResultTestSupport.h"

namespace qv {
namespace {

using test::hasLine;
using test::lineStarting;
using test::lvt30;
using test::reportOf;

TEST(ResultDuration, CountsFromTheStartOfEachYear) {
    struct Case {
        CaptureDateTime start, stop;
        std::optional<long> seconds;
    };
    const Case cases[] = {
        {{12, 3, 2026, 14, 0, 0}, {12, 3, 2026, 14, 14, 59}, 899},
        {{12, 3, 2026, 14, 0, 0}, {13, 3, 2026, 15, 2, 3}, 90123},
        // A leap year has a 29 February; two-digit years as an LVT-60 stores them.
        {{28, 2, 24, 12, 0, 0}, {1, 3, 24, 12, 0, 0}, 2 * 86400},
        {{28, 2, 25, 12, 0, 0}, {1, 3, 25, 12, 0, 0}, 86400},
        {{31, 12, 2025, 23, 0, 0}, {1, 1, 2026, 1, 0, 0}, 7200},
        {{31, 12, 2023, 12, 0, 0}, {1, 1, 2025, 12, 0, 0}, 367 * 86400},
        {{31, 12, 1999, 23, 59, 59}, {1, 1, 2000, 0, 0, 0}, 1},
        // Not a date, or a stop before the start: nothing can be said.
        {{12, 13, 2026, 14, 0, 0}, {12, 3, 2026, 14, 0, 0}, std::nullopt},
        {{0, 3, 2026, 14, 0, 0}, {12, 3, 2026, 14, 0, 0}, std::nullopt},
        {{12, 3, 2026, 14, 0, 0}, {12, 3, 2026, 13, 0, 0}, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(testDurationSeconds(c.start, c.stop), c.seconds)
            << c.start.day << "/" << c.start.month << " " << c.stop.day << "/" << c.stop.month;
    EXPECT_EQ(durationText(899), "00:14:59");
    EXPECT_EQ(durationText(86400 + 3600 + 2 * 60 + 3), "1 d. 01:02:03");
    EXPECT_EQ(durationText(12 * 86400), "12 d. 00:00:00");
}

bool hasVerdict(const std::string &report) {
    for (const char *verdict : {"G821 CONFORMED ", "G821 NOT CONFORMED ", "G821 : 100 % US"})
        if (report.find(verdict) != std::string::npos)
            return true;
    return false;
}

synth::ResultFileContent berLasting(int minutes, int seconds) {
    synth::ResultFileContent f = lvt30(kResultBerTest);
    f.records.configuration.stop = {
        12, 3, 2026, 14, static_cast<std::uint16_t>(minutes), static_cast<std::uint16_t>(seconds)};
    return f;
}

TEST(ResultReportBer, TheG821VerdictNeedsFifteenMinutes) {
    const std::string short_ = reportOf(berLasting(14, 59));
    EXPECT_EQ(lineStarting(short_, "     Duration"), "     Duration     : 00:14:59");
    EXPECT_FALSE(hasVerdict(short_));
    const std::string enough = reportOf(berLasting(15, 0));
    EXPECT_TRUE(hasLine(enough, "                   G821 CONFORMED ")) << enough;

    // One objective missed is enough; the rate line carries the mark.
    synth::ResultFileContent f = berLasting(15, 0);
    f.records.ber.sesRate = 21;
    const std::string failed = reportOf(f);
    EXPECT_TRUE(hasLine(failed, "                   G821 NOT CONFORMED "));
    EXPECT_EQ(lineStarting(failed, "    #SES"), "    #SES          :   0.21%           0");
    EXPECT_EQ(lineStarting(failed, "     ES "), "     ES           :   0.78%           7");

    // A test of unknown length gives no verdict.
    f.records.configuration.stop.month = 0;
    const std::string unknown = reportOf(f);
    EXPECT_EQ(lineStarting(unknown, "     Duration"), "     Duration     : ?");
    EXPECT_FALSE(hasVerdict(unknown));
}

TEST(ResultReportBer, AllUnavailableOutranksTheObjectives) {
    synth::ResultFileContent f = berLasting(15, 0);
    f.records.ber.usRate = 10000;
    f.records.ber.us = 900;
    f.records.ber.esRate = 5000;
    f.records.ber.dmRate = 1001;
    const std::string report = reportOf(f);
    EXPECT_TRUE(hasLine(report, "                    G821 : 100 % US")) << report;
    EXPECT_FALSE(hasLine(report, "                   G821 NOT CONFORMED "));
    EXPECT_EQ(lineStarting(report, "     US "), "     US           : 100.00%         900");
    EXPECT_EQ(lineStarting(report, "    #ES "), "    #ES           :  50.00%           7");
    EXPECT_EQ(lineStarting(report, "    #DM "), "    #DM           :  10.01%           0");
    // The objectives themselves: 8 %, 0.2 % and 10 % still pass.
    f.records.ber.usRate = 9999;
    f.records.ber.esRate = 800;
    f.records.ber.sesRate = 20;
    f.records.ber.dmRate = 1000;
    EXPECT_TRUE(hasLine(reportOf(f), "                   G821 CONFORMED "));
}

TEST(ResultReportBer, CountsAndBitErrors) {
    synth::ResultFileContent f = lvt30(kResultBerTest);
    f.records.ber.efs = 1000000;
    f.records.ber.es = 999999;
    const std::string report = reportOf(f);
    EXPECT_EQ(lineStarting(report, "     EFS"), "     EFS          :  99.22%     >999999");
    EXPECT_EQ(lineStarting(report, "     ES "), "     ES           :   0.78%      999999");
    EXPECT_EQ(lineStarting(report, "     Bit Error"), "     Bit Error    : 2.0E-07          23");

    f.records.ber.bitErrors = 1234567;
    EXPECT_EQ(lineStarting(reportOf(f), "     Bit Error"),
              "     Bit Error    : 1.1E-02      1.2E+06");
    f.records.ber.bitErrors = 999999;
    EXPECT_EQ(lineStarting(reportOf(f), "     Bit Error"),
              "     Bit Error    : 8.7E-03      999999");
    f.records.ber.bitsReceived = 0; // nothing received: no ratio to speak of
    EXPECT_EQ(lineStarting(reportOf(f), "     Bit Error"),
              "     Bit Error    : 0.0E+00      999999");
}

TEST(ResultReportBer, TheThresholdMarksTheBitErrorLine) {
    struct Case {
        std::uint8_t code;
        const char *threshold;
        bool marked; // 23 errors in 115.2 Mbit: 2.0E-07
    };
    const Case cases[] = {{0, "infinite", false}, {1, "1E-9", true},  {3, "1E-7", true},
                          {4, "1E-6", false},     {9, "1E-1", false}, {10, "?", false}};
    for (const Case &c : cases) {
        synth::ResultFileContent f = lvt30(kResultBerTest);
        synth::setBerThreshold(f, c.code);
        const std::string report = reportOf(f);
        EXPECT_EQ(lineStarting(report, "     BER Th"),
                  std::string("     BER Th       : ") + c.threshold);
        EXPECT_EQ(lineStarting(report, "    #Bit Error") != "(none)", c.marked) << int(c.code);
    }
    // Code 0 never marks, however many errors.
    synth::ResultFileContent f = lvt30(kResultBerTest);
    synth::setBerThreshold(f, 0);
    f.records.ber.bitErrors = 100000000;
    EXPECT_EQ(lineStarting(reportOf(f), "    #Bit Error"), "(none)");
    // Without the threshold byte there is no threshold line.
    EXPECT_EQ(lineStarting(reportOf(lvt30(kResultBerTest)), "     BER Th"), "(none)");
}

TEST(ResultReportBer, TestConfigurationAndChannel) {
    synth::ResultFileContent f = lvt30(kResultBerTest);
    f.records.configuration.ber.errorInsertion = 0;
    f.records.configuration.ber.insertedErrors = 17;
    f.records.configuration.ber.pattern = 10;
    f.records.configuration.ber.txMode = 1;
    std::string report = reportOf(f);
    EXPECT_EQ(lineStarting(report, "     Insert. Error"), "     Insert. Error: 17");
    EXPECT_EQ(lineStarting(report, "     Pattern"), "     Pattern      : inv2E4-1 ");
    EXPECT_EQ(lineStarting(report, "     Tx mode"), "     Tx mode      : Rx->Tx ");
    EXPECT_EQ(lineStarting(report, "     Channel"), "     Channel      : B1 + B2");
    f.records.configuration.channel = 2;
    f.records.configuration.ber.pattern = 11;
    report = reportOf(f);
    EXPECT_EQ(lineStarting(report, "     Channel"), "     Channel      : B2");
    EXPECT_EQ(lineStarting(report, "     Pattern"), "     Pattern      : ?");
}

TEST(ResultReportLabels, TheProtocolNamesTheSubAddress) {
    struct Case {
        std::uint16_t protocol;
        const char *label;
        bool phoneSubAddress;
        const char *name;
    };
    const Case cases[] = {
        {1, "     Sub-address  : ", true, "EDSS-1 "},
        {13, "     SPID         : ", false, "N-ISDN "},
        {14, "     SPID         : ", false, "ATT    "},
        {15, "     SPID         : ", false, "DMS FCT"},
        {17, "     Extension    : ", false, "TN-1R6 "},
        {25, "     Extension    : ", false, "1TR6   "},
        {11, "     Sub-address  : ", true, ""},
        {26, "     Sub-address  : ", true, "?"},
    };
    for (const Case &c : cases) {
        synth::ResultFileContent f = lvt30(kResultSupplementaryServiceTest);
        f.records.configuration.protocol = c.protocol;
        const std::string report = reportOf(f);
        EXPECT_TRUE(hasLine(report, std::string(c.label) + "12")) << c.protocol;
        EXPECT_TRUE(hasLine(report, std::string("     Protocol     : ") + c.name)) << c.protocol;
        EXPECT_EQ(hasLine(report, "     Sub-address  : 34"), c.phoneSubAddress) << c.protocol;
    }
}

TEST(ResultReportLabels, TeiValueOnlyWithAFixedTei) {
    synth::ResultFileContent f = lvt30(kResultServiceTest);
    EXPECT_TRUE(hasLine(reportOf(f), "     TEI value    : 12"));
    f.records.configuration.interfaceMode = 0;
    std::string report = reportOf(f);
    EXPECT_TRUE(hasLine(report, "     Interface    : auto TEI"));
    EXPECT_EQ(lineStarting(report, "     TEI value"), "(none)");
    f.records.configuration.interfaceMode = 3;
    EXPECT_TRUE(hasLine(reportOf(f), "     Interface    : ?"));
}

TEST(ResultReportValues, EndReasonsAndModes) {
    const char *reasons[] = {"Normal    ", "User Req. ", "Charger   ", "L1 failure",
                             "Disconnect", "Empty accu", "Normal    "};
    for (std::uint16_t reason = 0; reason < 7; ++reason) {
        synth::ResultFileContent f = lvt30(kResultBChannelTest);
        f.records.configuration.endReason = reason == 6 ? 40 : reason;
        f.records.configuration.mode = reason + 3;
        const std::string report = reportOf(f);
        EXPECT_EQ(lineStarting(report, "     Stop"),
                  std::string("     Stop         : 12/03/26 - 11:03:12     ") + reasons[reason]);
        const char *modes[] = {"X25D/TE", "X25B/TE", "U/TE   ", "U/Smoni",
                               "U/X25D ", "U/X25B ", "?"};
        EXPECT_EQ(lineStarting(report, "     Mode"),
                  std::string("     Mode         : ") + modes[reason]);
    }
}

TEST(ResultReportValues, ServicesByProtocolFamily) {
    struct Case {
        std::uint16_t protocol;
        std::uint8_t service;
        const char *name;
    };
    const Case cases[] = {{1, 1, "speech  "},   {1, 13, "3.1k aud"}, {1, 16, "?"},
                          {25, 7, "Ds 64k  "},  {2, 22, "Bild 3.1"}, {17, 2, "ton 3.1K"},
                          {13, 4, "data56Kb"},  {15, 7, "3.1KHzPI"}, {1, 254, "User    "},
                          {13, 255, "Unknown "}};
    for (const Case &c : cases) {
        synth::ResultFileContent f = lvt30(kResultBChannelTest);
        f.records.configuration.protocol = c.protocol;
        f.records.configuration.service = c.service;
        EXPECT_TRUE(hasLine(reportOf(f), std::string("     Service      : ") + c.name))
            << c.protocol << " " << int(c.service);
    }
    // The service test names its services in its own section, not on the phone.
    synth::ResultFileContent f = lvt30(kResultServiceTest);
    f.records.services = {{1, 0, 0}, {200, 1, 0}};
    const std::string report = reportOf(f);
    EXPECT_EQ(lineStarting(report, "     Service      :"), "(none)");
    EXPECT_NE(report.find("Service\r\n-------\r\n     speech  : Passed\r\n     ?: Failed\r\n"),
              std::string::npos);
}

TEST(ResultReportValues, SupplementaryStatesAndAdviceOfCharge) {
    synth::ResultFileContent f = lvt30(kResultSupplementaryServiceTest);
    f.records.supplementary = {{7, 0, 6}, {7, 1, 6}, {7, 0, 7}, {2, 3, 0}, {30, 2, 0}};
    const std::string report = reportOf(f);
    EXPECT_NE(report.find("----------------------\r\n"
                          "     AOC : Available AOC-SDE\r\n"
                          "     AOC : Unavail.  \r\n"
                          "     AOC : Available ?\r\n"
                          "     CLIP: ??????????\r\n"
                          "     ?: Failed\r\n"),
              std::string::npos)
        << report;
}

TEST(ResultReportValues, BChannelKindsAndOutputs) {
    struct Case {
        std::uint16_t channel;
        const char *title;
    };
    const Case cases[] = {{0xF1, "      B Channel Sequence test result"},
                          {0xF2, "      B Channel Multiple Call test result"},
                          {0xF3, "      B Channel Input/Output  test result"},
                          {0, "      B Channel test result"}};
    for (const Case &c : cases) {
        synth::ResultFileContent f = lvt30(kResultBChannelTest);
        f.records.configuration.channel = c.channel;
        f.records.bChannels = {{0, 0}, {30, 5}, {31, 0}};
        const std::string report = reportOf(f);
        EXPECT_TRUE(hasLine(report, c.title)) << c.channel;
        EXPECT_NE(report.find("B Channel\r\n----------\r\n     B01 OUT: Passed\r\n"
                              "     B31 OUT: ??????????\r\n     ?: Passed\r\n"),
                  std::string::npos);
        EXPECT_TRUE(hasLine(report, "     Channel      : Bx"));
    }
}

TEST(ResultReportValues, X25FacilitiesRunOverSeveralLines) {
    synth::ResultFileContent f = lvt30(kResultX25BTest);
    f.records.configuration.x25.facilities.assign(32, 0xAB);
    f.records.configuration.x25.callFacilities.clear();
    const std::string report = reportOf(f);
    const std::string sixteen = "AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB";
    EXPECT_NE(report.find("     Facilities   : " + sixteen + "\r\n                    " + sixteen +
                          "\r\n     L2 Estab.    : permanen\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("     Facilities   : \r\n\r\nTest result"), std::string::npos);
    EXPECT_TRUE(hasLine(report, "                    X.25/B Test result        "));
    EXPECT_TRUE(hasLine(report, "     Channel      : B1  "));
}

} // namespace
} // namespace qv
