#pragma once
// Builders and readers of pcap files for the exchange tests.
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteOrder.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/FrameSource.h"
#include "capture/PcapExport.h"
#include "synth/Scenario.h"

#include <zlib.h>

namespace qv::test {

struct PcapFrame {
    std::uint32_t seconds = 0, microseconds = 0;
    std::vector<std::uint8_t> bytes;  // as stored, with any per-link header
    std::uint32_t originalLength = 0; // 0: the stored length
};

// A little-endian microsecond pcap file of the link type.
inline std::vector<std::uint8_t> pcapFile(std::uint32_t linkType,
                                          const std::vector<PcapFrame> &frames) {
    std::vector<std::uint8_t> out;
    appendU32(out, 0xA1B2C3D4);
    appendU16(out, 2);
    appendU16(out, 4);
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 65535);
    appendU32(out, linkType);
    for (const PcapFrame &f : frames) {
        appendU32(out, f.seconds);
        appendU32(out, f.microseconds);
        appendU32(out, static_cast<std::uint32_t>(f.bytes.size()));
        appendU32(out,
                  f.originalLength ? f.originalLength : static_cast<std::uint32_t>(f.bytes.size()));
        out.insert(out.end(), f.bytes.begin(), f.bytes.end());
    }
    return out;
}

// The records of a pcap file that PcapWriter wrote (little-endian, microseconds).
inline std::vector<PcapFrame> pcapRecords(const std::vector<std::uint8_t> &file) {
    std::vector<PcapFrame> frames;
    for (std::size_t at = 24; at + 16 <= file.size();) {
        PcapFrame f;
        f.seconds = readU32(&file[at]);
        f.microseconds = readU32(&file[at + 4]);
        const std::uint32_t length = readU32(&file[at + 8]);
        f.originalLength = readU32(&file[at + 12]);
        f.bytes.assign(file.begin() + static_cast<std::ptrdiff_t>(at + 16),
                       file.begin() + static_cast<std::ptrdiff_t>(at + 16 + length));
        frames.push_back(std::move(f));
        at += 16 + length;
    }
    return frames;
}

// A built-in scenario written as a real-time capture.
inline std::string scenarioCapture(const TempDir &dir, const std::string &scenario,
                                   std::uint32_t frames = 0) {
    const std::string path = dir.file(scenario + ".lvt");
    std::string error;
    EXPECT_TRUE(synth::writeCapture(path, synth::Layout::RealTime,
                                    synth::builtinScenario(scenario, frames, 1),
                                    synth::kScenarioStartYear, error))
        << error;
    return path;
}

// A capture exported as the command line does, without a filter.
struct ExportedCapture {
    RecordingUserMessages messages;
    DecoderServices services;
    CDecodeDoc doc{messages, services};
    PcapExportResult result;
    ExportedCapture(const std::string &capture, const std::string &out) {
        if (doc.openCapture(capture, {}))
            result = exportPcap(*FrameSource::of(doc), false, out);
    }
};

// bytes written gzip-compressed to path.
inline void writeGzipped(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    gzFile out = gzopen(path.c_str(), "wb9");
    gzwrite(out, bytes.data(), static_cast<unsigned>(bytes.size()));
    gzclose(out);
}

} // namespace qv::test
