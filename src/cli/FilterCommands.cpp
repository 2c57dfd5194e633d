// The filter commands of quorvane-cli: export of the frames a filter shows to a capture of
// their own, and the saved filter profiles.
#include "FilterCommands.h"

#include "Dru70Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "CliEnvironment.h"
#include "FilterOptions.h"
#include "ImportCommand.h"
#include "app/Installation.h"
#include "capture/LvtExport.h"
#include "filters/FilterFiles.h"

namespace qv::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char *kEquipment = "LVT-30";

const char *kindText(FilterKind kind) {
    return kind == FilterKind::OffLine ? "off-line" : "real-time";
}

// A name as it may be printed on one line: control characters as \xNN.
std::string printable(const std::string &name) {
    std::string out;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

int noSuchFilter(const std::string &name, FilterKind kind) {
    std::fprintf(stderr, "%s: no such %s filter\n", name.c_str(), kindText(kind));
    return kFailed;
}

struct ExportOptions {
    std::string file;
    EnvironmentOptions environment;
    std::string lvt, pcap;
    FilterOptions filter;
};

int exportFrames(const ExportOptions &o) {
    const std::string &path = o.file;
    const std::string &pcapOut = o.pcap;
    const std::string out = o.pcap.empty() ? o.lvt : o.pcap;
    if (out.empty()) {
        std::fprintf(stderr, "export: --lvt OUT or --pcap OUT names the capture to write\n");
        return kBadUsage;
    }
    if (const int status = checkOutput(
            path, out, "that is the capture exported; the copy needs a file of its own");
        status != kDone)
        return status;
    if (!pcapOut.empty())
        return exportPcap(path, pcapOut, o.environment, o.filter);
    FilteredCapture capture;
    if (const int status = capture.prepare(o.filter, o.environment); status != kDone)
        return status;
    if (const int status = capture.open(path); status != kDone)
        return status;
    FrameSource source(*capture.doc->decodable());
    const LvtExportResult result = withProgress("export", [&](const WorkProgress &progress) {
        return exportLvt(source, capture.filter.given, out, progress);
    });
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.error.c_str());
        return kFailed;
    }
    std::printf("%s: %u of %u frames\n", out.c_str(), result.frames, result.total);
    return kDone;
}

// After a failed save, with errno set by it.
void printNotSaved(const std::string &name, const FilterFiles &files) {
    const int error = errno;
    std::fprintf(stderr, "%s: the filter cannot be saved in %s%s%s\n", name.c_str(),
                 files.folder().c_str(), error != 0 ? ": " : "",
                 error != 0 ? std::strerror(error) : "");
}

// The DRU-70's event filter profiles: which event groups are shown.
int dru70Profile(const FilterFiles &files, const std::string &command, const std::string &name,
                 const Dru70EventFilter &groups) {
    if (!FilterFiles::validName(name)) {
        std::fprintf(stderr, "%s: not a filter name\n", printable(name).c_str());
        return kBadUsage;
    }
    if (command == "save") {
        errno = 0;
        if (!files.saveDru70(name, groups)) {
            printNotSaved(name, files);
            return kFailed;
        }
        std::printf("%s: DRU-70 filter saved\n", name.c_str());
        return kDone;
    }
    Dru70EventFilter saved;
    std::error_code ec;
    const bool present = fs::is_regular_file(
        files.folder() + "/" + kDru70FilterPrefix + name + kFilterExtension, ec);
    if (command == "delete") {
        if (!present || !files.deleteDru70(name)) {
            std::fprintf(stderr, "%s: no such DRU-70 filter in %s\n", name.c_str(),
                         files.folder().c_str());
            return kFailed;
        }
        std::printf("%s: DRU-70 filter deleted\n", name.c_str());
        return kDone;
    }
    if (!present || !files.loadDru70(name, saved)) {
        std::fprintf(stderr, "%s: no such DRU-70 filter in %s\n", name.c_str(),
                     files.folder().c_str());
        return kFailed;
    }
    std::printf("activation: %s\nerror: %s\npower: %s\neoc: %s\n", saved.activation ? "yes" : "no",
                saved.error ? "yes" : "no", saved.powerSupply ? "yes" : "no",
                saved.eoc ? "yes" : "no");
    return kDone;
}

struct ProfileOptions {
    std::string command; // list, save, load or delete
    std::string name;
    std::string home;
    bool realTime = false, dru70 = false;
    std::string events;
    FilterOptions filter;
};

