#pragma once
// quorvane-cli stats: the statistics tables of the whole capture.
#include "CommandLine.h"

namespace qv::cli {

void addStatsCommand(Commands &commands);

} // namespace qv::cli
