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

} // namespace

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
    serialDevices.load(ini);
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
    serialDevices.save(ini);
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
