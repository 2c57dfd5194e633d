#include "FilterOptions.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "CliEnvironment.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "base/Numbers.h"
#include "capture/CDecodeDoc.h"
#include "filters/FilterFiles.h"
#include "filters/FilterLists.h"
#include "filters/OffLineFrameFilter.h"

namespace qv::cli {

namespace {

// The options of the criteria: the option without "--", whether it takes a value, the key
// the criteria code knows it by, and whether only off-line filters hold it.
struct OptionName {
    const char *option;
    bool hasValue;
    const char *key;
    bool offLineOnly;
};

constexpr OptionName kOptions[] = {
    {"layers", true, "layers", false},
    {"sapi", true, "sapi", false},
    {"tei", true, "tei", false},
    {"direction", true, "direction", true},
    {"frame-type", true, "frame-type", true},
    {"no-rr", false, "no-rr", false},
    {"callref", true, "callref", false},
    {"local", true, "local", false},
    {"remote", true, "remote", false},
    {"pd", true, "pd", true},
    {"message", true, "message", true},
    {"only-message", true, "message", true},
    {"cause", true, "cause", true},
    {"only-cause", true, "cause", true},
    {"cause-format", true, "cause-format", true},
    {"lcn", true, "lcn", false},
    {"x25-local", true, "x25-local", false},
    {"x25-remote", true, "x25-remote", false},
    {"packet", true, "packet", true},
    {"cug", true, "cug", true},
    {"nui", false, "nui", true},
    {"efa", true, "efa", false},
    {"l3-address", true, "l3-address", false},
};

constexpr const char *kCauseFormatNames[] = {"mnemonics", "decimal", "hexa"};

// List entries match without regard to case, and ".", "_" and blanks stand for each other:
// "call proc", "CALL_PROC" and "Call.Proc" all name CALL.PROC.
std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '.' || c == '_')
            c = ' ';
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        out.push_back(c);
    }
    return out;
}

// 0-based position of text among names, or -1.
int pick(const std::vector<std::string> &names, std::string_view text) {
    const std::string wanted = folded(text);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (folded(names[i]) == wanted)
            return static_cast<int>(i);
    return -1;
}

std::string joined(const std::vector<std::string> &names) {
    std::string out;
    for (const std::string &n : names) {
        if (!out.empty())
            out += ", ";
        out += n;
    }
    return out;
}

std::vector<std::string> frameTypeNames() {
    std::vector<std::string> names;
    for (const FilterCode &c : layer2FrameTypes())
        names.emplace_back(c.name);
    return names;
}

std::vector<std::string> isdnMessageNames() {
    std::vector<std::string> names;
    for (const FilterCode &c : isdnMessages())
        names.emplace_back(c.name);
    return names;
}

// The V5 page's list, position 1 first: "ISDN/ALERTING" ... "LINK/...".
std::vector<std::string> v5MessageTexts() {
    std::vector<std::string> names;
    for (int p = 1; p <= kLastV5MessagePosition; ++p)
        names.push_back(v5MessageListText(p));
    return names;
}

std::vector<std::string> packetNames() {
    std::vector<std::string> names;
    for (const FilterPacketCode &p : x25Packets())
        names.emplace_back(p.name);
    return names;
}

std::vector<std::string> directionNames() {
    std::vector<std::string> names;
    for (const char *d : filterDirections())
        names.emplace_back(d);
    return names;
}

