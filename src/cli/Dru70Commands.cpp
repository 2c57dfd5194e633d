// The DRU-70 commands of quorvane-cli: the event listing, the file's information and note,
// and the generated recording.
#include "Dru70Commands.h"

#include <cstdio>
#include <string_view>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "capture/CDru70Doc.h"
#include "capture/Dru70Columns.h"
#include "filters/FilterFiles.h"
#include "synth/Dru70Scenario.h"

namespace qv::cli {

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

namespace {

struct Dru70Options {
    std::string file, home;
    bool all = false, longForm = false;
    Format format = Format::Text;
    std::string profile, events;
};

int dru70(const Dru70Options &o) {
    const std::string &path = o.file, &profile = o.profile;
    const bool longForm = o.longForm;
    Dru70EventFilter filter;
    const bool groupsGiven = !o.events.empty();
    if (groupsGiven && !parseDru70Groups(o.events, filter)) {
        std::fprintf(stderr, "dru: --events takes activation, error, power and eoc, separated by "
                             "commas\n");
        return kBadUsage;
    }
    const Installation installation = Installation::fromHomeOption(o.home);
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
    if (o.all)
        for (int c = 0; c < kDru70ColumnCount; ++c)
            columns.push_back(c);
    else
        columns = layout.shownInDisplayOrder();

    CliMessages messages;
    CDru70Doc doc(messages, nullptr, registrationOf(settings));
    if (!doc.Open(path))
        return kFailed;
    CDru70Decode &reader = *doc.reader();
    reader.setFilter(filter);

    std::vector<std::string> titles;
    for (int c : columns)
        titles.emplace_back(Dru70Columns::title(c));
    TableWriter table(o.format, titles);
    std::string cell;
    int failures = 0;
    for (std::uint32_t n = 0; n < doc.eventCount(); ++n) {
        if (reader.Fetch(n, n) != kDruFetchShown) {
            // A record that cannot be read: the rest of a damaged file is not listed.
            if (!reader.hasEvent() && ++failures >= 16) {
                table.finish();
                std::fprintf(stderr, "%s: stopped at event %u, the file is damaged\n", path.c_str(),
                             n);
                return kFailed;
            }
            continue;
        }
        for (const int column : columns) {
            reader.Cell(column, longForm, cell);
            table.cell(cell);
        }
        table.endRow();
    }
    return kDone;
}

} // namespace

int dru70Info(const std::string &path) {
    CliMessages messages;
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

int dru70Notes(const std::string &path, const char *text, const std::string &home) {
    CliMessages messages;
    Settings settings;
    settings.open(Installation::fromHomeOption(home).settingsPath());
    CDru70Decode reader(messages, path, false, nullptr, registrationOf(settings));
    if (reader.Position(0) != kDruOk)
        return kFailed;
    if (!text) {
        std::fputs(reader.ReadNote(true).c_str(), stdout);
        std::fputc('\n', stdout);
        return kDone;
    }
    if (!reader.WriteNote(text)) {
        printNotesRefusal(reader.WriteError());
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

void addDru70Command(Commands &commands) {
    auto o = commands.options<Dru70Options>();
    CLI::App *c = commands.add("dru", "The events of a DRU-70 recording, one a row.", kFilesGroup,
                               [o] { return dru70(*o); });
    addFileArgument(*c, o->file, "the recording (.dru)");
    addDefaultOrAllColumns(*c, o->all, "every column");
    addFormatOption(*c, o->format);
    c->add_flag("--long", o->longForm, "long texts");
    c->add_option("--filter", o->profile, "the saved DRU-70 filter NAME")->type_name("NAME");
    c->add_option("--events", o->events,
                  "the event groups shown: activation, error, power, eoc, separated by commas "
                  "(with --filter: of those the filter shows)")
        ->type_name("LIST");
    addHomeOption(*c, o->home);
}

} // namespace qv::cli
