#pragma once
#include <string>
#include <vector>

namespace qv::cli {

// export FILE --lvt OUT [filter options]: the frames the filter shows, copied to a stored
// capture; with --pcap OUT instead, written for Wireshark (ImportCommand.h). The exit statuses
// are those of ExamineCommands.h.
int exportFrames(const std::vector<std::string> &args);

// filter list|save|load|delete ...: the saved filter profiles of the installation; args start
// with the subcommand.
int filterProfiles(const std::vector<std::string> &args);

} // namespace qv::cli
