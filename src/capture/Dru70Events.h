#pragma once
// The events a DRU-70 records on the U interface and what the program shows of each, and the
// layout facts of a .dru file that its reader and writer share.
#include <cstdint>
#include <string_view>

#include "filters/Dru70EventFilter.h"

namespace qv {

inline constexpr const char *kDru70Marker = "##@@ DRU-70 file    @@##";
inline constexpr std::size_t kDru70MarkerLength = 24;
inline constexpr std::uint16_t kDru70HeaderLength = 124;
// File offsets for a header of the usual length: the header, and the first record.
inline constexpr std::uint64_t kDru70HeaderOffset = 26;
inline constexpr std::uint64_t kDru70DataStart = 24 + kDru70HeaderLength + 10;
// Offsets inside the header.
inline constexpr std::size_t kDruHeaderName = 2, kDruHeaderSerial = 9, kDruHeaderFirstVersion = 17,
                             kDruHeaderSecondVersion = 25, kDruHeaderStart = 36, kDruHeaderEnd = 48,
                             kDruHeaderGroupSize = 100, kDruHeaderRecordCount = 104,
                             kDruHeaderNoteOffset = 116;

inline constexpr std::uint8_t kDruEventRecord = 2;
inline constexpr std::uint8_t kDruNoteRecord = 3;
inline constexpr std::uint16_t kDruEventPayload = 8;
// Time format 3: seconds since 1 January 1970; any other: seconds since the recording started.
inline constexpr std::uint8_t kDruAbsoluteTime = 3;
// A note record of this payload length or more is not read back.
inline constexpr std::uint16_t kDruNoteLimit = 2048;

inline constexpr int kDru70FirstCode = 1;
inline constexpr int kDru70LastCode = 32;

struct Dru70EventInfo {
    const char *name;        // the Events column
    const char *description; // the Comments column
    std::uint8_t direction;  // 0 none, 1 from the network (NT<-LT), 2 from the NT1 (NT->LT)
    bool hasValue;           // carries a 12-bit EOC value
    Dru70EventGroup group;   // what the event filter switches
};

// The event of code 1..32; null for any other code.
const Dru70EventInfo *dru70Event(int code);

} // namespace qv
