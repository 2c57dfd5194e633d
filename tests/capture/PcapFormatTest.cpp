// The direction rules of the LAPD link types and the calendar of pcap timestamps.
#include "capture/PcapFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

std::array<std::uint8_t, 16> header(std::uint8_t type0, std::uint8_t type1, std::uint8_t we) {
    std::array<std::uint8_t, 16> h{};
    h[0] = type0;
    h[1] = type1;
    h[6] = we;
    return h;
}

TEST(PcapFormat, LinuxLapdHeaderReadsAsWiresharkDoes) {
    struct Case {
        std::uint8_t type0, type1, weNetwork;
        bool userToNetwork;
    };
    const Case cases[] = {
        {0, 4, 0, true},  {0, 4, 1, false}, // outgoing
        {0, 3, 0, true},  {0, 3, 1, true},  // another host's
        {0, 0, 0, false}, {0, 0, 1, true},  // incoming
        {4, 0, 0, false}, {4, 0, 1, true},  // byte-swapped outgoing counts as incoming
    };
    for (const Case &c : cases)
        EXPECT_EQ(linuxLapdUserToNetwork(header(c.type0, c.type1, c.weNetwork).data()),
                  c.userToNetwork)
            << int(c.type0) << "," << int(c.type1) << " we=" << int(c.weNetwork);
}

TEST(PcapFormat, WrittenHeaderCarriesTheDirection) {
    for (bool user : {true, false}) {
        std::uint8_t h[16];
        writeLinuxLapdHeader(h, user);
        EXPECT_EQ(linuxLapdUserToNetwork(h), user);
        EXPECT_EQ(h[0], 0);
        EXPECT_EQ(h[1], user ? 4 : 0);
        EXPECT_EQ(h[6], 0); // captured on the user side
        EXPECT_EQ(h[14], 0x00);
        EXPECT_EQ(h[15], 0x30);
    }
}

TEST(PcapFormat, BareLapdDirectionFromCommandResponse) {
    struct Case {
        std::vector<std::uint8_t> frame;
        bool userToNetwork;
        const char *what;
    };
    const Case cases[] = {
        {{0x00, 0x81, 0x00, 0x00, 0x08}, true, "I frame, C/R 0"},
        {{0x02, 0x81, 0x00, 0x00, 0x08}, false, "I frame, C/R 1"},
        {{0x00, 0x81, 0x7F}, true, "SABME, C/R 0"},
        {{0x02, 0x81, 0x7F}, false, "SABME, C/R 1"},
        {{0x00, 0x81, 0x73}, false, "UA, C/R 0"},
        {{0x02, 0x81, 0x73}, true, "UA, C/R 1"},
        {{0x02, 0x81, 0x1F}, true, "DM, C/R 1"},
        {{0x00, 0x81, 0x87}, false, "FRMR, C/R 0"},
        {{0x00, 0x01, 0x01, 0x01}, true, "RR poll, C/R 0"},
        {{0x02, 0x01, 0x01, 0x01}, false, "RR poll, C/R 1"},
        {{0x02, 0x01, 0x01, 0x00}, true, "RR with F clear: a response, C/R 1"},
        {{0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}, true, "TEI identity request"},
        {{0xFE, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x02, 0x81}, false, "TEI identity assigned"},
        {{0xFC, 0xFF, 0x03, 0x0F, 0x00, 0x00, 0x04, 0xFF}, false, "TEI check, C/R 0"},
        {{0xFE, 0xFF, 0x03, 0x0F, 0x00, 0x00, 0x05, 0x81}, true, "TEI check response, C/R 1"},
        {{0x00}, false, "too short"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LapdDirectionGuess().userToNetwork(c.frame.data(), c.frame.size()),
                  c.userToNetwork)
            << c.what;
}

TEST(PcapFormat, CalendarDaysBothWays) {
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(daysFromCivil(2026, 12, 7), 20794);
    EXPECT_EQ(daysFromCivil(2000, 3, 1) - daysFromCivil(2000, 2, 28), 2); // leap year
    EXPECT_EQ(daysFromCivil(1969, 12, 31), -1);
    for (std::int64_t days : {-1000L, 0L, 11016L, 20794L, 60000L}) {
        std::int64_t y = 0;
        unsigned m = 0, d = 0;
        civilFromDays(days, y, m, d);
        EXPECT_EQ(daysFromCivil(y, m, d), days);
    }
}

TEST(PcapFormat, MagicNumbersAndNames) {
    const std::uint8_t magics[][4] = {{0xD4, 0xC3, 0xB2, 0xA1},
                                      {0xA1, 0xB2, 0xC3, 0xD4},
                                      {0x4D, 0x3C, 0xB2, 0xA1},
                                      {0xA1, 0xB2, 0x3C, 0x4D},
                                      {0x0A, 0x0D, 0x0D, 0x0A}};
    for (const auto &m : magics)
        EXPECT_TRUE(isPcapMagic(m, 4));
    const std::uint8_t other[] = {'#', '#', '@', '@'};
    EXPECT_FALSE(isPcapMagic(other, 4));
    EXPECT_FALSE(isPcapMagic(magics[0], 3));
    EXPECT_TRUE(isPcapNgName("a/b.pcapng"));
    EXPECT_TRUE(isPcapNgName("B.PCAPNG"));
    EXPECT_FALSE(isPcapNgName("b.pcap"));
    EXPECT_FALSE(isPcapNgName("pcapng"));
}

} // namespace
} // namespace qv
