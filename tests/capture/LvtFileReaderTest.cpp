#include "capture/LvtFileReader.h"

#include <gtest/gtest.h>

#include "capture/CaptureFileOpener.h"
#include "capture/CaptureTestSupport.h"

namespace qv {
namespace {

using test::numberedRecord;

using Opened = test::OpenedCapture;
using test::expectRecord;

TEST(LvtFileReaderTest, PositionsForwardsBackwardsAndByNumber) {
    test::TempDir dir;
    Opened f(test::writeStored(dir.file("m.lvt"), 6000));
    ASSERT_TRUE(f.reader);
    EXPECT_FALSE(f.reader->isRealTimeFile());
    EXPECT_EQ(f.reader->recordCount(), 6000u);
    EXPECT_EQ(f.reader->lastIndex(), 5999u);
    for (std::uint32_t n : {0u, 1u, 2u, 5999u, 5000u, 3000u, 4500u, 4499u, 17u, 16u, 15u, 5998u, 0u,
                            2999u, 3000u, 3001u}) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n);
    }
    for (std::uint32_t n = 100; n < 140; ++n) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk);
        expectRecord(*f.reader, n);
    }
    for (std::uint32_t n = 140; n-- > 100;) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk);
        expectRecord(*f.reader, n);
    }
    EXPECT_EQ(f.reader->goTo(6000), kGoToOutOfRange);
    ASSERT_EQ(f.reader->goTo(6), kGoToOk);
    expectRecord(*f.reader, 6);
    EXPECT_TRUE(f.messages.entries().empty());
}

TEST(LvtFileReaderTest, InformationBlockVariants) {
    struct Case {
        const char *name;
        StoredFileDescription d;
        const char *instrument;
        const char *serial;
        const char *v1;
        const char *v2;
        bool dated = true; // an anonymous block's dates start at byte 6, which must stay 0
    };
    StoredFileDescription lvt60;
    lvt60.identity = StoredIdentity::Lvt60;
    lvt60.serialPrefix = {'A', 'B'};
    lvt60.serialValue = 7;
    StoredFileDescription ksm;
    ksm.identity = StoredIdentity::Ksm;
    ksm.instrumentName = "KSM-2";
    ksm.firstVersion = "1.2";
    ksm.secondVersion = "3.4";
    ksm.ksmSerial = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    StoredFileDescription anonymous;
    anonymous.identity = StoredIdentity::Lvt30Anonymous;
    StoredFileDescription none;
    none.identity = StoredIdentity::None;
    Case cases[] = {
        {"lvt30", test::lvt30Description(), "LVT-30", "AB-0123", "V2.10", "B1.04"},
        {"lvt60", lvt60, "LVT-60", "AB-0007", "", ""},
        {"ksm", ksm, "KSM-2", "0123456789ABCDEF", "1.2", "3.4"},
        {"anonymous", anonymous, "", "", "", "", false},
        {"none", none, "", "", "", ""},
    };
    test::TempDir dir;
    for (Case &c : cases) {
        CaptureDateTime start{1, 2, 2026, 3, 4, 5}, end{6, 7, 2026, 8, 9, 10};
        if (!c.dated)
            start.day = 0;
        c.d.start = start;
        c.d.end = end;
        c.d.captureFlags = 0x0B; // V5, setting 2, bit 0
        Opened f(test::writeStored(dir.file("i.lvt"), 3, c.d));
        ASSERT_TRUE(f.reader) << c.name;
        const CaptureInfo &info = f.reader->info();
        EXPECT_EQ(info.instrumentName, c.instrument) << c.name;
        EXPECT_EQ(info.displaySerial(), c.serial) << c.name;
        EXPECT_EQ(info.firstVersion, c.v1) << c.name;
        EXPECT_EQ(info.secondVersion, c.v2) << c.name;
        EXPECT_EQ(info.start, start) << c.name;
        EXPECT_EQ(info.end, end) << c.name;
        EXPECT_EQ(info.startMonth, 0);
        CaptureFlags flags;
        ASSERT_TRUE(f.reader->captureFlags(flags));
        EXPECT_TRUE(flags.v5) << c.name;
        EXPECT_EQ(flags.v5Setting, 2) << c.name;
        EXPECT_TRUE(flags.bit0) << c.name;
        EXPECT_EQ(f.reader->recordCount(), 3u);
    }
}

