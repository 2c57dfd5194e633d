#include "capture/CaptureInfo.h"

#include <cstdio>

namespace qv {

std::string dateTimeText(const CaptureDateTime &t) {
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u %02u:%02u:%02u", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return text;
}

} // namespace qv
