#include "filters/FilterFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/IniFile.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxNameLength = 200;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    return true;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           startsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

const char *prefixOf(FilterKind kind) {
    return kind == FilterKind::OffLine ? kOffLineFilterPrefix : kRealTimeFilterPrefix;
}

// The reading rules of a profile: layer flags and the keep switches are on when missing, set
// flags off, values 0. Older or hand-made profiles that lack a set flag must not switch on a
// criterion with a value nobody chose.
class ProfileReader {
public:
    explicit ProfileReader(const IniFile &ini) : ini_(ini) {}
    bool layer(const char *section, const char *key) const {
        return ini_.readInt(section, key, -1) != 0;
    }
    bool keep(const char *section, const char *key) const {
        return ini_.readInt(section, key, 1) != 0;
    }
    bool set(const char *section, const char *key) const {
        return ini_.readInt(section, key, 0) != 0;
    }
    int value(const char *section, const char *key) const { return ini_.readInt(section, key, 0); }
    std::string text(const char *section, const char *key) const {
        return ini_.readString(section, key, {}, kMaxFilterText);
    }

private:
    const IniFile &ini_;
};

void writeFlag(IniFile &ini, const char *section, const char *key, bool on) {
    ini.writeInt(section, key, on ? 1 : 0);
}

} // namespace

bool FilterFiles::validName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || name == "." || name == "..")
        return false;
    // A control character (a line break above all) would break the list of names.
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

std::string FilterFiles::pathOf(std::string_view prefix, std::string_view name) const {
    std::string path = folder_;
    path += '/';
    path += prefix;
    path += name;
    path += kFilterExtension;
    return path;
}

std::string FilterFiles::path(FilterKind kind, std::string_view name) const {
    return pathOf(prefixOf(kind), name);
}

bool FilterFiles::ensureFolder() const {
    std::error_code ec;
    if (fs::is_directory(folder_, ec))
        return true;
    fs::create_directories(folder_, ec);
    return fs::is_directory(folder_, ec);
}

