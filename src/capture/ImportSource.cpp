#include "capture/ImportSource.h"

#include <algorithm>

#include "capture/PcapFormat.h"

namespace qv {

void makeFrameRecord(LvtRecord &r, const std::uint8_t *bytes, std::size_t length, bool cut,
                     bool userToNetwork) {
    if (length > kMaxRecordData) {
        length = kMaxRecordData;
        cut = true;
    }
    r.blockType = 1;
    r.kind = kFrameRecord;
    r.direction = userToNetwork ? 1 : 0;
    r.status = cut ? kStatusTruncated : 0;
    r.dataLength = static_cast<std::uint16_t>(length);
    r.blockLength = static_cast<std::uint16_t>(length + 10);
    r.trailerLength = r.blockLength;
    std::copy(bytes, bytes + length, r.data.begin());
    std::fill(r.data.begin() + static_cast<std::ptrdiff_t>(length), r.data.end(), 0);
}

void stampRecord(LvtRecord &r, CaptureDateTime &time, std::int64_t seconds, long microseconds) {
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    civilFromDays(days, year, month, day);
    const unsigned hour = static_cast<unsigned>(rest / 3600);
    const unsigned minute = static_cast<unsigned>(rest / 60 % 60);
    const unsigned second = static_cast<unsigned>(rest % 60);
    const unsigned millisecond =
        static_cast<unsigned>(std::clamp(microseconds, 0L, 999999L) / 1000);
    r.month = static_cast<std::uint8_t>(month);
    r.setTime(day, hour, minute, second, millisecond);
    time = {static_cast<std::uint16_t>(day),    static_cast<std::uint16_t>(month),
            static_cast<std::uint16_t>(year),   static_cast<std::uint16_t>(hour),
            static_cast<std::uint16_t>(minute), static_cast<std::uint16_t>(second)};
}

} // namespace qv
