// Reads arbitrary text as a filter bar's line: a line that is read writes back to a line that
// reads as the same filter, and adding a term to any line never fails.
#include "filters/FilterLine.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const qv::FilterLineResult result = qv::parseFilterLine(text, nullptr);
    if (result.criteria) {
        const std::string line = qv::filterLine(*result.criteria);
        const qv::FilterLineResult again = qv::parseFilterLine(line, nullptr);
        if (!again.criteria || qv::filterLine(*again.criteria) != line)
            std::abort();
    } else if (result.error.term.size() > size) {
        std::abort();
    }
    (void)qv::withFilterTerm(text, "tei=64");
    return 0;
}
