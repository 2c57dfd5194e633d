#include "comm/CaptureSaving.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int kHighestNumber = 9999;
constexpr std::size_t kCopyPiece = 10240;

std::string numbered(int n) {
    char name[32];
    std::snprintf(name, sizeof name,
                  n < 100    ? "r%02d.lvt"
                  : n < 1000 ? "r%03d.lvt"
                             : "r%04d.lvt",
                  n);
    return name;
}

} // namespace

std::string nextCaptureName(const std::string &folder) {
    std::error_code error;
    for (int n = 0; n <= kHighestNumber; ++n) {
        const std::string name = numbered(n);
        if (!fs::exists(fs::path(folder) / name, error))
            return name;
    }
    return "r" + std::to_string(kHighestNumber + 1) + ".lvt";
}

bool saveCaptureAs(const std::string &from, const std::string &to, std::string &error) {
    std::error_code ec;
    if (fs::equivalent(from, to, ec))
        return true;
    fs::rename(from, to, ec);
    if (!ec)
        return true;
    if (ec != std::errc::cross_device_link) {
        error = to + ": " + ec.message();
        return false;
    }
    // Another file system: copied in pieces beside the target, then put in its place.
    const std::string temporary = to + ".part";
    {
        std::ifstream in(from, std::ios::binary);
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!in || !out) {
            error = (!in ? from : temporary) + ": " + std::strerror(errno);
            fs::remove(temporary, ec);
            return false;
        }
        std::vector<char> piece(kCopyPiece);
        while (in) {
            in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
            out.write(piece.data(), in.gcount());
        }
        out.flush();
        if (!out || in.bad()) {
            error = temporary + ": the copy failed (" + std::strerror(errno) + ")";
            out.close();
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, to, ec);
    if (ec) {
        error = to + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    fs::remove(from, ec);
    return true;
}

} // namespace qv
