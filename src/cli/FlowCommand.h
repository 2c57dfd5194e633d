#pragma once
// quorvane-cli flow: the call flow diagram of one call, or of a range of frames.
#include "CommandLine.h"

namespace qv::cli {

void addFlowCommand(Commands &commands);

} // namespace qv::cli