std::vector<std::string> FilterFiles::listOf(std::string_view prefix) const {
    std::vector<std::string> names;
    if (!ensureFolder())
        return names;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string file = it->path().filename().string();
        const std::size_t extension = std::char_traits<char>::length(kFilterExtension);
        if (file.size() <= prefix.size() + extension || !startsWithNoCase(file, prefix) ||
            !endsWithNoCase(file, kFilterExtension))
            continue;
        // A file whose name no profile can have (written by another program, or a name with a
        // line break saved before such names were refused) is not offered.
        std::string name = file.substr(prefix.size(), file.size() - prefix.size() - extension);
        if (validName(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FilterFiles::List(FilterKind kind) const {
    return listOf(prefixOf(kind));
}

std::vector<std::string> FilterFiles::listDru70() const {
    return listOf(kDru70FilterPrefix);
}

bool FilterFiles::remove(std::string_view prefix, std::string_view name) const {
    if (!validName(name))
        return false;
    std::error_code ec;
    return fs::remove(pathOf(prefix, name), ec);
}

bool FilterFiles::Delete(FilterKind kind, std::string_view name) const {
    return remove(prefixOf(kind), name);
}

bool FilterFiles::deleteDru70(std::string_view name) const {
    return remove(kDru70FilterPrefix, name);
}

bool FilterFiles::Load(FilterKind kind, std::string_view name, FilterCriteria &out) const {
    if (!validName(name))
        return false;
    IniFile ini;
    if (!ini.load(path(kind, name)))
        return false;
    const ProfileReader r(ini);
    const bool offLine = kind == FilterKind::OffLine;
    FilterCriteria c;
    c.layer1 = r.layer("General", "Layer1");
    c.layer2 = r.layer("General", "Layer2");
    c.layer3 = r.layer("General", "Layer3");
    c.efaSet = r.set("Layer2V5", "EFA");
    c.efa = r.value("Layer2V5", "EFAValue");
    c.l3Address = r.value("Layer3V5", "L3AddrValue");
    if (ini.hasKey("Layer3V5", "L3Address") && !r.set("Layer3V5", "L3Address"))
        c.l3Address = 0;
    c.sapiSet = r.set("Layer2", "SapiSet");
    c.sapi = r.value("Layer2", "SapiValue");
    c.teiSet = r.set("Layer2", "TeiSet");
    c.tei = r.value("Layer2", "TeiValue");
    c.keepRR = r.keep("Layer2", "KeepRR");
    c.callRefSet = r.set("Layer3ISDN", "CallRefSet");
    c.callRef = r.value("Layer3ISDN", "CallRefValue");
    c.localAddressSet = r.set("Layer3ISDN", "LocalAddrSet");
    c.localAddress = r.text("Layer3ISDN", "LocalAddrValue");
    c.remoteAddressSet = r.set("Layer3ISDN", "RemoteAddrSet");
    c.remoteAddress = r.text("Layer3ISDN", "RemoteAddrValue");
    c.lcnSet = r.set("Layer3X25", "LCNSet");
    c.lcn = r.value("Layer3X25", "LCNValue");
    c.x25LocalAddressSet = r.set("Layer3X25", "LocalAddrX25Set");
    c.x25LocalAddress = r.text("Layer3X25", "LocalAddrX25Value");
    c.x25RemoteAddressSet = r.set("Layer3X25", "RemoteAddrX25Set");
    c.x25RemoteAddress = r.text("Layer3X25", "RemoteAddrX25Value");
    if (offLine) {
        c.direction = r.value("Layer2", "Direction");
        c.frameType = r.value("Layer2", "Frame");
        c.message = r.value("Layer3ISDN", "Message");
        c.pdSet = r.set("Layer3ISDN", "ProtDiscSet");
        c.pd = r.value("Layer3ISDN", "ProtDiscValue");
        c.causeSet = r.set("Layer3ISDN", "CauseSet");
        c.causeText = r.text("Layer3ISDN", "CauseValue");
        c.causeFormat = r.value("Layer3ISDN", "CauseType");
        c.packetType = r.value("Layer3X25", "Paquet");
        c.cugSet = r.set("Layer3X25", "CUGSet");
        c.cug = r.value("Layer3X25", "CUGValue");
        c.nuiSet = r.set("Layer3X25", "NUISet");
    } else {
        c.frameSlicing = r.value("Layer3X25", "FrameSlicing");
        c.keepData = r.keep("Layer3X25", "KeepData");
    }
    c.normalise();
    out = std::move(c);
    return true;
}

bool FilterFiles::Save(FilterKind kind, std::string_view name, const FilterCriteria &criteria,
                       std::string_view equipment) const {
    if (!validName(name) || !ensureFolder())
        return false;
    FilterCriteria c = criteria;
    c.normalise();
    const bool offLine = kind == FilterKind::OffLine;
    IniFile ini;
    ini.writeString("General", "Equipment", equipment);
    writeFlag(ini, "General", "Layer1", c.layer1);
    writeFlag(ini, "General", "Layer2", c.layer2);
    writeFlag(ini, "General", "Layer3", c.layer3);
    writeFlag(ini, "Layer2V5", "EFA", c.efaSet);
    ini.writeInt("Layer2V5", "EFAValue", c.efa);
    writeFlag(ini, "Layer3V5", "L3Address", c.l3Address != 0);
    ini.writeInt("Layer3V5", "L3AddrValue", c.l3Address);
    writeFlag(ini, "Layer2", "SapiSet", c.sapiSet);
    ini.writeInt("Layer2", "SapiValue", c.sapi);
    writeFlag(ini, "Layer2", "TeiSet", c.teiSet);
    ini.writeInt("Layer2", "TeiValue", c.tei);
    if (offLine) {
        ini.writeInt("Layer2", "Direction", c.direction);
        ini.writeInt("Layer2", "Frame", c.frameType);
    }
    writeFlag(ini, "Layer2", "KeepRR", c.keepRR);
    writeFlag(ini, "Layer3ISDN", "CallRefSet", c.callRefSet);
    ini.writeInt("Layer3ISDN", "CallRefValue", c.callRef);
    writeFlag(ini, "Layer3ISDN", "LocalAddrSet", c.localAddressSet);
    ini.writeString("Layer3ISDN", "LocalAddrValue", c.localAddress);
    writeFlag(ini, "Layer3ISDN", "RemoteAddrSet", c.remoteAddressSet);
    ini.writeString("Layer3ISDN", "RemoteAddrValue", c.remoteAddress);
    if (offLine) {
        ini.writeInt("Layer3ISDN", "Message", c.message);
        writeFlag(ini, "Layer3ISDN", "ProtDiscSet", c.pdSet);
        ini.writeInt("Layer3ISDN", "ProtDiscValue", c.pd);
        writeFlag(ini, "Layer3ISDN", "CauseSet", c.causeSet);
        ini.writeString("Layer3ISDN", "CauseValue", c.causeText);
        ini.writeInt("Layer3ISDN", "CauseType", c.causeFormat);
    }
    writeFlag(ini, "Layer3X25", "LCNSet", c.lcnSet);
    ini.writeInt("Layer3X25", "LCNValue", c.lcn);
    writeFlag(ini, "Layer3X25", "LocalAddrX25Set", c.x25LocalAddressSet);
    ini.writeString("Layer3X25", "LocalAddrX25Value", c.x25LocalAddress);
    writeFlag(ini, "Layer3X25", "RemoteAddrX25Set", c.x25RemoteAddressSet);
    ini.writeString("Layer3X25", "RemoteAddrX25Value", c.x25RemoteAddress);
    if (offLine) {
        ini.writeInt("Layer3X25", "Paquet", c.packetType);
        writeFlag(ini, "Layer3X25", "CUGSet", c.cugSet);
        ini.writeInt("Layer3X25", "CUGValue", c.cug);
        writeFlag(ini, "Layer3X25", "NUISet", c.nuiSet);
    } else {
        ini.writeInt("Layer3X25", "FrameSlicing", c.frameSlicing);
        writeFlag(ini, "Layer3X25", "KeepData", c.keepData);
    }
    return ini.saveAs(path(kind, name));
}

bool FilterFiles::loadDru70(std::string_view name, Dru70EventFilter &out) const {
    if (!validName(name))
        return false;
    IniFile ini;
    if (!ini.load(pathOf(kDru70FilterPrefix, name)))
        return false;
    const ProfileReader r(ini);
    out.eoc = r.layer("Layer1", "EOC");
    out.powerSupply = r.layer("Layer1", "PowerSupply");
    out.error = r.layer("Layer1", "Error");
    out.activation = r.layer("Layer1", "Activation");
    return true;
}

bool FilterFiles::saveDru70(std::string_view name, const Dru70EventFilter &filter) const {
    if (!validName(name) || !ensureFolder())
        return false;
    IniFile ini;
    writeFlag(ini, "Layer1", "EOC", filter.eoc);
    writeFlag(ini, "Layer1", "PowerSupply", filter.powerSupply);
    writeFlag(ini, "Layer1", "Error", filter.error);
    writeFlag(ini, "Layer1", "Activation", filter.activation);
    return ini.saveAs(pathOf(kDru70FilterPrefix, name));
}

} // namespace qv
