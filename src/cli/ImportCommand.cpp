// The pcap exchange of quorvane-cli: captures of other tools imported, ours exported for them.
#include "ImportCommand.h"

#include <cstdio>
#include <filesystem>

#include "CliEnvironment.h"
#include "FilterOptions.h"
#include "capture/PcapExport.h"
#include "capture/PcapImport.h"

namespace qv::cli {

namespace fs = std::filesystem;

int importCapture(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &in = args[0];
    std::string out;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--lvt" && i + 1 < args.size())
            out = args[++i];
        else
            return unknownArgument("import", a);
    }
    if (out.empty()) {
        std::fprintf(stderr, "import: --lvt OUT names the capture to write\n");
        return kBadUsage;
    }
    if (const int status =
            checkOutput(in, out, "that is the file imported; the capture needs a file of its own");
        status != kDone)
        return status;
    std::error_code ec;
    if (!fs::is_regular_file(in, ec)) {
        std::fprintf(stderr, "%s: no such file\n", in.c_str());
        return kFailed;
    }
    const ImportResult result = qv::importCapture(in, out);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        return kFailed;
    }
    std::printf("%s: %u frames", out.c_str(), result.frames);
    if (result.truncated)
        std::printf(", %u of them cut to %zu octets", result.truncated, kMaxRecordData);
    if (result.leftOut)
        std::printf("; %u records of B channels, events or other protocols left out",
                    result.leftOut);
    std::printf("\n");
    return kDone;
}

int exportPcap(const std::string &path, const std::string &out,
               const std::vector<std::string> &args, const FilterOptions &filterOptions) {
    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, args); status != kDone)
        return status;
    if (const int status = capture.open(path); status != kDone)
        return status;
    CDecodeDoc &doc = *capture.doc;
    FrameSource source(*doc.decodable());
    const PcapExportResult result = withProgress("export", [&](const WorkProgress &progress) {
        return qv::exportPcap(source, capture.filter.given, out, progress);
    });
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        return kFailed;
    }
    std::printf("%s: %s, of %u records\n", out.c_str(), exportSummaryText(result).c_str(),
                doc.frameCount());
    return kDone;
}

} // namespace qv::cli
