#include "results/TestResultFile.h"

#include <cstring>
#include <new>
#include <span>
#include <sys/stat.h>

#include "base/BufferedFile.h"
#include "base/ByteOrder.h"
#include "capture/CaptureFileReader.h"
#include "capture/CaptureWriters.h"
#include "capture/FileTypeScan.h"
#include "capture/LvtFileReader.h"

namespace qv {

namespace {

constexpr std::size_t kBlockHeadSize = 13; // type, length, the record head up to D
constexpr std::size_t kIdentificationBytes = 7;

// Protocol numbers of older firmware, by stored value.
constexpr std::uint16_t kLvt60Protocols[] = {25, 2, 1, 3, 4, 20, 5, 7, 0, 24, 19, 21, 22, 23};
constexpr std::uint16_t kOldProtocols[] = {25, 2,  1, 3,  4,  5,  6,  7,  8,  9,
                                           12, 10, 0, 13, 14, 15, 21, 17, 24, 0};
constexpr std::uint16_t kV0901Protocols[] = {25, 2, 1,  3,  4,  5,  19, 7,  8,  9, 12,
                                             10, 0, 13, 14, 15, 21, 17, 24, 22, 23};
constexpr std::uint16_t kLvt60Modes[] = {0, 1, 2, kUnknownValue, kUnknownValue, 3, 4, 0};

std::uint16_t lookUp(std::span<const std::uint16_t> table, std::uint16_t value) {
    return value < table.size() ? table[value] : kUnknownValue;
}

} // namespace

bool versionBelow(const std::string &version, const char *reference) {
    return std::strncmp(version.c_str(), reference, 6) < 0;
}

bool isNewFirmware(const ResultInstrument &instrument) {
    return !versionBelow(instrument.version, instrument.lvt60 ? "V05.02" : "V09.02");
}

std::uint16_t remapProtocol(std::uint16_t stored, const ResultInstrument &instrument) {
    if (isNewFirmware(instrument))
        return stored;
    if (instrument.lvt60)
        return lookUp(kLvt60Protocols, stored);
    if (std::strncmp(instrument.version.c_str(), "V09.01", 6) == 0 || instrument.hardwareNumber)
        return lookUp(kV0901Protocols, stored);
    return lookUp(kOldProtocols, stored);
}

std::uint16_t remapMode(std::uint16_t stored, const ResultInstrument &instrument) {
    return instrument.lvt60 ? lookUp(kLvt60Modes, stored) : stored;
}

TestResultFile::TestResultFile(std::string fileName, bool remote, UserMessages &messages)
    : path_(std::move(fileName)), remote_(remote), messages_(messages) {}

void TestResultFile::fail(const char *message) {
    failure_ = message;
    messages_.error(message);
}

int TestResultFile::Identify() {
    type_ = 0;
    records_.clear();
    read_ = false;
    instrument_ = {};
    layout_ = ResultLayout::Lvt30;
    const bool named = !path_.empty();
    if (named == remote_) {
        fail(kMsgResultAmbiguousFile);
        return kIdentifyAmbiguous;
    }
    const std::string path = named ? path_ : remoteTransferFilePath();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fail(kMsgResultUnableToOpen);
        return kIdentifyCannotOpen;
    }
    const int type = scanFileType(path);
    if (type < 0)
        return kIdentifyUnreadable;
    if (isResultType(type)) {
        const int status = readRecords(path);
        if (status < 0)
            return status;
    }
    type_ = type;
    return type;
}

