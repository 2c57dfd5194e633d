#include "decode/LvtRecord.h"

#include "base/Numbers.h"

#include <cstdio>

namespace qv {

namespace {

constexpr std::string_view kFrameStatusTexts[] = {
    "Good", "Bad", "Frame aborted", "Frame truncated", "Overflow", "Frame too short", "Frame error",
};

constexpr std::string_view kLayer1EventTexts[] = {
    "TE I0 - NT I0",   "TE I3 - NT I2", "TE I3 - NT I4", "NT Ix",         "LOS Begin",
    "LOF Begin",       "RDI Begin",     "AIS Begin",     "CRC  Begin",    "E-Bit Begin",
    "Code Err. Begin", "LOS End",       "LOF End",       "RDI End",       "AIS End",
    "CRC End",         "E-Bit End",     "Code Err. End", "CRC",           "E-Bit",
    "Code Err.",       "Activated",     "U activated",   "U deactivated", "U and S activated",
};

} // namespace

void LvtRecord::setTime(unsigned d, unsigned h, unsigned mi, unsigned s, unsigned ms) {
    timeHigh = static_cast<std::uint16_t>(((d & 31) << 11) | ((h & 31) << 6) | (mi & 63));
    timeLow = static_cast<std::uint16_t>(((s & 63) << 10) | (ms & 0x3FF));
}

std::string timeText(const LvtRecord &r) {
    std::string text;
    appendTimeText(text, r);
    return text;
}

void appendTimeText(std::string &out, const LvtRecord &r) {
    appendDecimal(out, r.hour(), 2);
    out.push_back(':');
    appendDecimal(out, r.minute(), 2);
    out.push_back(':');
    appendDecimal(out, r.second(), 2);
    out.push_back('.');
    appendDecimal(out, r.millisecond(), 3);
}

std::string_view frameStatusText(std::uint8_t status) {
    if (status < std::size(kFrameStatusTexts))
        return kFrameStatusTexts[status];
    return "-";
}

std::string_view statusText(const LvtRecord &r) {
    if (r.kind == kFrameRecord)
        return frameStatusText(r.status);
    if (r.isOverflowMark())
        return r.status == 1 ? "Overflow in Real-Time mode on the Tester equipment" : "-";
    if (r.kind == kLayer1Event)
        return "None";
    return "-";
}

bool isActivationEvent(std::uint8_t code) {
    return code <= 3 || (code >= 22 && code <= 24);
}

std::string_view layer1EventText(std::uint8_t code) {
    if (code < std::size(kLayer1EventTexts))
        return kLayer1EventTexts[code];
    return "Unknown";
}

std::string_view directionShortText(const LvtRecord &r) {
    return r.direction != 0 ? "==>     " : "     <==";
}

std::string_view directionLongText(const LvtRecord &r, bool v5) {
    if (v5)
        return r.direction != 0 ? "AN->LE" : "LE->AN";
    return r.direction != 0 ? "TE->NT" : "NT->TE";
}

std::string DateTracker::dateText(const LvtRecord &r) {
    if (r.month == 1 && previousMonth_ == 12)
        ++year_;
    else if (r.month == 12 && previousMonth_ == 1)
        --year_;
    previousMonth_ = r.month;
    char text[32];
    std::snprintf(text, sizeof text, "%.02u/%.02u/%.04u", r.day(), static_cast<unsigned>(r.month),
                  static_cast<unsigned>(year_));
    return text;
}

} // namespace qv
