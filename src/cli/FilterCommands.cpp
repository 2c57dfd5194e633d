// The filter commands of quorvane-cli: export of the frames a filter shows to a capture of
// their own, and the saved filter profiles.
#include "FilterCommands.h"

#include "Dru70Commands.h"

#include <cstdio>
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

int noSuchFilter(const std::string &name, FilterKind kind) {
    std::fprintf(stderr, "%s: no such %s filter\n", name.c_str(), kindText(kind));
    return kFailed;
}

} // namespace

int exportFrames(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string path = args[0];
    std::string out, pcapOut;
    FilterOptions filterOptions;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--lvt" && hasValue)
            out = args[++i];
        else if (a == "--pcap" && hasValue)
            pcapOut = args[++i];
        else if (a == "--v5")
            continue;
        else if ((a == "--home" || a == "--protocol") && hasValue)
            ++i;
        else if (filterOptions.take(args, i) != FilterOptions::Take::Taken &&
                 a.rfind("--home=", 0) != 0)
            return unknownArgument("export", a);
    }
    if (out.empty() == pcapOut.empty()) {
        std::fprintf(stderr, "export: --lvt OUT or --pcap OUT names the capture to write\n");
        return kBadUsage;
    }
    if (!pcapOut.empty())
        out = pcapOut;
    if (const int status = checkOutput(
            path, out, "that is the capture exported; the copy needs a file of its own");
        status != kDone)
        return status;
    if (!pcapOut.empty())
        return exportPcap(path, pcapOut, args, filterOptions);
    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, args); status != kDone)
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

// The DRU-70's event filter profiles: which event groups are shown.
int dru70Profile(const FilterFiles &files, const std::string &command, const std::string &name,
                 const Dru70EventFilter &groups) {
    if (!FilterFiles::validName(name)) {
        std::fprintf(stderr, "%s: not a filter name\n", name.c_str());
        return kRefused;
    }
    if (command == "save") {
        if (!files.saveDru70(name, groups)) {
            std::fprintf(stderr, "%s: the filter cannot be saved in %s\n", name.c_str(),
                         files.folder().c_str());
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

int filterProfiles(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &command = args[0];
    const bool list = command == "list";
    if (!list && command != "save" && command != "load" && command != "delete")
        return kBadUsage;
    // Every subcommand but list names its profile first.
    std::string name;
    std::size_t first = 1;
    if (!list) {
        if (args.size() < 2 || args[1].rfind("--", 0) == 0)
            return kBadUsage;
        name = args[1];
        first = 2;
    }
    FilterKind kind = FilterKind::OffLine;
    bool dru70 = false, groupsGiven = false;
    Dru70EventFilter groups;
    FilterOptions filterOptions;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--realtime")
            kind = FilterKind::RealTime;
        else if (a == "--dru70")
            dru70 = true;
        else if (a == "--events" && command == "save" && i + 1 < args.size()) {
            if (!parseDru70Groups(args[++i], groups)) {
                std::fprintf(stderr, "--events takes activation, error, power and eoc, "
                                     "separated by commas\n");
                return kRefused;
            }
            groupsGiven = true;
        } else if (a == "--home" && i + 1 < args.size())
            ++i;
        else if (a.rfind("--home=", 0) == 0)
            continue;
        else if (command != "save" || filterOptions.take(args, i) != FilterOptions::Take::Taken)
            return unknownArgument(("filter " + command).c_str(), a);
    }
    if (dru70 && (kind == FilterKind::RealTime || filterOptions.given()))
        return kBadUsage;
    if (groupsGiven && !dru70)
        return unknownArgument(("filter " + command).c_str(), "--events");
    const FilterFiles files(Installation::fromCommandLine(args).filterFolder());
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
                     "%s: not a filter name: a name has 1 to 200 characters, no / or \\, and is "
                     "not . or ..\n",
                     name.c_str());
        return kRefused;
    }
    if (const char *option = filterOptions.offLineOnlyOption();
        option && kind == FilterKind::RealTime) {
        std::fprintf(stderr, "--%s: a criterion of off-line filters only\n", option);
        return kRefused;
    }
    CommandFilter filter;
    if (const int status = filter.make(filterOptions, args, installationSettings(args));
        status != kDone)
        return status;
    if (!files.Save(kind, name, filter.criteria, kEquipment)) {
        std::fprintf(stderr, "%s: the filter cannot be saved in %s\n", name.c_str(),
                     files.folder().c_str());
        return kFailed;
    }
    std::printf("%s: %s filter saved\n", name.c_str(), kindText(kind));
    return kDone;
}

} // namespace qv::cli
