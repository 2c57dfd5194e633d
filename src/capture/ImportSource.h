#pragma once
// What every reader of another tool's capture hands to the import: its D-channel LAPD frames as
// records, one at a time, each with the full date of its time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "capture/CaptureInfo.h"
#include "decode/LvtRecord.h"

namespace qv {

inline constexpr std::uint8_t kStatusTruncated = 3;

class ImportedFrames {
public:
    enum class Next { Record, End, Error };
    virtual ~ImportedFrames() = default;
    // The next frame as a record, with the full date of its time.
    virtual Next next(LvtRecord &record, CaptureDateTime &time) = 0;
    // Why the file cannot be opened or read on.
    const std::string &error() const { return error_; }
    // Records read that are no D-channel LAPD frame (B channels, events, other protocols).
    std::uint32_t leftOut() const { return leftOut_; }

protected:
    std::string error_;
    std::uint32_t leftOut_ = 0;
};

// A frame record of the length bytes: at most kMaxRecordData of them are kept; a longer frame,
// or one the capturing tool cut short (cut), gets the status "Frame truncated", else good.
void makeFrameRecord(LvtRecord &record, const std::uint8_t *bytes, std::size_t length, bool cut,
                     bool userToNetwork);
// The record's time, to the millisecond, and time's full date, from seconds since 1970 (UTC)
// and microseconds.
void stampRecord(LvtRecord &record, CaptureDateTime &time, std::int64_t seconds, long microseconds);

} // namespace qv
