#pragma once
// Export of a capture's frames to a stored LVT capture of their own: every record, or only the
// frames its filters show. The copy keeps the capture's instrument, serial number, versions,
// start and end, capture flags and notes.
#include <cstdint>
#include <string>

#include "capture/CaptureWriters.h"

#include "base/BackgroundJob.h"

namespace qv {

class CaptureFileReader;
class FrameSource;

// The stored information of a copy of the capture that reader reads.
StoredFileDescription copyDescription(CaptureFileReader &reader);

struct LvtExportResult {
    bool ok = false;
    std::string error;        // when !ok
    bool cancelled = false;   // progress stopped it: nothing written
    std::uint32_t frames = 0; // written
    std::uint32_t total = 0;  // records of the capture
};

// Writes the records of source to path: only the frames its filters show when shownOnly,
// else every record as it stands, undecoded. The file is written beside path and renamed over
// it once complete; nothing is left behind on failure, nor when no frame passes the filters.
LvtExportResult exportLvt(FrameSource &source, bool shownOnly, const std::string &path,
                          const WorkProgress &progress = {});

} // namespace qv
