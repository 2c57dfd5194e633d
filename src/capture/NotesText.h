#pragma once
#include <string>

#include "capture/CaptureInfo.h"

namespace qv {

// Where the generated text asks for notes: always, or only under the capture's dates.
enum class NotesLine { Always, WithCaptureDates };

struct NotesTextFields {
    const CaptureInfo *info = nullptr;
    const Registration *registration = nullptr;
    bool realTime = false; // four-digit years; the serial number only when known
    NotesLine notesLine = NotesLine::Always;
};

// The header text offered as notes of a capture that has none.
std::string buildDefaultNotesText(const NotesTextFields &fields);

} // namespace qv
