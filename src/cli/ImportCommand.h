#pragma once
#include <string>
#include <vector>

namespace qv::cli {

class FilterOptions;

// import IN.pcap --lvt OUT: a pcap or pcapng capture of LAPD frames written as a real-time
// capture. The exit statuses are those of ExamineCommands.h.
int importCapture(const std::vector<std::string> &args);

// export FILE --pcap OUT [filter options]: the frames the filter shows (every frame without
// one) written as pcap, or pcapng when OUT ends in ".pcapng".
int exportPcap(const std::string &path, const std::string &out,
               const std::vector<std::string> &args, const FilterOptions &filterOptions);

} // namespace qv::cli
