#pragma once
// The general settings of QUORVANE.INI: every key with its default and its range check, the
// product table, the Open-dialog filters and the recent-file list. Later subsystems keep their
// own sections in the same file through file().
#include "base/IniFile.h"
#include "comm/SerialSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The instruments the program works with, by the value stored as Product.
struct ProductInfo {
    int value;
    const char *name;
    int examineFilter; // -1: selection leaves ExamineFilter unchanged
    int viewFilter;    // -1: selection leaves ViewFilter unchanged
    int toolbarImage;
};

constexpr ProductInfo kProducts[] = {
    {0, "DRU-70", 1, -1, 6},  {1, "LVT-3", 0, 0, 7},   {2, "LVT-30", 0, 0, 0},
    {3, "LVT-60", 0, 0, 4},   {4, "PLM-45", -1, 1, 5}, {5, "KSM-2", 2, -1, 8},
    {6, "KSE-400", 3, -1, 9},
};
constexpr int kProductCount = static_cast<int>(std::size(kProducts));
// A product's value is also its index among the serial models.
constexpr int kProductDru70 = kModelDru70;
constexpr int kProductLvt3 = kModelLvt3;
constexpr int kProductLvt30 = kModelLvt30;
constexpr int kProductLvt60 = kModelLvt60;
constexpr int kProductPlm45 = kModelPlm45;
static_assert(kProductCount == kSerialModelCount);

// Open-dialog file-type filters of Examine mode (ExamineFilter) and View Results mode
// (ViewFilter). The testers name their captures M..., R... and T..., but a capture kept on a PC
// is often renamed: every .lvt file is listed, and a result file among them opens in its own
// mode. The captures of other tools are opened by importing them.
constexpr const char *kExamineFilters[] = {
    "LVT-30/-60 files (*.lvt)",
    "DRU-70 files (*.dru)",
    "KSM-2 files (*.mon)",
    "KSE-400 files (*.mon)",
    "Captures of other tools (*.pcap;*.pcapng;*.gz;*.trace;*.trc)",
    "All files (*.*)",
};
constexpr const char *kViewFilters[] = {
    "LVT-30/-60 files (A*.lvt;B*.lvt;C*.lvt;D*.lvt;E*.lvt;S*.lvt)",
    "PLM-45 files (*.plm)",
    "All files (*.*)",
};

enum class WorkingMode { None = 0, Capture = 1, Examine = 2, ViewResults = 3 };

// The product of value, or nullptr outside the table.
const ProductInfo *findProduct(int value);

// Most recently used files, newest first, at most four.
class RecentFileList {
public:
    static constexpr std::size_t kMaxEntries = 4;
    static constexpr std::size_t kDisplayLength = 30;

    // Puts path first; an entry already listed moves to the front. Paths compare exactly: file
    // names are case-sensitive here.
    void add(const std::string &path);
    bool remove(const std::string &path);
    void clear() { entries_.clear(); }
    const std::vector<std::string> &entries() const { return entries_; }
    // The entry shortened for a menu: the end of the path after "...", at most 30 characters.
    static std::string displayName(const std::string &path);

private:
    std::vector<std::string> entries_;
};

class Settings {
public:
    static constexpr std::size_t kFontNameLength = 31;
    static constexpr int kSmallestFontSize = 6; // also what a size out of range becomes
    static constexpr int kLargestFontSize = 30;

    // Reads and writes through an owned profile bound to no file until open().
    Settings() = default;

    // Loads the profile at path and the settings from it.
    void open(const std::string &path);
    IniFile &file() { return file_; }
    const IniFile &file() const { return file_; }

    void load(const IniFile &ini);
    // The keys written when the main window closes.
    void saveOnClose(IniFile &ini) const;
    // The keys written at program exit.
    void saveOnExit(IniFile &ini) const;
    // Both of the above into the owned profile, then the profile is saved.
    bool writeAtExit();

    // Stores product and applies its filter indexes; V5 decoding goes off unless the product
    // is the LVT-60. The serial settings of the product left are written into the profile and
    // those of the new one read from it. Returns false for a value outside the table (nothing
    // changes).
    bool selectProduct(int product);

    int appLanguage = 0;
    bool statusBar = true;
    bool toolBar = true;
    bool hexa = true;
    std::string lastPath;
    WorkingMode launchpad = WorkingMode::Examine;
    int product = 2;
    int examineFilter = 0;
    int viewFilter = 0;
    std::string protocol = "EDSS-1";
    std::string variant = "EDSS";
    bool v5Decoding = false;
    int language = 0;
    std::string fontName = "Courier New";
    int fontSize = 9;
    int fontStyle = 0;
    RecentFileList recentFiles;
    // The filter bar's lines, the last applied first; at most kFilterHistoryLength.
    static constexpr std::size_t kFilterHistoryLength = 20;
    std::vector<std::string> filterHistory;
    // Puts line first in the history, once.
    void rememberFilterLine(const std::string &line);
    std::string registrationName;
    std::string registrationCompany;
    SerialSettingsTable serialPorts; // of the product selected
    SerialDevices serialDevices;     // the device of each COM port

    bool fontItalic() const { return (fontStyle & 1) != 0; }
    bool fontBold() const { return (fontStyle & 2) != 0; }
    int fontWeight() const { return fontBold() ? 700 : 400; }

private:
    IniFile file_;
};

} // namespace qv
