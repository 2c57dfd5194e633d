#pragma once
// The filter commands of quorvane-cli: export of the frames a filter shows to a capture of their
// own (or to pcap), and the saved filter profiles.
#include "CommandLine.h"

namespace qv::cli {

void addFilterCommands(Commands &commands);

} // namespace qv::cli
