#pragma once
// Readers of two trace formats of other ISDN tools, for the import: I4B (isdn4bsd) trace files
// and EyeSDN .trc traces.
//
// I4B: each record is a 32-byte header of eight 32-bit words in the byte order of the machine
// that wrote it (length of header and frame, unit, channel type 0 info / 1 D / 2 B1 / 3 B2,
// direction 0 from the TE / 1 from the NT, truncated bytes, count, seconds, microseconds), then
// the frame. EyeSDN: "EyeSDN", then records that each open with the flag 0xFF; a 12-byte header
// (microseconds on 24 bits, seconds on 40, channel, sender and protocol, length on 16, all big-
// endian) and the frame follow, with 0xFF and 0xFE written as 0xFE and the byte less 2. The
// sender bit is 1 for the TE; protocol 0 is LAPD, channel 0 the D channel.
//
// Only the D channel's LAPD frames become records; the others (B channels, layer-1 events,
// DPNSS and other protocols) are counted as left out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "capture/ImportSource.h"

namespace qv {

enum class TraceFormat { None, I4b, EyeSdn };

// The format of a file from its first bytes (32 are enough): None for anything else.
TraceFormat traceFormatOf(const std::uint8_t *head, std::size_t size);

class TraceRecordSource : public ImportedFrames {
public:
    // False, with the reason in error(), when the file cannot be read or is neither format.
    bool open(const std::string &path);
    // The same from a stream read from where it stands, which is closed in every case.
    bool open(std::FILE *file);
    bool openBytes(std::vector<std::uint8_t> bytes);
    Next next(LvtRecord &record, CaptureDateTime &time) override;
    TraceFormat format() const { return format_; }

private:
    enum class Step { Record, LeftOut, End, Error };
    Step stepI4b(LvtRecord &record, CaptureDateTime &time);
    Step stepEyeSdn(LvtRecord &record, CaptureDateTime &time);
    bool unescape(std::uint8_t *out, std::size_t count);
    Step damaged(const char *what);

    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
    TraceFormat format_ = TraceFormat::None;
    bool bigEndian_ = false;
    std::uint32_t count_ = 0;
    std::vector<std::uint8_t> frame_;
};

} // namespace qv
