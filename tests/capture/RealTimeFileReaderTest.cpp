#include "capture/RealTimeFileReader.h"

#include <gtest/gtest.h>

#include "capture/CaptureTestSupport.h"

namespace qv {
namespace {

using test::numberedRecord;

using Opened = test::OpenedCapture;
using test::expectRecord;

TEST(RealTimeFileReaderTest, LayoutOnDisk) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = test::readFile(test::writeRealTime(dir.file("rt.lvt"), 1000));
    ASSERT_GT(bytes.size(), 210u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 24), "##@@ Real-time file @@##");
    EXPECT_EQ(readU16(bytes.data() + 24), 176);
    EXPECT_EQ(readU16(bytes.data() + 26), 257);
    EXPECT_EQ(readU32(bytes.data() + 26 + 152), 1000u);
    EXPECT_EQ(readU32(bytes.data() + 26 + 156), 1000u);
    std::uint32_t groupBytes = readU32(bytes.data() + 206);
    EXPECT_EQ(readU32(bytes.data() + 202), 0u);
    // One complete group and the header that follows it, nothing more.
    ASSERT_EQ(bytes.size(), 210u + groupBytes + 8u);
    EXPECT_EQ(readU32(bytes.data() + 210 + groupBytes), groupBytes + 12);
    EXPECT_EQ(readU32(bytes.data() + 214 + groupBytes), 0u);
    EXPECT_EQ(bytes[210], 1);
}

// A capture killed while it writes: the group after the last closed one has its header still
// at (chain, 0), no closing header follows its records, and the information block counts the
// closed groups only. Every record written is read, the last one included.
TEST(RealTimeFileReaderTest, AFileLeftByAKilledCaptureKeepsEveryRecord) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = test::readFile(test::writeRealTime(dir.file("rt.lvt"), 1500));
    const std::uint32_t first = readU32(bytes.data() + 206);
    const std::size_t second = 210 + first; // the header of the group still open
    bytes.resize(bytes.size() - 8);         // no closing header
    for (int i = 0; i < 4; ++i)
        bytes[second + 4 + i] = 0;
    for (int i = 0; i < 4; ++i) // the count of the last closed group
        bytes[26 + 156 + i] = static_cast<std::uint8_t>(1000u >> (8 * i));
    for (const std::size_t cut : {std::size_t{0}, std::size_t{7}}) {
        std::vector<std::uint8_t> killed(bytes.begin(), bytes.end() - static_cast<long>(cut));
        test::writeFile(dir.file("killed.lvt"), killed);
        Opened f(dir.file("killed.lvt"));
        ASSERT_TRUE(f.reader);
        // Cut inside the last record: that record is gone, every one before it is there.
        const std::uint32_t whole = cut == 0 ? 1500u : 1499u;
        EXPECT_EQ(f.reader->recordCount(), whole) << cut;
        for (std::uint32_t n : {0u, 999u, 1000u, whole - 1}) {
            ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
            expectRecord(*f.reader, n);
        }
    }
}

// Killed before its first thousand records: the one group it has is still open.
TEST(RealTimeFileReaderTest, AFileKilledInItsFirstGroupKeepsEveryRecord) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = test::readFile(test::writeRealTime(dir.file("rt.lvt"), 500));
    bytes.resize(bytes.size() - 8);
    for (int i = 0; i < 4; ++i) {
        bytes[206 + i] = 0;      // the group's size, not written yet
        bytes[26 + 156 + i] = 0; // no group closed
    }
    test::writeFile(dir.file("killed.lvt"), bytes);
    Opened f(dir.file("killed.lvt"));
    ASSERT_TRUE(f.reader);
    EXPECT_EQ(f.reader->recordCount(), 500u);
    ASSERT_EQ(f.reader->goTo(499), kGoToOk);
    expectRecord(*f.reader, 499);
    EXPECT_TRUE(f.messages.entries().empty()) << "no damage to tell of";
}

TEST(RealTimeFileReaderTest, PositionsAcrossGroups) {
    test::TempDir dir;
    Opened f(test::writeRealTime(dir.file("rt.lvt"), 3500));
    ASSERT_TRUE(f.reader);
    EXPECT_TRUE(f.reader->isRealTimeFile());
    EXPECT_EQ(f.reader->recordCount(), 3500u);
    for (std::uint32_t n :
         {0u, 999u, 1000u, 1001u, 3499u, 2999u, 3000u, 1500u, 5u, 998u, 2000u, 1999u, 0u, 3499u}) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n);
    }
    for (std::uint32_t n = 0; n < 3500; ++n) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n);
    }
    EXPECT_EQ(f.reader->goTo(3500), kGoToOutOfRange);
    EXPECT_TRUE(f.messages.entries().empty());
}

