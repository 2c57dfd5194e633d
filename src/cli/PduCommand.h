#pragma once
#include <string>
#include <vector>

namespace qv::cli {

// pdu --notation DIR --list FILE.LST [--table N] [--start-value V] [--raw] HEX; exit status 0,
// 1 when the List File cannot be opened, 2 for bad usage.
int pdu(const std::vector<std::string> &args);

} // namespace qv::cli
