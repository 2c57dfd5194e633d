#pragma once
// The named filter profiles: private-profile files in the Filter folder of the installation,
// "LVTO_<name>.flt" for off-line filters, "LVTR_<name>.flt" for real-time filters and
// "DRU70O_<name>.flt" for the DRU-70's event filter.
#include <string>
#include <string_view>
#include <vector>

#include "filters/Dru70EventFilter.h"
#include "filters/FilterCriteria.h"

namespace qv {

inline constexpr const char *kOffLineFilterPrefix = "LVTO_";
inline constexpr const char *kRealTimeFilterPrefix = "LVTR_";
inline constexpr const char *kDru70FilterPrefix = "DRU70O_";
inline constexpr const char *kFilterExtension = ".flt";

class FilterFiles {
public:
    // folder is the installation's Filter folder; it is created when a profile is listed or
    // saved and it is missing.
    explicit FilterFiles(std::string folder) : folder_(std::move(folder)) {}

    // The profile names present, without prefix and extension, in alphabetical order.
    std::vector<std::string> List(FilterKind kind) const;
    // False when the profile cannot be read (out is then unchanged). Missing keys read as on
    // for the layer flags and Keep RR / Keep data packets, as off for the set flags, 0 for the
    // values and empty for the texts; every value is brought into its range.
    bool Load(FilterKind kind, std::string_view name, FilterCriteria &out) const;
    // Writes every section and key of kind in their fixed order; equipment is the "LVT-xx"
    // text of the product.
    bool Save(FilterKind kind, std::string_view name, const FilterCriteria &criteria,
              std::string_view equipment) const;
    bool Delete(FilterKind kind, std::string_view name) const;

    std::vector<std::string> listDru70() const;
    // Missing flags read as on.
    bool loadDru70(std::string_view name, Dru70EventFilter &out) const;
    bool saveDru70(std::string_view name, const Dru70EventFilter &filter) const;
    bool deleteDru70(std::string_view name) const;

    // A name that makes a file of its own in the folder: not empty, no path separator and no
    // control character, not "." or "..", at most 200 characters.
    static bool validName(std::string_view name);
    std::string path(FilterKind kind, std::string_view name) const;
    const std::string &folder() const { return folder_; }

private:
    std::string pathOf(std::string_view prefix, std::string_view name) const;
    std::vector<std::string> listOf(std::string_view prefix) const;
    bool remove(std::string_view prefix, std::string_view name) const;
    bool ensureFolder() const;

    std::string folder_;
};

} // namespace qv
