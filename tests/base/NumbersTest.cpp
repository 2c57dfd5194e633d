#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/Pinned.h"

namespace qv {
namespace {

// The numbers of base/digits.txt, then hexadecimal numbers with their 0x.
TEST(Numbers, DigitsAloneWithinTheirLimit) {
    test::expectTable("base/digits.txt", [](const std::string &input) {
        std::istringstream words(input);
        std::string base, max;
        words >> base >> base >> max >> max;
        const std::string text =
            input.substr(input.find('"') + 1, input.rfind('"') - input.find('"') - 1);
        const std::optional<std::uint32_t> value =
            parseDigits(text, static_cast<unsigned>(std::stoul(base)),
                        static_cast<std::uint32_t>(std::stoul(max, nullptr, 0)));
        return value ? std::to_string(*value) : std::string("none");
    });
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
