#include "app/FileType.h"
#include "capture/Dru70Events.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "capture/CaptureTestSupport.h"

namespace qv {
namespace {

using test::TempDir;

// A record block of any data length, the way a tester frames its result records.
void appendRecord(std::vector<std::uint8_t> &out, std::vector<std::uint8_t> data) {
    std::vector<std::uint8_t> content(10, 0);
    content[4] = kFrameRecord;
    content[8] = static_cast<std::uint8_t>(data.size());
    content[9] = static_cast<std::uint8_t>(data.size() >> 8);
    content.insert(content.end(), data.begin(), data.end());
    appendFrameBlock(out, 1, content);
}

// data of size bytes with letter at offset.
std::vector<std::uint8_t> lettered(std::size_t size, std::size_t offset, char letter) {
    std::vector<std::uint8_t> data(size, 0x20);
    data[offset] = static_cast<std::uint8_t>(letter);
    return data;
}

std::string storedFile(const TempDir &dir, const std::string &name,
                       const std::vector<std::vector<std::uint8_t>> &records,
                       StoredIdentity identity = StoredIdentity::Lvt30) {
    std::vector<std::uint8_t> bytes;
    for (const auto &data : records)
        appendRecord(bytes, data);
    StoredFileDescription d = test::lvt30Description();
    d.identity = identity;
    if (identity == StoredIdentity::Ksm)
        d.instrumentName = "KSM-2";
    appendFrameBlock(bytes, 1, buildStoredInformationBlock(d));
    const std::string path = dir.file(name);
    test::writeFile(path, bytes);
    return path;
}

TEST(FileType, ResultLettersInTheFirstAndLastRecords) {
    TempDir dir;
    const std::vector<std::uint8_t> config(446, 0x20);
    struct Case {
        char first, last;
        int type;
    };
    const Case cases[] = {{'S', 'x', 1}, {'A', 'x', 2}, {'x', 'E', 3}, {'x', 'D', 4},
                          {'x', 'B', 5}, {'x', 'x', 6}, {'C', 'E', 9}};
    // The letter's place depends on the instrument.
    const std::pair<StoredIdentity, std::size_t> instruments[] = {
        {StoredIdentity::Lvt30, 0}, {StoredIdentity::Lvt60, 11}, {StoredIdentity::Ksm, 36}};
    for (const auto &[identity, offset] : instruments)
        for (const Case &c : cases) {
            const std::string path = storedFile(
                dir, "A.lvt",
                {lettered(446, offset, c.first), config, lettered(120, offset, c.last)}, identity);
            EXPECT_EQ(scanFileType(path), c.type) << c.first << c.last << " at " << offset;
        }
}

TEST(FileType, CapturesAreNotTakenForResults) {
    TempDir dir;
    // 0x42 opens an X.25 command on SAPI 16 and 0x44 a SAPI 17 frame: frame octets, not letters.
    EXPECT_EQ(scanFileType(storedFile(dir, "M.lvt", {{0x02, 0x01, 0x7F}, {0x42, 0x01, 0x00}})),
              kTypeStoredCapture);
    EXPECT_EQ(scanFileType(storedFile(dir, "M.lvt", {lettered(272, 0, 'S'), {0x44, 1}})),
              kTypeStoredCapture);
    // A one-record result file: its configuration record is also the last one.
    EXPECT_EQ(scanFileType(storedFile(dir, "E.lvt", {lettered(447, 0, 'E')})), kTypeBerTest);
    EXPECT_EQ(scanFileType(test::writeStored(dir.file("M2.lvt"), 50)), kTypeStoredCapture);
    EXPECT_EQ(scanFileType(test::writeRealTime(dir.file("R.lvt"), 3)), kTypeRealTimeCapture);
}

TEST(FileType, MarkersNamesAndFailures) {
    TempDir dir;
    auto write = [&dir](const std::string &name, const std::string &text) {
        test::writeFile(dir.file(name), std::vector<std::uint8_t>(text.begin(), text.end()));
        return dir.file(name);
    };
    EXPECT_EQ(scanFileType(write("ev.dru", std::string(kDru70Marker) + "\x7C")), kTypeDru70);
    EXPECT_EQ(scanFileType(write("x.lvt", "##@@ Something else @@##")), kTypeNotLvt);
    EXPECT_EQ(scanFileType(write("short.lvt", "##@@")), kTypeNotLvt);
    EXPECT_EQ(scanFileType(write("empty.lvt", "")), kTypeNotLvt);
    EXPECT_EQ(scanFileType(storedFile(dir, "none.lvt", {})), kTypeNotLvt); // no record at all
    // A project is known by its name alone, even when it does not exist.
    EXPECT_EQ(scanFileType(dir.file("missing.plm")), kTypePlm45Project);
    EXPECT_EQ(scanFileType(write("P1.PLM.bak", "anything")), kTypePlm45Project);
    std::filesystem::create_directories(dir.file("site.plm"));
    EXPECT_EQ(scanFileType(write("site.plm/text.lvt", "hello")), kTypeNotLvt);
    EXPECT_LT(scanFileType(dir.file("missing.lvt")), 0);
    EXPECT_LT(scanFileType(dir.file("")), 0); // a folder
}

TEST(FileType, PcapFilesByTheirMagicNumbers) {
    TempDir dir;
    const std::vector<std::vector<std::uint8_t>> magics = {
        {0xD4, 0xC3, 0xB2, 0xA1}, {0xA1, 0xB2, 0x3C, 0x4D}, {0x0A, 0x0D, 0x0D, 0x0A}};
    for (std::vector<std::uint8_t> bytes : magics) {
        bytes.resize(24, 0);
        test::writeFile(dir.file("c.pcap"), bytes);
        EXPECT_EQ(scanFileType(dir.file("c.pcap")), kTypePcapCapture) << int(bytes[0]);
    }
    test::writeFile(dir.file("short.pcap"), {0xD4, 0xC3, 0xB2});
    EXPECT_EQ(scanFileType(dir.file("short.pcap")), kTypeNotLvt);
    // The traces of other ISDN tools go the same way.
    const std::string traces = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pcap/";
    EXPECT_EQ(scanFileType(traces + "i4b_bri_dss1_call_v120.trace"), kTypeTraceCapture);
    EXPECT_EQ(scanFileType(traces + "eyesdn_e1_dpnss.trc"), kTypeTraceCapture);
    EXPECT_EQ(fileKindOf(kTypeTraceCapture), FileKind::Imported);
    // Opened in Examine like the captures of the testers.
    for (const OpenSource source : {OpenSource::Dialog, OpenSource::RecentFile}) {
        const OpenDecision d = decideOpen(kTypePcapCapture, source);
        EXPECT_EQ(d.refusal, "");
        EXPECT_EQ(d.mode, WorkingMode::Examine);
    }
}

TEST(FileType, OpenDecisions) {
    // A file opens in its own mode wherever it was chosen; only what cannot be shown is refused,
    // each source with its own text.
    struct Case {
        int type;
        OpenSource source;
        WorkingMode expectedMode;
        const char *refusal; // null: opened
    };
    const Case cases[] = {
        {6, OpenSource::Dialog, WorkingMode::Examine, nullptr},
        {11, OpenSource::Dialog, WorkingMode::Examine, nullptr},
        {7, OpenSource::Dialog, WorkingMode::Examine, nullptr},
        {3, OpenSource::Dialog, WorkingMode::ViewResults, nullptr},
        {-1, OpenSource::Dialog, WorkingMode::ViewResults, "Error while searching this file type!"},
        {-1, OpenSource::RecentFile, WorkingMode::ViewResults,
         "Error while looking for this file type!"},
        {8, OpenSource::Dialog, WorkingMode::ViewResults, "This file is not an LVT file!"},
        {8, OpenSource::CommandLine, WorkingMode::ViewResults,
         "This file is not an LVT-30/-30U, LVT-60 or PLM-45 file!"},
        {11, OpenSource::RecentFile, WorkingMode::Examine, nullptr},
        {6, OpenSource::CommandLine, WorkingMode::Examine, nullptr},
        {10, OpenSource::CommandLine, WorkingMode::ViewResults, nullptr},
    };
    for (const Case &c : cases) {
        const OpenDecision d = decideOpen(c.type, c.source);
        EXPECT_EQ(d.mode, c.expectedMode) << c.type;
        EXPECT_EQ(d.refusal, c.refusal ? c.refusal : "") << c.type;
    }
}

} // namespace
} // namespace qv
