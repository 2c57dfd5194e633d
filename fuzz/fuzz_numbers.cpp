// Reads arbitrary text as the numbers and hexadecimal octets a user types, and checks that what
// is accepted writes back to what was read.
#include "base/Numbers.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (const auto value = qv::parseDigits(text, 10)) {
        std::string back;
        qv::appendDecimal(back, *value);
        if (qv::parseDigits(back, 10) != value)
            std::abort();
    }
    if (const auto value = qv::parseHexNumber(text, 0x7FFF)) {
        if (*value > 0x7FFF)
            std::abort();
        std::string back;
        qv::appendHex(back, *value, 1);
        if (qv::parseHexNumber(back) != value)
            std::abort();
    }
    if (const auto octets = qv::parseHexOctets(text, " :-")) {
        std::string back;
        for (std::uint8_t octet : *octets)
            qv::appendHex(back, octet);
        if (qv::parseHexOctets(back) != octets || back.size() > text.size())
            std::abort();
        if (const auto bcd = qv::bcdDigits(octets->data(), octets->size()))
            if (bcd->size() != 2 * octets->size())
                std::abort();
    }
    return 0;
}
