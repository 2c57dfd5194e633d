#pragma once
#include <string>
#include <vector>

namespace qv::cli {

// quorvane-cli expert FILE [--format text|csv|json] [--severity note|warning|error]: the
// layer-2 link analysis of the whole capture, one warning a line, in frame order.
int expert(const std::vector<std::string> &args);

} // namespace qv::cli
