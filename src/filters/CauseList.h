#pragma once
// The causes the summary find offers by name: the settings section "List of Causes (Q.931)",
// names as keys and decimal cause numbers as values, filled with the usual causes when absent.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class IniFile;

inline constexpr const char *kCauseSection = "List of Causes (Q.931)";

class CauseList {
public:
    struct Entry {
        std::string name;
        int number;
    };

    // Reads the section; a missing or empty section gets the default causes, which are also
    // written to it.
    void load(IniFile &ini);
    const std::vector<Entry> &entries() const { return entries_; }
    // The number of a listed name, compared exactly.
    std::optional<int> number(const std::string &name) const;

private:
    std::vector<Entry> entries_;
};

} // namespace qv
