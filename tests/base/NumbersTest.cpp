#include "base/Numbers.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Numbers, DigitsAloneWithinTheirLimit) {
    struct Case {
        const char *text;
        unsigned base;
        std::uint32_t max;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"127", 10, 127, 127},
        {"128", 10, 127, std::nullopt},
        {"4294967295", 10, 0xFFFFFFFF, 4294967295u},
        {"4294967296", 10, 0xFFFFFFFF, std::nullopt},
        {"99999999999999999999", 10, 0xFFFFFFFF, std::nullopt},
        {"7f", 16, 0xFF, 0x7F},
        {"7F", 16, 0xFF, 0x7F},
        {"7f", 10, 0xFF, std::nullopt},
        {"", 10, 9, std::nullopt},
        {"+1", 10, 9, std::nullopt},
        {" 1", 10, 9, std::nullopt},
        {"1 ", 10, 9, std::nullopt},
        {"0x7f", 16, 0xFF, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseDigits(c.text, c.base, c.max), c.value) << c.text << " base " << c.base;
    EXPECT_EQ(parseHexNumber("0x7FFF", 0x7FFF), 0x7FFFu);
    EXPECT_EQ(parseHexNumber("7fff", 0x7FFF), 0x7FFFu);
    EXPECT_EQ(parseHexNumber("0x8000", 0x7FFF), std::nullopt);
    EXPECT_EQ(parseHexNumber("0x"), std::nullopt);
}

TEST(Numbers, OctetsAreDigitPairs) {
    using Octets = std::vector<std::uint8_t>;
    EXPECT_EQ(parseHexOctets("A1 04 03"), (Octets{0xA1, 0x04, 0x03}));
    EXPECT_EQ(parseHexOctets("a10403"), (Octets{0xA1, 0x04, 0x03}));
    EXPECT_EQ(parseHexOctets("08:01-05", ":-"), (Octets{0x08, 0x01, 0x05}));
    for (const char *wrong : {"", "   ", "A", "A1 0", "A 1", "G1", "0x41", "41,42", "08:01"})
        EXPECT_EQ(parseHexOctets(wrong), std::nullopt) << wrong;
}

TEST(Numbers, WrittenDigits) {
    std::string out;
    appendHex(out, 0x5, 1);
    appendHex(out, 0xA);
    out += ' ';
    appendHex(out, 0x1234, 2);
    out += ' ';
    appendDecimal(out, 42, 5);
    EXPECT_EQ(out, "50A 1234 00042");
    const std::uint8_t bcd[] = {0x12, 0x34}, notBcd[] = {0x1A};
    EXPECT_EQ(bcdDigits(bcd, 2), "1234");
    EXPECT_EQ(bcdDigits(notBcd, 1), std::nullopt);
}

} // namespace
} // namespace qv
