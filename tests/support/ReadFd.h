#pragma once
// What a descriptor delivers: up to count bytes, waiting for each piece at most a while.
#include <cstdint>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace qv::test {

// Reads fd until count bytes came or waitMs passed without any.
inline std::vector<std::uint8_t> readFd(int fd, std::size_t count, int waitMs = 500) {
    std::vector<std::uint8_t> got;
    std::uint8_t buffer[4096];
    while (got.size() < count) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, waitMs) <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

} // namespace qv::test
