// Import of pcap and pcapng files: directions, times, long frames, refused and damaged files,
// the real captures of other tools, and the round trip through our own export.
#include "capture/PcapImport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "capture/FileTypeScan.h"
#include "capture/Gzip.h"
#include "capture/ImportedCapture.h"
#include "capture/PcapTestSupport.h"

namespace qv::test {
namespace {

std::string data(const std::string &name) {
    return std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pcap/" + name;
}

std::vector<LvtRecord> records(const std::string &path) {
    OpenedCapture capture(path);
    std::vector<LvtRecord> out;
    if (!capture.reader)
        return out;
    for (std::uint32_t n = 0; n < capture.reader->recordCount(); ++n)
        if (capture.reader->goTo(n) == kGoToOk)
            out.push_back(capture.reader->recordBuffer());
    return out;
}

std::vector<std::uint8_t> linuxLapd(std::uint8_t packetType, std::vector<std::uint8_t> frame) {
    std::vector<std::uint8_t> bytes(16, 0);
    bytes[1] = packetType;
    bytes[15] = 0x30;
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

TEST(PcapImport, LinuxLapdFramesWithTheirDirectionsAndTimes) {
    TempDir dir;
    // 31/12/2026 23:59:59.995 then 01/01/2027 00:00:00.010.
    const std::uint32_t newYear = static_cast<std::uint32_t>(daysFromCivil(2027, 1, 1) * 86400);
    std::vector<std::uint8_t> longFrame(300, 0x55);
    longFrame[0] = 0x00;
    writeFile(dir.file("in.pcap"),
              pcapFile(kLinkTypeLinuxLapd,
                       {{newYear - 1, 995000, linuxLapd(4, {0x00, 0x81, 0x7F})},
                        {newYear, 10999, linuxLapd(0, {0x00, 0x81, 0x73})},
                        {newYear, 20000, linuxLapd(0, longFrame)},
                        {newYear, 30000, linuxLapd(4, {0x00, 0x81, 0x01, 0x02}), 40}}));
    const ImportResult result = importCapture(dir.file("in.pcap"), dir.file("out.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.frames, 4u);
    EXPECT_EQ(result.truncated, 2u);
    OpenedCapture capture(dir.file("out.lvt"));
    ASSERT_TRUE(capture.reader);
    EXPECT_TRUE(capture.reader->isRealTimeFile());
    EXPECT_EQ(capture.reader->info().instrumentName, kImportedInstrument);
    EXPECT_EQ(capture.reader->info().start, (CaptureDateTime{31, 12, 2026, 23, 59, 59}));
    EXPECT_EQ(capture.reader->info().end, (CaptureDateTime{1, 1, 2027, 0, 0, 0}));
    const std::vector<LvtRecord> got = records(dir.file("out.lvt"));
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].direction, 1);
    EXPECT_EQ(got[1].direction, 0);
    EXPECT_EQ(timeText(got[0]), "23:59:59.995");
    EXPECT_EQ(got[0].month, 12);
    EXPECT_EQ(got[0].day(), 31u);
    EXPECT_EQ(timeText(got[1]), "00:00:00.010");
    EXPECT_EQ(got[1].month, 1);
    EXPECT_EQ(got[1].dataLength, 3);
    EXPECT_EQ(got[1].data[2], 0x73);
    EXPECT_EQ(got[1].status, 0);
    // Longer than a record holds, and cut short by the capturing tool.
    EXPECT_EQ(got[2].dataLength, kMaxRecordData);
    EXPECT_EQ(frameStatusText(got[2].status), "Frame truncated");
    EXPECT_EQ(got[3].dataLength, 4);
    EXPECT_EQ(frameStatusText(got[3].status), "Frame truncated");
}

TEST(PcapImport, TimesAfter2038KeepTheirYear) {
    // The seconds field is unsigned: 2040 is past the largest signed 32-bit count.
    TempDir dir;
    const auto at = static_cast<std::uint32_t>(daysFromCivil(2040, 6, 15) * 86400 + 3723);
    writeFile(dir.file("in.pcap"),
              pcapFile(kLinkTypeLinuxLapd, {{at, 500000, linuxLapd(4, {0x00, 0x81, 0x7F})}}));
    ASSERT_TRUE(importCapture(dir.file("in.pcap"), dir.file("out.lvt")).ok);
    OpenedCapture capture(dir.file("out.lvt"));
    ASSERT_TRUE(capture.reader);
    EXPECT_EQ(capture.reader->info().start, (CaptureDateTime{15, 6, 2040, 1, 2, 3}));
    const std::vector<LvtRecord> got = records(dir.file("out.lvt"));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].month, 6);
    EXPECT_EQ(timeText(got[0]), "01:02:03.500");
}

TEST(PcapImport, RefusedAndDamagedFilesWriteNothing) {
    TempDir dir;
    const std::string out = dir.file("out.lvt");
    const std::vector<std::uint8_t> good =
        pcapFile(kLinkTypeLapd, {{1, 0, {0x00, 0x81, 0x7F}}, {2, 0, {0x02, 0x81, 0x73}}});
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"short.pcap", std::vector<std::uint8_t>(good.begin(), good.begin() + 10),
         "not a pcap or pcapng file that can be read"},
        {"empty.pcap", pcapFile(kLinkTypeLapd, {}), "holds no frame; nothing written"},
        {"text.pcap",
         {'h', 'e', 'l', 'l', 'o', ' ', 'p', 'c', 'a', 'p', '!', '\n'},
         "not a pcap or pcapng file that can be read"},
        {"header.pcap", pcapFile(kLinkTypeLinuxLapd, {{1, 0, {0, 4, 0, 0}}}),
         "record 1 is shorter than its 16-byte LINUX_LAPD header"},
        {"ethernet.pcap", pcapFile(1, {{1, 0, {0x00}}}),
         "link type 1 (EN10MB) is not LAPD; only LINUX_LAPD (177) and LAPD (203) captures can "
         "be imported"},
    };
    for (const Case &c : cases) {
        writeFile(dir.file(c.name), c.bytes);
        const ImportResult result = importCapture(dir.file(c.name), out);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.name << ": " << result.error;
        EXPECT_EQ(result.error.rfind(dir.file(c.name) + ": ", 0), 0u) << result.error;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                            std::filesystem::directory_iterator()),
              static_cast<std::ptrdiff_t>(cases.size()));
}

