#pragma once
#include <string>
#include <vector>

namespace qv::cli {

// Each takes the arguments after the command name (the capture file first) and returns the
// exit status: 0 done, 1 failed, 2 bad usage, or kRefused (CliEnvironment.h) when a value was
// refused with its own message.
int summary(const std::vector<std::string> &args);
int detail(const std::vector<std::string> &args);
int find(const std::vector<std::string> &args);

} // namespace qv::cli
