#pragma once
// Any bit rate on a Linux terminal, the non-standard ones (56000, 128000, 256000) included: the
// kernel's termios2 takes the rate as a number. Kept apart because its header and <termios.h>
// cannot be included together.
#include <cstdint>
#include <optional>

namespace qv {

// Sets both directions of fd to baud; false with errno set when the driver refuses.
bool setLineRate(int fd, std::uint32_t baud);
// The output rate fd runs at, as the driver reports it.
std::optional<std::uint32_t> lineRate(int fd);

} // namespace qv