// The Sangoma PRI capture, its call and a capture of another link type are read by the
// command-line cases (tests/data/cli/pcap.txt).
TEST(PcapImport, RealCapturesOfOtherTools) {
    TempDir dir;
    // A GSM Abis link with the LINUX_LAPD header, whose byte-swapped packet type counts as
    // received: byte 6 alone tells the direction.
    const ImportResult result = importCapture(data("abis_gsm_linux_lapd.pcap"), dir.file("a.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.linkType, static_cast<int>(kLinkTypeLinuxLapd));
    EXPECT_EQ(result.frames, 85u);
    const std::vector<LvtRecord> got = records(dir.file("a.lvt"));
    ASSERT_EQ(got.size(), 85u);
    std::size_t user = 0;
    for (const LvtRecord &r : got)
        user += r.direction;
    EXPECT_GT(user, 0u);
    EXPECT_LT(user, 85u);
    EXPECT_EQ(got[0].data[1] >> 1, 25); // TEI 25
}

// An I4B record: the header's eight words in the writer's byte order, then the frame.
std::vector<std::uint8_t> i4bRecord(bool bigEndian, std::uint32_t channel, std::uint32_t fromNt,
                                    std::uint32_t seconds, std::uint32_t microseconds,
                                    const std::vector<std::uint8_t> &frame) {
    const std::uint32_t words[] = {static_cast<std::uint32_t>(32 + frame.size()),
                                   0,
                                   channel,
                                   fromNt,
                                   0,
                                   1,
                                   seconds,
                                   microseconds};
    std::vector<std::uint8_t> out;
    for (std::uint32_t w : words)
        for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<std::uint8_t>(w >> (bigEndian ? 24 - 8 * k : 8 * k)));
    out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

TEST(TraceImport, I4bTracesInEitherByteOrderKeepTheDChannel) {
    TempDir dir;
    const std::uint32_t noon =
        static_cast<std::uint32_t>(daysFromCivil(2001, 2, 3) * 86400 + 43200);
    for (const bool bigEndian : {false, true}) {
        std::vector<std::uint8_t> bytes =
            i4bRecord(bigEndian, 1, 0, noon, 250999, {0x00, 0x81, 0x7F});
        const std::vector<std::uint8_t> b1 = i4bRecord(bigEndian, 2, 0, noon, 260000, {0x11, 0x22});
        const std::vector<std::uint8_t> d =
            i4bRecord(bigEndian, 1, 1, noon + 1, 0, {0x00, 0x81, 0x73});
        bytes.insert(bytes.end(), b1.begin(), b1.end());
        bytes.insert(bytes.end(), d.begin(), d.end());
        writeFile(dir.file("t.trace"), bytes);
        const ImportResult result = importCapture(dir.file("t.trace"), dir.file("t.lvt"));
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.frames, 2u);
        EXPECT_EQ(result.leftOut, 1u);
        const std::vector<LvtRecord> got = records(dir.file("t.lvt"));
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].dataLength, 3);
        EXPECT_EQ(got[0].data[2], 0x7F);
        EXPECT_NE(got[0].direction, 0) << "from the TE";
        EXPECT_EQ(got[1].direction, 0) << "from the NT";
        EXPECT_EQ(got[0].day(), 3u);
        EXPECT_EQ(got[0].hour(), 12u);
        EXPECT_EQ(got[0].millisecond(), 250u);
        EXPECT_EQ(got[1].second(), 1u);
    }
}

