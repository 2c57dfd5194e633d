#pragma once
// The Examine commands of quorvane-cli: the frame summary, the detail of frames and the search
// over frames.
#include "CommandLine.h"

namespace qv::cli {

void addExamineCommands(Commands &commands);

} // namespace qv::cli
