// The filter commands of quorvane-cli: export of the frames a filter shows to a capture of
// their own, and the saved filter profiles.
#include "FilterCommands.h"

#include "Dru70Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "CliEnvironment.h"
#include "FilterOptions.h"
#include "ImportCommand.h"
#include "app/Installation.h"
#include "capture/CaptureWriters.h"
#include "filters/FilterFiles.h"

namespace qv::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEquipment = "LVT-30";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::exists(b, ec) && fs::equivalent(a, b, ec))
        return true;
    return fs::weakly_canonical(fs::absolute(a, ec), ec) ==
           fs::weakly_canonical(fs::absolute(b, ec), ec);
}

// An LVT-30 shows the serial typed on the tester ("AB123") as "AB-0123": the typed form back.
std::string typedLvt30Serial(const std::string& shown) {
    const std::size_t mark = shown.find("-0");
    if (shown.find('.') != std::string::npos || mark == std::string::npos ||
        shown.find_first_of("0123456789") < mark)
        return shown;
    return shown.substr(0, mark) + shown.substr(mark + 2);
}

// The stored information of a copy of the capture that reader reads: its instrument, serial
// number and versions, start and end, capture flags and notes.
StoredFileDescription copyDescription(CaptureFileReader& reader) {
    const CaptureInfo& info = reader.info();
    StoredFileDescription d;
    d.instrumentName = info.instrumentName;
    d.firstVersion = info.firstVersion;
    d.secondVersion = info.secondVersion;
    d.start = info.start;
    d.end = info.end;
    d.captureFlags = info.captureFlags;
    d.notes = reader.notes(false);
    const std::string& name = info.instrumentName;
    if (name.empty()) {
        // Without a name the dates open the block: nothing can take them for a name.
        d.identity = StoredIdentity::None;
    } else if (name.rfind("LVT-60", 0) == 0) {
        // "AB-0123": the two letters and the number.
        d.identity = StoredIdentity::Lvt60;
        const std::size_t dash = info.serialNumber.find('-');
        if (dash != std::string::npos) {
            for (std::size_t k = 0; k < dash && k < 2; ++k)
                d.serialPrefix[k] = info.serialNumber[k];
            d.serialValue =
                static_cast<std::uint16_t>(std::strtoul(info.serialNumber.c_str() + dash + 1,
                                                        nullptr, 10));
        }
    } else if (name.rfind("KSM", 0) == 0) {
        d.identity = StoredIdentity::Ksm;
        for (std::size_t k = 0; k < 8 && 2 * k + 2 <= info.serialHex.size(); ++k)
            d.ksmSerial[k] = static_cast<std::uint8_t>(
                std::strtoul(info.serialHex.substr(2 * k, 2).c_str(), nullptr, 16));
    } else {
        d.identity = StoredIdentity::Lvt30;
        d.serialNumber = typedLvt30Serial(info.serialNumber);
    }
    return d;
}

// A file beside target that nobody else uses, created empty; empty when none can be made.
std::string temporaryBeside(const fs::path& target) {
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string name = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return name;
}

// The permissions a file created the ordinary way gets.
fs::perms createdFilePerms() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<fs::perms>(0666 & ~mask);
}

const char* kindText(FilterKind kind) {
    return kind == FilterKind::OffLine ? "off-line" : "real-time";
}

int noSuchFilter(const std::string& name, FilterKind kind) {
    std::fprintf(stderr, "%s: no such %s filter\n", name.c_str(), kindText(kind));
    return kFailed;
}

} // namespace

int exportFrames(const std::vector<std::string>& args) {
    if (args.empty())
        return kBadUsage;
    const std::string path = args[0];
    std::string out, pcapOut;
    FilterOptions filterOptions;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
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
    if (sameFile(path, out)) {
        std::fprintf(stderr, "%s: that is the capture exported; the copy needs a file of its own\n",
                     out.c_str());
        return kRefused;
    }
    std::error_code ec;
    if (fs::is_directory(out, ec)) {
        std::fprintf(stderr, "%s: is a folder\n", out.c_str());
        return kFailed;
    }
    if (!pcapOut.empty())
        return exportPcap(path, pcapOut, args, filterOptions);
    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, args); status != kDone)
        return status;
    if (const int status = capture.open(path); status != kDone)
        return status;
    CDecodeDoc& doc = *capture.doc;

    const std::string temporary = temporaryBeside(out);
    if (temporary.empty()) {
        std::fprintf(stderr, "%s: cannot be written: %s\n", out.c_str(), std::strerror(errno));
        return kFailed;
    }
    DecodableObject& decodable = *doc.decodable();
    CaptureFileReader& reader = *decodable.reader();
    StoredFileWriter writer;
    bool ok = writer.create(temporary);
    const auto copy = [&](std::uint32_t n) {
        return reader.goTo(n) != kGoToOk || writer.append(reader.recordBuffer());
    };
    if (capture.filter.given) {
        ShownFrames shown(decodable);
        for (std::uint32_t n = 0; ok && shown.next(n);)
            ok = copy(n);
    } else {
        // Every record as it stands, undecoded.
        for (std::uint32_t n = 0; ok && n < doc.frameCount(); ++n)
            ok = copy(n);
    }
    const std::uint32_t kept = writer.recordCount();
    ok = writer.finish(copyDescription(reader)) && ok;
    if (ok && kept == 0) {
        fs::remove(temporary, ec);
        std::fprintf(stderr, "%s: no frame passes the filter; nothing written\n", out.c_str());
        return kFailed;
    }
    if (ok) {
        fs::permissions(temporary, createdFilePerms(), ec);
        fs::rename(temporary, out, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temporary, ec);
        std::fprintf(stderr, "%s: cannot be written\n", out.c_str());
        return kFailed;
    }
    std::printf("%s: %u of %u frames\n", out.c_str(), kept, doc.frameCount());
    return kDone;
}

// The DRU-70's event filter profiles: which event groups are shown.
int dru70Profile(const FilterFiles& files, const std::string& command, const std::string& name,
                 const Dru70EventFilter& groups) {
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
    const bool present =
        fs::is_regular_file(files.folder() + "/" + kDru70FilterPrefix + name + kFilterExtension, ec);
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

int filterProfiles(const std::vector<std::string>& args) {
    if (args.empty())
        return kBadUsage;
    const std::string& command = args[0];
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
        const std::string& a = args[i];
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
        }
        else if (a == "--home" && i + 1 < args.size())
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
        for (const std::string& n : dru70 ? files.listDru70() : files.List(kind))
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
    if (const char* option = filterOptions.offLineOnlyOption();
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
