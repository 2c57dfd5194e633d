// The pooled record buffers: a fixed number, and each one both a record and a file block.
#include "comm/RecordBufferPool.h"
#include "capture/CaptureFileOpener.h"
#include "capture/CaptureWriters.h"
#include "sim/LvtTester.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

using namespace qv;

TEST(RecordBufferPool, AFixedNumberOfBuffersGoRound) {
    RecordBufferPool pool(3);
    std::set<RecordBuffer *> taken;
    for (int i = 0; i < 3; ++i)
        taken.insert(pool.take());
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken.count(nullptr), 0u);
    EXPECT_EQ(pool.take(), nullptr) << "none is made when all are in use";
    pool.give(*taken.begin());
    EXPECT_EQ(pool.take(), *taken.begin());
    pool.give(nullptr);
    EXPECT_EQ(pool.freeCount(), 0u);
}

// A buffer filled as the link fills it is written from offset 3 as a block of the capture file,
// and the file reads back the same record.
TEST(RecordBufferPool, ABufferIsWrittenAsItStandsAndReadsBackAsTheRecord) {
    LvtRecord record;
    record.setTime(9, 10, 30, 5, 250);
    record.kind = kFrameRecord;
    record.direction = 1;
    record.month = 12;
    record.dataLength = 5;
    for (std::uint8_t i = 0; i < 5; ++i)
        record.data[i] = static_cast<std::uint8_t>(0x10 + i);
    const std::vector<std::uint8_t> content = sim::testerContent(record);

    RecordBuffer buffer;
    std::copy(content.begin(), content.end(), buffer.bytes.begin() + RecordBuffer::kContentOffset);
    const auto length = static_cast<std::uint16_t>(content.size());
    buffer.markRecord(length);
    EXPECT_EQ(buffer.length(), length);

    test::TempDir dir;
    RealTimeFileWriter writer;
    ASSERT_TRUE(writer.create(dir.file("rt.lvt"), RealTimeFileDescription{}));
    // Byte 3 is the block's type while the block is written, the high byte of L otherwise.
    buffer.bytes[3] = 1;
    ASSERT_TRUE(writer.appendBlock(std::span(buffer.bytes.data() + 3, length + 5u)));
    buffer.bytes[3] = static_cast<std::uint8_t>(length >> 8);
    ASSERT_TRUE(writer.close());

    RecordingUserMessages messages;
    auto reader = CaptureFileOpener(dir.file("rt.lvt"), false, messages).createReader();
    ASSERT_TRUE(reader);
    ASSERT_EQ(reader->goTo(0), kGoToOk); // the first access opens the file
    ASSERT_EQ(reader->goTo(0), kGoToOk);
    EXPECT_EQ(reader->recordCount(), 1u);
    const LvtRecord &back = reader->recordBuffer();
    EXPECT_EQ(back.timeHigh, record.timeHigh);
    EXPECT_EQ(back.timeLow, record.timeLow);
    EXPECT_EQ(back.direction, 1);
    EXPECT_EQ(back.dataLength, 5);
    EXPECT_TRUE(std::equal(back.data.begin(), back.data.begin() + 5, record.data.begin()));
}
