#pragma once
// The side of a port a running link writes to: the serial port itself, or a test's fake.
#include <cstdint>
#include <span>

namespace qv {

class LinkPort {
public:
    virtual ~LinkPort() = default;
    // Writes every byte; false when the write failed or did not complete in time.
    virtual bool send(std::span<const std::uint8_t> bytes) = 0;
    virtual void purgeInput() = 0;
    virtual void purgeOutput() = 0;
    virtual void setDtrLine(bool on) = 0;
};

} // namespace qv
