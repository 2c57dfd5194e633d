// Reads arbitrary bytes as a terminal's marked input: the data found must not depend on where
// the reads were cut, and data escaped as the driver escapes it must come back unchanged.
#include "comm/ParmrkDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t cut = data[0] % size;
    const std::span<const std::uint8_t> raw(data + 1, size - 1);

    qv::ParmrkDecoder whole;
    std::vector<std::uint8_t> once;
    const unsigned errors = whole.feed(raw, once);
    qv::ParmrkDecoder split;
    std::vector<std::uint8_t> twice;
    unsigned splitErrors = split.feed(raw.first(std::min(cut, raw.size())), twice);
    splitErrors |= split.feed(raw.subspan(std::min(cut, raw.size())), twice);
    if (once != twice || errors != splitErrors || whole.midMark() != split.midMark())
        std::abort();
    if (once.size() > raw.size())
        std::abort();

    // The input as data, escaped the driver's way, with a break after it.
    std::vector<std::uint8_t> marked;
    for (const std::uint8_t byte : raw) {
        marked.push_back(byte);
        if (byte == 0xFF)
            marked.push_back(0xFF);
    }
    marked.insert(marked.end(), {0xFF, 0x00, 0x00});
    qv::ParmrkDecoder decoder;
    std::vector<std::uint8_t> back;
    if (decoder.feed(marked, back) != qv::kLineBreak || decoder.midMark())
        std::abort();
    if (back != std::vector<std::uint8_t>(raw.begin(), raw.end()))
        std::abort();
    return 0;
}
