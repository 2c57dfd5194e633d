#pragma once
// The address patterns of call tracking: "*" at the start stands for any leading digits, "*" at
// the end for any trailing digits; any other pattern names one address exactly.
#include <string_view>

namespace qv {

// True when address satisfies pattern. An empty pattern or address never matches, nor does an
// address with fewer digits than the pattern holds besides its "*": the "*" itself may stand
// for no digit at all, so "*123" matches "123".
bool addressMatches(std::string_view pattern, std::string_view address);

// True when address, or address followed by more digits, could satisfy pattern: the question
// while the digits of an overlap-sent number are still coming.
bool addressMayMatch(std::string_view pattern, std::string_view address);

} // namespace qv
