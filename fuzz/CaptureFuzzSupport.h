#pragma once
// Feeds fuzzer input to the capture readers through a scratch file and exercises every
// operation a document uses, including the notes writes.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "ScratchFolder.h"
#include "base/UserMessages.h"
#include "capture/CaptureFileOpener.h"

namespace qv::fuzz {

inline std::string scratchPath() {
    return (scratchFolder() / "capture.lvt").string();
}

// Every record the reader offers, and the file's bytes.
struct Snapshot {
    std::vector<LvtRecord> records;
    std::string bytes;
};

inline Snapshot snapshot(const std::string &path) {
    Snapshot s;
    std::ifstream in(path, std::ios::binary);
    s.bytes.assign(std::istreambuf_iterator<char>(in), {});
    RecordingUserMessages quiet;
    auto reader = CaptureFileOpener(path, false, quiet, {}).createReader();
    if (!reader || reader->goTo(0) != 0)
        return s;
    for (std::uint32_t i = 0; i < reader->recordCount() && i < 300; ++i)
        if (reader->goTo(i) == 0)
            s.records.push_back(reader->recordBuffer());
    return s;
}

inline bool sameRecords(const std::vector<LvtRecord> &a, const std::vector<LvtRecord> &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].dataLength != b[i].dataLength || a[i].data != b[i].data ||
            a[i].timeHigh != b[i].timeHigh || a[i].timeLow != b[i].timeLow ||
            a[i].status != b[i].status || a[i].direction != b[i].direction)
            return false;
    return true;
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
            // A notes write changes no record, reads back as written, and a refused one leaves
            // the file as it was.
            const Snapshot before = snapshot(path);
            const std::string text(size % 200, 'n');
            const bool written = reader->setNotes(text);
            reader->notes(false);
            reader->goTo(n > 0 ? n - 1 : 0);
            const Snapshot after = snapshot(path);
            if (!sameRecords(before.records, after.records))
                __builtin_trap();
            if (!written && before.bytes != after.bytes)
                __builtin_trap();
            RecordingUserMessages quiet;
            auto again = CaptureFileOpener(path, false, quiet, {}).createReader();
            if (written && !text.empty() && again && again->goTo(0) == 0 &&
                again->notes(false) != text)
                __builtin_trap();
        }
    }
    std::remove(path.c_str());
}

} // namespace qv::fuzz
