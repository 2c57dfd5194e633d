#pragma once
// quorvane-cli calls: the call list of a capture as text, CSV or JSON.
#include <string>
#include <vector>

namespace qv::cli {

// args: FILE [--format text|csv|json] [--home DIR] [--protocol CODE] [--v5]. The exit status:
// 0 done, 1 failed, 2 bad usage.
int calls(const std::vector<std::string> &args);

} // namespace qv::cli