// Keeps every record block's data and reads the identification that follows them, stepping
// over the blocks as the type scan does.
int TestResultFile::readRecords(const std::string &path) {
    BufferedFile file;
    if (!file.open(path)) {
        fail(kMsgResultUnableToOpen);
        return kIdentifyCannotOpen;
    }
    const std::uint64_t size = file.size();
    std::uint64_t at = 0;
    try {
        while (at + kBlockHeadSize <= size) {
            file.seek(at);
            const std::uint8_t *head = file.peek(kBlockHeadSize);
            if (!head)
                return kIdentifyUnreadable;
            const std::uint16_t length = readU16(head + 1);
            const std::uint16_t dataLength = readU16(head + 11);
            if (length != dataLength + 10u || at + length + 5 > size)
                break;
            if (records_.size() == kMaxResultRecords) {
                records_.clear();
                fail(kMsgResultCannotAllocate);
                return kIdentifyNoMemory;
            }
            std::vector<std::uint8_t> &data = records_.emplace_back(dataLength);
            file.seek(at + kBlockHeadSize);
            if (!file.readExact(data.data(), dataLength))
                return kIdentifyUnreadable;
            at += length + 5u;
        }
        // The identification, read where the scan reads it: right after the block's length.
        std::uint8_t head[kIdentificationBytes] = {};
        std::uint16_t length = 0;
        file.seek(at + 1);
        file.readU16(length);
        file.seek(at + 3);
        file.read(head, sizeof head);
        std::vector<std::uint8_t> content(std::min<std::size_t>(length, kStoredInfoMaxSize));
        file.seek(at + 3);
        content.resize(file.read(content.data(), content.size()));
        identify(content, head);
    } catch (const std::bad_alloc &) {
        records_.clear();
        fail(kMsgResultCannotAllocate);
        return kIdentifyNoMemory;
    }
    return 0;
}

void TestResultFile::identify(const std::vector<std::uint8_t> &content, const std::uint8_t *head) {
    const CaptureInfo info = LvtFileReader::parseInformationBlock(content, nullptr);
    instrument_ = {};
    if (std::memcmp(head, "LVT-60", 6) == 0) {
        layout_ = ResultLayout::Lvt60;
        instrument_.lvt60 = true;
        instrument_.name = "LVT-60";
        instrument_.number = info.serialNumber;
        instrument_.named = !info.serialNumber.empty();
    } else if (std::memcmp(head, "KSM", 3) == 0 && head[6] != 0) {
        layout_ = ResultLayout::HardwareNumber;
        instrument_.hardwareNumber = true;
        instrument_.named = true;
        instrument_.name = info.instrumentName;
        instrument_.number = info.serialHex;
        instrument_.version = info.firstVersion;
    } else {
        layout_ = ResultLayout::Lvt30;
        instrument_.named = !info.instrumentName.empty();
        instrument_.name = info.instrumentName;
        instrument_.number = info.serialNumber;
        instrument_.version = info.firstVersion;
    }
}

int TestResultFile::Read() {
    read_ = false;
    report_.clear();
    reportStep_ = 0;
    duration_.reset();
    if (!isResultType(type_)) {
        fail(type_ == kTypeNotLvt ? kMsgNotAnLvtFile : kMsgNoTestResult);
        return kReadNoResult;
    }
    if (records_.empty()) {
        fail(kMsgResultReadError);
        return kReadFailed;
    }
    const std::size_t prefix = recordPrefixSize(layout_);
    const std::vector<std::uint8_t> &config = records_[0];
    if (!isConfigurationSize(type_, layout_, config.size())) {
        fail(kMsgResultRecordSize);
        return kReadSizeError;
    }
    std::string lvt60Version;
    values_ = {};
    values_.configuration =
        parseConfiguration(type_, commonConfiguration(layout_, config.data() + prefix,
                                                      config.size() - prefix, &lvt60Version));
    if (layout_ == ResultLayout::Lvt60)
        instrument_.version = lvt60Version;
    newFirmware_ = isNewFirmware(instrument_);
    ResultConfiguration &c = values_.configuration;
    c.protocol = remapProtocol(c.protocol, instrument_);
    c.mode = remapMode(c.mode, instrument_);

    if (records_.size() < 2) {
        fail(kMsgResultReadError);
        return kReadFailed;
    }
    const std::vector<std::uint8_t> &results = records_[1];
    if (results.size() < prefix || !parseResults(type_, newFirmware_, results.data() + prefix,
                                                 results.size() - prefix, values_)) {
        fail(kMsgResultRecordSize);
        return kReadSizeError;
    }
    read_ = true;
    return kReadOk;
}

std::string TestResultFile::Report() {
    if (!read_)
        return kResultProblemReport;
    const std::span<const ReportSection> sections = ResultReport::sectionsOf(type_);
    if (reportStep_ == sections.size() && !report_.empty())
        return report_;
    ResultReport report(type_, instrument_, values_, newFirmware_);
    report_.clear();
    for (reportStep_ = 0; reportStep_ < sections.size(); ++reportStep_)
        report.append(sections[reportStep_], report_);
    duration_ = report.durationSeconds();
    return report_;
}

} // namespace qv
