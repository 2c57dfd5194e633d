#pragma once
// Writes .dru event files as the DRU-70 lays them out: the marker, the 124-byte header, the
// events in groups behind their size words, and the note at the end.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/WriteFailure.h"

#include "capture/CaptureInfo.h"

namespace qv {

struct Dru70EventRecord {
    std::uint8_t code = 1;
    std::uint16_t eocValue = 0;    // 12 bits
    std::uint8_t timeFormat = 3;   // 3 absolute, else relative to the start of the recording
    std::uint16_t millisecond = 0; // 0..1023
    std::uint32_t seconds = 0;
};

struct Dru70FileDescription {
    std::string instrumentName = "DRU-70"; // at most 7 characters are kept
    std::string serialNumber;              // at most 8
    std::string firstVersion;              // at most 8
    std::string secondVersion;             // at most 10
    CaptureDateTime start;
    CaptureDateTime end;
    std::uint32_t groupSize = 1000;
};

// The 8-byte payload of an event record.
std::vector<std::uint8_t> dru70EventPayload(const Dru70EventRecord &event);

class Dru70FileWriter {
public:
    Dru70FileWriter() = default;
    ~Dru70FileWriter();
    Dru70FileWriter(const Dru70FileWriter &) = delete;
    Dru70FileWriter &operator=(const Dru70FileWriter &) = delete;

    bool create(const std::string &path, const Dru70FileDescription &description);
    bool append(const Dru70EventRecord &event);
    // Closes the last group, writes the note (when not empty) and the final header.
    bool close(const std::string &note = {});
    std::uint32_t recordCount() const { return count_; }
    // The system's reason for the first failed write; 0 when none failed.
    int error() const { return failure_.error(); }

    // The 124 header bytes for a description, record count and note offset.
    static std::vector<std::uint8_t> buildHeader(const Dru70FileDescription &d,
                                                 std::uint32_t records, std::uint32_t noteOffset);

private:
    bool closeGroup();
    bool put(const std::vector<std::uint8_t> &bytes);

    std::FILE *file_ = nullptr;
    Dru70FileDescription description_;
    std::vector<std::uint8_t> group_;
    std::uint32_t inGroup_ = 0;
    std::uint32_t count_ = 0;
    std::uint64_t written_ = 0;
    WriteFailure failure_;
};

} // namespace qv
