#pragma once
// The hexadecimal trace of the decoder's current frame: per line of 16 octets the offset, the
// octets in hexadecimal padded to 48 characters, a TAB and the octets as ASCII.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class CDecoder;

std::string hexaTrace(const CDecoder &decoder, std::string_view lineEnd = "\r\n");

// Find on the hexadecimal trace.
inline constexpr const char *kMsgWrongHexValue = "Wrong hexadecimal value!";
inline constexpr const char *kMsgHexFound = "Hexa string  found !";
inline constexpr const char *kMsgAsciiFound = "ASCII string found !";
inline constexpr const char *kMsgHexNotFound = "Hexa string not found !";
inline constexpr const char *kMsgAsciiNotFound = "ASCII string not found !";

// Where pattern occurs in the octets: forward, the first place at or after from; backward, the
// last place that starts at or before from. -1 when there is none.
int findOctets(const std::uint8_t *octets, std::size_t count,
               const std::vector<std::uint8_t> &pattern, int from, bool forward);

} // namespace qv
