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

// Applies the inline options to criteria, one after another; each answers false (with the
// message printed) for a refused value.
class Changer {
public:
    Changer(FilterCriteria &c, const CauseList &causes) : c_(c), causes_(causes) {}

    bool apply(const char *option, const std::string &value,
               bool (*change)(Changer &, FilterCriteria &)) {
        option_ = option;
        value_ = value;
        return change(*this, c_);
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

    bool refuse(const char *what) {
        std::fprintf(stderr, "--%s %s: %s\n", option_, value_.c_str(), what);
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

    void causeText() { causeText_ = value_; }

private:
    FilterCriteria &c_;
    const CauseList &causes_;
    const char *option_ = "";
    std::string value_;
    std::optional<std::string> causeText_;
    std::optional<int> format_;
};

// The criteria options: the option without "--", the name of its value (none for a switch),
// whether only off-line filters hold it, its help and what it changes.
struct CriterionOption {
    const char *option;
    const char *value;
    bool offLineOnly;
    const char *help;
    bool (*change)(Changer &, FilterCriteria &);
};

const CriterionOption kCriteria[] = {
    {"layers", "LIST", false, "the layers shown: 1, 2 and 3 separated by commas, or none",
     [](Changer &ch, FilterCriteria &) { return ch.layers(); }},
    {"sapi", "N", false, "layer-2 SAPI (0..63)",
     [](Changer &ch, FilterCriteria &c) { return ch.decimal(c.sapiSet, c.sapi, 0, 63); }},
    {"tei", "N", false, "layer-2 TEI (0..127)",
     [](Changer &ch, FilterCriteria &c) { return ch.decimal(c.teiSet, c.tei, 0, 127); }},
    {"direction", "D", true, "TE->NT, NT->TE, AN->LE or LE->AN (or TE, NT, AN, LE)",
     [](Changer &ch, FilterCriteria &) { return ch.direction(); }},
    {"frame-type", "NAME", true, "DISC, DM, FRMR, I, REJ, RNR, RR, SABME, UA, UI or XID",
     [](Changer &ch, FilterCriteria &c) {
         return ch.listed(frameTypeNames(), "a layer-2 frame", c.frameType);
     }},
    {"no-rr", nullptr, false, "leave out the RR frames",
     [](Changer &, FilterCriteria &c) {
         c.keepRR = false;
         return true;
     }},
    {"callref", "HEX", false, "call reference (hexadecimal, 0..7FFF)",
     [](Changer &ch, FilterCriteria &c) { return ch.hexa(c.callRefSet, c.callRef, 0x7FFF); }},
    {"local", "PATTERN", false,
     "frames of the calls from an ISDN address; a * at its start or end stands for any "
     "further digits",
     [](Changer &ch, FilterCriteria &c) { return ch.pattern(c.localAddressSet, c.localAddress); }},
    {"remote", "PATTERN", false, "frames of the calls to an ISDN address (a pattern as --local)",
     [](Changer &ch, FilterCriteria &c) {
         return ch.pattern(c.remoteAddressSet, c.remoteAddress);
     }},
    {"pd", "HEX", true, "protocol discriminator (hexadecimal)",
     [](Changer &ch, FilterCriteria &c) { return ch.hexa(c.pdSet, c.pd, 0xFF); }},
    {"message", "NAME", true,
     "an ISDN message (SETUP, RELEASE.COMP, \"USER INFO\" ...) or a V5 one (PSTN/ESTABLISH ...)",
     [](Changer &ch, FilterCriteria &) { return ch.message(); }},
    {"only-message", "NAME", true, "the message criterion where --message is taken (find)",
     [](Changer &ch, FilterCriteria &) { return ch.message(); }},
    {"cause", "TEXT", true, "a cause name or number",
     [](Changer &ch, FilterCriteria &) {
         ch.causeText();
         return true;
     }},
    {"only-cause", "TEXT", true, "the cause criterion where --cause is taken (find)",
     [](Changer &ch, FilterCriteria &) {
         ch.causeText();
         return true;
     }},
    {"cause-format", "mnemonics|decimal|hexa", true,
     "how the cause is named (digits alone: decimal, else mnemonics)",
     [](Changer &ch, FilterCriteria &) { return ch.causeFormat(); }},
    {"lcn", "HEX", false, "X.25 logical channel (hexadecimal, 0..FFF)",
     [](Changer &ch, FilterCriteria &c) { return ch.hexa(c.lcnSet, c.lcn, 0xFFF); }},
    {"x25-local", "PATTERN", false, "X.25 calls from an address (a pattern as --local)",
     [](Changer &ch, FilterCriteria &c) {
         return ch.pattern(c.x25LocalAddressSet, c.x25LocalAddress);
     }},
    {"x25-remote", "PATTERN", false, "X.25 calls to an address (a pattern as --local)",
     [](Changer &ch, FilterCriteria &c) {
         return ch.pattern(c.x25RemoteAddressSet, c.x25RemoteAddress);
     }},
    {"packet", "NAME", true, "an X.25 packet (CALL.REQ ...)",
     [](Changer &ch, FilterCriteria &c) {
         return ch.listed(packetNames(), "an X.25 packet", c.packetType);
     }},
    {"cug", "N", true, "X.25 closed user group (0..9999)",
     [](Changer &ch, FilterCriteria &c) { return ch.decimal(c.cugSet, c.cug, 0, 9999); }},
    {"nui", nullptr, true, "X.25 packets carrying a NUI",
     [](Changer &, FilterCriteria &c) {
         c.nuiSet = true;
         return true;
     }},
    {"efa", "N", false, "V5 envelope function address (with --v5)",
     [](Changer &ch, FilterCriteria &c) {
         return ch.decimal(c.efaSet, c.efa, 0, kEveryUserPortEfa);
     }},
    {"l3-address", "N", false, "V5 layer-3 address (with --v5)",
     [](Changer &ch, FilterCriteria &c) {
         bool set = false;
         return ch.decimal(set, c.l3Address, 1, 0x7FFF);
     }},
};

const CriterionOption *criterionNamed(const std::string &option) {
    for (const CriterionOption &o : kCriteria)
        if (option == o.option)
            return &o;
    return nullptr;
}

int applyChanges(const std::vector<std::pair<std::string, std::string>> &changes,
                 const CauseList &causes, FilterCriteria &c) {
    Changer changer(c, causes);
    for (const auto &[option, value] : changes) {
        const CriterionOption *o = criterionNamed(option);
        if (o == nullptr || !changer.apply(o->option, value, o->change))
            return kBadUsage;
    }
    return changer.finishCause() ? kDone : kBadUsage;
}

std::string hexaText(int value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

} // namespace

void FilterOptions::attach(CLI::App &command, Use use) {
    const char *group = "Filter (only the frames that meet every criterion given)";
    command
        .add_option("--filter", profile_,
                    "start from the saved off-line filter NAME; the options below change its "
                    "criteria for this run")
        ->type_name("NAME")
        ->group(group);
    for (const CriterionOption &o : kCriteria) {
        const std::string option = o.option;
        if (use == Use::Find && (option == "message" || option == "cause"))
            continue;
        CLI::Option *added = nullptr;
        // Each criterion is kept in the order given: a later one changes what an earlier set.
        if (o.value == nullptr)
            added = command.add_flag_function(
                "--" + option, [this, option](std::int64_t) { changes_.emplace_back(option, ""); },
                o.help);
        else
            added = command
                        .add_option_function<std::string>(
                            "--" + option,
                            [this, option](const std::string &value) {
                                changes_.emplace_back(option, value);
                            },
                            o.help)
                        ->type_name(o.value)
                        ->check(CLI::Validator(
                            [](std::string &value) -> std::string {
                                // "--sapi --home DIR": the SAPI is missing, --home is no value.
                                if (value.rfind("--", 0) == 0)
                                    return "a value is missing before " + value;
                                return {};
                            },
                            ""))
                        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        added->trigger_on_parse()->group(group);
    }
}

const char *FilterOptions::offLineOnlyOption() const {
    for (const auto &change : changes_)
        if (const CriterionOption *o = criterionNamed(change.first); o && o->offLineOnly)
            return o->option;
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

IniFile installationSettings(const std::string &home) {
    Settings settings;
    settings.open(Installation::fromHomeOption(home).settingsPath());
    return settings.file();
}

int CommandFilter::make(const FilterOptions &options, const std::string &home, IniFile settings) {
    given = options.given();
    causes.load(settings);
    if (!given)
        return kDone;
    return options.criteria(Installation::fromHomeOption(home).filterFolder(), causes, criteria);
}

void CommandFilter::install(CDecodeDoc &doc) const {
    if (given)
        doc.applyOffLineFilters(std::make_unique<OffLineFrameFilter>(criteria, &causes));
}

int FilteredCapture::prepare(const FilterOptions &options, const EnvironmentOptions &environment) {
    if (!loadEnvironment(env, environment))
        return kBadUsage;
    return filter.make(options, environment.home, env.settings.file());
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
