#pragma once
// A folder of the test's own under the temporary directory, removed with all it holds.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace qv::test {

class TempDir {
public:
    explicit TempDir(const std::string &tail = {}) {
        static int counter = 0;
        root_ = std::filesystem::temp_directory_path() /
                ("qv-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        path_ = tail.empty() ? root_ : root_ / tail;
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string &name) const { return (path_ / name).string(); }

    // Writes the file byte for byte and answers its path.
    std::string write(const std::string &name, std::string_view bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file(name);
    }
    std::string read(const std::string &name) const { return readBytes(file(name)); }

    static std::string readBytes(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path root_, path_;
};

} // namespace qv::test
