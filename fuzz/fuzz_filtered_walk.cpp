// A filter profile and a capture from arbitrary bytes: the profile is read as the Filter
// folder would hold it, put on the capture document as its off-line filter, and the frames are
// walked forward, backward and by jumps, the nearest shown frame looked for, and the real-time
// verdict asked of every frame.
//   byte 0: bit 0 real-time profile, bit 1 V5 decoding, bits 2..7 the seed of the jumps
//   bytes 1..2: length L of the profile text (big-endian), then L bytes of it
//   the rest: the capture file
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

#include "ScratchFolder.h"
#include "app/DecoderContext.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "filters/FilterFiles.h"
#include "filters/OffLineFrameFilter.h"

namespace {

const qv::DecoderServices &services() {
    static qv::DecoderContext context;
    static const bool started = [] {
        qv::RecordingUserMessages messages;
        return context.start(qv::Installation::fromCommandLine({}), qv::Settings(), "EDSS",
                             messages);
    }();
    (void)started;
    return context.services();
}

bool write(const std::string &path, const std::uint8_t *data, std::size_t size) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::size_t profileSize = std::min<std::size_t>((data[1] << 8) | data[2], size - 3);
    const std::uint8_t *capture = data + 3 + profileSize;
    const std::size_t captureSize = size - 3 - profileSize;
    const std::string folder = qv::fuzz::scratchFolder().string();
    const qv::FilterKind kind = (data[0] & 1) ? qv::FilterKind::RealTime : qv::FilterKind::OffLine;
    qv::FilterFiles files(folder);
    qv::FilterCriteria criteria;
    if (write(files.path(kind, "fuzz"), data + 3, profileSize))
        files.Load(kind, "fuzz", criteria);
    (void)criteria.testerBytes();
    (void)criteria.IsActive(kind);

    const std::string path = folder + "/capture.lvt";
    if (captureSize > 0 && write(path, capture, captureSize)) {
        qv::RecordingUserMessages messages;
        qv::CDecodeDoc doc(messages, services());
        qv::CaptureOpenOptions options;
        options.v5Decoding = (data[0] & 2) != 0;
        if (doc.openCapture(path, options)) {
            doc.applyOffLineFilters(std::make_unique<qv::OffLineFrameFilter>(criteria));
            qv::DecodableObject &d = *doc.decodable();
            const std::uint32_t count = std::min<std::uint32_t>(doc.frameCount(), 300);
            std::uint32_t previous = 0;
            for (std::uint32_t n = 0; n < count; ++n) {
                const qv::WalkAnswer answer = d.decodeTo(previous, n);
                if (answer == qv::WalkAnswer::BeyondLastShown)
                    break;
                if (answer != qv::WalkAnswer::Hidden)
                    previous = n;
            }
            for (std::uint32_t n = count; n-- > 0;)
                d.decodeTo(std::min(n + 1, count - 1), n);
            std::minstd_rand jumps(data[0] >> 2);
            for (int k = 0; k < 40; ++k)
                doc.goToFrame(jumps() % doc.frameCount());
            messages.queueAnswer(qv::MessageAnswer::Yes);
            doc.reachFrame(jumps() % doc.frameCount());
            // The same frames through the real-time verdict.
            qv::FrameFilter realTime(qv::FilterKind::RealTime, criteria);
            qv::CDecoder &decoder = *doc.decoder();
            for (std::uint32_t n = 0; n < count; ++n)
                if (d.readFrame(n).ok() && decoder.decodeLoaded(n) >= 0)
                    realTime.Verdict(decoder.frame(), decoder.currentRecord(),
                                     decoder.LayerCategory(), n);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}
