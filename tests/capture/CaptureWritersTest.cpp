#include "capture/CaptureWriters.h"

#include <gtest/gtest.h>

#include "capture/CaptureTestSupport.h"

namespace qv {
namespace {

TEST(CaptureWritersTest, RecordBlockIsFramedBothWays) {
    LvtRecord r;
    r.setTime(31, 23, 59, 58, 999);
    r.kind = 1;
    r.status = 2;
    r.direction = 1;
    r.month = 12;
    r.dataLength = 3;
    r.data[0] = 0x02;
    r.data[1] = 0x01;
    r.data[2] = 0x7F;
    std::vector<std::uint8_t> out;
    appendRecordBlock(out, r);
    std::vector<std::uint8_t> expected = {0x01, 13,   0,                // type, L = D + 10
                                          0xFB, 0xFD, 0xE7, 0xEB,       // time words
                                          1,    2,    1,    12,   3, 0, // kind .. D
                                          0x02, 0x01, 0x7F, 13,   0};   // octets, trailer
    EXPECT_EQ(out, expected);
}

TEST(CaptureWritersTest, StoredInformationBlockFieldOffsets) {
    struct Case {
        StoredIdentity identity;
        std::size_t dates;
        std::size_t flags;
    } cases[] = {
        {StoredIdentity::Lvt60, 11, 47},         {StoredIdentity::Lvt30, 36, 74},
        {StoredIdentity::Lvt30Anonymous, 6, 44}, {StoredIdentity::Ksm, 36, 74},
        {StoredIdentity::None, 0, 38},
    };
    for (const Case &c : cases) {
        StoredFileDescription d = test::lvt30Description();
        d.identity = c.identity;
        d.captureFlags = 0xA5;
        d.notes = "hi";
        std::vector<std::uint8_t> block = buildStoredInformationBlock(d);
        ASSERT_EQ(block.size(), 2u + 87u);
        if (c.identity != StoredIdentity::Lvt30Anonymous) {
            EXPECT_EQ(readU16(block.data() + c.dates), 12);
        }
        EXPECT_EQ(readU16(block.data() + c.dates + 4), 2026);
        EXPECT_EQ(readU16(block.data() + c.dates + 12), 12);
        EXPECT_EQ(block[c.flags], 0xA5);
        EXPECT_EQ(block[76], 3);
        EXPECT_EQ(readU16(block.data() + 77), 8); // n + 6
        EXPECT_EQ(std::string(block.begin() + 84, block.begin() + 86), "hi");
        EXPECT_EQ(block[86], 0);
        EXPECT_EQ(readU16(block.data() + 87), 8);
    }
}

TEST(CaptureWritersTest, RealTimeGroupsCloseEveryThousandAndAtClose) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("g.lvt"), 1001);
    std::vector<std::uint8_t> b = test::readFile(path);
    std::uint32_t first = readU32(b.data() + 206);
    std::size_t second = 210 + first;
    EXPECT_EQ(readU32(b.data() + second), first + 12);
    std::uint32_t secondBytes = readU32(b.data() + second + 4);
    EXPECT_EQ(secondBytes, test::numberedRecord(1000).dataLength + 15u);
    std::size_t trailing = second + 8 + secondBytes;
    ASSERT_EQ(b.size(), trailing + 8);
    EXPECT_EQ(readU32(b.data() + trailing), secondBytes + 12);
    EXPECT_EQ(readU32(b.data() + 26 + 156), 1001u);

    std::vector<std::uint8_t> empty = test::readFile(test::writeRealTime(dir.file("e.lvt"), 0));
    EXPECT_EQ(empty.size(), 210u);
}

} // namespace
} // namespace qv