TEST(LvtFileReaderTest, DefaultNotesTextAndItsMark) {
    test::TempDir dir;
    Opened f(test::writeStored(dir.file("n.lvt"), 2), {"Ada Lovelace", "Vennmark"});
    std::string expected = "Name : Ada Lovelace\r\n"
                           "Company : Vennmark\r\n"
                           "Site : \r\n"
                           "Instrument : LVT-30 - SN : AB-0123\r\n"
                           "             Version : V2.10 - B1.04\r\n"
                           "Capture : From 12/03/2026 - 10:15:02\r\n"
                           "          To   12/03/2026 - 11:00:59\r\n"
                           "Notes : \r\n";
    EXPECT_EQ(f.reader->notes(true), expected);
    EXPECT_EQ(f.reader->notes(false), ""); // the generated text is not a note
}

TEST(LvtFileReaderTest, DefaultNotesLeaveOutUnknownParts) {
    test::TempDir dir;
    StoredFileDescription d;
    d.identity = StoredIdentity::None;
    d.start = {0, 0, 0, 0, 0, 0};
    Opened f(test::writeStored(dir.file("n.lvt"), 2, d));
    EXPECT_EQ(f.reader->notes(true), "Name : \r\nCompany : \r\nSite : \r\nNotes : \r\n");
}

TEST(LvtFileReaderTest, NotesRoundTripInsideTheInformationBlock) {
    test::TempDir dir;
    std::string path = test::writeStored(dir.file("r.lvt"), 50);
    std::string longest(kMaxStoredNotes, 'x');
    longest.front() = 'A';
    longest.back() = 'Z';
    for (const std::string &text :
         {std::string("Line 1\r\nLine 2"), longest, std::string("short")}) {
        {
            Opened f(path);
            ASSERT_TRUE(f.reader->setNotes(text));
            EXPECT_EQ(f.reader->notes(false), text);
            ASSERT_EQ(f.reader->goTo(49), kGoToOk); // records untouched, stream still usable
            expectRecord(*f.reader, 49);
        }
        Opened again(path);
        EXPECT_EQ(again.reader->notes(false), text);
        EXPECT_EQ(again.reader->recordCount(), 50u);
        EXPECT_EQ(again.reader->info().serialNumber, "AB-0123");
        ASSERT_EQ(again.reader->goTo(49), kGoToOk);
        expectRecord(*again.reader, 49);
    }
    std::vector<std::uint8_t> before = test::readFile(path);
    Opened f(path);
    EXPECT_FALSE(f.reader->setNotes(std::string(kMaxStoredNotes + 1, 'y')));
    EXPECT_EQ(test::readFile(path), before);
}

TEST(LvtFileReaderTest, OpenFailuresGiveTheirMessageAndCode) {
    test::TempDir dir;
    RecordingUserMessages messages;
    {
        LvtFileReader both(dir.file("x.lvt"), true, messages, {});
        EXPECT_EQ(both.open(), kOpenAmbiguous);
        LvtFileReader neither("", false, messages, {});
        EXPECT_EQ(neither.open(), kOpenAmbiguous);
        LvtFileReader missing(dir.file("missing.lvt"), false, messages, {});
        EXPECT_EQ(missing.goTo(0), kGoToOpenFailed);
        test::writeFile(dir.file("empty.lvt"), {});
        LvtFileReader empty(dir.file("empty.lvt"), false, messages, {});
        EXPECT_EQ(empty.open(), kOpenEmpty);
    }
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{kMsgAmbiguousFile, kMsgAmbiguousFile,
                                                          kMsgUnableToOpen, kMsgFileEmpty}));

    test::writeFile(dir.file("bad.lvt"), {0x02, 0x00});
    RecordingUserMessages quiet;
    EXPECT_EQ(CaptureFileOpener(dir.file("bad.lvt"), false, quiet).createReader(), nullptr);
    EXPECT_EQ(CaptureFileOpener(dir.file("empty.lvt"), false, quiet).createReader(), nullptr);
    EXPECT_TRUE(quiet.entries().empty());
}

// Replaces the block of record n (built by numberedRecord) with the given bytes.
std::vector<std::uint8_t> storedWith(std::uint32_t count, std::uint32_t damaged,
                                     const std::vector<std::uint8_t> &block) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i == damaged)
            bytes.insert(bytes.end(), block.begin(), block.end());
        else
            appendRecordBlock(bytes, numberedRecord(i));
    }
    appendFrameBlock(bytes, 1, buildStoredInformationBlock(test::lvt30Description()));
    return bytes;
}

