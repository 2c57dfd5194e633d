#include "capture/PcapExport.h"

#include <cerrno>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/FileReplace.h"
#include "capture/FrameSource.h"
#include "capture/PcapFormat.h"

namespace qv {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;
constexpr std::uint32_t kPcapNgSectionHeader = 0x0A0D0D0A;
constexpr std::uint32_t kPcapNgInterface = 1;
constexpr std::uint32_t kPcapNgEnhancedPacket = 6;

void putU32(std::vector<std::uint8_t> &out, std::uint32_t v) {
    appendU32(out, v);
}

void putFileHeader(std::vector<std::uint8_t> &out, PcapFileFormat format) {
    if (format == PcapFileFormat::Pcap) {
        putU32(out, 0xA1B2C3D4);
        appendU16(out, 2);
        appendU16(out, 4);
        putU32(out, 0); // this zone's offset from UTC
        putU32(out, 0); // timestamp accuracy
        putU32(out, kPcapSnapLength);
        putU32(out, kLinkTypeLinuxLapd);
        return;
    }
    // Section header: byte-order magic, version 1.0, section length unknown, no options.
    putU32(out, kPcapNgSectionHeader);
    putU32(out, 28);
    putU32(out, 0x1A2B3C4D);
    appendU16(out, 1);
    appendU16(out, 0);
    putU32(out, 0xFFFFFFFF);
    putU32(out, 0xFFFFFFFF);
    putU32(out, 28);
    // One interface; without options its timestamps count microseconds.
    putU32(out, kPcapNgInterface);
    putU32(out, 20);
    appendU16(out, static_cast<std::uint16_t>(kLinkTypeLinuxLapd));
    appendU16(out, 0);
    putU32(out, kPcapSnapLength);
    putU32(out, 20);
}

} // namespace

PcapWriter::~PcapWriter() {
    if (file_ && !streaming_)
        std::fclose(file_);
}

// Starts a new file on out (nullptr: none could be opened) with its header waiting in the buffer.
bool PcapWriter::begin(std::FILE *out, PcapFileFormat format, bool streaming) {
    if (file_ && !streaming_)
        std::fclose(file_);
    file_ = out;
    streaming_ = streaming;
    format_ = format;
    count_ = 0;
    failure_.reset();
    buffer_.clear();
    buffer_.reserve(kFlushSize + 512);
    if (!file_)
        return false;
    putFileHeader(buffer_, format);
    return true;
}

bool PcapWriter::stream(std::FILE *out, PcapFileFormat format) {
    return begin(out, format, true) && flush() && std::fflush(file_) == 0;
}

bool PcapWriter::create(const std::string &path, PcapFileFormat format) {
    if (file_ && !streaming_)
        std::fclose(file_);
    file_ = nullptr;
    return begin(std::fopen(path.c_str(), "wb"), format, false);
}

void pcapTime(const LvtRecord &r, std::int64_t year, std::int64_t &seconds,
              std::uint32_t &microseconds) {
    // An impossible date still gets a timestamp in its month rather than a wild one.
    const unsigned month = r.month >= 1 && r.month <= 12 ? r.month : 1;
    const unsigned day = r.day() >= 1 ? r.day() : 1;
    const unsigned millisecond = r.millisecond();
    seconds = daysFromCivil(year, month, day) * 86400 + r.hour() * 3600 + r.minute() * 60 +
              r.second() + millisecond / 1000;
    microseconds = (millisecond % 1000) * 1000;
}

