#pragma once
// quorvane-cli calls: the call list of a capture.
#include "CommandLine.h"

namespace qv::cli {

void addCallsCommand(Commands &commands);

} // namespace qv::cli