int filterProfiles(const ProfileOptions &o) {
    const std::string &command = o.command, &name = o.name;
    const bool list = command == "list";
    const FilterKind kind = o.realTime ? FilterKind::RealTime : FilterKind::OffLine;
    const bool dru70 = o.dru70;
    Dru70EventFilter groups;
    if (!o.events.empty() && !parseDru70Groups(o.events, groups)) {
        std::fprintf(stderr, "--events takes activation, error, power and eoc, separated by "
                             "commas\n");
        return kBadUsage;
    }
    if (dru70 && o.filter.given()) {
        std::fprintf(stderr, "filter %s: a DRU-70 filter has only --events\n", command.c_str());
        return kBadUsage;
    }
    if (!o.events.empty() && !dru70) {
        std::fprintf(stderr, "filter %s: --events is for DRU-70 filters (--dru70)\n",
                     command.c_str());
        return kBadUsage;
    }
    const FilterFiles files(Installation::fromHomeOption(o.home).filterFolder());
    if (dru70 && !list)
        return dru70Profile(files, command, name, groups);

    if (list) {
        for (const std::string &n : dru70 ? files.listDru70() : files.List(kind))
            std::printf("%s\n", n.c_str());
        return kDone;
    }
    if (command == "load") {
        FilterCriteria criteria;
        std::error_code ec;
        if (!FilterFiles::validName(name) || !fs::is_regular_file(files.path(kind, name), ec) ||
            !files.Load(kind, name, criteria))
            return noSuchFilter(name, kind);
        std::fputs(describeCriteria(criteria, kind).c_str(), stdout);
        return kDone;
    }
    if (command == "delete") {
        if (!files.Delete(kind, name))
            return noSuchFilter(name, kind);
        std::printf("%s: %s filter deleted\n", name.c_str(), kindText(kind));
        return kDone;
    }
    // save
    if (!FilterFiles::validName(name)) {
        std::fprintf(stderr,
                     "%s: not a filter name: a name has 1 to 200 characters, no / or \\ and no "
                     "control character, and is not . or ..\n",
                     printable(name).c_str());
        return kBadUsage;
    }
    if (const char *option = o.filter.offLineOnlyOption(); option && kind == FilterKind::RealTime) {
        std::fprintf(stderr, "--%s: a criterion of off-line filters only\n", option);
        return kBadUsage;
    }
    CommandFilter filter;
    if (const int status = filter.make(o.filter, o.home, installationSettings(o.home));
        status != kDone)
        return status;
    errno = 0;
    if (!files.Save(kind, name, filter.criteria, kEquipment)) {
        printNotSaved(name, files);
        return kFailed;
    }
    std::printf("%s: %s filter saved\n", name.c_str(), kindText(kind));
    return kDone;
}

} // namespace

void addFilterCommands(Commands &commands) {
    {
        auto o = commands.options<ExportOptions>();
        CLI::App *c =
            commands.add("export", "The frames a filter shows, as a capture or for Wireshark.",
                         kWiresharkGroup, [o] { return exportFrames(*o); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
        CLI::Option *lvt =
            c->add_option("--lvt", o->lvt, "the stored capture to write")->type_name("OUT");
        c->add_option("--pcap", o->pcap, "the pcap or pcapng file to write")
            ->type_name("OUT")
            ->excludes(lvt);
        addEnvironmentOptions(*c, o->environment);
        o->filter.attach(*c);
    }
    CLI::App *filter = commands.addParent(
        "filter", "The saved filter profiles: list, save, load, delete.", kAnalysisGroup);
    for (const char *command : {"list", "save", "load", "delete"}) {
        auto o = commands.options<ProfileOptions>();
        o->command = command;
        const std::string name = command;
        const char *description = name == "list"   ? "The names of the saved profiles."
                                  : name == "save" ? "Saves the criteria given as profile NAME."
                                  : name == "load"
                                      ? "The criteria of profile NAME, one \"key: value\" a line."
                                      : "Deletes profile NAME.";
        CLI::App *c = filter->add_subcommand(command, description);
        c->callback([&commands, o] { commands.setStatus(filterProfiles(*o)); });
        if (name != "list")
            c->add_option("NAME", o->name, "the profile")->required()->type_name("NAME");
        CLI::Option *realTime =
            c->add_flag("--realtime", o->realTime, "a real-time (capture) filter");
        CLI::Option *dru70 =
            c->add_flag("--dru70", o->dru70, "a DRU-70 event filter")->excludes(realTime);
        addHomeOption(*c, o->home);
        if (name == "save") {
            c->add_option("--events", o->events,
                          "the DRU-70 event groups shown: activation, error, power, eoc, "
                          "separated by commas")
                ->type_name("LIST")
                ->needs(dru70);
            o->filter.attach(*c);
        }
    }
}

} // namespace qv::cli
