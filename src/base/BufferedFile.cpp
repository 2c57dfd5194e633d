#include "base/BufferedFile.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/ByteOrder.h"

namespace qv {

namespace {
constexpr std::size_t kRandomWindow = 4096;
constexpr std::size_t kSequentialWindow = 256 * 1024;
} // namespace

bool writeAllAt(int fd, const std::uint8_t *data, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

BufferedFile::~BufferedFile() {
    close();
}

bool BufferedFile::open(const std::string &path) {
    close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        close();
        return false;
    }
    buffer_.resize(kSequentialWindow);
    position_ = 0;
    invalidate();
    lastFillEnd_ = ~0ull;
    return true;
}

void BufferedFile::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    invalidate();
}

std::uint64_t BufferedFile::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool BufferedFile::fill(std::uint64_t offset, std::size_t wanted) {
    // A read that continues the previous one, or starts a little past its end (a walk that
    // skipped the tail of a block), is sequential: take a big window.
    const bool sequential =
        lastFillEnd_ != ~0ull && offset >= lastFillEnd_ && offset - lastFillEnd_ <= kRandomWindow;
    std::size_t window = sequential ? kSequentialWindow : kRandomWindow;
    if (window < wanted)
        window = std::min(wanted, kSequentialWindow);
    ssize_t got = ::pread(fd_, buffer_.data(), window, static_cast<off_t>(offset));
    if (got <= 0) {
        invalidate();
        return false;
    }
    bufferStart_ = offset;
    bufferEnd_ = offset + static_cast<std::uint64_t>(got);
    lastFillEnd_ = bufferEnd_;
    return true;
}

const std::uint8_t *BufferedFile::peekSlow(std::size_t count) {
    if (fd_ < 0 || count > kSequentialWindow || !fill(position_, count))
        return nullptr;
    if (position_ + count > bufferEnd_)
        return nullptr;
    return buffer_.data() + (position_ - bufferStart_);
}

std::size_t BufferedFile::read(void *out, std::size_t count) {
    if (fd_ < 0)
        return 0;
    auto *dst = static_cast<std::uint8_t *>(out);
    std::size_t done = 0;
    while (done < count) {
        if (position_ < bufferStart_ || position_ >= bufferEnd_) {
            if (count - done >= kSequentialWindow) {
                ssize_t got = ::pread(fd_, dst + done, count - done, static_cast<off_t>(position_));
                if (got <= 0)
                    break;
                done += static_cast<std::size_t>(got);
                position_ += static_cast<std::uint64_t>(got);
                continue;
            }
            if (!fill(position_, count - done))
                break;
        }
        std::size_t available = static_cast<std::size_t>(bufferEnd_ - position_);
        std::size_t take = std::min(available, count - done);
        std::memcpy(dst + done, buffer_.data() + (position_ - bufferStart_), take);
        done += take;
        position_ += take;
    }
    return done;
}

bool BufferedFile::readU16(std::uint16_t &value) {
    std::uint8_t b[2];
    if (!readExact(b, 2))
        return false;
    value = qv::readU16(b);
    return true;
}

bool BufferedFile::readU32(std::uint32_t &value) {
    std::uint8_t b[4];
    if (!readExact(b, 4))
        return false;
    value = qv::readU32(b);
    return true;
}

} // namespace qv
