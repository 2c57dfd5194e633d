#include "capture/Gzip.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>

namespace qv {

bool isGzip(const std::uint8_t *head, std::size_t size) {
    return size >= 2 && head[0] == 0x1F && head[1] == 0x8B;
}

std::size_t gunzippedHead(const std::string &path, std::uint8_t *head, std::size_t size) {
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in)
        return 0;
    const int n = gzread(in, head, static_cast<unsigned>(size));
    gzclose(in);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::FILE *gunzipToTemporary(const std::string &path, std::string &error, std::uint64_t limit) {
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in) {
        error = "cannot be read: " + std::string(std::strerror(errno));
        return nullptr;
    }
    std::FILE *out = std::tmpfile();
    if (!out) {
        gzclose(in);
        error = "no room for its decompressed data: " + std::string(std::strerror(errno));
        return nullptr;
    }
    static constexpr unsigned kBlock = 1 << 16;
    unsigned char block[kBlock];
    std::uint64_t total = 0;
    for (;;) {
        const int n = gzread(in, block, kBlock);
        if (n < 0) {
            int code = 0;
            const char *message = gzerror(in, &code);
            error = std::string("damaged gzip data: ") +
                    (code == Z_ERRNO ? std::strerror(errno) : message);
            break;
        }
        if (n == 0) {
            // gzread answers 0 at the end, and also when the data stops inside a member.
            int code = 0;
            const char *message = gzerror(in, &code);
            if (code != Z_OK && code != Z_STREAM_END)
                error = std::string("damaged gzip data: ") + message;
            else if (!gzeof(in))
                error = "damaged gzip data: the compressed data is cut short";
            break;
        }
        total += static_cast<unsigned>(n);
        if (total > limit) {
            error = "decompresses to more than " + std::to_string(limit >> 20) +
                    " MiB, more than a capture of a D channel can be";
            break;
        }
        if (std::fwrite(block, 1, static_cast<std::size_t>(n), out) !=
            static_cast<std::size_t>(n)) {
            error = "no room for its decompressed data: " + std::string(std::strerror(errno));
            break;
        }
    }
    gzclose(in);
    if (!error.empty() || std::fflush(out) != 0 || std::fseek(out, 0, SEEK_SET) != 0) {
        if (error.empty())
            error = "no room for its decompressed data";
        std::fclose(out);
        return nullptr;
    }
    return out;
}

} // namespace qv
