#pragma once
// A folder of this fuzzing process under the temporary directory. libFuzzer ends a run with
// _Exit, and a fault ends it at once, so no exit handler can be counted on: each process removes
// the folders of fuzzing processes that are gone when it makes its own, and its own at a normal
// exit.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qv::fuzz {

inline const std::filesystem::path &scratchFolder() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        std::error_code ignored;
        for (const auto &entry : std::filesystem::directory_iterator(temp, ignored)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("qv-fuzz-", 0) != 0)
                continue;
            char *end = nullptr;
            const long pid = std::strtol(name.c_str() + 8, &end, 10);
            if (pid > 0 && *end == '\0' && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
                errno == ESRCH)
                std::filesystem::remove_all(entry.path(), ignored);
        }
        auto p = temp / ("qv-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return p;
    }();
    return path;
}

} // namespace qv::fuzz
