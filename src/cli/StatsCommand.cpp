// The stats command: the statistics tables of a capture, as text or JSON.
#include "StatsCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "analysis/Statistics.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

std::string json(const Statistics &s) {
    std::string out = "{\"frames\":" + std::to_string(s.frames());
    out += ",\"first\":";
    appendJsonString(out, s.firstTime());
    out += ",\"last\":";
    appendJsonString(out, s.lastTime());
    out += ",\"spanMs\":" + std::to_string(s.spanMs());
    char rate[40];
    std::snprintf(rate, sizeof rate, "%.3f", s.frameRate());
    out += ",\"framesPerSecond\":";
    out += rate;
    for (const StatisticsTable &t : s.tables()) {
        out += ',';
        appendJsonString(out, t.key);
        out += ":[";
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            out += r ? ",{" : "{";
            for (std::size_t c = 0; c + 1 < t.headings.size(); ++c) {
                appendJsonString(out, t.headings[c]);
                out += ':';
                appendJsonString(out, c < t.rows[r].cells.size() ? t.rows[r].cells[c] : "");
                out += ',';
            }
            appendJsonString(out, t.headings.back());
            out += ':' + std::to_string(t.rows[r].count) + '}';
        }
        out += ']';
    }
    out += "}\n";
    return out;
}

} // namespace

int stats(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &path = args[0];
    bool asJson = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--format" && hasValue) {
            const std::string &v = args[++i];
            if (v != "text" && v != "json") {
                std::fprintf(stderr, "stats: --format takes text or json\n");
                return kRefused;
            }
            asJson = v == "json";
        } else if (!skipEnvironmentOption(args, i)) {
            return unknownArgument("stats", a);
        }
    }
    OpenedCapture opened;
    if (const int status = opened.open(args, path); status != kDone)
        return status;
    Statistics statistics;
    const bool read = withProgress("stats", [&](const WorkProgress &progress) {
        return collectStatistics(opened.source(), statistics, progress);
    });
    if (!read)
        std::fprintf(stderr, "stats: some frames could not be read; they are left out\n");
    const std::string out = asJson ? json(statistics) : statisticsText(statistics);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

} // namespace qv::cli
