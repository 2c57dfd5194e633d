#pragma once
// The hexadecimal trace of the decoder's current frame: per line of 16 octets the offset, the
// octets in hexadecimal padded to 48 characters, a TAB and the octets as ASCII.
#include <string>
#include <string_view>

namespace qv {

class CDecoder;

std::string hexaTrace(const CDecoder& decoder, std::string_view lineEnd = "\r\n");

} // namespace qv
