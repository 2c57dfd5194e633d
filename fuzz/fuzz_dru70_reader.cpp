// Arbitrary bytes as a DRU-70 event file: every event listed with its columns, events reached
// in a jumping order, the search, and the note read and written.
//   byte 0: bit 0 put the marker in front of the rest, bits 1..7 the seed of the jumps
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>

#include "ScratchFolder.h"
#include "base/UserMessages.h"
#include "capture/Dru70Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string path = (qv::fuzz::scratchFolder() / "recording.dru").string();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    if (data[0] & 1)
        std::fwrite(qv::kDru70Marker, 1, qv::kDru70MarkerLength, f);
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);

    qv::RecordingUserMessages messages;
    {
        qv::CDru70Decode reader(messages, path);
        if (reader.Position(0) == qv::kDruOk) {
            const std::uint32_t count = std::min<std::uint32_t>(reader.RecordCount(), 400);
            std::string cell;
            for (std::uint32_t n = 0; n < count; ++n)
                if (reader.Fetch(n, n) == qv::kDruFetchShown)
                    for (int c = 0; c < qv::kDru70ColumnCount; ++c)
                        reader.Cell(c, (n & 1) != 0, cell);
            std::minstd_rand jumps(data[0] >> 1);
            for (int k = 0; k < 40 && count > 0; ++k)
                reader.Decode(static_cast<std::uint32_t>(jumps() % count));
            qv::Dru70FindRequest find;
            find.text = "LOOP";
            find.to = count ? count - 1 : 0;
            qv::Dru70FindResult hit;
            reader.Find(find, hit);
            reader.ReadNote(true);
            reader.WriteNote("note");
            reader.ReadNote(false);
        }
    }
    std::remove(path.c_str());
    return 0;
}
