#pragma once
// A folder of this fuzzing process under the temporary directory, removed when the process ends.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qv::fuzz {

inline const std::filesystem::path &scratchFolder() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / ("qv-fuzz-" + std::to_string(::getpid()));
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
