#pragma once
// Export of a capture's frames to pcap or pcapng, link type LINUX_LAPD, so that Wireshark shows
// every frame with its direction and its command/response role.
//
// What is written: the frames with a good status, in file order. Layer-1 events and overflow
// marks have no place in a LAPD capture, and a frame the tester received damaged (bad FCS,
// aborted, truncated ...) would be dissected by Wireshark as if it were whole: both are left
// out and counted. Times: a record's date and time (with the capture's running year) are taken
// as UTC, so the pcap timestamp shows in Wireshark's UTC view exactly the time the tester
// showed, wherever the file is read.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/WriteFailure.h"

#include "decode/LvtRecord.h"

#include "base/BackgroundJob.h"

namespace qv {

class FrameSource;

enum class PcapFileFormat { Pcap, PcapNg };

// Appends records to a new pcap or pcapng file through one large buffer.
class PcapWriter {
public:
    PcapWriter() = default;
    ~PcapWriter();
    PcapWriter(const PcapWriter &) = delete;
    PcapWriter &operator=(const PcapWriter &) = delete;

    bool create(const std::string &path, PcapFileFormat format);
    // Writes to a stream the caller owns (standard output, a fifo), each frame sent on at once:
    // what a live capture hands to Wireshark. close() then flushes it and leaves it open.
    bool stream(std::FILE *out, PcapFileFormat format);
    // One frame with its 16-byte direction header, stamped with the record's time in year.
    bool append(const LvtRecord &record, std::int64_t year);
    // Flushes and closes; false when any write failed.
    bool close();
    std::uint32_t count() const { return count_; }
    // The system's reason for the first failed write; 0 when none failed.
    int error() const { return failure_.error(); }

private:
    bool begin(std::FILE *out, PcapFileFormat format, bool streaming);
    bool flush();
    std::FILE *file_ = nullptr;
    bool streaming_ = false;
    PcapFileFormat format_ = PcapFileFormat::Pcap;
    std::vector<std::uint8_t> buffer_;
    std::uint32_t count_ = 0;
    WriteFailure failure_;
};

// The pcap timestamp of a record's time in year, read as UTC: seconds and microseconds.
void pcapTime(const LvtRecord &record, std::int64_t year, std::int64_t &seconds,
              std::uint32_t &microseconds);

struct PcapExportResult {
    bool ok = false;
    std::string error;              // when !ok
    bool cancelled = false;         // progress stopped it: nothing written
    std::uint32_t frames = 0;       // written
    std::uint32_t layer1Events = 0; // left out: layer-1 events and overflow marks
    std::uint32_t badFrames = 0;    // left out: frames with a status other than good
    std::uint32_t unreadable = 0;   // records that could not be read
};

// Writes the frames of source to path: only those its filters show when shownOnly, else
// every record. The file is written beside path and renamed over it once complete; nothing is
// left behind on failure. The format follows the name: ".pcapng" writes pcapng.
PcapExportResult exportPcap(FrameSource &source, bool shownOnly, const std::string &path,
                            const WorkProgress &progress = {});

// "N frames written; L layer-1 events and B frames with a bad status left out", the parts that
// are zero left out.
std::string exportSummaryText(const PcapExportResult &result);

} // namespace qv