TEST(RealTimeFileReaderTest, InformationStartDateAndFlags) {
    test::TempDir dir;
    RealTimeFileWriter w;
    RealTimeFileDescription d = test::realTimeDescription();
    d.captureFlags = 2 | (5 << 2);
    std::string path = dir.file("rt.lvt");
    ASSERT_TRUE(w.create(path, d));
    w.append(numberedRecord(0));
    ASSERT_TRUE(w.close());
    Opened f(path, {"Bob", "Acme"});
    EXPECT_EQ(f.reader->info().instrumentName, "LVT-30");
    EXPECT_EQ(f.reader->startMonth(), 12);
    EXPECT_EQ(f.reader->startYear(), 2025);
    CaptureFlags flags;
    ASSERT_TRUE(f.reader->captureFlags(flags));
    EXPECT_TRUE(flags.v5);
    EXPECT_EQ(flags.v5Setting, 5);
    EXPECT_FALSE(flags.bit0);
    EXPECT_EQ(f.reader->notes(true), "Name : Bob\r\n"
                                     "Company : Acme\r\n"
                                     "Site : \r\n"
                                     "Instrument : LVT-30 - SN : AB-0123\r\n"
                                     "             Version : V2.10 - B1.04\r\n"
                                     "Capture : From 31/12/2025 - 23:59:00\r\n"
                                     "          To   01/01/2026 - 00:10:00\r\n"
                                     "Notes : \r\n");
}

TEST(RealTimeFileReaderTest, NotesAreAppendedFirstThenRewrittenInPlace) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("rt.lvt"), 1200);
    std::size_t sizeBefore = test::readFile(path).size();
    {
        Opened f(path);
        EXPECT_EQ(f.reader->notes(false), "");
        ASSERT_TRUE(f.reader->setNotes("first words"));
        EXPECT_EQ(f.reader->notes(false), "first words");
    }
    std::vector<std::uint8_t> bytes = test::readFile(path);
    EXPECT_EQ(bytes.size(), sizeBefore + 12 + 11 + 11);
    EXPECT_EQ(readU32(bytes.data() + 26 + 168), sizeBefore - 202);
    {
        Opened f(path);
        EXPECT_EQ(f.reader->notes(false), "first words");
        EXPECT_EQ(f.reader->recordCount(), 1200u);
        ASSERT_EQ(f.reader->goTo(1199), kGoToOk);
        expectRecord(*f.reader, 1199);
        ASSERT_TRUE(f.reader->setNotes("second"));
    }
    EXPECT_EQ(test::readFile(path).size(), bytes.size()); // overwritten where it was
    Opened f(path);
    EXPECT_EQ(f.reader->notes(false), "second");
    EXPECT_FALSE(f.reader->setNotes(std::string(kMaxRealTimeNotes + 1, 'n')));
    ASSERT_TRUE(f.reader->setNotes(std::string(kMaxRealTimeNotes, 'n')));
    Opened g(path);
    EXPECT_EQ(g.reader->notes(false), std::string(kMaxRealTimeNotes, 'n'));
}

TEST(RealTimeFileReaderTest, NotesEntriesThatFailTheirChecksAreIgnored) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("rt.lvt"), 10, "hello");
    std::vector<std::uint8_t> good = test::readFile(path);
    std::size_t entry = readU32(good.data() + 26 + 168) + 210 - 8;
    struct Case {
        const char *name;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"type", entry + 12, {4}},
        {"L' of 2048", entry + 13, {0x00, 0x08}},
        {"byte after L'", entry + 15, {1}},
    };
    {
        Opened f(path);
        EXPECT_EQ(f.reader->notes(false), "hello");
    }
    for (const Case &c : cases) {
        std::vector<std::uint8_t> bad = good;
        std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + static_cast<long>(c.offset));
        test::writeFile(path, bad);
        Opened f(path);
        EXPECT_EQ(f.reader->notes(true), "") << c.name;
        // Saving then appends a fresh entry instead of writing over whatever lies there.
        ASSERT_TRUE(f.reader->setNotes("fresh")) << c.name;
        Opened g(path);
        EXPECT_EQ(g.reader->notes(false), "fresh") << c.name;
        ASSERT_EQ(g.reader->goTo(9), kGoToOk);
        expectRecord(*g.reader, 9);
    }
}

