#pragma once
// The text of one summary cell as every summary shows it: the decoder's column text, except the
// "Number" column, which counts frames from 1.
#include <cstdint>
#include <string>

#include "base/Numbers.h"
#include "decode/CDecoder.h"
#include "decode/SummaryColumn.h"

namespace qv {

inline void summaryCellText(CDecoder &decoder, int column, std::uint32_t index, std::string &out,
                            bool longForm = false) {
    if (column == columnNumber(SummaryColumn::Number))
        assignDecimal(out, index + 1);
    else
        decoder.columnText(column, out, longForm);
}

} // namespace qv
