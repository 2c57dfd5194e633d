#pragma once
// Feeds fuzzer input to the capture readers through a scratch file and exercises every
// operation a document uses, including the notes writes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "base/UserMessages.h"
#include "capture/CaptureFileOpener.h"

namespace qv::fuzz {

inline std::string scratchPath() {
    return "/tmp/qv-fuzz-capture-" + std::to_string(::getpid()) + ".lvt";
}

inline void exerciseCapture(const std::uint8_t *data, std::size_t size, const char *prefix,
                            std::size_t prefixSize) {
    std::string path = scratchPath();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(prefix, 1, prefixSize, f);
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    RecordingUserMessages messages;
    auto reader = CaptureFileOpener(path, false, messages, {"name", "company"}).createReader();
    if (reader && reader->goTo(0) == 0) {
        std::uint32_t n = reader->recordCount();
        std::uint32_t probes[] = {0, 1, 2, n / 2, n - 1, n, 17, 3};
        for (std::uint32_t p : probes)
            reader->goTo(p);
        for (std::uint32_t i = 0; i < n && i < 300; ++i)
            reader->goTo(i);
        CaptureFlags flags;
        reader->captureFlags(flags);
        reader->notes(true);
        reader->notes(false);
        if (size % 3 == 0) {
            reader->setNotes(std::string(size % 200, 'n'));
            reader->notes(false);
            reader->goTo(n > 0 ? n - 1 : 0);
        }
    }
    std::remove(path.c_str());
}

} // namespace qv::fuzz
