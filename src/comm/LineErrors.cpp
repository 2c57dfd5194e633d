#include "comm/LineErrors.h"

namespace qv {

std::string describeLineErrors(unsigned errors) {
    static constexpr struct {
        unsigned flag;
        const char *text;
    } kNames[] = {{kLineBreak, "break"},
                  {kLineFraming, "framing error"},
                  {kLineParity, "parity error"},
                  {kLineOverrun, "overrun"}};
    std::string text;
    for (const auto &name : kNames) {
        if ((errors & name.flag) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += name.text;
    }
    return text;
}

} // namespace qv
