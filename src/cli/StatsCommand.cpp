// The stats command: the statistics tables of a capture, as text or as one table of figures.
#include "StatsCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "analysis/Statistics.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

struct StatsOptions {
    std::string file;
    EnvironmentOptions environment;
    Format format = Format::Text;
};

// The statistics as one table for the machine-readable formats: the capture's figures, then
// each table's rows, named by their cells.
void writeTable(const Statistics &s, Format format) {
    TableWriter table(format, {"Table", "Item", "Value"});
    char rate[40];
    std::snprintf(rate, sizeof rate, "%.3f", s.frameRate());
    table.row({"capture", "Frames", std::to_string(s.frames())});
    table.row({"capture", "First", s.firstTime()});
    table.row({"capture", "Last", s.lastTime()});
    table.row({"capture", "Span (ms)", std::to_string(s.spanMs())});
    table.row({"capture", "Frames per second", rate});
    for (const StatisticsTable &t : s.tables())
        for (const StatisticsTable::Row &r : t.rows) {
            std::string item;
            for (const std::string &cell : r.cells)
                item += (item.empty() ? "" : " / ") + cell;
            table.row({t.key, item, std::to_string(r.count)});
        }
}

} // namespace

int stats(const StatsOptions &o) {
    OpenedCapture opened;
    if (const int status = opened.open(o.environment, o.file); status != kDone)
        return status;
    Statistics statistics;
    const bool read = withProgress("stats", [&](const WorkProgress &progress) {
        return collectStatistics(opened.source(), statistics, progress);
    });
    if (!read)
        std::fprintf(stderr, "stats: some frames could not be read; they are left out\n");
    if (o.format != Format::Text) {
        writeTable(statistics, o.format);
        return kDone;
    }
    const std::string out = statisticsText(statistics);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

void addStatsCommand(Commands &commands) {
    auto o = commands.options<StatsOptions>();
    CLI::App *c = commands.add("stats", "The statistics of a capture.", kAnalysisGroup,
                               [o] { return stats(*o); });
    c->footer("Frames per layer, frame type, message, cause, link, direction and error; as "
              "text tables, or as one table (Table, Item, Value) in the other formats.");
    addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
    addFormatOption(*c, o->format);
    addEnvironmentOptions(*c, o->environment);
}

} // namespace qv::cli
