#include "base/FileReplace.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace fs = std::filesystem;

ReplacementFile::ReplacementFile(const std::string &target) : target_(target) {
    const fs::path to(target);
    fs::path folder = to.parent_path();
    if (folder.empty())
        folder = ".";
    std::string name = (folder / ("." + to.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return;
    ::close(fd);
    path_ = std::move(name);
}

ReplacementFile::~ReplacementFile() {
    discard();
}

bool ReplacementFile::commit() {
    if (path_.empty())
        return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    std::error_code ec;
    fs::permissions(path_, static_cast<fs::perms>(0666 & ~mask), ec);
    fs::rename(path_, target_, ec);
    if (ec) {
        discard();
        return false;
    }
    path_.clear();
    return true;
}

void ReplacementFile::discard() {
    if (path_.empty())
        return;
    std::error_code ec;
    fs::remove(path_, ec);
    path_.clear();
}

FileReplaceResult replaceFile(const std::string &path, std::string_view content) {
    ReplacementFile replacement(path);
    if (!replacement.created())
        return FileReplaceResult::NotCreated;
    std::FILE *f = std::fopen(replacement.path().c_str(), "wb");
    if (!f)
        return FileReplaceResult::NotCreated;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = std::fclose(f) == 0 && ok;
    return ok && replacement.commit() ? FileReplaceResult::Done : FileReplaceResult::WriteFailed;
}

} // namespace qv
