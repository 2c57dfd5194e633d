// The driver's error marks taken out of the input.
#include "comm/ParmrkDecoder.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

using Bytes = std::vector<std::uint8_t>;

} // namespace

TEST(ParmrkDecoder, MarksBecomeErrorsAndDataComesBackAsSent) {
    struct Case {
        Bytes raw;
        Bytes data;
        unsigned errors;
    };
    const Case cases[] = {
        {{0x41, 0x42}, {0x41, 0x42}, 0},
        {{0xFF, 0xFF}, {0xFF}, 0},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0x00}, 0},
        {{0x41, 0xFF, 0x00, 0x00, 0x42}, {0x41, 0x42}, kLineBreak},
        {{0xFF, 0x00, 0x55}, {0x55}, kLineFraming},
        {{0xFF, 0x00, 0xFF}, {0xFF}, kLineFraming},
        {{0xFF, 0x00, 0x00, 0xFF, 0x00, 0x13}, {0x13}, kLineBreak | kLineFraming},
        // Not a mark the driver makes: taken as data rather than lost.
        {{0xFF, 0x41}, {0xFF, 0x41}, 0},
    };
    for (const Case &c : cases) {
        ParmrkDecoder decoder;
        Bytes out;
        EXPECT_EQ(decoder.feed(c.raw, out), c.errors);
        EXPECT_EQ(out, c.data);
        EXPECT_FALSE(decoder.midMark());
    }
    ParmrkDecoder parity;
    Bytes out;
    EXPECT_EQ(parity.feed(Bytes{0xFF, 0x00, 0x31}, out, kLineParity), kLineParity);
}

TEST(ParmrkDecoder, AMarkSplitBetweenReadsIsCompletedByTheNext) {
    const Bytes raw = {0x10, 0xFF, 0xFF, 0x20, 0xFF, 0x00, 0x00, 0x30, 0xFF, 0x00, 0x66, 0x40};
    for (std::size_t cut = 0; cut <= raw.size(); ++cut) {
        ParmrkDecoder decoder;
        Bytes out;
        unsigned errors = decoder.feed(std::span(raw.data(), cut), out);
        errors |= decoder.feed(std::span(raw.data() + cut, raw.size() - cut), out);
        EXPECT_EQ(out, (Bytes{0x10, 0xFF, 0x20, 0x30, 0x66, 0x40})) << "cut at " << cut;
        EXPECT_EQ(errors, kLineBreak | kLineFraming) << "cut at " << cut;
    }
    // After a purge, half a mark is forgotten.
    ParmrkDecoder decoder;
    Bytes out;
    decoder.feed(Bytes{0xFF}, out);
    EXPECT_TRUE(decoder.midMark());
    decoder.reset();
    decoder.feed(Bytes{0x00, 0x00}, out);
    EXPECT_EQ(out, (Bytes{0x00, 0x00}));
    EXPECT_EQ(describeLineErrors(kLineBreak | kLineParity), "break, parity error");
    EXPECT_EQ(describeLineErrors(0), "");
}
