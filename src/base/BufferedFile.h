#pragma once
// A read-only file with its own read buffer, positioned by offset. Sequential reads are served
// from a large window; the first read after a seek fetches a small one, so random positioning
// costs one short pread.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Writes all of data at offset through a plain descriptor; false on any short write.
bool writeAllAt(int fd, const std::uint8_t *data, std::size_t size, std::uint64_t offset);

class BufferedFile {
public:
    BufferedFile() = default;
    ~BufferedFile();
    BufferedFile(const BufferedFile &) = delete;
    BufferedFile &operator=(const BufferedFile &) = delete;

    bool open(const std::string &path);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // Size of the file as it is now on disk.
    std::uint64_t size() const;

    std::uint64_t tell() const { return position_; }
    void seek(std::uint64_t offset) { position_ = offset; }
    void skip(std::uint64_t count) { position_ += count; }
    // Reads up to count bytes; returns how many were read (fewer only at the end of the file).
    std::size_t read(void *out, std::size_t count);
    bool readExact(void *out, std::size_t count) { return read(out, count) == count; }
    bool readU8(std::uint8_t &value) { return readExact(&value, 1); }
    bool readU16(std::uint16_t &value);
    bool readU32(std::uint32_t &value);
    // The count bytes at the current position, read into the buffer when needed; valid until the
    // next read or peek. Null when fewer than count bytes remain or count exceeds the window.
    const std::uint8_t *peek(std::size_t count) {
        if (position_ >= bufferStart_ && position_ + count <= bufferEnd_)
            return buffer_.data() + (position_ - bufferStart_);
        return peekSlow(count);
    }
    // Forgets the buffered bytes, after the file was written through another handle.
    void invalidate() { bufferStart_ = bufferEnd_ = 0; }

private:
    bool fill(std::uint64_t offset, std::size_t wanted);
    const std::uint8_t *peekSlow(std::size_t count);

    int fd_ = -1;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0; // file offset of buffer_[0]
    std::uint64_t bufferEnd_ = 0;   // file offset one past the last buffered byte
    std::uint64_t lastFillEnd_ = ~0ull;
};

} // namespace qv
