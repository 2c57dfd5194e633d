#pragma once
// The exchange with Wireshark: captures of other tools imported, ours exported for them.
#include <string>

#include "CommandLine.h"

namespace qv::cli {

class FilterOptions;

void addImportCommand(Commands &commands);
// export FILE --pcap OUT [filter options]: the frames the filter shows (every frame without
// one) written as pcap, or pcapng when OUT ends in ".pcapng".
int exportPcap(const std::string &path, const std::string &out,
               const EnvironmentOptions &environment, const FilterOptions &filterOptions);

} // namespace qv::cli
