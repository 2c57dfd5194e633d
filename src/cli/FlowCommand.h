#pragma once
// quorvane-cli flow: the call flow diagram of one call, or of a range of frames, as SVG.
#include <string>
#include <vector>

namespace qv::cli {

// args: FILE (--call N | --frames A-B) [--layer2] --svg OUT [--home DIR] [--protocol CODE]
// [--v5]. The exit status: 0 done, 1 failed, 2 bad usage, kRefused for a refused value.
int flow(const std::vector<std::string> &args);

} // namespace qv::cli