TEST(TraceImport, EyeSdnTracesUnescapeTheirFramesAndKeepTheDChannel) {
    TempDir dir;
    // Flag, header (microseconds, seconds, channel, sender and protocol, length), frame; 0xFF and
    // 0xFE in either written as 0xFE and the byte less 2.
    const std::uint32_t seconds = static_cast<std::uint32_t>(daysFromCivil(2009, 1, 27) * 86400);
    auto record = [&](std::uint8_t channel, std::uint8_t senderAndProtocol,
                      const std::vector<std::uint8_t> &frame) {
        std::vector<std::uint8_t> plain = {0x07,
                                           0xA1,
                                           0x20,
                                           0, // 500000 microseconds
                                           static_cast<std::uint8_t>(seconds >> 24),
                                           static_cast<std::uint8_t>(seconds >> 16),
                                           static_cast<std::uint8_t>(seconds >> 8),
                                           static_cast<std::uint8_t>(seconds),
                                           channel,
                                           senderAndProtocol,
                                           0,
                                           static_cast<std::uint8_t>(frame.size())};
        plain.insert(plain.end(), frame.begin(), frame.end());
        std::vector<std::uint8_t> out = {0xFF};
        for (std::uint8_t b : plain) {
            if (b >= 0xFE) {
                out.push_back(0xFE);
                b = static_cast<std::uint8_t>(b - 2);
            }
            out.push_back(b);
        }
        return out;
    };
    std::vector<std::uint8_t> bytes = {'E', 'y', 'e', 'S', 'D', 'N'};
    for (const auto &r : {record(0, 0x02, {'L', '1', ' ', 'u', 'p'}), // a layer-1 event
                          record(0, 0x01, {0xFC, 0xFF, 0x03, 0x0F, 0xFE, 0x01, 0x01, 0xFF}),
                          record(2, 0x01, {0x55}),              // B2
                          record(0, 0x00, {0x00, 0x81, 0x73})}) // from the NT
        bytes.insert(bytes.end(), r.begin(), r.end());
    writeFile(dir.file("t.trc"), bytes);
    ImportResult result = importCapture(dir.file("t.trc"), dir.file("t.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.frames, 2u);
    EXPECT_EQ(result.leftOut, 2u);
    const std::vector<LvtRecord> got = records(dir.file("t.lvt"));
    ASSERT_EQ(got.size(), 2u);
    ASSERT_EQ(got[0].dataLength, 8);
    const std::vector<std::uint8_t> request(got[0].data.begin(), got[0].data.begin() + 8);
    EXPECT_EQ(request, (std::vector<std::uint8_t>{0xFC, 0xFF, 0x03, 0x0F, 0xFE, 0x01, 0x01, 0xFF}));
    EXPECT_NE(got[0].direction, 0) << "sent by the TE";
    EXPECT_EQ(got[1].direction, 0);
    EXPECT_EQ(got[0].millisecond(), 500u);
    EXPECT_EQ(got[0].day(), 27u);

    // A flag inside a frame: the frame is cut short, the file is damaged after the frames before.
    bytes.insert(bytes.end(), {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
                               0x00, 0x09, 0x00, 0xFF});
    writeFile(dir.file("d.trc"), bytes);
    result = importCapture(dir.file("d.trc"), dir.file("d.lvt"));
    EXPECT_TRUE(result.ok);
    EXPECT_NE(result.damage.find("d.trc: damaged after record 4: a frame is cut short"),
              std::string::npos)
        << result.damage;
    EXPECT_EQ(records(dir.file("d.lvt")).size(), 2u);
}

TEST(TraceImport, RealTracesAndDamagedOnes) {
    TempDir dir;
    // A BRI call of 1999: TEI 99 assigned, SABME, SETUP from the TE; the B2 channel left out.
    ImportResult result = importCapture(data("i4b_bri_dss1_call_v120.trace"), dir.file("i.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.frames, 26u);
    EXPECT_EQ(result.leftOut, 68u);
    const std::vector<LvtRecord> got = records(dir.file("i.lvt"));
    ASSERT_EQ(got.size(), 26u);
    EXPECT_EQ(got[1].data[7], 0xC7); // Ai 99, with the extension bit
    EXPECT_EQ(got[4].data[4], 0x08); // the SETUP's protocol discriminator
    EXPECT_NE(got[4].direction, 0);
    EXPECT_EQ(got[8].direction, 0); // CALL PROCEEDING from the network

    // A header that makes no sense after the first record.
    std::vector<std::uint8_t> bytes = readFile(data("i4b_bri_dss1_call_v120.trace"));
    bytes[40 + 8] = 9; // the second record's channel type
    writeFile(dir.file("bad.trace"), bytes);
    result = importCapture(dir.file("bad.trace"), dir.file("bad.lvt"));
    EXPECT_NE(result.damage.find("damaged after record 1: a record header makes no sense"),
              std::string::npos)
        << result.damage;
}

// A file damaged after some frames: those frames are imported, and where the damage lies is said.
TEST(PcapImport, TheFramesBeforeTheDamageAreImported) {
    TempDir dir;
    std::vector<PcapFrame> packets;
    for (std::uint32_t n = 0; n < 500; ++n)
        packets.push_back({n, 0, {0x00, 0x81, 0x01, static_cast<std::uint8_t>(n * 2)}});
    std::vector<std::uint8_t> bytes = pcapFile(kLinkTypeLapd, packets);
    const std::vector<std::uint8_t> good = bytes;
    // A record header, then half the frame it announces.
    const std::vector<std::uint8_t> last = pcapFile(kLinkTypeLapd, {{600, 0, {1, 2, 3, 4, 5, 6}}});
    bytes.insert(bytes.end(), last.begin() + 24, last.end() - 3);
    writeFile(dir.file("cut.pcap"), bytes);
    ImportResult result = importCapture(dir.file("cut.pcap"), dir.file("cut.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.frames, 500u);
    EXPECT_EQ(result.damage.rfind(dir.file("cut.pcap") + ": damaged after record 500: truncated "
                                                         "dump file",
                                  0),
              0u)
        << result.damage;
    const std::vector<LvtRecord> got = records(dir.file("cut.lvt"));
    ASSERT_EQ(got.size(), 500u);
    EXPECT_EQ(got[499].data[3], static_cast<std::uint8_t>(998));

    // An I4B trace cut in the middle of its last frame.
    bytes = readFile(data("i4b_bri_dss1_call_v120.trace"));
    bytes.resize(bytes.size() - 2);
    writeFile(dir.file("cut.trace"), bytes);
    result = importCapture(dir.file("cut.trace"), dir.file("cut.lvt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.frames, 25u) << "the frame cut short is not one";
    EXPECT_NE(result.damage.find("damaged after record 93: a frame is cut short"),
              std::string::npos)
        << result.damage;

    // Damage before the first frame leaves nothing to import.
    writeFile(dir.file("first.pcap"), std::vector<std::uint8_t>(good.begin(), good.begin() + 30));
    result = importCapture(dir.file("first.pcap"), dir.file("first.lvt"));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("damaged after record 0"), std::string::npos) << result.error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("first.lvt")));
}

// Export then import: the good frames come back octet for octet, with their direction and time.
class PcapRoundTrip : public ::testing::TestWithParam<std::tuple<const char *, const char *>> {};

TEST_P(PcapRoundTrip, SameFramesDirectionsAndTimes) {
    const auto [scenario, extension] = GetParam();
    TempDir dir;
    const std::string capture = scenarioCapture(dir, scenario, 3000);
    const std::string exported = dir.file(std::string("x") + extension);
    ExportedCapture exporting(capture, exported);
    ASSERT_TRUE(exporting.result.ok) << exporting.result.error;
    const ImportResult imported = importCapture(exported, dir.file("back.lvt"));
    ASSERT_TRUE(imported.ok) << imported.error;

    std::vector<LvtRecord> expected;
    for (const LvtRecord &r : records(capture))
        if (r.kind == kFrameRecord && r.status == 0)
            expected.push_back(r);
    const std::vector<LvtRecord> got = records(dir.file("back.lvt"));
    ASSERT_EQ(got.size(), expected.size());
    ASSERT_EQ(exporting.result.frames, expected.size());
    for (std::size_t n = 0; n < got.size(); ++n) {
        ASSERT_EQ(got[n].dataLength, expected[n].dataLength) << n;
        EXPECT_EQ(got[n].data, expected[n].data) << n;
        EXPECT_EQ(got[n].direction != 0, expected[n].direction != 0) << n;
        EXPECT_EQ(got[n].timeHigh, expected[n].timeHigh) << n;
        EXPECT_EQ(got[n].timeLow, expected[n].timeLow) << n;
        EXPECT_EQ(got[n].month, expected[n].month) << n;
        EXPECT_EQ(got[n].status, 0) << n;
    }
    OpenedCapture original(capture), back(dir.file("back.lvt"));
    ASSERT_TRUE(original.reader && back.reader);
    EXPECT_EQ(back.reader->startYear(), original.reader->startYear());
}

TEST(ImportedCapture, AReadOnlyCopyThatGoesWithItsObjectAndNothingLeftOfARefusal) {
    TempDir dir;
    writeFile(dir.file("in.pcap"),
              pcapFile(kLinkTypeLapd, {{1, 0, {0x00, 0x81, 0x7F}}, {2, 0, {0x02, 0x81, 0x73}}}));
    std::string error;
    std::unique_ptr<ImportedCapture> imported = ImportedCapture::import(dir.file("in.pcap"), error);
    ASSERT_TRUE(imported) << error;
    const std::string path = imported->path();
    OpenedCapture capture(path);
    ASSERT_TRUE(capture.reader);
    EXPECT_EQ(capture.reader->recordCount(), 2u);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    imported.reset();
    EXPECT_FALSE(std::filesystem::exists(path));

    const auto temporaries = [] {
        std::size_t n = 0;
        for (const auto &entry :
             std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
            n += entry.path().filename().string().rfind("quorvane-pcap-", 0) == 0;
        return n;
    };
    const std::size_t before = temporaries();
    writeFile(dir.file("text.pcap"),
              std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'p', 'c', 'a', 'p'});
    EXPECT_FALSE(ImportedCapture::import(dir.file("text.pcap"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(temporaries(), before) << "a refused import leaves no file behind";
}

TEST(GzipImport, CompressedCapturesImportAsTheirPlainCopies) {
    TempDir dir;
    const std::vector<std::uint8_t> pcap =
        pcapFile(kLinkTypeLinuxLapd, {{1, 0, linuxLapd(4, {0x00, 0x81, 0x7F})},
                                      {2, 0, linuxLapd(0, {0x00, 0x81, 0x73})}});
    for (const auto &[name, bytes] :
         {std::pair{std::string("c.pcap"), pcap},
          std::pair{std::string("t.trace"), readFile(data("i4b_bri_dss1_call_v120.trace"))}}) {
        SCOPED_TRACE(name);
        writeFile(dir.file(name), bytes);
        writeGzipped(dir.file(name + ".gz"), bytes);
        const ImportResult plain = importCapture(dir.file(name), dir.file("plain.lvt"));
        const ImportResult gunzipped = importCapture(dir.file(name + ".gz"), dir.file("gz.lvt"));
        ASSERT_TRUE(plain.ok && gunzipped.ok) << plain.error << gunzipped.error;
        EXPECT_EQ(gunzipped.frames, plain.frames);
        const std::vector<LvtRecord> a = records(dir.file("plain.lvt")),
                                     b = records(dir.file("gz.lvt"));
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t n = 0; n < a.size(); ++n)
            EXPECT_EQ(a[n].data, b[n].data) << n;
        EXPECT_EQ(scanFileType(dir.file(name + ".gz")), scanFileType(dir.file(name)));
    }
}

TEST(GzipImport, DamagedOrOversizedCompressedDataWritesNothing) {
    TempDir dir;
    std::vector<std::uint8_t> pcap = pcapFile(kLinkTypeLapd, {{1, 0, {0x00, 0x81, 0x7F}}});
    pcap.resize(std::size_t{2} << 20, 0);
    writeGzipped(dir.file("c.pcap.gz"), pcap);
    std::vector<std::uint8_t> cut = readFile(dir.file("c.pcap.gz"));
    cut.resize(cut.size() / 2);
    writeFile(dir.file("cut.pcap.gz"), cut);
    writeGzipped(dir.file("text.gz"), {'h', 'e', 'l', 'l', 'o'});
    for (const auto &[name, error] :
         {std::pair{"cut.pcap.gz", "damaged gzip data"},
          std::pair{"text.gz", "not a pcap or pcapng file that can be read"}}) {
        const ImportResult result = importCapture(dir.file(name), dir.file("out.lvt"));
        EXPECT_FALSE(result.ok) << name;
        EXPECT_NE(result.error.find(error), std::string::npos) << result.error;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.lvt")));
    }
    EXPECT_EQ(scanFileType(dir.file("text.gz")), kTypeNotLvt);
    std::string error;
    EXPECT_EQ(gunzipToTemporary(dir.file("c.pcap.gz"), error, std::uint64_t{1} << 20), nullptr);
    EXPECT_EQ(error, "decompresses to more than 1 MiB, more than a capture of a D channel can be");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, PcapRoundTrip,
                         ::testing::Combine(::testing::Values("calls", "mix"),
                                            ::testing::Values(".pcap", ".pcapng")));

} // namespace
} // namespace qv::test
