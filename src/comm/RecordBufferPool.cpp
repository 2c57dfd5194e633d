#include "comm/RecordBufferPool.h"

namespace qv {

void RecordBuffer::markRecord(std::uint16_t length) {
    bytes[0] = 1;
    bytes[1] = 0;
    bytes[2] = static_cast<std::uint8_t>(length);
    bytes[3] = static_cast<std::uint8_t>(length >> 8);
    bytes[4] = static_cast<std::uint8_t>(length);
    bytes[5] = static_cast<std::uint8_t>(length >> 8);
    bytes[kContentOffset + length] = static_cast<std::uint8_t>(length);
    bytes[kContentOffset + length + 1] = static_cast<std::uint8_t>(length >> 8);
}

RecordBufferPool::RecordBufferPool(std::size_t count) : buffers_(count) {
    free_.reserve(count);
    for (RecordBuffer &buffer : buffers_)
        free_.push_back(&buffer);
}

RecordBuffer *RecordBufferPool::take() {
    std::lock_guard lock(mutex_);
    if (free_.empty())
        return nullptr;
    RecordBuffer *buffer = free_.back();
    free_.pop_back();
    return buffer;
}

void RecordBufferPool::give(RecordBuffer *buffer) {
    if (buffer == nullptr)
        return;
    std::lock_guard lock(mutex_);
    free_.push_back(buffer);
}

std::size_t RecordBufferPool::freeCount() const {
    std::lock_guard lock(mutex_);
    return free_.size();
}

} // namespace qv
