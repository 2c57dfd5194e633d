// Opens arbitrary bytes as a capture document, with either first byte, and walks its frames
// the way the summary does: every frame decoded, its default columns and its detail made.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string path = "/tmp/qv-fuzz-document-" + std::to_string(::getpid()) + ".lvt";
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    const char first = (data[0] & 1) ? '#' : 0x01;
    std::fwrite(&first, 1, 1, f);
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);

    qv::RecordingUserMessages messages;
    qv::DecoderServices services;
    qv::CDecodeDoc doc(messages, services);
    qv::CaptureOpenOptions options;
    options.v5Decoding = (data[0] & 2) != 0;
    options.captureMode = (data[0] & 4) != 0;
    if (doc.openCapture(path, options)) {
        qv::DecodableObject &d = *doc.decodable();
        std::string text;
        std::uint32_t previous = 0;
        for (std::uint32_t n = 0; n < doc.frameCount() && n < 400; ++n) {
            if (d.decodeTo(previous, n) == qv::WalkAnswer::Hidden)
                continue;
            previous = n;
            for (int column : {0, 1, 2, 3, 4, 5, 16, 28, 29, 30, 35, 37, 38})
                d.decoder()->columnText(column, text, false);
            d.decoder()->Format_Detail(qv::DetailOptions{});
        }
        doc.goToFrame(doc.frameCount() - 1);
        doc.goToFrame(doc.frameCount());
        qv::PrintRange range;
        doc.printRange(qv::PrintChoice::Range, 1, doc.frameCount(), range);
    }
    std::remove(path.c_str());
    return 0;
}
