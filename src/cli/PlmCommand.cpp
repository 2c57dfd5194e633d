#include "PlmCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "plm/CPlm45Doc.h"
#include "synth/PlmScenario.h"

namespace qv::cli {

namespace {

struct PlmOptions {
    std::string file, home;
    Format format = Format::Text;
    bool all = false;
};

int plm(const PlmOptions &o) {
    PlmColumns layout;
    if (!o.all) {
        Settings settings;
        settings.open(Installation::fromHomeOption(o.home).settingsPath());
        layout.load(settings.file());
    }
    CliMessages messages;
    CPlm45Doc doc(messages);
    if (!doc.Open(o.file))
        return kFailed;
    const std::vector<int> columns = layout.shownColumns();
    if (o.format == Format::Text)
        std::printf("Project %02d, %d lines\n", doc.projectNumber(), doc.lineCount());
    std::vector<std::string> titles;
    for (int c : columns)
        titles.emplace_back(PlmColumns::title(c));
    TableWriter table(o.format, titles);
    for (const PlmDisplayLine &line : doc.lines()) {
        for (int c : columns)
            table.cell(line.cells[static_cast<std::size_t>(c)]);
        table.endRow();
    }
    return kDone;
}

} // namespace

int generatePlm(std::uint32_t lines, std::uint32_t project, std::uint32_t seed,
                const std::string &out) {
    if (project > 99) {
        std::fprintf(stderr, "generate: --project: the PLM-45 numbers its projects 0 to 99\n");
        return kBadUsage;
    }
    const PlmProject scenario = synth::plmScenario(static_cast<int>(project), lines, seed);
    std::string error;
    if (!synth::writePlmFile(out, scenario, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFailed;
    }
    std::printf("%s: project %02u, %zu lines\n", out.c_str(), project, scenario.lines.size());
    return kDone;
}

void addPlmCommand(Commands &commands) {
    auto o = commands.options<PlmOptions>();
    CLI::App *c =
        commands.add("plm", "The lines of a PLM-45 project.", kFilesGroup, [o] { return plm(*o); });
    addFileArgument(*c, o->file, "the project (.plm)");
    addFormatOption(*c, o->format);
    addDefaultOrAllColumns(*c, o->all, "the 26 columns");
    addHomeOption(*c, o->home);
}

} // namespace qv::cli
