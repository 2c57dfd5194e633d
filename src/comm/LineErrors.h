#pragma once
// The errors a serial line reports beside its bytes.
#include <cstdint>
#include <string>

namespace qv {

// Flags, combined with |: what the line saw since the errors were last fetched.
enum LineError : unsigned {
    kLineBreak = 1u << 0,   // the line was held at space longer than a character
    kLineFraming = 1u << 1, // a character had no valid stop bit
    kLineParity = 1u << 2,  // a character failed its parity check
    kLineOverrun = 1u << 3, // a character was lost: the next arrived before it was taken
};

// "break, framing error" and so on, for logs and messages; empty for none.
std::string describeLineErrors(unsigned errors);

} // namespace qv
