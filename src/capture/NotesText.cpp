#include "capture/NotesText.h"

#include <cstdio>

namespace qv {

namespace {

std::string dateTimeText(const CaptureDateTime &t, bool fourDigitYear) {
    char text[64];
    std::snprintf(text, sizeof text,
                  fourDigitYear ? "%02d/%02d/%04d - %02d:%02d:%02d"
                                : "%02d/%02d/%02d - %02d:%02d:%02d",
                  t.day, t.month, t.year, t.hour, t.minute, t.second);
    return text;
}

bool plausible(const CaptureDateTime &t) {
    return t.day >= 1 && t.day <= 31 && t.month >= 1 && t.month <= 12;
}

} // namespace

std::string buildDefaultNotesText(const NotesTextFields &f) {
    const CaptureInfo &info = *f.info;
    const std::string eol = "\r\n";
    std::string text = "Name : " + f.registration->name.substr(0, 48) + eol;
    text += "Company : " + f.registration->company.substr(0, 48) + eol;
    text += "Site : " + eol;
    if (!info.instrumentName.empty()) {
        text += "Instrument : " + info.instrumentName;
        if (!f.realTime)
            text += " - SN : " + info.displaySerial();
        else if (!info.serialNumber.empty())
            text += " - SN : " + info.serialNumber;
        text += eol;
        if (!info.firstVersion.empty() && !info.secondVersion.empty())
            text +=
                "             Version : " + info.firstVersion + " - " + info.secondVersion + eol;
    }
    const bool dated = plausible(info.start) && plausible(info.end);
    if (dated) {
        text += "Capture : From " + dateTimeText(info.start, f.realTime) + eol;
        text += "          To   " + dateTimeText(info.end, f.realTime) + eol;
    }
    if (dated || f.notesLine == NotesLine::Always)
        text += "Notes : " + eol;
    return text;
}

} // namespace qv
