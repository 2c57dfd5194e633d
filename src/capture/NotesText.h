#pragma once
#include <string>

#include "capture/CaptureInfo.h"

namespace qv {

struct NotesTextFields {
    const CaptureInfo* info = nullptr;
    const Registration* registration = nullptr;
    bool realTime = false; // four-digit years; the serial number only when known
};

// The header text offered as notes of a capture that has none.
std::string buildDefaultNotesText(const NotesTextFields& fields);

} // namespace qv
