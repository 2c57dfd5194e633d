#pragma once
// A tester's result file, as the result document opens it: Identify when the file is chosen,
// then Read and Report when it is opened.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/UserMessages.h"
#include "results/ResultRecords.h"
#include "results/ResultReport.h"

namespace qv {

inline constexpr const char *kMsgResultAmbiguousFile =
    "Cannot know if this file is a remote or permanent file!";
inline constexpr const char *kMsgResultUnableToOpen = "Unable to open file!";
inline constexpr const char *kMsgResultCannotAllocate = "Can't allocate new record!";
inline constexpr const char *kMsgResultReadError = "Error while reading file!";
inline constexpr const char *kMsgResultRecordSize = "Record size error !";
inline constexpr const char *kMsgNoTestResult = "This file holds no test result!";
// The whole report of a file that could not be read.
inline constexpr const char *kResultProblemReport = "Problem while reading file !\r\n";

// Failures of Identify.
inline constexpr int kIdentifyAmbiguous = -1;
inline constexpr int kIdentifyCannotOpen = -2;
inline constexpr int kIdentifyUnreadable = -3; // the type scan failed; nothing was shown
inline constexpr int kIdentifyNoMemory = -4;
// Results of Read.
inline constexpr int kReadOk = 0;
inline constexpr int kReadFailed = -1;
inline constexpr int kReadSizeError = -2;
inline constexpr int kReadNoResult = -3;

// A result file holds its configuration and results; anything near this many records is no
// result file a tester writes.
inline constexpr std::size_t kMaxResultRecords = 256;

// Firmware versions are compared character by character over six characters.
bool versionBelow(const std::string &version, const char *reference);
// The firmware that counts layer-1 alarms: "V05.02" on an LVT-60, "V09.02" elsewhere.
bool isNewFirmware(const ResultInstrument &instrument);
// Protocol and mode values of older firmware in today's numbering; a value the firmware did
// not have becomes one that every table shows as "?".
inline constexpr std::uint16_t kUnknownValue = 0xFFFF;
std::uint16_t remapProtocol(std::uint16_t stored, const ResultInstrument &instrument);
std::uint16_t remapMode(std::uint16_t stored, const ResultInstrument &instrument);

class TestResultFile {
public:
    // Exactly one of a file name and remote (the file a transfer just wrote) names the file.
    TestResultFile(std::string fileName, bool remote, UserMessages &messages);

    // The file's type (1 to 5 and 9 for results, 6 to 12 for the rest), or a negative code.
    int Identify();
    // Reads the test records; 0 on success, negative (with its message shown) on failure.
    int Read();
    // The report text, or "Problem while reading file !" and a line end when Read failed.
    std::string Report();

    int resultType() const { return type_; }
    const ResultInstrument &instrument() const { return instrument_; }
    ResultLayout layout() const { return layout_; }
    std::size_t recordCount() const { return records_.size(); }
    // The records' values, protocol and mode renumbered; valid after Read.
    const TestRecords &records() const { return values_; }
    bool newFirmware() const { return newFirmware_; }
    // The test's duration, once the report has been built.
    std::optional<long> durationSeconds() const { return duration_; }
    const std::string &failureMessage() const { return failure_; }

private:
    void fail(const char *message);
    int readRecords(const std::string &path);
    void identify(const std::vector<std::uint8_t> &content, const std::uint8_t *head);

    std::string path_;
    bool remote_;
    UserMessages &messages_;
    int type_ = 0;
    ResultInstrument instrument_;
    ResultLayout layout_ = ResultLayout::Lvt30;
    std::vector<std::vector<std::uint8_t>> records_; // each record's data, in file order
    TestRecords values_;
    bool newFirmware_ = false;
    bool read_ = false;
    std::size_t reportStep_ = 0; // the next section to append
    std::string report_;
    std::optional<long> duration_;
    std::string failure_;
};

} // namespace qv
