#include "decode/LvtRecord.h"

#include <gtest/gtest.h>

#include "support/Pinned.h"

namespace qv {
namespace {

LvtRecord at(unsigned day, unsigned month) {
    LvtRecord r;
    r.month = static_cast<std::uint8_t>(month);
    r.setTime(day, 0, 0, 0, 0);
    return r;
}

TEST(LvtRecordTest, StatusTextsFollowTheRecordKind) {
    test::expectTable("decode/status-texts.txt", [](const std::string &input) {
        LvtRecord r;
        r.kind = static_cast<std::uint8_t>(std::stoul(input.substr(5), nullptr, 0));
        r.status = static_cast<std::uint8_t>(std::stoul(input.substr(input.rfind(' ') + 1)));
        return statusText(r);
    });
}

TEST(LvtRecordTest, DirectionTextsInShortLongAndV5Forms) {
    LvtRecord r;
    r.direction = 0;
    EXPECT_EQ(directionShortText(r), "     <==");
    EXPECT_EQ(directionLongText(r), "NT->TE");
    EXPECT_EQ(directionLongText(r, true), "LE->AN");
    r.direction = 7;
    EXPECT_EQ(directionShortText(r), "==>     ");
    EXPECT_EQ(directionLongText(r), "TE->NT");
    EXPECT_EQ(directionLongText(r, true), "AN->LE");
}

TEST(LvtRecordTest, ActivationEventsAreTheStateEvents) {
    for (int code = 0; code < 30; ++code) {
        bool expected = code <= 3 || (code >= 22 && code <= 24);
        EXPECT_EQ(isActivationEvent(static_cast<std::uint8_t>(code)), expected) << code;
    }
    EXPECT_EQ(layer1EventText(8), "CRC  Begin");
    EXPECT_EQ(layer1EventText(24), "U and S activated");
    EXPECT_EQ(layer1EventText(25), "Unknown");
}

TEST(LvtRecordTest, RunningYearFollowsNewYearInBothDirections) {
    DateTracker dates;
    dates.start(12, 2025);
    EXPECT_EQ(dates.dateText(at(31, 12)), "31/12/2025");
    EXPECT_EQ(dates.dateText(at(1, 1)), "01/01/2026");
    EXPECT_EQ(dates.dateText(at(2, 1)), "02/01/2026");
    // Read backwards across New Year: the year goes back again.
    EXPECT_EQ(dates.dateText(at(31, 12)), "31/12/2025");
    EXPECT_EQ(dates.dateText(at(30, 11)), "30/11/2025");
}

} // namespace
} // namespace qv
