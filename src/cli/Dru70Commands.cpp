// The DRU-70 commands of quorvane-cli: the event listing, the file's information and note,
// and the generated recording.
#include "Dru70Commands.h"

#include <cstdio>
#include <string_view>

#include "CliEnvironment.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "capture/CDru70Doc.h"
#include "capture/Dru70Columns.h"
#include "filters/FilterFiles.h"
#include "synth/Dru70Scenario.h"

namespace qv::cli {

namespace {} // namespace

bool parseDru70Groups(const std::string &list, Dru70EventFilter &out) {
    out = {false, false, false, false};
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string name = list.substr(at, comma - at);
        if (name == "activation")
            out.activation = true;
        else if (name == "error" || name == "errors")
            out.error = true;
        else if (name == "power" || name == "power-supply")
            out.powerSupply = true;
        else if (name == "eoc")
            out.eoc = true;
        else
            return false;
        at = comma + 1;
    }
    return true;
}

namespace {

Registration registrationOf(const Settings &settings) {
    return {settings.registrationName, settings.registrationCompany};
}

} // namespace

int dru70(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &path = args[0];
    std::string columnSpec = "default", profile;
    Format format = Format::Text;
    bool longForm = false;
    Dru70EventFilter filter;
    bool groupsGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--long") {
            longForm = true;
        } else if (a == "--columns" && hasValue) {
            columnSpec = args[++i];
            if (columnSpec != "default" && columnSpec != "all")
                return unknownArgument("dru", a + " " + columnSpec);
        } else if (a == "--format" && hasValue) {
            const std::string &v = args[++i];
            if (!parseFormat(v, format))
                return unknownArgument("dru", a + " " + v);
        } else if (a == "--filter" && hasValue) {
            profile = args[++i];
        } else if (a == "--events" && hasValue) {
            if (!parseDru70Groups(args[++i], filter)) {
                std::fprintf(stderr, "--events takes activation, error, power and eoc, "
                                     "separated by commas\n");
                return kRefused;
            }
            groupsGiven = true;
        } else if (a == "--home" && hasValue) {
            ++i;
        } else if (a.rfind("--home=", 0) != 0) {
            return unknownArgument("dru", a);
        }
    }
    const Installation installation = Installation::fromCommandLine(args);
    Settings settings;
    settings.open(installation.settingsPath());
    if (!profile.empty()) {
        Dru70EventFilter saved;
        if (!FilterFiles::validName(profile) ||
            !FilterFiles(installation.filterFolder()).loadDru70(profile, saved)) {
            std::fprintf(stderr, "%s: no such DRU-70 filter in %s\n", profile.c_str(),
                         installation.filterFolder().c_str());
            return kFailed;
        }
        // --events narrows the saved profile further.
        if (groupsGiven) {
            saved.activation = saved.activation && filter.activation;
            saved.error = saved.error && filter.error;
            saved.powerSupply = saved.powerSupply && filter.powerSupply;
            saved.eoc = saved.eoc && filter.eoc;
        }
        filter = saved;
    }
    Dru70Columns layout;
    layout.load(settings.file());
    std::vector<int> columns;
    if (columnSpec == "all")
        for (int c = 0; c < kDru70ColumnCount; ++c)
            columns.push_back(c);
    else
        columns = layout.shownInDisplayOrder();

    StderrUserMessages messages;
    CDru70Doc doc(messages, nullptr, registrationOf(settings));
    if (!doc.Open(path))
        return kFailed;
    CDru70Decode &reader = *doc.reader();
    reader.setFilter(filter);

    std::string out, cell;
    out.reserve(1 << 20);
    const auto flush = [&out] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    if (format != Format::Json) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (k)
                out += format == Format::Csv ? ',' : '\t';
            out += Dru70Columns::title(columns[k]);
        }
        out += '\n';
    }
    int failures = 0;
    for (std::uint32_t n = 0; n < doc.eventCount(); ++n) {
        if (reader.Fetch(n, n) != kDruFetchShown) {
            // A record that cannot be read: the rest of a damaged file is not listed.
            if (!reader.hasEvent() && ++failures >= 16) {
                std::fprintf(stderr, "%s: stopped at event %u, the file is damaged\n", path.c_str(),
                             n);
                flush();
                return kFailed;
            }
            continue;
        }
        if (format == Format::Json)
            out += '{';
        for (std::size_t k = 0; k < columns.size(); ++k) {
            reader.Cell(columns[k], longForm, cell);
            if (k)
                out += format == Format::Text ? '\t' : ',';
            if (format == Format::Csv) {
                appendCsvCell(out, cell);
            } else if (format == Format::Json) {
                appendJsonString(out, Dru70Columns::title(columns[k]));
                out += ':';
                appendJsonString(out, cell);
            } else {
                out += cell;
            }
        }
        out += format == Format::Json ? "}\n" : "\n";
        if (out.size() >= (1 << 20))
            flush();
    }
    flush();
    return kDone;
}

int dru70Info(const std::string &path) {
    StderrUserMessages messages;
    CDru70Decode reader(messages, path);
    if (reader.Position(0) != kDruOk)
        return kFailed;
    const CaptureInfo &i = reader.info();
    std::printf("layout\tDRU-70\n");
    std::printf("instrument\t%s\n", i.instrumentName.c_str());
    std::printf("serial\t%s\n", i.serialNumber.c_str());
    std::printf("versions\t%s\t%s\n", i.firstVersion.c_str(), i.secondVersion.c_str());
    std::printf("start\t%s\n", dateTimeText(i.start).c_str());
    std::printf("end\t%s\n", dateTimeText(i.end).c_str());
    std::printf("events\t%u\n", reader.RecordCount());
    return kDone;
}

int dru70Notes(const std::string &path, const char *text) {
    StderrUserMessages messages;
    Settings settings;
    settings.open(Installation::fromCommandLine({}).settingsPath());
    CDru70Decode reader(messages, path, false, nullptr, registrationOf(settings));
    if (reader.Position(0) != kDruOk)
        return kFailed;
    if (!text) {
        std::fputs(reader.ReadNote(true).c_str(), stdout);
        std::fputc('\n', stdout);
        return kDone;
    }
    if (!reader.WriteNote(text)) {
        std::fprintf(stderr, "The comment text can not be updated.\n");
        return kFailed;
    }
    return kDone;
}

int generateDru70(std::uint32_t events, std::uint32_t seed, const std::string &out) {
    const synth::Dru70Scenario scenario = synth::dru70Scenario(events, seed);
    std::string error;
    if (!synth::writeDru70File(out, scenario, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFailed;
    }
    std::printf("%s: %zu events\n", out.c_str(), scenario.events.size());
    return kDone;
}

} // namespace qv::cli
