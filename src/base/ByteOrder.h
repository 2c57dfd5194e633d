#pragma once
// Little-endian reads and writes of fixed layouts: files and the serial wire are little-endian
// whatever the host is, so fields are always assembled byte by byte.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

inline std::uint16_t readU16(const std::uint8_t *p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t readU32(const std::uint8_t *p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void writeU16(std::uint8_t *p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void writeU32(std::uint8_t *p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void appendU8(std::vector<std::uint8_t> &out, std::uint8_t v) {
    out.push_back(v);
}
inline void appendU16(std::vector<std::uint8_t> &out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void appendU32(std::vector<std::uint8_t> &out, std::uint32_t v) {
    appendU16(out, static_cast<std::uint16_t>(v));
    appendU16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace qv
