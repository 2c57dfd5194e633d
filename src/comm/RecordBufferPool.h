#pragma once
// The buffers a real-time capture's records travel in: taken by the link when a frame begins,
// filled in place as its bytes arrive, handed on to the consumer, shown, and given back. All
// are made when the capture starts; none is made per frame.
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace qv {

// One record as the link received it. Read from offset 0 it is a record block (type 1, length
// L, content, L); written from offset 3 for L + 5 bytes it is the block of a capture file.
struct RecordBuffer {
    static constexpr std::size_t kSize = 308;
    static constexpr std::size_t kContentOffset = 6;
    // The longest content a frame may bring (the check byte is received into the buffer too).
    static constexpr std::size_t kMaxReceived = kSize - kContentOffset;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint16_t length() const { return static_cast<std::uint16_t>(bytes[4] | (bytes[5] << 8)); }
    const std::uint8_t *content() const { return bytes.data() + kContentOffset; }
    // Marks the first length bytes received as a record: block type 1, L in front and behind.
    void markRecord(std::uint16_t length);
};

class RecordBufferPool {
public:
    static constexpr std::size_t kDefaultCount = 1000;

    explicit RecordBufferPool(std::size_t count = kDefaultCount);
    RecordBufferPool(const RecordBufferPool &) = delete;
    RecordBufferPool &operator=(const RecordBufferPool &) = delete;

    // A free buffer, or nullptr when all are in use.
    RecordBuffer *take();
    void give(RecordBuffer *buffer);
    std::size_t count() const { return buffers_.size(); }
    std::size_t freeCount() const;

private:
    std::vector<RecordBuffer> buffers_;
    mutable std::mutex mutex_;
    std::vector<RecordBuffer *> free_;
};

// Where the link hands the records it accepted, in order.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void deliver(RecordBuffer *buffer) = 0;
};

} // namespace qv
