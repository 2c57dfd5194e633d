#include "base/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace fs = std::filesystem;

namespace {

// Flushes a file or folder to the disk; false with errno set when that fails.
bool syncPath(const std::string &path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

} // namespace

ReplacementFile::ReplacementFile(const std::string &target) : target_(target) {
    // A link is followed, so that the file it names gets the content and the link stays.
    std::error_code ec;
    if (fs::is_symlink(target_, ec)) {
        const fs::path named = fs::canonical(target_, ec);
        if (!ec)
            target_ = named.string();
    }
    const fs::path to(target_);
    fs::path folder = to.parent_path();
    if (folder.empty())
        folder = ".";
    std::string name = (folder / ("." + to.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error_ = errno;
        return;
    }
    ::close(fd);
    path_ = std::move(name);
}

ReplacementFile::~ReplacementFile() {
    discard();
}

bool ReplacementFile::commit() {
    if (path_.empty())
        return false;
    struct stat existing {};
    mode_t mode;
    if (::stat(target_.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
        // Only a privileged user can give a file away; others keep it as their own.
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            (void)!::chown(path_.c_str(), existing.st_uid, existing.st_gid);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::chmod(path_.c_str(), mode) == 0 && syncPath(path_, O_RDONLY) &&
              ::rename(path_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        error_ = errno;
        discard();
        return false;
    }
    path_.clear();
    // The rename itself is durable once the folder is.
    const fs::path folder = fs::path(target_).parent_path();
    syncPath(folder.empty() ? std::string(".") : folder.string(), O_RDONLY | O_DIRECTORY);
    return true;
}

void ReplacementFile::discard() {
    if (path_.empty())
        return;
    std::error_code ec;
    fs::remove(path_, ec);
    path_.clear();
}

int writeReplacing(const std::string &target,
                   const std::function<bool(const std::string &path)> &write) {
    ReplacementFile replacement(target);
    if (!replacement.created())
        return replacement.error() != 0 ? replacement.error() : EIO;
    errno = 0;
    if (!write(replacement.path()))
        return errno != 0 ? errno : EIO;
    return replacement.commit() ? 0 : replacement.error();
}

std::string notWritten(const std::string &path, int error) {
    std::string text = path + ": cannot be written";
    if (error != 0)
        text += std::string(": ") + std::strerror(error);
    return text;
}

FileReplaceResult replaceFile(const std::string &path, std::string_view content) {
    ReplacementFile replacement(path);
    if (!replacement.created()) {
        errno = replacement.error();
        return FileReplaceResult::NotCreated;
    }
    std::FILE *f = std::fopen(replacement.path().c_str(), "wb");
    if (!f)
        return FileReplaceResult::NotCreated;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    int error = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && replacement.commit())
        return FileReplaceResult::Done;
    errno = ok ? replacement.error() : error;
    return FileReplaceResult::WriteFailed;
}

} // namespace qv
