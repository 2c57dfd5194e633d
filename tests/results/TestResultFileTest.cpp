// A result file's identification, its instrument and firmware, the renumbering of older
// firmware's values, and every way reading one can fail.

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "results/ResultTestSupport.h"

namespace qv {
namespace {

using synth::ResultInstrumentKind;
using test::hasLine;
using test::lineStarting;
using test::OpenedResult;
using test::TempDir;
using test::writeResult;

TEST(TestResultFileIdentify, EveryTypeOnEveryInstrument) {
    TempDir dir;
    struct Instrument {
        ResultInstrumentKind kind;
        ResultLayout layout;
        bool lvt60, hardware, named;
        const char *name, *number, *version;
    };
    const Instrument instruments[] = {
        {ResultInstrumentKind::Lvt30, ResultLayout::Lvt30, false, false, true, "LVT-30", "LV-0456",
         "V09.02"},
        {ResultInstrumentKind::Lvt30Anonymous, ResultLayout::Lvt30, false, false, false, "", "",
         ""},
        {ResultInstrumentKind::Lvt60, ResultLayout::Lvt60, true, false, true, "LVT-60", "QV-0007",
         "V05.02"},
        {ResultInstrumentKind::Lvt60Anonymous, ResultLayout::Lvt60, true, false, false, "LVT-60",
         "", "V05.02"},
        {ResultInstrumentKind::HardwareNumber, ResultLayout::HardwareNumber, false, true, true,
         "KSM-2", "00104A2F00001388", "V09.02"},
    };
    for (const Instrument &i : instruments)
        for (const synth::ResultKind &kind : synth::kResultKinds) {
            OpenedResult r(writeResult(dir, synth::resultScenario(kind.type, i.kind)));
            ASSERT_EQ(r.type, kind.type) << kind.name;
            ASSERT_EQ(r.read, kReadOk) << kind.name << testing::PrintToString(r.messages.texts());
            EXPECT_TRUE(r.messages.entries().empty());
            const ResultInstrument &got = r.file->instrument();
            EXPECT_EQ(r.file->layout(), i.layout);
            EXPECT_EQ(got.lvt60, i.lvt60);
            EXPECT_EQ(got.hardwareNumber, i.hardware);
            EXPECT_EQ(got.named, i.named);
            EXPECT_EQ(got.name, i.name);
            EXPECT_EQ(got.number, i.number);
            EXPECT_EQ(got.version, i.version) << kind.name;
            EXPECT_EQ(r.file->recordCount(), 2u);
        }
}

TEST(TestResultFileIdentify, OtherFilesKeepTheirType) {
    TempDir dir;
    struct Case {
        std::string path;
        int type;
        const char *refusal;
    };
    test::writeFile(dir.file("text.lvt"), {'h', 'i'});
    const Case cases[] = {
        {test::writeStored(dir.file("M0001.lvt"), 20), 6, kMsgNoTestResult},
        {test::writeRealTime(dir.file("R0001.lvt"), 20), 11, kMsgNoTestResult},
        {dir.file("text.lvt"), 8, "This file is not an LVT file!"},
    };
    for (const Case &c : cases) {
        OpenedResult r(c.path);
        EXPECT_EQ(r.type, c.type) << c.path;
        EXPECT_EQ(r.read, kReadNoResult);
        EXPECT_EQ(r.messages.texts(), std::vector<std::string>{c.refusal});
        EXPECT_EQ(r.report, "Problem while reading file !\r\n");
    }
}

TEST(TestResultFileIdentify, TheTransferredFile) {
    TempDir dir;
    // The transfer's file lies in the temporary folder; this test keeps its own.
    const char *saved = std::getenv("TMPDIR");
    const std::string savedValue = saved ? saved : "";
    ::setenv("TMPDIR", dir.file("").c_str(), 1);
    const std::string remote = remoteTransferFilePath();
    std::string error;
    ASSERT_TRUE(synth::writeResultFile(remote, test::lvt30(kResultX25DTest), error)) << error;
    OpenedResult r("", true);
    EXPECT_EQ(r.type, kResultX25DTest);
    EXPECT_EQ(r.read, kReadOk);
    EXPECT_TRUE(hasLine(r.report, "                    X.25/D Test result        "));
    std::filesystem::remove(remote);
    if (saved)
        ::setenv("TMPDIR", savedValue.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST(TestResultFileFirmware, VersionsAndTheirLayer1Alarms) {
    struct Case {
        ResultInstrumentKind instrument;
        const char *firmware;
        bool newFirmware;
    };
    const Case cases[] = {
        {ResultInstrumentKind::Lvt30, "V09.02", true},
        {ResultInstrumentKind::Lvt30, "V09.01", false},
        {ResultInstrumentKind::Lvt30Anonymous, "", false},
        {ResultInstrumentKind::Lvt60, "V05.02", true},
        {ResultInstrumentKind::Lvt60, "V05.01", false},
        {ResultInstrumentKind::Lvt60, "V05.0", false}, // shorter, so below
        {ResultInstrumentKind::Lvt60, "V05.1", true},  // "1" is above "0"
        {ResultInstrumentKind::HardwareNumber, "V09.02", true},
    };
    TempDir dir;
    for (const Case &c : cases) {
        synth::ResultFileContent f =
            synth::resultScenario(kResultBerTest, c.instrument, c.firmware);
        f.records.ber.l1 = 3;
        OpenedResult r(writeResult(dir, f));
        ASSERT_EQ(r.read, kReadOk) << c.firmware;
        EXPECT_EQ(r.file->newFirmware(), c.newFirmware) << c.firmware;
        EXPECT_EQ(lineStarting(r.report, "     L1  "),
                  c.newFirmware ? "     L1           : 3    " : "(none)")
            << c.firmware;
        // Whatever the firmware numbers its values by, the report names today's.
        EXPECT_TRUE(hasLine(r.report, "     Protocol     : EDSS-1 ")) << c.firmware;
        EXPECT_TRUE(hasLine(r.report, "     Mode         : TE     ")) << c.firmware;
    }
    EXPECT_TRUE(versionBelow("V05.01", "V05.02"));
    EXPECT_FALSE(versionBelow("V05.02x", "V05.02"));
    EXPECT_TRUE(versionBelow("", "V09.02"));
}

TEST(TestResultFileFirmware, OlderNumberingOfProtocolsAndModes) {
    ResultInstrument lvt60Old{true, false, true, "LVT-60", "QV-0007", "V05.01"};
    ResultInstrument lvt60New = lvt60Old;
    lvt60New.version = "V05.02";
    ResultInstrument lvt30Old{false, false, true, "LVT-30", "LV-0456", "V08.10"};
    ResultInstrument lvt30V0901 = lvt30Old;
    lvt30V0901.version = "V09.01";
    ResultInstrument hardwareOld{false, true, true, "KSM-2", "0011", "V08.10"};
    ResultInstrument hardwareNew = hardwareOld;
    hardwareNew.version = "V09.02";
    struct Case {
        const ResultInstrument *instrument;
        std::uint16_t stored, protocol;
    };
    const Case cases[] = {
        {&lvt60Old, 0, 25},
        {&lvt60Old, 5, 20},
        {&lvt60Old, 13, 23},
        {&lvt60Old, 14, kUnknownValue},
        {&lvt60New, 14, 14},
        {&lvt30Old, 0, 25},
        {&lvt30Old, 10, 12},
        {&lvt30Old, 20, kUnknownValue},
        {&lvt30V0901, 6, 19},
        {&lvt30V0901, 20, 23},
        {&lvt30V0901, 21, kUnknownValue},
        {&hardwareOld, 6, 19},
        {&hardwareNew, 6, 6},
    };
    for (const Case &c : cases)
        EXPECT_EQ(remapProtocol(c.stored, *c.instrument), c.protocol)
            << c.instrument->version << " " << c.stored;
    const std::uint16_t lvt60Modes[] = {0, 1, 2, kUnknownValue, kUnknownValue,
                                        3, 4, 0, kUnknownValue};
    for (std::uint16_t stored = 0; stored < 9; ++stored) {
        EXPECT_EQ(remapMode(stored, lvt60New), lvt60Modes[stored]) << stored;
        EXPECT_EQ(remapMode(stored, lvt30Old), stored);
    }

    // In a report: an old LVT-60's protocol 5 is VN6, its mode 3 none of today's.
    synth::ResultFileContent f =
        synth::resultScenario(kResultServiceTest, ResultInstrumentKind::Lvt60, "V05.01");
    f.records.configuration.protocol = 5;
    f.records.configuration.mode = 3;
    const std::string report = test::reportOf(f);
    EXPECT_TRUE(hasLine(report, "     Protocol     : VN6    "));
    EXPECT_TRUE(hasLine(report, "     Mode         : ?"));
}

// The file of content with one record replaced by data.
std::string withRecord(const TempDir &dir, const synth::ResultFileContent &content,
                       std::size_t index, const std::vector<std::uint8_t> &data) {
    std::vector<std::uint8_t> bytes = synth::resultFileBytes(content);
    std::vector<std::vector<std::uint8_t>> records;
    std::size_t at = 0;
    for (int n = 0; n < 2; ++n) {
        const std::size_t length = bytes[at + 1] | bytes[at + 2] << 8;
        records.emplace_back(bytes.begin() + at + 13, bytes.begin() + at + 3 + length);
        at += length + 5;
    }
    std::vector<std::uint8_t> information(bytes.begin() + at, bytes.end());
    if (index < records.size())
        records[index] = data;
    else
        records.push_back(data);
    std::vector<std::uint8_t> out;
    for (const auto &r : records) {
        std::vector<std::uint8_t> block(8, 0);
        appendU16(block, static_cast<std::uint16_t>(r.size()));
        block.insert(block.end(), r.begin(), r.end());
        appendFrameBlock(out, 1, block);
    }
    out.insert(out.end(), information.begin(), information.end());
    const std::string path = dir.file("damaged.lvt");
    test::writeFile(path, out);
    return path;
}

TEST(TestResultFileFailures, RecordsOfTheWrongSize) {
    TempDir dir;
    struct Case {
        int type;
        ResultInstrumentKind instrument;
        std::size_t index, size;
    };
    const Case cases[] = {
        {kResultBerTest, ResultInstrumentKind::Lvt30, 0, 445}, // an LVT-60's length
        {kResultBerTest, ResultInstrumentKind::Lvt30, 0, 448},
        {kResultServiceTest, ResultInstrumentKind::Lvt30, 0, 447}, // a threshold outside BER
        {kResultBerTest, ResultInstrumentKind::Lvt60, 0, 446},
        {kResultBerTest, ResultInstrumentKind::HardwareNumber, 0, 483},
        {kResultBerTest, ResultInstrumentKind::Lvt30, 1, 52}, // old firmware's length
        {kResultBerTest, ResultInstrumentKind::Lvt60, 1, 11 + 54 + 1},
        {kResultX25DTest, ResultInstrumentKind::Lvt30, 1, 81},
        {kResultSupplementaryServiceTest, ResultInstrumentKind::HardwareNumber, 1, 20},
    };
    for (const Case &c : cases) {
        synth::ResultFileContent f = synth::resultScenario(c.type, c.instrument);
        std::vector<std::uint8_t> data(c.size, 0x20);
        const std::size_t letterAt = recordPrefixSize(f.layout);
        if (letterAt < data.size())
            data[letterAt] = static_cast<std::uint8_t>(f.records.configuration.marker);
        OpenedResult r(withRecord(dir, f, c.index, data));
        ASSERT_EQ(r.type, c.type) << c.size;
        EXPECT_EQ(r.read, kReadSizeError) << c.size;
        EXPECT_EQ(r.messages.texts(), std::vector<std::string>{"Record size error !"});
        EXPECT_EQ(r.messages.entries()[0].caption, "Error Message");
        EXPECT_EQ(r.file->failureMessage(), "Record size error !");
        EXPECT_EQ(r.report, "Problem while reading file !\r\n");
    }
}

TEST(TestResultFileFailures, ListsLongerThanTheirRecord) {
    TempDir dir;
    const std::pair<int, std::uint8_t> lists[] = {
        {kResultServiceTest, 17}, {kResultSupplementaryServiceTest, 25}, {kResultBChannelTest, 32}};
    for (const auto &[type, count] : lists) {
        synth::ResultFileContent f = test::lvt30(type);
        std::vector<std::uint8_t> results = encodeResults(type, true, f.records);
        results[1] = count;
        OpenedResult r(withRecord(dir, f, 1, results));
        EXPECT_EQ(r.read, kReadSizeError) << type;
        results[1] = count - 1; // a full list still reads
        EXPECT_EQ(OpenedResult(withRecord(dir, f, 1, results)).read, kReadOk) << type;
    }
}

TEST(TestResultFileFailures, MissingRecordsAndFiles) {
    TempDir dir;
    // A configuration alone: the results cannot be read.
    synth::ResultFileContent f = test::lvt30(kResultBerTest);
    std::vector<std::uint8_t> bytes = synth::resultFileBytes(f);
    const std::size_t first = (bytes[1] | bytes[2] << 8) + 5;
    const std::size_t second = (bytes[first + 1] | bytes[first + 2] << 8) + 5;
    bytes.erase(bytes.begin() + first, bytes.begin() + first + second);
    test::writeFile(dir.file("E.lvt"), bytes);
    OpenedResult alone(dir.file("E.lvt"));
    EXPECT_EQ(alone.type, kResultBerTest);
    EXPECT_EQ(alone.read, kReadFailed);
    EXPECT_EQ(alone.messages.texts(), std::vector<std::string>{"Error while reading file!"});
    EXPECT_EQ(alone.report, "Problem while reading file !\r\n");

    struct Case {
        std::string path;
        bool remote;
        int code;
        const char *message;
    };
    const Case cases[] = {
        {dir.file("missing.lvt"), false, kIdentifyCannotOpen, "Unable to open file!"},
        {dir.file(""), false, kIdentifyCannotOpen, "Unable to open file!"}, // a folder
        {dir.file("E.lvt"), true, kIdentifyAmbiguous,
         "Cannot know if this file is a remote or permanent file!"},
        {"", false, kIdentifyAmbiguous, "Cannot know if this file is a remote or permanent file!"},
    };
    for (const Case &c : cases) {
        OpenedResult r(c.path, c.remote);
        EXPECT_EQ(r.type, c.code) << c.path;
        EXPECT_EQ(r.messages.texts(), std::vector<std::string>{c.message}) << c.path;
        EXPECT_EQ(r.messages.entries()[0].caption, "Error Message");
        EXPECT_EQ(r.report, "Problem while reading file !\r\n");
    }
}

TEST(TestResultFileFailures, TooManyRecords) {
    TempDir dir;
    synth::ResultFileContent f = test::lvt30(kResultBerTest);
    std::vector<std::uint8_t> bytes = synth::resultFileBytes(f);
    // The configuration, a crowd of further records, then the results.
    const std::size_t first = (bytes[1] | bytes[2] << 8) + 5;
    std::vector<std::uint8_t> crowd;
    LvtRecord filler;
    filler.dataLength = 4;
    for (std::size_t n = 0; n < kMaxResultRecords; ++n)
        appendRecordBlock(crowd, filler);
    bytes.insert(bytes.begin() + first, crowd.begin(), crowd.end());
    test::writeFile(dir.file("E.lvt"), bytes);
    OpenedResult r(dir.file("E.lvt"));
    EXPECT_EQ(r.type, kIdentifyNoMemory);
    EXPECT_EQ(r.messages.texts(), std::vector<std::string>{"Can't allocate new record!"});
    EXPECT_EQ(r.report, "Problem while reading file !\r\n");
}

} // namespace
} // namespace qv