std::optional<int> decimalValue(const std::string &text) {
    const std::optional<std::uint32_t> v = parseDigits(text, 10, 999999999);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

std::optional<int> hexaValue(const std::string &text) {
    const std::optional<std::uint32_t> v = parseHexNumber(text, 0xFFFFFFF);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

bool allDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Digits, with one "*" at the start or the end for any further digits there.
bool validPattern(std::string_view pattern) {
    if (pattern.empty() || pattern.size() > kMaxFilterText)
        return false;
    if (pattern == "*")
        return true;
    if (pattern.front() == '*')
        pattern.remove_prefix(1);
    else if (pattern.back() == '*')
        pattern.remove_suffix(1);
    return allDigits(pattern);
}

// Applies one inline option to criteria; false (with the message printed) for a refused value.
class Changer {
public:
    Changer(FilterCriteria &c, const CauseList &causes) : c_(c), causes_(causes) {}

    bool apply(const std::string &key, const std::string &value) {
        key_ = key;
        value_ = value;
        if (key == "layers")
            return layers();
        if (key == "sapi")
            return decimal(c_.sapiSet, c_.sapi, 0, 63);
        if (key == "tei")
            return decimal(c_.teiSet, c_.tei, 0, 127);
        if (key == "direction")
            return direction();
        if (key == "frame-type")
            return listed(frameTypeNames(), "a layer-2 frame", c_.frameType);
        if (key == "no-rr") {
            c_.keepRR = false;
            return true;
        }
        if (key == "callref")
            return hexa(c_.callRefSet, c_.callRef, 0x7FFF);
        if (key == "local")
            return pattern(c_.localAddressSet, c_.localAddress);
        if (key == "remote")
            return pattern(c_.remoteAddressSet, c_.remoteAddress);
        if (key == "pd")
            return hexa(c_.pdSet, c_.pd, 0xFF);
        if (key == "message")
            return message();
        if (key == "cause") {
            causeText_ = value;
            return true;
        }
        if (key == "cause-format")
            return causeFormat();
        if (key == "lcn")
            return hexa(c_.lcnSet, c_.lcn, 0xFFF);
        if (key == "x25-local")
            return pattern(c_.x25LocalAddressSet, c_.x25LocalAddress);
        if (key == "x25-remote")
            return pattern(c_.x25RemoteAddressSet, c_.x25RemoteAddress);
        if (key == "packet")
            return listed(packetNames(), "an X.25 packet", c_.packetType);
        if (key == "cug")
            return decimal(c_.cugSet, c_.cug, 0, 9999);
        if (key == "nui") {
            c_.nuiSet = true;
            return true;
        }
        if (key == "efa")
            return decimal(c_.efaSet, c_.efa, 0, kEveryUserPortEfa);
        if (key == "l3-address") {
            bool set = false;
            return decimal(set, c_.l3Address, 1, 0x7FFF);
        }
        return false;
    }

    // The cause text and its format are one criterion, whichever option came first.
    bool finishCause() {
        if (causeText_) {
            c_.causeSet = true;
            c_.causeText = *causeText_;
            c_.causeFormat = format_                  ? *format_
                             : allDigits(*causeText_) ? kCauseDecimal
                                                      : kCauseMnemonics;
        } else if (format_) {
            c_.causeFormat = *format_;
        }
        if (!(causeText_ || format_) || !c_.causeSet)
            return true;
        if (c_.causeText.size() <= kMaxFilterText &&
            causeNumber(c_.causeText, c_.causeFormat, &causes_))
            return true;
        std::fprintf(stderr, "cause \"%s\": no cause of that %s", c_.causeText.c_str(),
                     c_.causeFormat == kCauseMnemonics ? "name" : "number");
        if (c_.causeFormat == kCauseMnemonics) {
            std::vector<std::string> names;
            for (const CauseList::Entry &e : causes_.entries())
                names.push_back(e.name);
            std::fprintf(stderr, "; the names are %s", joined(names).c_str());
        } else {
            std::fprintf(stderr, "; a cause is 0..127%s",
                         c_.causeFormat == kCauseHexa ? " (0..7F in hexa)" : "");
        }
        std::fputc('\n', stderr);
        return false;
    }

private:
    bool refuse(const char *what) {
        std::fprintf(stderr, "--%s %s: %s\n", key_.c_str(), value_.c_str(), what);
        return false;
    }

    bool decimal(bool &set, int &target, int low, int high) {
        const std::optional<int> v = decimalValue(value_);
        if (!v || *v < low || *v > high) {
            const std::string range =
                "takes a decimal number " + std::to_string(low) + ".." + std::to_string(high);
            return refuse(range.c_str());
        }
        set = true;
        target = *v;
        return true;
    }

    bool hexa(bool &set, int &target, int high) {
        const std::optional<int> v = hexaValue(value_);
        if (!v || *v > high) {
            char range[64];
            std::snprintf(range, sizeof range, "takes a hexadecimal number 0..%X", high);
            return refuse(range);
        }
        set = true;
        target = *v;
        return true;
    }

    bool pattern(bool &set, std::string &target) {
        if (!validPattern(value_))
            return refuse("an address pattern is digits, with one * at its start or its end");
        set = true;
        target = value_;
        return true;
    }

    bool listed(const std::vector<std::string> &names, const char *what, int &target) {
        const int at = pick(names, value_);
        if (at < 0) {
            const std::string text =
                std::string("not ") + what + "; the names are " + joined(names);
            return refuse(text.c_str());
        }
        target = at + 1;
        return true;
    }

    bool layers() {
        bool on[3] = {false, false, false};
        if (folded(value_) != "NONE") {
            std::size_t at = 0;
            while (at <= value_.size()) {
                const std::size_t comma = std::min(value_.find(',', at), value_.size());
                const std::string item = value_.substr(at, comma - at);
                if (item != "1" && item != "2" && item != "3")
                    return refuse("takes the layers shown, 1, 2 and 3 separated by commas "
                                  "(\"2,3\"), or none");
                on[item[0] - '1'] = true;
                at = comma + 1;
            }
        }
        c_.layer1 = on[0];
        c_.layer2 = on[1];
        c_.layer3 = on[2];
        return true;
    }

    bool direction() {
        const std::string f = folded(value_);
        const char *shortNames[] = {"TE", "NT", "AN", "LE"};
        int at = pick(directionNames(), value_);
        for (int k = 0; at < 0 && k < 4; ++k)
            if (f == shortNames[k])
                at = k;
        if (at < 0)
            return refuse("takes TE->NT, NT->TE, AN->LE or LE->AN (or TE, NT, AN, LE)");
        c_.direction = at + 1;
        return true;
    }

    bool message() {
        const int isdn = pick(isdnMessageNames(), value_);
        if (isdn >= 0) {
            c_.message = isdn + 1;
            return true;
        }
        const std::vector<std::string> v5 = v5MessageTexts();
        const int at = pick(v5, value_);
        if (at < 0) {
            const std::string text = "no such message; the names are " +
                                     joined(isdnMessageNames()) + ", and in V5 captures " +
                                     joined(std::vector<std::string>(
                                         v5.begin() + (kFirstV5MessagePosition - 1), v5.end()));
            return refuse(text.c_str());
        }
        const int position = at + 1;
        c_.message = position < kFirstV5MessagePosition ? position : position | kV5MessageMark;
        return true;
    }

    bool causeFormat() {
        for (int k = 0; k < 3; ++k)
            if (folded(value_) == folded(kCauseFormatNames[k])) {
                format_ = k;
                return true;
            }
        return refuse("takes mnemonics, decimal or hexa");
    }

    FilterCriteria &c_;
    const CauseList &causes_;
    std::string key_, value_;
    std::optional<std::string> causeText_;
    std::optional<int> format_;
};

int applyChanges(const std::vector<std::pair<std::string, std::string>> &changes,
                 const CauseList &causes, FilterCriteria &c) {
    Changer changer(c, causes);
    for (const auto &[key, value] : changes)
        if (!changer.apply(key, value))
            return kRefused;
    return changer.finishCause() ? kDone : kRefused;
}

std::string hexaText(int value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

} // namespace

FilterOptions::Take FilterOptions::take(const std::vector<std::string> &args, std::size_t &i) {
    const std::string &a = args[i];
    if (a.size() < 3 || a.compare(0, 2, "--") != 0)
        return Take::NotFilterOption;
    const std::string name = a.substr(2);
    // No value of a criterion starts with "--": "--sapi --home DIR" lacks the SAPI.
    const bool hasValue = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
    if (name == "filter") {
        if (!hasValue)
            return Take::MissingValue;
        profile_ = args[++i];
        return Take::Taken;
    }
    if (use_ == Use::Find && (name == "message" || name == "cause"))
        return Take::NotFilterOption;
    for (const OptionName &o : kOptions) {
        if (name != o.option)
            continue;
        if (!o.hasValue) {
            changes_.emplace_back(o.key, std::string());
            return Take::Taken;
        }
        if (!hasValue)
            return Take::MissingValue;
        changes_.emplace_back(o.key, args[++i]);
        return Take::Taken;
    }
    return Take::NotFilterOption;
}

const char *FilterOptions::offLineOnlyOption() const {
    for (const auto &change : changes_)
        for (const OptionName &o : kOptions)
            if (change.first == o.key && o.offLineOnly)
                return o.option;
    return nullptr;
}

int FilterOptions::criteria(const std::string &filterFolder, const CauseList &causes,
                            FilterCriteria &out) const {
    // The values are checked before the profile is looked for: a refused value is the first
    // thing to hear about.
    FilterCriteria c;
    if (const int status = applyChanges(changes_, causes, c); status != kDone)
        return status;
    if (!profile_.empty()) {
        const FilterFiles files(filterFolder);
        std::error_code ec;
        c = FilterCriteria{};
        if (!FilterFiles::validName(profile_) ||
            !std::filesystem::is_regular_file(files.path(FilterKind::OffLine, profile_), ec) ||
            !files.Load(FilterKind::OffLine, profile_, c)) {
            std::fprintf(stderr, "%s: no such off-line filter in %s\n", profile_.c_str(),
                         filterFolder.c_str());
            return kFailed;
        }
        if (const int status = applyChanges(changes_, causes, c); status != kDone)
            return status;
    }
    out = c;
    return kDone;
}

IniFile installationSettings(const std::vector<std::string> &args) {
    Settings settings;
    settings.open(Installation::fromCommandLine(args).settingsPath());
    return settings.file();
}

int CommandFilter::make(const FilterOptions &options, const std::vector<std::string> &args,
                        IniFile settings) {
    given = options.given();
    causes.load(settings);
    if (!given)
        return kDone;
    return options.criteria(Installation::fromCommandLine(args).filterFolder(), causes, criteria);
}

void CommandFilter::install(CDecodeDoc &doc) const {
    if (given)
        doc.applyOffLineFilters(std::make_unique<OffLineFrameFilter>(criteria, &causes));
}

int FilteredCapture::prepare(const FilterOptions &options, const std::vector<std::string> &args) {
    if (!loadEnvironment(env, args))
        return kBadUsage;
    return filter.make(options, args, env.settings.file());
}

int FilteredCapture::open(const std::string &path) {
    doc = std::make_unique<CDecodeDoc>(env.messages, env.context.services());
    if (!openDocument(env, *doc, path))
        return kFailed;
    filter.install(*doc);
    return kDone;
}

std::string describeCriteria(const FilterCriteria &criteria, FilterKind kind) {
    FilterCriteria c = criteria;
    c.normalise();
    const bool offLine = kind == FilterKind::OffLine;
    std::string out;
    auto line = [&out](const char *key, const std::string &value) {
        out += key;
        out += ": ";
        out += value;
        out += '\n';
    };
    if (!c.layer1 || !c.layer2 || !c.layer3) {
        std::string shown;
        for (int k = 0; k < 3; ++k)
            if ((k == 0 ? c.layer1 : k == 1 ? c.layer2 : c.layer3)) {
                if (!shown.empty())
                    shown += ',';
                shown += static_cast<char>('1' + k);
            }
        line("layers", shown.empty() ? "none" : shown);
    }
    if (c.sapiSet)
        line("sapi", std::to_string(c.sapi));
    if (c.teiSet)
        line("tei", std::to_string(c.tei));
    if (offLine && c.direction != 0)
        line("direction", filterDirections()[c.direction - 1]);
    if (offLine && c.frameType != 0)
        line("frame-type", layer2FrameTypes()[c.frameType - 1].name);
    if (!c.keepRR)
        line("keep-rr", "no");
    if (c.efaSet)
        line("efa", std::to_string(c.efa));
    if (c.l3Address != 0)
        line("l3-address", std::to_string(c.l3Address));
    if (c.callRefSet)
        line("callref", hexaText(c.callRef, 1));
    if (c.localAddressSet)
        line("local", c.localAddress);
    if (c.remoteAddressSet)
        line("remote", c.remoteAddress);
    if (offLine) {
        if (c.pdSet)
            line("pd", hexaText(c.pd, 2));
        if (c.message != 0)
            line("message", (c.message & kV5MessageMark) != 0
                                ? v5MessageListText(c.message & ~kV5MessageMark)
                                : std::string(isdnMessages()[c.message - 1].name));
        if (c.causeSet)
            line("cause", c.causeText + " (" + kCauseFormatNames[c.causeFormat] + ")");
    }
    if (c.lcnSet)
        line("lcn", hexaText(c.lcn, 3));
    if (c.x25LocalAddressSet)
        line("x25-local", c.x25LocalAddress);
    if (c.x25RemoteAddressSet)
        line("x25-remote", c.x25RemoteAddress);
    if (offLine) {
        if (c.packetType != 0)
            line("packet", x25Packets()[c.packetType - 1].name);
        if (c.cugSet)
            line("cug", std::to_string(c.cug));
        if (c.nuiSet)
            line("nui", "yes");
    } else {
        if (c.frameSlicing != 0)
            line("slicing", slicingSizes()[c.frameSlicing]);
        if (!c.keepData)
            line("keep-data", "no");
    }
    return out.empty() ? "all frames shown\n" : out;
}

} // namespace qv::cli
