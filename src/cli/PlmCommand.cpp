#include "PlmCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "plm/CPlm45Doc.h"
#include "synth/PlmScenario.h"

namespace qv::cli {

namespace {

void writeOut(const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int plm(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    Format format = Format::Text;
    bool all = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--format" && hasValue) {
            const std::string &v = args[++i];
            if (!parseFormat(v, format))
                return unknownArgument("plm", a + " " + v);
        } else if (a == "--columns" && hasValue) {
            const std::string &v = args[++i];
            if (v != "default" && v != "all")
                return unknownArgument("plm", a + " " + v);
            all = v == "all";
        } else if (a == "--home" && hasValue) {
            ++i;
        } else if (a.rfind("--home=", 0) != 0) {
            return unknownArgument("plm", a);
        }
    }
    PlmColumns layout;
    if (!all) {
        Settings settings;
        settings.open(Installation::fromCommandLine(args).settingsPath());
        layout.load(settings.file());
    }
    StderrUserMessages messages;
    CPlm45Doc doc(messages);
    if (!doc.Open(args[0]))
        return kFailed;
    const std::vector<int> columns = layout.shownColumns();
    std::string out;
    if (format == Format::Text) {
        char heading[64];
        std::snprintf(heading, sizeof heading, "Project %02d, %d lines\n", doc.projectNumber(),
                      doc.lineCount());
        out += heading;
    }
    if (format != Format::Json) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (k)
                out += format == Format::Csv ? ',' : '\t';
            if (format == Format::Csv)
                appendCsvCell(out, PlmColumns::title(columns[k]));
            else
                out += PlmColumns::title(columns[k]);
        }
        out += '\n';
    }
    for (const PlmDisplayLine &line : doc.lines()) {
        if (format == Format::Json)
            out += "{\"project\":" + std::to_string(line.project);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string &cell = line.cells[static_cast<std::size_t>(columns[k])];
            if (format == Format::Json) {
                out += ',';
                appendJsonString(out, PlmColumns::title(columns[k]));
                out += ':';
                appendJsonString(out, cell);
            } else {
                if (k)
                    out += format == Format::Csv ? ',' : '\t';
                if (format == Format::Csv)
                    appendCsvCell(out, cell);
                else
                    out += cell;
            }
        }
        out += format == Format::Json ? "}\n" : "\n";
        if (out.size() >= (1u << 20)) {
            writeOut(out);
            out.clear();
        }
    }
    writeOut(out);
    return kDone;
}

int generatePlm(const std::vector<std::string> &args) {
    std::uint32_t lines = 0, project = 1, seed = 1;
    std::string out;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return unknownArgument("generate", args[i]);
        const std::string &option = args[i];
        const std::string &value = args[i + 1];
        if (option == "-o")
            out = value;
        else if (option == "--scenario")
            continue;
        else if (!((option == "--lines" && parseNumber(value, lines)) ||
                   (option == "--project" && parseNumber(value, project)) ||
                   (option == "--seed" && parseNumber(value, seed))))
            return unknownArgument("generate", option + " " + value);
    }
    if (out.empty())
        return kBadUsage;
    if (project > 99) {
        std::fprintf(stderr, "--project: the PLM-45 numbers its projects 0 to 99\n");
        return kRefused;
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

} // namespace qv::cli