TEST(RealTimeFileReaderTest, DamagedGroupsAndChainsStopSafely) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("rt.lvt"), 2500);
    std::vector<std::uint8_t> good = test::readFile(path);
    std::uint32_t firstGroup = readU32(good.data() + 206);
    struct Case {
        const char *name;
        std::size_t offset;
        std::uint32_t value;
        std::uint32_t expectedCount;
    } cases[] = {
        {"group size past the end", 206, 0x7FFFFFF0u, 2500},
        {"first group size 0", 206, 0, 2500},
        {"first group size 0xFFFFFFF0", 206, 0xFFFFFFF0u, 2500},
        {"record count beyond the records", 26 + 156, 90000, 2500},
        {"no records per group", 26 + 152, 0, 2500},
        {"one record per group", 26 + 152, 1, 2500},
        {"records per group 0xFFFFFFFF", 26 + 152, 0xFFFFFFFFu, 2500},
        {"extension chain past the end", 26 + 160, 5, 2500},
    };
    for (const Case &c : cases) {
        std::vector<std::uint8_t> bad = good;
        writeU32(bad.data() + c.offset, c.value);
        if (c.offset == 26 + 160)
            writeU32(bad.data() + 26 + 164, 210 + firstGroup - 4);
        test::writeFile(path, bad);
        Opened f(path);
        ASSERT_TRUE(f.reader) << c.name;
        EXPECT_EQ(f.reader->recordCount(), c.expectedCount) << c.name;
        EXPECT_TRUE(f.reader->damage().empty()) << c.name << ": the records are whole";
        for (std::uint32_t n = 0; n < f.reader->recordCount(); n += 97) {
            ASSERT_EQ(f.reader->goTo(n), kGoToOk) << c.name << " " << n;
            expectRecord(*f.reader, n);
        }
    }
    // A truncated last block: the records before it are all there.
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 30);
    test::writeFile(path, cut);
    Opened f(path);
    EXPECT_EQ(f.reader->recordCount(), 2499u);
    ASSERT_EQ(f.reader->goTo(2498), kGoToOk);
    expectRecord(*f.reader, 2498);
    // A marker and half an information block.
    test::writeFile(path, std::vector<std::uint8_t>(good.begin(), good.begin() + 100));
    Opened g(path);
    EXPECT_EQ(g.reader->recordCount(), 0u);
    EXPECT_EQ(g.reader->goTo(0), kGoToOutOfRange);
}

TEST(RealTimeFileReaderTest, DamageInsideAClosedGroupIsFoundWhenTheGroupIsUsed) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("rt.lvt"), 2500);
    std::vector<std::uint8_t> bytes = test::readFile(path);
    std::size_t at = 210;
    for (std::uint32_t i = 0; i < 1500; ++i) {
        if (i == 1000)
            at += 8; // the second group's header
        at += readU16(bytes.data() + at + 1) + 5u;
    }
    writeU16(bytes.data() + at + 1, 9); // record 1500 no longer matches its data length
    test::writeFile(path, bytes);
    Opened f(path);
    EXPECT_EQ(f.reader->recordCount(), 2500u) << "the groups' sizes still add up";
    EXPECT_TRUE(f.messages.entries().empty());
    ASSERT_EQ(f.reader->goTo(2400), kGoToOk);
    expectRecord(*f.reader, 2400);
    ASSERT_EQ(f.reader->goTo(1200), kGoToOk);
    expectRecord(*f.reader, 1200);
    // The damaged record is stepped over: the group's later records follow on from 1500, and
    // the group's last number has no record.
    const std::size_t length = numberedRecord(1500).dataLength + 15u;
    EXPECT_EQ(f.messages.texts(),
              std::vector<std::string>{"The capture is damaged: bytes " + std::to_string(at) +
                                       " to " + std::to_string(at + length - 1) +
                                       " after frame 1500 cannot be read, 499 frames after them "
                                       "recovered"});
    for (std::uint32_t n : {1500u, 1700u, 1998u, 1499u, 1501u}) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n < 1500 ? n : n + 1);
    }
    ASSERT_EQ(f.reader->goTo(1998), kGoToOk);
    ASSERT_EQ(f.reader->goTo(2001), kGoToOk) << "over the number without a record";
    expectRecord(*f.reader, 2001);
    EXPECT_EQ(f.reader->goTo(1999), kGoToUnreadable);
    EXPECT_EQ(f.messages.entries().size(), 1u) << "one message for the damaged group";
    ASSERT_EQ(f.reader->goTo(2000), kGoToOk);
    expectRecord(*f.reader, 2000);
    ASSERT_EQ(f.reader->goTo(5), kGoToOk);
    expectRecord(*f.reader, 5);
}

TEST(RealTimeFileReaderTest, ExtensionChainSetsTheChainedFlag) {
    test::TempDir dir;
    std::string path = test::writeRealTime(dir.file("rt.lvt"), 20);
    std::vector<std::uint8_t> bytes = test::readFile(path);
    std::uint32_t chainAt = static_cast<std::uint32_t>(bytes.size());
    // Two entries covering 12 and 8 records.
    for (std::uint32_t n : {12u, 8u}) {
        appendU32(bytes, 0);
        appendU32(bytes, 8);
        appendU32(bytes, n);
        appendU32(bytes, 0xDEADBEEF);
    }
    writeU32(bytes.data() + 26 + 160, 20);
    writeU32(bytes.data() + 26 + 164, chainAt);
    test::writeFile(path, bytes);
    Opened f(path);
    EXPECT_EQ(f.reader->chainedFlag(), 1);
    EXPECT_EQ(f.reader->recordCount(), 20u);
    Opened plain(test::writeRealTime(dir.file("plain.lvt"), 20));
    EXPECT_EQ(plain.reader->chainedFlag(), 0);
}

} // namespace
} // namespace qv
