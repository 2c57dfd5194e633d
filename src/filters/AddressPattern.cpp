#include "filters/AddressPattern.h"

namespace qv {

bool addressMatches(std::string_view pattern, std::string_view address) {
    if (pattern.empty() || address.empty())
        return false;
    if (pattern.front() == '*') {
        const std::string_view rest = pattern.substr(1);
        return address.size() >= rest.size() && address.ends_with(rest);
    }
    if (pattern.back() == '*') {
        const std::string_view rest = pattern.substr(0, pattern.size() - 1);
        return address.size() >= rest.size() && address.starts_with(rest);
    }
    return address == pattern;
}

bool addressMayMatch(std::string_view pattern, std::string_view address) {
    if (pattern.empty())
        return false;
    if (addressMatches(pattern, address))
        return true;
    // Trailing digits can always still bring the wanted ending.
    if (pattern.front() == '*')
        return true;
    const std::string_view fixed =
        pattern.back() == '*' ? pattern.substr(0, pattern.size() - 1) : pattern;
    return address.size() < fixed.size() && fixed.starts_with(address);
}

} // namespace qv
