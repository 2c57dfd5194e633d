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
inline constexpr const char *kMsgWrongTypeForMode =
    "The type of file is not correct for the active configuration.\n Please see help in "
    "\"Open a File\"";
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

// What opening a file of type does while the program is in mode. The Open dialog keeps to its
// mode's kinds; a recent file and the command line switch to the file's mode.
OpenDecision decideOpen(int type, OpenSource source, WorkingMode mode);

} // namespace qv
