// The expert command: the link analysis of a capture as a list of warnings.
#include "ExpertCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "analysis/LinkAnalysis.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

// "1 error", "2 errors".
std::string counted(std::size_t n, const char *what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

void appendItem(std::string &out, const ExpertItem &item, Format format) {
    const std::string frame = std::to_string(item.frame);
    switch (format) {
    case Format::Text:
        out += frame + '\t';
        out += severityText(item.severity);
        out += '\t';
        out += expertGroupText(item.group);
        out += '\t' + item.text + '\n';
        break;
    case Format::Csv:
        out += frame + ',';
        out += severityText(item.severity);
        out += ',';
        out += expertGroupText(item.group);
        out += ',';
        appendCsvCell(out, item.text);
        out += '\n';
        break;
    case Format::Json:
        out += "{\"frame\":" + frame + ",\"severity\":";
        appendJsonString(out, severityText(item.severity));
        out += ",\"group\":";
        appendJsonString(out, expertGroupText(item.group));
        out += ",\"text\":";
        appendJsonString(out, item.text);
        out += "}\n";
        break;
    }
}

} // namespace

int expert(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &path = args[0];
    Format format = Format::Text;
    Severity least = Severity::Note;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--format" && hasValue) {
            if (!parseFormat(args[++i], format)) {
                std::fprintf(stderr, "expert: --format takes text, csv or json\n");
                return kRefused;
            }
        } else if (a == "--severity" && hasValue) {
            if (!parseSeverity(args[++i], least)) {
                std::fprintf(stderr, "expert: --severity takes note, warning or error\n");
                return kRefused;
            }
        } else if (!skipEnvironmentOption(args, i)) {
            return unknownArgument("expert", a);
        }
    }
    OpenedCapture opened;
    if (const int status = opened.open(args, path); status != kDone)
        return status;
    DecodableObject &capture = opened.decodable();
    LinkAnalysis analysis(capture.decoderKind() == DecoderKind::V5);
    const bool read = withProgress("expert", [&](const WorkProgress &progress) {
        return analyseLinks(opened.source(), analysis, progress);
    });
    if (!read)
        std::fprintf(stderr, "expert: some frames could not be read; they are left out\n");
    std::string out;
    if (format == Format::Csv)
        out = "Frame,Severity,Group,Text\n";
    std::size_t shown = 0;
    for (const ExpertItem &item : analysis.items()) {
        if (item.severity < least)
            continue;
        appendItem(out, item, format);
        ++shown;
        if (out.size() >= (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    if (format == Format::Text)
        out += counted(shown, "item") + " (" + counted(analysis.count(Severity::Error), "error") +
               ", " + counted(analysis.count(Severity::Warning), "warning") + ", " +
               counted(analysis.count(Severity::Note), "note") + " in " +
               counted(analysis.linkCount(), "data link") + ")\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

} // namespace qv::cli