TEST(LvtFileReaderTest, DamagedBlocksAreReportedNotFollowed) {
    test::TempDir dir;
    struct Case {
        const char *name;
        std::vector<std::uint8_t> block;
        std::uint32_t expectedCount;
    };
    std::vector<std::uint8_t> shortBlock = {1, 4, 0, 9, 9, 9, 9, 4, 0};
    std::vector<std::uint8_t> tooLong = {1};
    appendU16(tooLong, 283);
    tooLong.insert(tooLong.end(), {0, 0, 0, 0, 1, 0, 1, 5});
    appendU16(tooLong, 273);
    tooLong.insert(tooLong.end(), 273, 0xAA);
    appendU16(tooLong, 283);
    Case cases[] = {
        {"L below 10", shortBlock, 4},
        {"D above 272 with L = D + 10", tooLong, 5},
    };
    for (const Case &c : cases) {
        std::string path = dir.file("d.lvt");
        test::writeFile(path, storedWith(5, 0, c.block));
        Opened f(path);
        ASSERT_TRUE(f.reader) << c.name;
        EXPECT_EQ(f.reader->recordCount(), c.expectedCount) << c.name;
    }
    // Damage before the first record: the first read after opening finds the record after it,
    // and the information block stays the one that ends the file.
    {
        test::writeFile(dir.file("d.lvt"), storedWith(5, 0, shortBlock));
        Opened f(dir.file("d.lvt"));
        ASSERT_EQ(f.reader->goTo(0), kGoToOk);
        expectRecord(*f.reader, 1);
        EXPECT_EQ(f.reader->info().instrumentName, "LVT-30");
        ASSERT_TRUE(f.reader->setNotes("after the damage"));
        Opened g(dir.file("d.lvt"));
        EXPECT_EQ(g.reader->notes(false), "after the damage");
        ASSERT_EQ(g.reader->goTo(3), kGoToOk);
        expectRecord(*g.reader, 4);
    }
    // D above 272 yet L = D + 10: counted, but refused when read.
    {
        std::string path = dir.file("d2.lvt");
        test::writeFile(path, storedWith(5, 2, tooLong));
        Opened f(path);
        EXPECT_EQ(f.reader->recordCount(), 5u);
        EXPECT_EQ(f.reader->goTo(1), kGoToOk);
        EXPECT_EQ(f.reader->goTo(2), kGoToUnreadable);
        EXPECT_EQ(f.messages.texts(), std::vector<std::string>{kMsgLvtFileError});
        EXPECT_EQ(f.reader->info().start.day, 0xFFFF);
        EXPECT_EQ(f.reader->notes(true).find("Capture :"), std::string::npos);
        ASSERT_EQ(f.reader->goTo(3), kGoToOk);
        expectRecord(*f.reader, 3);
    }
    // A record block of another type is not read, silently.
    {
        std::vector<std::uint8_t> typed;
        appendRecordBlock(typed, numberedRecord(1));
        typed[0] = 2;
        std::string path = dir.file("t.lvt");
        test::writeFile(path, storedWith(3, 1, typed));
        Opened f(path);
        EXPECT_EQ(f.reader->recordCount(), 3u);
        EXPECT_EQ(f.reader->goTo(1), kGoToUnreadable);
        EXPECT_TRUE(f.messages.entries().empty());
        ASSERT_EQ(f.reader->goTo(2), kGoToOk);
        expectRecord(*f.reader, 2);
    }
    // Only record 0's first block is looked at when no record exists.
    {
        std::string path = dir.file("s.lvt");
        test::writeFile(path, shortBlock);
        Opened f(path);
        EXPECT_EQ(f.reader->recordCount(), 0u);
        EXPECT_EQ(f.reader->goTo(0), kGoToOutOfRange);
        EXPECT_EQ(f.messages.texts(), std::vector<std::string>{kMsgNotLvtRecord});
    }
}

TEST(LvtFileReaderTest, TheRecordsAfterADamagedBlockAreRecovered) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = test::readFile(test::writeStored(dir.file("s.lvt"), 3000));
    std::size_t at = 0;
    for (std::uint32_t i = 0; i < 1500; ++i)
        at += numberedRecord(i).dataLength + 15u;
    const std::size_t length = numberedRecord(1500).dataLength + 15u;
    writeU16(bytes.data() + at + 1, 0x7777); // record 1501 (numbered from 1) loses its length
    test::writeFile(dir.file("d.lvt"), bytes);
    Opened f(dir.file("d.lvt"));
    EXPECT_EQ(f.reader->recordCount(), 2999u);
    EXPECT_EQ(f.reader->info().start.year, 2026) << "the information block is still found";
    ASSERT_EQ(f.reader->damage().size(), 1u);
    EXPECT_EQ(f.reader->damage()[0].framesBefore, 1500u);
    EXPECT_EQ(f.reader->damage()[0].from, at);
    EXPECT_EQ(f.reader->damage()[0].to, at + length);
    EXPECT_EQ(f.messages.texts(),
              std::vector<std::string>{"The capture is damaged: bytes " + std::to_string(at) +
                                       " to " + std::to_string(at + length - 1) +
                                       " after frame 1500 cannot be read, 1499 frames after "
                                       "them recovered"});
    // Frames before and after the damage, reached directly and in sequence.
    for (std::uint32_t n : {2998u, 1499u, 1500u, 1501u, 1502u, 0u, 1517u, 1500u}) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n < 1500 ? n : n + 1);
    }
    for (std::uint32_t n = 1490; n < 1530; ++n) {
        ASSERT_EQ(f.reader->goTo(n), kGoToOk) << n;
        expectRecord(*f.reader, n < 1500 ? n : n + 1);
    }
}

