// The file-type scan over any content: a stored file's record walk, its information block and
// the markers of the other layouts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "ScratchFolder.h"
#include "app/FileType.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string path = (qv::fuzz::scratchFolder() / "typed.lvt").string();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const int type = qv::scanFileType(path);
    if (type != qv::kTypeUnreadable &&
        (type < 1 || type > qv::kTypeTraceCapture || type == 10 || type == 7))
        std::abort(); // a content-based answer is one of the scan's own types
    qv::decideOpen(type, qv::OpenSource::Dialog);
    std::remove(path.c_str());
    return 0;
}
