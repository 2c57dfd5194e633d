#pragma once
#include <cstdint>
#include <string>

#include "base/ByteOrder.h"

namespace qv {

struct CaptureDateTime {
    std::uint16_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const CaptureDateTime &) const = default;
};

// "%02u/%02u/%04u %02u:%02u:%02u".
std::string dateTimeText(const CaptureDateTime &t);

// Six u16 fields: day, month, year, hour, minute, second.
inline CaptureDateTime readDateTime(const std::uint8_t *p) {
    return {readU16(p),     readU16(p + 2), readU16(p + 4),
            readU16(p + 6), readU16(p + 8), readU16(p + 10)};
}

// What both readers know of a capture besides its records.
struct CaptureInfo {
    std::string instrumentName;
    std::string serialNumber; // text form
    std::string serialHex;    // KSM files: the 8 raw serial bytes as 16 hexadecimal digits
    std::string firstVersion;
    std::string secondVersion;
    CaptureDateTime start;
    CaptureDateTime end;
    std::uint8_t captureFlags = 0;
    std::uint16_t startMonth = 0; // real-time files only; stored files report 0
    std::uint16_t startYear = 0;

    const std::string &displaySerial() const {
        return serialNumber.empty() ? serialHex : serialNumber;
    }
};

// The user's identity written into generated notes ("Registration" name and company).
struct Registration {
    std::string name;
    std::string company;
};

} // namespace qv
