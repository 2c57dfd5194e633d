#include "app/Settings.h"

#include <algorithm>

namespace qv {

namespace {

constexpr const char *kConfiguration = "Configuration";
constexpr const char *kProtocolInfo = "Protocol Info";
constexpr const char *kLanguage = "Language";
constexpr const char *kPolice = "Police";
constexpr const char *kRecentFileList = "Recent File List";
constexpr const char *kRegistration = "Registration";
constexpr const char *kFilterBar = "Filter Bar";
constexpr std::size_t kFilterLineLength = 1024;

constexpr std::size_t kLastPathLength = 255;
constexpr std::size_t kProtocolLength = 169;
constexpr std::size_t kRecentFileLength = 169;
constexpr std::size_t kRegistrationLength = 48;

int inRange(int value, int low, int high, int fallback) {
    return value < low || value > high ? fallback : value;
}

std::string recentKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

bool isYes(std::string_view text) {
    return text.size() == 3 && (text[0] == 'Y' || text[0] == 'y') &&
           (text[1] == 'E' || text[1] == 'e') && (text[2] == 'S' || text[2] == 's');
}

constexpr const char *kSerialPorts = "Serial Ports";
// Serial values are read as text of at most 40 characters and kept in their low 16 bits.
constexpr std::size_t kSerialValueLength = 40;
constexpr PortSettings kDru70Ports = {7, 7, 0, 1, 1};  // 57600 both ways, 8 bits, Xon-Xoff
constexpr PortSettings kTesterPorts = {3, 4, 0, 1, 1}; // 9600 transfer, 19200 capture

// Products with serial settings of their own: the DRU-70, the three testers and the PLM-45.
bool hasSerialSettings(int product) {
    return product >= kProductDru70 && product <= kProductPlm45;
}

std::uint32_t readSerialValue(const IniFile &ini, std::string_view section, std::string_view key,
                              std::uint32_t fallback) {
    if (!ini.hasKey(section, key))
        return fallback;
    const int value = IniFile::parseInt(ini.readString(section, key, "", kSerialValueLength));
    return static_cast<std::uint32_t>(value) & 0xFFFFu;
}

std::string portSection(const char *name, std::size_t port) {
    return std::string(name) + "_COM" + std::to_string(port + 1);
}

} // namespace

PortSettings SerialSettingsTable::defaults(int product) {
    return product == kProductDru70 ? kDru70Ports : kTesterPorts;
}

void SerialSettingsTable::load(const IniFile &ini, int product) {
    if (!hasSerialSettings(product))
        return;
    const char *name = findProduct(product)->name;
    currentPort = readSerialValue(ini, kSerialPorts, std::string(name) + " Current port", 0);
    const PortSettings fallback = defaults(product);
    for (std::size_t port = 0; port < kPortCount; ++port) {
        const std::string section = portSection(name, port);
        PortSettings &p = ports[port];
        p.speed = readSerialValue(ini, section, "Speed", fallback.speed);
        p.rtSpeed = readSerialValue(ini, section, "RTSpeed", fallback.rtSpeed);
        p.parity = readSerialValue(ini, section, "Parity", fallback.parity);
        p.dataBits = readSerialValue(ini, section, "Data bits", fallback.dataBits);
        p.xonXoff = readSerialValue(ini, section, "Xon-Xoff", fallback.xonXoff);
    }
}

void SerialSettingsTable::save(IniFile &ini, int product) const {
    if (!hasSerialSettings(product))
        return;
    const char *name = findProduct(product)->name;
    ini.writeInt(kSerialPorts, std::string(name) + " Current port", static_cast<int>(currentPort));
    // The DRU-70 and the LVT-3 keep their port values as the file has them.
    if (product == kProductDru70 || product == kProductLvt3)
        return;
    for (std::size_t port = 0; port < kPortCount; ++port) {
        const std::string section = portSection(name, port);
        const PortSettings &p = ports[port];
        ini.writeInt(section, "Speed", static_cast<int>(p.speed));
        ini.writeInt(section, "RTSpeed", static_cast<int>(p.rtSpeed));
        ini.writeInt(section, "Parity", static_cast<int>(p.parity));
        ini.writeInt(section, "Data bits", static_cast<int>(p.dataBits));
        ini.writeInt(section, "Xon-Xoff", static_cast<int>(p.xonXoff));
    }
}

const ProductInfo *findProduct(int value) {
    for (const ProductInfo &p : kProducts)
        if (p.value == value)
            return &p;
    return nullptr;
}

void RecentFileList::add(const std::string &path) {
    if (path.empty())
        return;
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

bool RecentFileList::remove(const std::string &path) {
    auto it = std::find(entries_.begin(), entries_.end(), path);
    if (it == entries_.end())
        return false;
    entries_.erase(it);
    return true;
}

std::string RecentFileList::displayName(const std::string &path) {
    if (path.size() <= kDisplayLength)
        return path;
    return "..." + path.substr(path.size() - (kDisplayLength - 3));
}

void Settings::rememberFilterLine(const std::string &line) {
    if (line.empty())
        return;
    std::erase(filterHistory, line);
    filterHistory.insert(filterHistory.begin(), line.substr(0, kFilterLineLength));
    if (filterHistory.size() > kFilterHistoryLength)
        filterHistory.resize(kFilterHistoryLength);
}

void Settings::open(const std::string &path) {
    file_.load(path);
    load(file_);
}

void Settings::load(const IniFile &ini) {
    appLanguage = inRange(ini.readInt(kConfiguration, "AppLanguage", 0), 0, 2, 0);
    statusBar = ini.readInt(kConfiguration, "Status", 1) != 0;
    toolBar = ini.readInt(kConfiguration, "Tool", 1) != 0;
    hexa = ini.readInt(kConfiguration, "Hexa", 1) != 0;
    lastPath = ini.readString(kConfiguration, "Last Path", "", kLastPathLength);
    launchpad = static_cast<WorkingMode>(inRange(ini.readInt(kConfiguration, "Launchpad", 2), 1, 3,
                                                 static_cast<int>(WorkingMode::Examine)));
    product = inRange(ini.readInt(kConfiguration, "Product", 2), 0, kProductCount - 1, 2);
    examineFilter = inRange(ini.readInt(kConfiguration, "ExamineFilter", 0), 0,
                            static_cast<int>(std::size(kExamineFilters)) - 1, 0);
    viewFilter = inRange(ini.readInt(kConfiguration, "ViewFilter", 0), 0,
                         static_cast<int>(std::size(kViewFilters)) - 1, 0);

    protocol = ini.readString(kProtocolInfo, "Protocol", "EDSS-1", kProtocolLength);
    variant = ini.readString(kProtocolInfo, "Variant", "EDSS", kProtocolLength);
    // Only the LVT-60 decodes V5; a "Yes" left over from it does not carry to other products.
    v5Decoding =
        isYes(ini.readString(kProtocolInfo, "V5 Decoding", "No")) && product == kProductLvt60;

    language = ini.readInt(kLanguage, "Language", 0);

    fontName = ini.readString(kPolice, "FontName", "Courier New", kFontNameLength);
    fontSize = ini.readInt(kPolice, "FontSize", 9);
    if (fontSize < kSmallestFontSize || fontSize > kLargestFontSize)
        fontSize = kSmallestFontSize;
    fontStyle = inRange(ini.readInt(kPolice, "FontStyle", 0), 0, 3, 0);

    // Oldest first, so that each add() pushes the older ones down and File1 ends up first.
    recentFiles.clear();
    for (std::size_t i = RecentFileList::kMaxEntries; i-- > 0;)
        recentFiles.add(ini.readString(kRecentFileList, recentKey(i), "", kRecentFileLength));

    filterHistory.clear();
    for (std::size_t i = 0; i < kFilterHistoryLength; ++i) {
        std::string line =
            ini.readString(kFilterBar, "Line" + std::to_string(i + 1), "", kFilterLineLength);
        if (!line.empty())
            filterHistory.push_back(std::move(line));
    }

    registrationName = ini.readString(kRegistration, "name", "", kRegistrationLength);
    registrationCompany = ini.readString(kRegistration, "company", "", kRegistrationLength);
    serialPorts.load(ini, product);
}

void Settings::saveOnClose(IniFile &ini) const {
    ini.writeInt(kConfiguration, "Launchpad", static_cast<int>(launchpad));
    ini.writeInt(kConfiguration, "Product", product);
    ini.writeInt(kConfiguration, "ExamineFilter", examineFilter);
    ini.writeInt(kConfiguration, "ViewFilter", viewFilter);
    ini.writeInt(kConfiguration, "Status", statusBar ? 1 : 0);
    ini.writeInt(kConfiguration, "Tool", toolBar ? 1 : 0);
}

void Settings::saveOnExit(IniFile &ini) const {
    const std::vector<std::string> &files = recentFiles.entries();
    for (std::size_t i = 0; i < RecentFileList::kMaxEntries; ++i) {
        if (i < files.size())
            ini.writeString(kRecentFileList, recentKey(i), files[i]);
        else
            ini.removeKey(kRecentFileList, recentKey(i));
    }
    // Paths are written as they are: the file system here is case-sensitive, so upper-casing
    // the working folder would name a different (usually missing) folder at the next start.
    ini.writeString(kConfiguration, "Last Path", lastPath.substr(0, kLastPathLength));
    ini.writeInt(kConfiguration, "Hexa", hexa ? 1 : 0);
    for (std::size_t i = 0; i < kFilterHistoryLength; ++i) {
        const std::string key = "Line" + std::to_string(i + 1);
        if (i < filterHistory.size())
            ini.writeString(kFilterBar, key, filterHistory[i]);
        else
            ini.removeKey(kFilterBar, key);
    }
    ini.writeString(kProtocolInfo, "Protocol", protocol);
    ini.writeString(kProtocolInfo, "Variant", variant);
    ini.writeString(kProtocolInfo, "V5 Decoding", v5Decoding ? "Yes" : "No");
    ini.writeInt(kLanguage, "Language", language);
    ini.writeString(kPolice, "FontName", fontName);
    ini.writeInt(kPolice, "FontSize", fontSize);
    ini.writeInt(kPolice, "FontStyle", fontStyle);
}

bool Settings::writeAtExit() {
    saveOnClose(file_);
    saveOnExit(file_);
    return file_.save();
}

bool Settings::selectProduct(int value) {
    const ProductInfo *info = findProduct(value);
    if (info == nullptr)
        return false;
    if (value != product) {
        serialPorts.save(file_, product);
        serialPorts.load(file_, value);
    }
    product = value;
    if (info->examineFilter >= 0)
        examineFilter = info->examineFilter;
    if (info->viewFilter >= 0)
        viewFilter = info->viewFilter;
    if (value != kProductLvt60)
        v5Decoding = false;
    return true;
}

} // namespace qv
