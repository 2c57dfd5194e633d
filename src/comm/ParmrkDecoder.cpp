#include "comm/ParmrkDecoder.h"

namespace qv {

unsigned ParmrkDecoder::feed(std::span<const std::uint8_t> raw, std::vector<std::uint8_t> &out,
                             unsigned charError) {
    unsigned errors = 0;
    for (const std::uint8_t byte : raw) {
        switch (state_) {
        case State::Data:
            if (byte == 0xFF)
                state_ = State::AfterFf;
            else
                out.push_back(byte);
            break;
        case State::AfterFf:
            if (byte == 0xFF) {
                out.push_back(0xFF);
                state_ = State::Data;
            } else if (byte == 0x00) {
                state_ = State::AfterFf00;
            } else {
                // Not a mark the driver makes: the FF was data after all.
                out.push_back(0xFF);
                out.push_back(byte);
                state_ = State::Data;
            }
            break;
        case State::AfterFf00:
            if (byte == 0x00) {
                errors |= kLineBreak;
            } else {
                errors |= charError;
                out.push_back(byte);
            }
            state_ = State::Data;
            break;
        }
    }
    return errors;
}

} // namespace qv
