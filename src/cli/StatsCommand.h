#pragma once
#include <string>
#include <vector>

namespace qv::cli {

// quorvane-cli stats FILE [--format text|json]: the statistics tables of the whole capture.
int stats(const std::vector<std::string> &args);

} // namespace qv::cli
