#pragma once
// quorvane-cli pdu: the notation authors' workbench.
#include "CommandLine.h"

namespace qv::cli {

void addPduCommand(Commands &commands);

} // namespace qv::cli
