#pragma once
// gzip-compressed captures of other tools (.pcap.gz, .pcapng.gz, traces), told by content as
// Wireshark tells them.
#include <cstdint>
#include <cstdio>
#include <string>

namespace qv {

// The most a compressed capture may grow to: more than any D-channel capture needs, and a bound
// on what a file built to expand without end can take of the disk.
inline constexpr std::uint64_t kMaxGunzippedSize = std::uint64_t{4} << 30;

// True when the bytes open a gzip member.
bool isGzip(const std::uint8_t *head, std::size_t size);

// The first size bytes of what path decompresses to; how many there are, 0 when the data
// cannot be read.
std::size_t gunzippedHead(const std::string &path, std::uint8_t *head, std::size_t size);

// What path decompresses to, in a temporary file that goes when it is closed, positioned at its
// start; null, with the reason in error, for damaged data or more than limit bytes.
std::FILE *gunzipToTemporary(const std::string &path, std::string &error,
                             std::uint64_t limit = kMaxGunzippedSize);

} // namespace qv
