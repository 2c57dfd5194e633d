// The expert command: the link analysis of a capture as a list of warnings.
#include "ExpertCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "analysis/LinkAnalysis.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

// "1 error", "2 errors".
std::string counted(std::size_t n, const char *what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

struct ExpertOptions {
    std::string file;
    EnvironmentOptions environment;
    Format format = Format::Text;
    Severity least = Severity::Note;
};

int expert(const ExpertOptions &o) {
    OpenedCapture opened;
    if (const int status = opened.open(o.environment, o.file); status != kDone)
        return status;
    DecodableObject &capture = opened.decodable();
    LinkAnalysis analysis(capture.decoderKind() == DecoderKind::V5);
    analysis.findingsOnDisk();
    const bool read = withProgress("expert", [&](const WorkProgress &progress) {
        return analyseLinks(opened.source(), analysis, progress);
    });
    if (!read)
        std::fprintf(stderr, "expert: some frames could not be read; they are left out\n");
    std::size_t shown = 0;
    {
        TableWriter table(o.format, {"Frame", "Severity", "Group", "Text"});
        const bool whole = analysis.forEachItem([&](const ExpertItem &item) {
            if (item.severity < o.least)
                return;
            table.row({std::to_string(item.frame), std::string(severityText(item.severity)),
                       std::string(expertGroupText(item.group)), item.text});
            ++shown;
        });
        if (!whole)
            std::fprintf(stderr, "expert: the findings beyond those listed were lost: the "
                                 "temporary file failed\n");
    }
    std::string out;
    if (o.format == Format::Text)
        out += counted(shown, "item") + " (" + counted(analysis.count(Severity::Error), "error") +
               ", " + counted(analysis.count(Severity::Warning), "warning") + ", " +
               counted(analysis.count(Severity::Note), "note") + " in " +
               counted(analysis.linkCount(), "data link") + ")\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

} // namespace

void addExpertCommand(Commands &commands) {
    auto o = commands.options<ExpertOptions>();
    CLI::App *c =
        commands.add("expert", "The layer-2 link analysis: lost, repeated, late frames ...",
                     kAnalysisGroup, [o] { return expert(*o); });
    c->footer("One item a row, in frame order; on text, a count of items at the end.");
    addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
    addFormatOption(*c, o->format);
    c->add_option_function<std::string>(
         "--severity", [o](const std::string &name) { parseSeverity(name, o->least); },
         "the least severity listed (default: note)")
        ->check(oneOf({"note", "warning", "error"}, true))
        ->type_name("note|warning|error");
    addEnvironmentOptions(*c, o->environment);
}

} // namespace qv::cli
