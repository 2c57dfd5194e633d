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

namespace {

struct ImportOptions {
    std::string in, lvt;
};

int importCapture(const ImportOptions &o) {
    const std::string &in = o.in, &out = o.lvt;
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
    if (!result.damage.empty()) {
        std::fprintf(stderr, "%s; the frames before it were imported\n", result.damage.c_str());
        return kDamaged;
    }
    return kDone;
}

} // namespace

int exportPcap(const std::string &path, const std::string &out,
               const EnvironmentOptions &environment, const FilterOptions &filterOptions) {
    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, environment); status != kDone)
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

void addImportCommand(Commands &commands) {
    auto o = commands.options<ImportOptions>();
    CLI::App *c = commands.add("import", "A capture of another tool, as a real-time capture.",
                               kWiresharkGroup, [o] { return importCapture(*o); });
    c->footer("IN: pcap or pcapng of link type 177 (LINUX_LAPD) or 203 (LAPD), an I4B or EyeSDN "
              "trace; gzip-compressed or not, as the content tells.");
    c->add_option("IN", o->in, "the file to import")->required()->type_name("IN");
    c->add_option("--lvt", o->lvt, "the capture to write")->required()->type_name("OUT");
}

} // namespace qv::cli
