#include "capture/CaptureInfo.h"

#include <cstdio>

namespace qv {

std::string dateTimeText(const CaptureDateTime &t) {
    // What a damaged block gives is not shown as if it were a date.
    if (t.day < 1 || t.day > 31 || t.month < 1 || t.month > 12 || t.year > 9999 || t.hour > 23 ||
        t.minute > 59 || t.second > 59)
        return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u %02u:%02u:%02u", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return text;
}

} // namespace qv
