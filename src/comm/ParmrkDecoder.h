#pragma once
// The input of a terminal whose driver marks line errors in the byte stream (PARMRK): a data
// byte 0xFF arrives doubled, a break as FF 00 00 and a character received with a framing or
// parity error as FF 00 c. The decoder gives the data bytes back as they were sent and the
// errors beside them; a mark split between two reads is completed by the next.
#include "comm/LineErrors.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qv {

class ParmrkDecoder {
public:
    // Appends the data bytes of raw to out and returns the errors marked in it. A character
    // received in error stays in the data (the protocol's own check will refuse it); a break
    // carries none. charError is what a character mark stands for, since the driver marks
    // framing and parity errors alike.
    unsigned feed(std::span<const std::uint8_t> raw, std::vector<std::uint8_t> &out,
                  unsigned charError = kLineFraming);
    // Forgets a mark begun in earlier input (after the input was purged).
    void reset() { state_ = State::Data; }
    // True while a mark begun at the end of the last input is waiting for its end.
    bool midMark() const { return state_ != State::Data; }

private:
    enum class State { Data, AfterFf, AfterFf00 };
    State state_ = State::Data;
};

} // namespace qv
