#pragma once
// Import of the captures of other tools into a real-time LVT capture, so that their frames
// decode here like a tester's own: pcap and pcapng captures of LAPD (link types LINUX_LAPD and
// LAPD), I4B traces and EyeSDN traces (TraceImport.h tells which of their records are kept).
//
// Each pcap record becomes one good frame record. Direction: from the 16-byte header of
// LINUX_LAPD frames, read as Wireshark reads it; from the C/R bit and the frame's command or
// response role for LAPD frames (PcapFormat.h tells both rules). Time: the pcap timestamp read
// as UTC, to the millisecond; the first frame's year is the capture's start year. A record holds
// at most 272 octets: a longer frame keeps its first 272 and the status "Frame truncated", and
// so does a frame the capturing tool cut short of its original length.
#include <cstdint>
#include <cstdio>
#include <string>

#include "capture/ImportSource.h"
#include "capture/PcapFormat.h"

struct pcap;

namespace qv {

inline constexpr const char *kImportedInstrument = "PCAP";

// The LAPD records of one pcap or pcapng file, read through libpcap.
class PcapRecordSource : public ImportedFrames {
public:
    PcapRecordSource() = default;
    ~PcapRecordSource();
    PcapRecordSource(const PcapRecordSource &) = delete;
    PcapRecordSource &operator=(const PcapRecordSource &) = delete;

    // False, with the reason in error(), when the file is no pcap or pcapng file or its link
    // type is not one of LAPD.
    bool open(const std::string &path);
    // The same from an open stream, which the source then owns (and closes).
    bool open(std::FILE *stream);

    Next next(LvtRecord &record, CaptureDateTime &time) override;

    int linkType() const { return linkType_; }
    std::uint32_t recordsRead() const { return count_; }

private:
    bool checkLinkType();
    ::pcap *pcap_ = nullptr;
    int linkType_ = -1;
    std::uint32_t count_ = 0;
    LapdDirectionGuess directions_;
};

struct ImportResult {
    bool ok = false;
    std::string error;           // when !ok
    std::uint32_t frames = 0;    // written
    std::uint32_t truncated = 0; // of which kept only in part
    std::uint32_t leftOut = 0;   // records that are no D-channel LAPD frame
    int linkType = -1;           // of a pcap file
    std::string damage;          // where the file stopped being readable, after the frames written
};

// Writes the frames of the capture in (pcap, pcapng, I4B or EyeSDN, told by its first bytes) to
// the real-time capture out, through a file beside out renamed over it once complete.
ImportResult importCapture(const std::string &in, const std::string &out);

} // namespace qv
