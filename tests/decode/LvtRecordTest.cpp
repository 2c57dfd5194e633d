#include "decode/LvtRecord.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

LvtRecord at(unsigned day, unsigned month) {
    LvtRecord r;
    r.month = static_cast<std::uint8_t>(month);
    r.setTime(day, 0, 0, 0, 0);
    return r;
}

TEST(LvtRecordTest, StatusTextsFollowTheRecordKind) {
    struct Case {
        std::uint8_t kind, status;
        const char *text;
    } cases[] = {
        {1, 0, "Good"},
        {1, 1, "Bad"},
        {1, 2, "Frame aborted"},
        {1, 6, "Frame error"},
        {1, 7, "-"},
        {0, 4, "None"},
        {0x81, 1, "Overflow in Real-Time mode on the Tester equipment"},
        {0x81, 0, "-"},
    };
    for (const Case &c : cases) {
        LvtRecord r;
        r.kind = c.kind;
        r.status = c.status;
        EXPECT_EQ(statusText(r), c.text) << int(c.kind) << "/" << int(c.status);
    }
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
