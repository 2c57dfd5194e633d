#include "base/FileUpdate.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/BufferedFile.h"

namespace qv {

void FileUpdate::write(std::uint64_t offset, std::vector<std::uint8_t> bytes) {
    if (!bytes.empty())
        pieces_.push_back({offset, std::move(bytes)});
}

bool FileUpdate::apply(const std::string &path) {
    error_ = 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error_ = errno;
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const std::uint64_t oldLength = static_cast<std::uint64_t>(st.st_size);
    auto fail = [&] {
        if (error_ == 0)
            error_ = errno != 0 ? errno : EIO;
        return false;
    };

    // What the writes will cover of the present content.
    std::vector<Piece> kept;
    for (const Piece &p : pieces_) {
        if (p.offset >= oldLength)
            continue;
        const std::uint64_t end = std::min<std::uint64_t>(p.offset + p.bytes.size(), oldLength);
        Piece old{p.offset, std::vector<std::uint8_t>(end - p.offset)};
        if (::pread(fd, old.bytes.data(), old.bytes.size(), static_cast<off_t>(p.offset)) !=
            static_cast<ssize_t>(old.bytes.size())) {
            errno = errno != 0 ? errno : EIO;
            fail();
            ::close(fd);
            return false;
        }
        kept.push_back(std::move(old));
    }

    bool ok = true;
    // First everything beyond the present end, from the lowest offset up.
    std::vector<const Piece *> growing;
    for (const Piece &p : pieces_)
        if (p.offset + p.bytes.size() > oldLength)
            growing.push_back(&p);
    std::sort(growing.begin(), growing.end(),
              [](const Piece *a, const Piece *b) { return a->offset < b->offset; });
    for (const Piece *p : growing) {
        const std::uint64_t from = std::max(p->offset, oldLength);
        const std::size_t skip = static_cast<std::size_t>(from - p->offset);
        if (!writeAllAt(fd, p->bytes.data() + skip, p->bytes.size() - skip, from)) {
            ok = fail();
            break;
        }
    }
    // The new content must be on the disk before anything points to it.
    if (ok && !growing.empty() && ::fdatasync(fd) != 0)
        ok = fail();
    if (ok) {
        for (const Piece &p : pieces_) {
            if (p.offset >= oldLength)
                continue;
            const std::size_t n = static_cast<std::size_t>(
                std::min<std::uint64_t>(p.bytes.size(), oldLength - p.offset));
            if (!writeAllAt(fd, p.bytes.data(), n, p.offset)) {
                ok = fail();
                break;
            }
        }
    }
    if (ok && ::fdatasync(fd) != 0)
        ok = fail();
    if (!ok) {
        for (const Piece &p : kept)
            writeAllAt(fd, p.bytes.data(), p.bytes.size(), p.offset);
        if (::ftruncate(fd, static_cast<off_t>(oldLength)) == 0)
            ::fdatasync(fd);
    }
    if (::close(fd) != 0 && ok)
        ok = fail();
    return ok;
}

} // namespace qv
