// Export to pcap and pcapng: the file layout Wireshark reads, the direction header, the times
// and what is left out.
#include "capture/PcapExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "capture/PcapImport.h"
#include "capture/PcapTestSupport.h"
#include "support/ReadFd.h"

namespace qv::test {
namespace {

// numberedRecord(n) has the status n % 7: only every seventh record is a good frame.
std::string mixedCapture(const TempDir &dir) {
    RealTimeFileWriter w;
    w.create(dir.file("m.lvt"), realTimeDescription());
    for (std::uint32_t n = 0; n < 21; ++n)
        w.append(numberedRecord(n));
    LvtRecord event = numberedRecord(0);
    event.kind = kLayer1Event;
    event.dataLength = 0;
    w.append(event);
    w.close();
    return dir.file("m.lvt");
}

// A live stream: each frame reaches the reader (Wireshark on a pipe) as soon as it is appended,
// and the stream holds what the same frames make as a file.
TEST(PcapExport, AStreamHandsOnEachFrameAtOnce) {
    TempDir dir;
    std::vector<std::vector<std::uint8_t>> files;
    for (const std::uint32_t frames : {1u, 2u}) {
        PcapWriter file;
        ASSERT_TRUE(file.create(dir.file("f.pcapng"), PcapFileFormat::PcapNg));
        for (std::uint32_t n = 0; n < frames; ++n)
            file.append(numberedRecord(7 * n), 2026);
        ASSERT_TRUE(file.close());
        files.push_back(readFile(dir.file("f.pcapng")));
    }
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::FILE *out = fdopen(ends[1], "wb");
    PcapWriter live;
    ASSERT_TRUE(live.stream(out, PcapFileFormat::PcapNg));
    ASSERT_TRUE(live.append(numberedRecord(0), 2026));
    std::vector<std::uint8_t> got = readFd(ends[0], files[0].size(), 1000);
    EXPECT_EQ(got, files[0]) << "the header and the first frame, while the stream is open";
    ASSERT_TRUE(live.append(numberedRecord(7), 2026));
    const std::vector<std::uint8_t> more = readFd(ends[0], files[1].size() - got.size(), 1000);
    got.insert(got.end(), more.begin(), more.end());
    EXPECT_EQ(got, files[1]);
    EXPECT_TRUE(live.close());
    EXPECT_EQ(std::fputc('x', out), 'x') << "the stream stays open for its owner";
    std::fclose(out);
    ::close(ends[0]);
}

TEST(PcapExport, PcapHeaderRecordsAndDirections) {
    TempDir dir;
    const std::string out = dir.file("calls.pcap");
    ExportedCapture exported(scenarioCapture(dir, "calls"), out);
    ASSERT_TRUE(exported.result.ok) << exported.result.error;
    EXPECT_EQ(exported.result.frames, 340u);
    const std::vector<std::uint8_t> file = readFile(out);
    ASSERT_GE(file.size(), 24u);
    EXPECT_EQ(readU32(&file[0]), 0xA1B2C3D4u);
    EXPECT_EQ(readU32(&file[16]), 65535u);
    EXPECT_EQ(readU32(&file[20]), kLinkTypeLinuxLapd);
    // The frames, their directions and times come back through the import (PcapRoundTrip);
    // here the first record's header and its direction header as written.
    const std::vector<PcapFrame> frames = pcapRecords(file);
    ASSERT_EQ(frames.size(), 340u);
    EXPECT_EQ(frames[0].seconds, daysFromCivil(2026, 3, 12) * 86400 + 9 * 3600 + 30 * 60);
    EXPECT_TRUE(linuxLapdUserToNetwork(frames[0].bytes.data()));
    EXPECT_EQ(frames[0].originalLength, 24u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                            std::filesystem::directory_iterator()),
              2); // the capture and the export, no temporary left beside them
}

TEST(PcapExport, LeavesOutLayer1EventsAndBadFrames) {
    TempDir dir;
    const std::string out = dir.file("m.pcap");
    ExportedCapture exported(mixedCapture(dir), out);
    ASSERT_TRUE(exported.result.ok) << exported.result.error;
    EXPECT_EQ(exported.result.frames, 3u); // records 0, 7 and 14
    EXPECT_EQ(exported.result.badFrames, 18u);
    EXPECT_EQ(exported.result.layer1Events, 1u);
    EXPECT_EQ(exportSummaryText(exported.result),
              "3 frames written; 1 layer-1 events and 18 frames with a bad status left out");
    const std::vector<PcapFrame> frames = pcapRecords(readFile(out));
    ASSERT_EQ(frames.size(), 3u);
    const LvtRecord seventh = numberedRecord(7);
    EXPECT_EQ(frames[1].bytes.size(), 16u + seventh.dataLength);
    EXPECT_EQ(frames[1].bytes[16], seventh.data[0]);
    EXPECT_TRUE(linuxLapdUserToNetwork(frames[1].bytes.data())); // 7 % 2 = 1: TE->NT
}

TEST(PcapExport, PcapNgByNameWithItsBlocks) {
    TempDir dir;
    const std::string out = dir.file("calls.PcapNg");
    ExportedCapture exported(scenarioCapture(dir, "calls"), out);
    ASSERT_TRUE(exported.result.ok) << exported.result.error;
    const std::vector<std::uint8_t> file = readFile(out);
    ASSERT_GE(file.size(), 48u);
    EXPECT_EQ(readU32(&file[0]), 0x0A0D0D0Au); // section header
    EXPECT_EQ(readU32(&file[8]), 0x1A2B3C4Du);
    EXPECT_EQ(readU32(&file[28]), 1u); // interface description
    EXPECT_EQ(readU16(&file[36]), kLinkTypeLinuxLapd);
    EXPECT_EQ(readU32(&file[48]), 6u); // enhanced packet
    EXPECT_EQ(file.size() % 4, 0u);
}

TEST(PcapExport, NothingToExportWritesNothing) {
    TempDir dir;
    RealTimeFileWriter w;
    w.create(dir.file("bad.lvt"), realTimeDescription());
    w.append(numberedRecord(1));
    w.close();
    const std::string out = dir.file("bad.pcap");
    ExportedCapture exported(dir.file("bad.lvt"), out);
    EXPECT_FALSE(exported.result.ok);
    EXPECT_EQ(exported.result.error, out + ": no frame to export; nothing written");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                            std::filesystem::directory_iterator()),
              1); // no temporary left beside it
}

} // namespace
} // namespace qv::test
