#include "capture/TraceImport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace qv {

namespace {

constexpr std::size_t kI4bHeaderSize = 32;
constexpr std::uint32_t kI4bMaxLength = kI4bHeaderSize + 0xFFFF;
constexpr std::uint32_t kI4bDChannel = 1;
constexpr std::size_t kEyeSdnHeaderSize = 12;
constexpr std::uint8_t kEyeSdnFlag = 0xFF;
constexpr std::uint8_t kEyeSdnEscape = 0xFE;
constexpr const char kEyeSdnMagic[] = "EyeSDN";
constexpr std::size_t kEyeSdnMagicSize = 6;
// A trace is read whole; the testers' own captures stay far below this.
constexpr std::uint64_t kMaxTraceSize = 256u << 20;

std::uint32_t word(const std::uint8_t *p, bool bigEndian) {
    return bigEndian ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 |
                           std::uint32_t(p[2]) << 8 | p[3]
                     : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 |
                           std::uint32_t(p[1]) << 8 | p[0];
}

// A record header as isdn4bsd writes it: a length that holds the header, a channel type and a
// direction it knows, fewer truncated bytes than a frame can have, microseconds below a second.
bool plausibleI4bHeader(const std::uint8_t *p, bool bigEndian) {
    const std::uint32_t length = word(p, bigEndian);
    return length >= kI4bHeaderSize && length <= kI4bMaxLength && word(p + 4, bigEndian) < 256 &&
           word(p + 8, bigEndian) <= 3 && word(p + 12, bigEndian) <= 1 &&
           word(p + 16, bigEndian) <= 0xFFFF && word(p + 28, bigEndian) < 1000000;
}

} // namespace

TraceFormat traceFormatOf(const std::uint8_t *head, std::size_t size) {
    if (size >= kEyeSdnMagicSize && std::memcmp(head, kEyeSdnMagic, kEyeSdnMagicSize) == 0)
        return TraceFormat::EyeSdn;
    if (size >= kI4bHeaderSize &&
        (plausibleI4bHeader(head, false) || plausibleI4bHeader(head, true)))
        return TraceFormat::I4b;
    return TraceFormat::None;
}

bool TraceRecordSource::open(const std::string &path) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error_ = "cannot be read: " + std::string(std::strerror(errno));
        return false;
    }
    return open(file);
}

bool TraceRecordSource::open(std::FILE *file) {
    std::vector<std::uint8_t> bytes;
    // A file known to be too large is refused before anything is read; one whose size is known
    // is read into room of its size.
    struct stat st {};
    if (::fstat(::fileno(file), &st) == 0 && S_ISREG(st.st_mode)) {
        if (static_cast<std::uint64_t>(st.st_size) > kMaxTraceSize) {
            std::fclose(file);
            error_ = "is larger than 256 MiB, more than a trace of a D channel can be";
            return false;
        }
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    std::uint8_t block[1 << 16];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, file);
        bytes.insert(bytes.end(), block, block + n);
        if (bytes.size() > kMaxTraceSize) {
            std::fclose(file);
            error_ = "is larger than 256 MiB, more than a trace of a D channel can be";
            return false;
        }
        if (n < sizeof block) {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    if (!ok) {
        error_ = "cannot be read";
        return false;
    }
    return openBytes(std::move(bytes));
}

bool TraceRecordSource::openBytes(std::vector<std::uint8_t> bytes) {
    bytes_ = std::move(bytes);
    at_ = 0;
    count_ = 0;
    leftOut_ = 0;
    format_ = traceFormatOf(bytes_.data(), bytes_.size());
    switch (format_) {
    case TraceFormat::EyeSdn:
        at_ = kEyeSdnMagicSize;
        return true;
    case TraceFormat::I4b:
        bigEndian_ = !plausibleI4bHeader(bytes_.data(), false);
        return true;
    case TraceFormat::None:
        break;
    }
    error_ = "neither a pcap, pcapng, I4B nor EyeSDN capture";
    return false;
}

TraceRecordSource::Step TraceRecordSource::damaged(const char *what) {
    error_ = "damaged after record " + std::to_string(count_) + ": " + what;
    at_ = bytes_.size();
    return Step::Error;
}

ImportedFrames::Next TraceRecordSource::next(LvtRecord &record, CaptureDateTime &time) {
    for (;;) {
        if (format_ == TraceFormat::None || at_ >= bytes_.size())
            return Next::End;
        switch (format_ == TraceFormat::I4b ? stepI4b(record, time) : stepEyeSdn(record, time)) {
        case Step::Record:
            return Next::Record;
        case Step::LeftOut:
            ++leftOut_;
            break;
        case Step::End:
            return Next::End;
        case Step::Error:
            return Next::Error;
        }
    }
}

TraceRecordSource::Step TraceRecordSource::stepI4b(LvtRecord &record, CaptureDateTime &time) {
    const std::size_t left = bytes_.size() - at_;
    if (left < kI4bHeaderSize)
        return damaged("a record header is cut short");
    const std::uint8_t *h = bytes_.data() + at_;
    if (!plausibleI4bHeader(h, bigEndian_))
        return damaged("a record header makes no sense");
    const std::uint32_t length = word(h, bigEndian_);
    if (length > left)
        return damaged("a frame is cut short");
    ++count_;
    at_ += length;
    if (word(h + 8, bigEndian_) != kI4bDChannel)
        return Step::LeftOut;
    // Direction 0: the frame comes from the TE.
    makeFrameRecord(record, h + kI4bHeaderSize, length - kI4bHeaderSize,
                    word(h + 16, bigEndian_) != 0, word(h + 12, bigEndian_) == 0);
    stampRecord(record, time, static_cast<std::int32_t>(word(h + 24, bigEndian_)),
                static_cast<long>(word(h + 28, bigEndian_)));
    return Step::Record;
}

bool TraceRecordSource::unescape(std::uint8_t *out, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        if (at_ >= bytes_.size() || bytes_[at_] == kEyeSdnFlag)
            return false;
        std::uint8_t value = bytes_[at_++];
        if (value == kEyeSdnEscape) {
            if (at_ >= bytes_.size() || bytes_[at_] == kEyeSdnFlag)
                return false;
            value = static_cast<std::uint8_t>(bytes_[at_++] + 2);
        }
        out[k] = value;
    }
    return true;
}

TraceRecordSource::Step TraceRecordSource::stepEyeSdn(LvtRecord &record, CaptureDateTime &time) {
    // Anything before the next flag belongs to no record.
    while (at_ < bytes_.size() && bytes_[at_] != kEyeSdnFlag)
        ++at_;
    if (at_ >= bytes_.size())
        return Step::End;
    ++at_;
    std::uint8_t h[kEyeSdnHeaderSize];
    if (!unescape(h, sizeof h))
        return damaged("a record header is cut short");
    const std::size_t length = std::size_t(h[10]) << 8 | h[11];
    frame_.resize(length);
    if (!unescape(frame_.data(), length))
        return damaged("a frame is cut short");
    ++count_;
    const unsigned channel = h[8];
    const unsigned protocol = h[9] >> 1;
    if (channel != 0 || protocol != 0)
        return Step::LeftOut;
    const long microseconds = long(h[0]) << 16 | long(h[1]) << 8 | h[2];
    std::int64_t seconds = 0;
    for (int k = 3; k < 8; ++k)
        seconds = seconds << 8 | h[k];
    makeFrameRecord(record, frame_.data(), length, false, (h[9] & 1) != 0);
    stampRecord(record, time, seconds, microseconds);
    return Step::Record;
}

} // namespace qv
