#pragma once
// One captured frame or layer-1 event, as every reader, the real-time link and the decoders
// exchange it. A plain value: copied whole between owners.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

inline constexpr std::size_t kMaxRecordData = 272;

enum RecordKind : std::uint8_t {
    kLayer1Event = 0,
    kFrameRecord = 1,
    kOverflowMark = 0x81,
    kOverflowMarkAlt = 0x82,
};

struct LvtRecord {
    std::uint8_t blockType = 0;
    std::uint16_t blockLength = 0;
    std::uint16_t trailerLength = 0;
    std::uint16_t timeHigh = 0; // day 15..11, hour 10..6, minute 5..0
    std::uint16_t timeLow = 0;  // second 15..10, millisecond 9..0
    std::uint8_t kind = 0;
    std::uint8_t status = 0;
    std::uint8_t direction = 0; // 0 = NT->TE (LE->AN), else TE->NT (AN->LE)
    std::uint8_t month = 0;
    std::uint16_t dataLength = 0;
    std::array<std::uint8_t, kMaxRecordData> data{};

    unsigned day() const { return timeHigh >> 11; }
    unsigned hour() const { return (timeHigh >> 6) & 31; }
    unsigned minute() const { return timeHigh & 63; }
    unsigned second() const { return timeLow >> 10; }
    unsigned millisecond() const { return timeLow & 0x3FF; }
    bool isOverflowMark() const { return kind == kOverflowMark || kind == kOverflowMarkAlt; }

    void setTime(unsigned day, unsigned hour, unsigned minute, unsigned second,
                 unsigned millisecond);
};

// "%.02d:%.02d:%.02d.%.03d"
std::string timeText(const LvtRecord &record);
void appendTimeText(std::string &out, const LvtRecord &record);

// Text of the status column: frame status, overflow mark text, or "None" for layer-1 events.
std::string_view statusText(const LvtRecord &record);
std::string_view frameStatusText(std::uint8_t status);

// Layer-1 activation-state events show "-" as their direction.
bool isActivationEvent(std::uint8_t eventCode);
std::string_view layer1EventText(std::uint8_t eventCode); // trimmed; "Unknown" when not known

std::string_view directionShortText(const LvtRecord &record); // "==>     " / "     <=="
std::string_view directionLongText(const LvtRecord &record, bool v5 = false);

// Holds the year while records are formatted in order: records carry only their month.
class DateTracker {
public:
    void start(std::uint16_t month, std::uint16_t year) {
        previousMonth_ = month;
        year_ = year;
    }
    // Updates the running year from the record's month, then formats "%.02d/%.02d/%.04d".
    std::string dateText(const LvtRecord &record);
    std::uint16_t year() const { return year_; }

private:
    std::uint16_t previousMonth_ = 0;
    std::uint16_t year_ = 0;
};

} // namespace qv
