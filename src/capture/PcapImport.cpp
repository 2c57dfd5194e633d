#include "capture/PcapImport.h"

#include <pcap/pcap.h>

#include <algorithm>

#include "base/FileReplace.h"
#include "capture/CaptureWriters.h"
#include "capture/PcapFormat.h"

namespace qv {

namespace {

constexpr std::uint8_t kStatusTruncated = 3;

std::string linkTypeName(int linkType) {
    const char *name = pcap_datalink_val_to_name(linkType);
    return name ? std::string(" (") + name + ")" : std::string();
}

void setTime(LvtRecord &r, CaptureDateTime &time, std::int64_t seconds, long microseconds) {
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    civilFromDays(days, year, month, day);
    const unsigned hour = static_cast<unsigned>(rest / 3600);
    const unsigned minute = static_cast<unsigned>(rest / 60 % 60);
    const unsigned second = static_cast<unsigned>(rest % 60);
    const unsigned millisecond =
        static_cast<unsigned>(std::clamp(microseconds, 0L, 999999L) / 1000);
    r.month = static_cast<std::uint8_t>(month);
    r.setTime(day, hour, minute, second, millisecond);
    time = {static_cast<std::uint16_t>(day),    static_cast<std::uint16_t>(month),
            static_cast<std::uint16_t>(year),   static_cast<std::uint16_t>(hour),
            static_cast<std::uint16_t>(minute), static_cast<std::uint16_t>(second)};
}

} // namespace

PcapRecordSource::~PcapRecordSource() {
    if (pcap_)
        pcap_close(pcap_);
}

bool PcapRecordSource::open(const std::string &path) {
    char errors[PCAP_ERRBUF_SIZE] = {};
    pcap_ = pcap_open_offline(path.c_str(), errors);
    if (!pcap_) {
        error_ = std::string("not a pcap or pcapng file that can be read: ") + errors;
        return false;
    }
    return checkLinkType();
}

bool PcapRecordSource::open(std::FILE *stream) {
    char errors[PCAP_ERRBUF_SIZE] = {};
    pcap_ = pcap_fopen_offline(stream, errors);
    if (!pcap_) {
        std::fclose(stream);
        error_ = std::string("not a pcap or pcapng file that can be read: ") + errors;
        return false;
    }
    return checkLinkType();
}

bool PcapRecordSource::checkLinkType() {
    linkType_ = pcap_datalink(pcap_);
    if (linkType_ == static_cast<int>(kLinkTypeLinuxLapd) ||
        linkType_ == static_cast<int>(kLinkTypeLapd))
        return true;
    error_ = "link type " + std::to_string(linkType_) + linkTypeName(linkType_) +
             " is not LAPD; only LINUX_LAPD (177) and LAPD (203) captures can be imported";
    return false;
}

PcapRecordSource::Next PcapRecordSource::next(LvtRecord &r, CaptureDateTime &time) {
    if (!pcap_)
        return Next::Error;
    pcap_pkthdr *header = nullptr;
    const u_char *bytes = nullptr;
    const int answer = pcap_next_ex(pcap_, &header, &bytes);
    if (answer == PCAP_ERROR_BREAK)
        return Next::End;
    if (answer != 1) {
        error_ = "damaged after record " + std::to_string(count_) + ": " + pcap_geterr(pcap_);
        return Next::Error;
    }
    ++count_;
    std::size_t length = header->caplen;
    bool cut = header->caplen < header->len;
    if (linkType_ == static_cast<int>(kLinkTypeLinuxLapd)) {
        if (length < kLinuxLapdHeaderSize) {
            error_ = "record " + std::to_string(count_) +
                     " is shorter than its 16-byte LINUX_LAPD header";
            return Next::Error;
        }
        r.direction = linuxLapdUserToNetwork(bytes) ? 1 : 0;
        bytes += kLinuxLapdHeaderSize;
        length -= kLinuxLapdHeaderSize;
    } else {
        r.direction = directions_.userToNetwork(bytes, length) ? 1 : 0;
    }
    if (length > kMaxRecordData) {
        length = kMaxRecordData;
        cut = true;
    }
    r.blockType = 1;
    r.kind = kFrameRecord;
    r.status = cut ? kStatusTruncated : 0;
    r.dataLength = static_cast<std::uint16_t>(length);
    r.blockLength = static_cast<std::uint16_t>(length + 10);
    r.trailerLength = r.blockLength;
    std::copy(bytes, bytes + length, r.data.begin());
    std::fill(r.data.begin() + static_cast<std::ptrdiff_t>(length), r.data.end(), 0);
    setTime(r, time, header->ts.tv_sec, header->ts.tv_usec);
    return Next::Record;
}

PcapImportResult importPcap(const std::string &in, const std::string &out) {
    PcapImportResult result;
    PcapRecordSource source;
    if (!source.open(in)) {
        result.error = in + ": " + source.error();
        result.linkType = source.linkType();
        return result;
    }
    result.linkType = source.linkType();
    LvtRecord record;
    CaptureDateTime time;
    PcapRecordSource::Next next = source.next(record, time);
    if (next != PcapRecordSource::Next::Record) {
        result.error = in + ": " +
                       (next == PcapRecordSource::Next::End ? "holds no frame; nothing written"
                                                            : source.error());
        return result;
    }
    ReplacementFile replacement(out);
    if (!replacement.created()) {
        result.error = out + ": cannot be written";
        return result;
    }
    RealTimeFileDescription description;
    description.instrumentName = kImportedInstrument;
    description.start = time;
    description.end = time;
    RealTimeFileWriter writer;
    bool ok = writer.create(replacement.path(), description);
    while (ok && next == PcapRecordSource::Next::Record) {
        ok = writer.append(record);
        result.truncated += record.status == kStatusTruncated;
        description.end = time;
        next = source.next(record, time);
    }
    writer.setEnd(description.end);
    ok = writer.close() && ok;
    result.frames = writer.recordCount();
    if (next == PcapRecordSource::Next::Error) {
        result.error = in + ": " + source.error();
        return result;
    }
    if (!ok || !replacement.commit()) {
        result.error = out + ": cannot be written";
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qv
