// The import of a capture file of another tool as the command line and the desktop program run
// it: any bytes as the file, gzip-compressed or not, told by content, then read to the end.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "ScratchFolder.h"
#include "capture/Gzip.h"
#include "capture/PcapImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string folder = qv::fuzz::scratchFolder().string();
    const std::string in = folder + "/in", out = folder + "/out.lvt";
    std::FILE *file = std::fopen(in.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    // A small limit keeps a member built to expand from filling the disk while it is fuzzed.
    std::string error;
    if (std::FILE *gunzipped = qv::gunzipToTemporary(in, error, std::uint64_t{16} << 20))
        std::fclose(gunzipped);
    const qv::ImportResult result = qv::importCapture(in, out);
    if (qv::isGzip(data, size) && !error.empty() && result.ok)
        __builtin_trap(); // an import of damaged compressed data must fail
    std::remove(out.c_str());
    return 0;
}