TEST(LvtFileReaderTest, TrailerMismatchTruncationAndInformationOnly) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes = storedWith(4, 99, {});
    // Break the trailer of record 1: stepping must still find records 2 and 0.
    std::size_t r0 = numberedRecord(0).dataLength + 15u;
    std::size_t r1 = numberedRecord(1).dataLength + 15u;
    writeU16(bytes.data() + r0 + r1 - 2, 0x7FFF);
    test::writeFile(dir.file("trailer.lvt"), bytes);
    {
        Opened f(dir.file("trailer.lvt"));
        EXPECT_EQ(f.reader->recordCount(), 4u);
        for (std::uint32_t n : {3u, 2u, 1u, 0u, 2u}) {
            ASSERT_EQ(f.reader->goTo(n), kGoToOk);
            if (n != 1)
                expectRecord(*f.reader, n);
        }
        ASSERT_EQ(f.reader->goTo(1), kGoToOk);
        EXPECT_EQ(f.reader->recordBuffer().trailerLength, 0x7FFF);
    }
    // A file cut inside its last record: that block is taken as the information block.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + r0 + r1 + 7);
    test::writeFile(dir.file("cut.lvt"), cut);
    {
        Opened f(dir.file("cut.lvt"));
        EXPECT_EQ(f.reader->recordCount(), 2u);
        ASSERT_EQ(f.reader->goTo(1), kGoToOk);
        EXPECT_EQ(f.reader->goTo(2), kGoToOutOfRange);
        EXPECT_NO_THROW(f.reader->notes(true));
    }
    // An information block only.
    test::writeStored(dir.file("info.lvt"), 0);
    {
        Opened f(dir.file("info.lvt"));
        EXPECT_EQ(f.reader->recordCount(), 0u);
        EXPECT_EQ(f.reader->info().instrumentName, "LVT-30");
        EXPECT_EQ(f.reader->goTo(0), kGoToOutOfRange);
        EXPECT_TRUE(f.messages.entries().empty());
    }
}

TEST(LvtFileReaderTest, OverlongInformationBlockIsCutAndKeptOnRewrite) {
    test::TempDir dir;
    StoredFileDescription d = test::lvt30Description();
    std::vector<std::uint8_t> bytes;
    appendRecordBlock(bytes, numberedRecord(0));
    std::vector<std::uint8_t> info = buildStoredInformationBlock(d);
    info.resize(3000, 0x55);
    appendFrameBlock(bytes, 1, info);
    std::string path = dir.file("long.lvt");
    test::writeFile(path, bytes);
    Opened f(path);
    EXPECT_EQ(f.reader->recordCount(), 1u);
    EXPECT_EQ(f.reader->info().serialNumber, "AB-0123");
    ASSERT_TRUE(f.reader->setNotes("kept"));
    std::vector<std::uint8_t> after = test::readFile(path);
    ASSERT_EQ(after.size(), bytes.size());
    EXPECT_EQ(readU16(after.data() + after.size() - 2), 3000);
    EXPECT_EQ(after[after.size() - 3], 0x55); // bytes past the kept part stay as they were
    Opened again(path);
    EXPECT_EQ(again.reader->notes(false), "kept");
}

TEST(LvtFileReaderTest, RemoteFileIsTheTransferTemporary) {
    std::string temporary = remoteTransferFilePath();
    EXPECT_EQ(std::filesystem::path(temporary).filename(), "~LVT30.TMP");
    test::writeStored(temporary, 4);
    RecordingUserMessages messages;
    auto reader = CaptureFileOpener("", true, messages).createReader();
    ASSERT_TRUE(reader);
    ASSERT_EQ(reader->goTo(0), kGoToOk);
    EXPECT_EQ(reader->recordCount(), 4u);
    ASSERT_EQ(reader->goTo(3), kGoToOk);
    EXPECT_EQ(reader->recordBuffer().dataLength, numberedRecord(3).dataLength);
    std::filesystem::remove(temporary);
}

} // namespace
} // namespace qv