bool PcapWriter::append(const LvtRecord &r, std::int64_t year) {
    if (!file_ || failure_.failed())
        return false;
    std::int64_t seconds = 0;
    std::uint32_t microseconds = 0;
    pcapTime(r, year, seconds, microseconds);
    const std::uint32_t length = static_cast<std::uint32_t>(kLinuxLapdHeaderSize + r.dataLength);
    const std::size_t at = buffer_.size();
    if (format_ == PcapFileFormat::Pcap) {
        buffer_.resize(at + 16 + length);
        std::uint8_t *p = buffer_.data() + at;
        writeU32(p, static_cast<std::uint32_t>(seconds));
        writeU32(p + 4, microseconds);
        writeU32(p + 8, length);
        writeU32(p + 12, length);
        writeLinuxLapdHeader(p + 16, r.direction != 0);
        std::memcpy(p + 16 + kLinuxLapdHeaderSize, r.data.data(), r.dataLength);
    } else {
        const std::uint32_t padded = (length + 3) & ~3u;
        const std::uint32_t total = 32 + padded;
        buffer_.resize(at + total, 0);
        std::uint8_t *p = buffer_.data() + at;
        const std::uint64_t stamp = static_cast<std::uint64_t>(seconds) * 1000000u + microseconds;
        writeU32(p, kPcapNgEnhancedPacket);
        writeU32(p + 4, total);
        writeU32(p + 8, 0); // interface
        writeU32(p + 12, static_cast<std::uint32_t>(stamp >> 32));
        writeU32(p + 16, static_cast<std::uint32_t>(stamp));
        writeU32(p + 20, length);
        writeU32(p + 24, length);
        writeLinuxLapdHeader(p + 28, r.direction != 0);
        std::memcpy(p + 28 + kLinuxLapdHeaderSize, r.data.data(), r.dataLength);
        std::memset(p + 28 + length, 0, padded - length);
        writeU32(p + 28 + padded, total);
    }
    ++count_;
    if (streaming_) // a reader waits for each frame
        return flush() && (std::fflush(file_) == 0 || (failure_.fail(), false));
    return buffer_.size() < kFlushSize || flush();
}

bool PcapWriter::flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        failure_.fail();
    buffer_.clear();
    return !failure_.failed();
}

bool PcapWriter::close() {
    if (!file_)
        return false;
    flush();
    if (streaming_ ? std::fflush(file_) != 0 : std::fclose(file_) != 0)
        failure_.fail();
    file_ = nullptr;
    streaming_ = false;
    return !failure_.failed();
}

PcapExportResult exportPcap(FrameSource &source, bool shownOnly, const std::string &path,
                            const WorkProgress &progress) {
    PcapExportResult result;
    if (!source.open()) {
        result.error = path + ": the capture cannot be read";
        return result;
    }
    DecodableObject &decodable = source.capture();
    ReplacementFile replacement(path);
    if (!replacement.created()) {
        result.error = notWritten(path, replacement.error());
        return result;
    }
    PcapWriter writer;
    bool ok = writer.create(replacement.path(),
                            isPcapNgName(path) ? PcapFileFormat::PcapNg : PcapFileFormat::Pcap);
    CaptureFileReader &reader = *decodable.reader();
    // Records carry their month only: the year runs on from the capture's start the way the
    // summary's date column counts it.
    std::int64_t year = decodable.captureStartYear();
    unsigned previousMonth = decodable.captureStartMonth();
    const auto copy = [&](std::uint32_t n) {
        if (reader.goTo(n) != kGoToOk) {
            ++result.unreadable;
            return true;
        }
        const LvtRecord &r = reader.recordBuffer();
        if (r.month == 1 && previousMonth == 12)
            ++year;
        else if (r.month == 12 && previousMonth == 1)
            --year;
        previousMonth = r.month;
        if (r.kind != kFrameRecord) {
            ++result.layer1Events;
            return true;
        }
        if (r.status != 0) {
            ++result.badFrames;
            return true;
        }
        return writer.append(r, year);
    };
    const FrameSource::CopyEnd end =
        ok ? source.copyShown(copy, progress, shownOnly) : FrameSource::CopyEnd::Failed;
    if ((result.cancelled = end == FrameSource::CopyEnd::Stopped)) {
        result.error = path + kExportStopped;
        return result;
    }
    ok = end == FrameSource::CopyEnd::Complete;
    result.frames = writer.count();
    ok = writer.close() && ok;
    if (ok && result.frames == 0) {
        result.error = path + ": no frame to export; nothing written";
        return result;
    }
    if (!ok || !replacement.commit()) {
        result.error = notWritten(path, ok ? replacement.error() : writer.error());
        return result;
    }
    result.ok = true;
    return result;
}

std::string exportSummaryText(const PcapExportResult &result) {
    std::string text = std::to_string(result.frames) + " frames written";
    std::string left;
    const auto part = [&](std::uint32_t n, const char *what) {
        if (n == 0)
            return;
        left += left.empty() ? "; " : " and ";
        left += std::to_string(n) + " " + what;
    };
    part(result.layer1Events, "layer-1 events");
    part(result.badFrames, "frames with a bad status");
    part(result.unreadable, "unreadable records");
    if (!left.empty())
        text += left + " left out";
    return text;
}

} // namespace qv
