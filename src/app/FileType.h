#pragma once
// Which document and working mode a file goes to, from the type its content shows.
#include <string>

#include "app/Settings.h"
#include "capture/FileTypeScan.h"

namespace qv {

inline constexpr const char *kMsgTypeScanFailed = "Error while searching this file type!";
inline constexpr const char *kMsgRecentTypeScanFailed = "Error while looking for this file type!";
inline constexpr const char *kMsgCommandLineNotLvt =
    "This file is not an LVT-30/-30U, LVT-60 or PLM-45 file!";
inline constexpr const char *kMsgUnableToFindFile = "Unable to find specified file!";
inline constexpr const char *kMsgUnableToOpenRecent = "Unable to open this file!";

// The document that a file of a type is opened in.
enum class FileKind { Capture, Dru70, Plm45, TestResult, NotLvt, ScanFailed, Imported };
FileKind fileKindOf(int type);

// The working mode that shows a type: Examine for captures and DRU-70 files, View Results for
// the rest.
WorkingMode modeOfType(int type);

// Where an open request comes from; each has its own texts for the same failure.
enum class OpenSource { Dialog, RecentFile, CommandLine };

struct OpenDecision {
    FileKind kind = FileKind::ScanFailed;
    WorkingMode mode = WorkingMode::None; // the mode to be in while the file is open
    std::string refusal;                  // not empty: show it and open nothing
};

// What opening a file of type does: the document it goes to and the mode it brings with it,
// wherever it was chosen, or why it is refused.
OpenDecision decideOpen(int type, OpenSource source);

} // namespace qv
