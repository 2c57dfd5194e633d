#pragma once
// Runs quorvane-cli as a user would and keeps what it printed.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace qv::test {

struct CliRun {
    int code;
    std::string out; // stdout and stderr together
};

inline CliRun cli(const std::string& args) {
    const std::string command = std::string(QUORVANE_CLI_PATH) + " " + args + " 2>&1";
    CliRun run{-1, {}};
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(p);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace qv::test
