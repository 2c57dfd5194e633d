#pragma once
// The serial-port commands of quorvane-cli: the ports of this machine, and simulated
// instruments to try the program with when none is at hand.
#include "CommandLine.h"

namespace qv::cli {

void addSerialCommands(Commands &commands);

} // namespace qv::cli
