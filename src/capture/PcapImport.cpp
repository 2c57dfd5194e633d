#include "capture/PcapImport.h"

#include <pcap/pcap.h>

#include <cstdio>

#include "base/FileReplace.h"
#include "capture/CaptureWriters.h"
#include "capture/Gzip.h"
#include "capture/PcapFormat.h"
#include "capture/TraceImport.h"

namespace qv {

namespace {

std::string linkTypeName(int linkType) {
    const char *name = pcap_datalink_val_to_name(linkType);
    return name ? std::string(" (") + name + ")" : std::string();
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
    bool userToNetwork = false;
    if (linkType_ == static_cast<int>(kLinkTypeLinuxLapd)) {
        if (length < kLinuxLapdHeaderSize) {
            error_ = "record " + std::to_string(count_) +
                     " is shorter than its 16-byte LINUX_LAPD header";
            return Next::Error;
        }
        userToNetwork = linuxLapdUserToNetwork(bytes);
        bytes += kLinuxLapdHeaderSize;
        length -= kLinuxLapdHeaderSize;
    } else {
        userToNetwork = directions_.userToNetwork(bytes, length);
    }
    makeFrameRecord(r, bytes, length, header->caplen < header->len, userToNetwork);
    // A capture counts seconds from 1970 unsigned, which libpcap hands on as a signed 32-bit
    // number: a time after January 2038 would come back as one before 1970.
    std::int64_t seconds = header->ts.tv_sec;
    if (seconds < 0)
        seconds += std::int64_t(1) << 32;
    stampRecord(r, time, seconds, header->ts.tv_usec);
    return Next::Record;
}

ImportResult importCapture(const std::string &in, const std::string &out) {
    ImportResult result;
    std::uint8_t head[32] = {};
    std::size_t headSize = 0;
    if (std::FILE *file = std::fopen(in.c_str(), "rb")) {
        headSize = std::fread(head, 1, sizeof head, file);
        std::fclose(file);
    }
    // A gzip-compressed capture is read from its decompressed copy.
    std::FILE *gunzipped = nullptr;
    if (isGzip(head, headSize)) {
        std::string error;
        gunzipped = gunzipToTemporary(in, error);
        if (!gunzipped) {
            result.error = in + ": " + error;
            return result;
        }
        headSize = std::fread(head, 1, sizeof head, gunzipped);
        std::rewind(gunzipped);
    }
    PcapRecordSource pcapSource;
    TraceRecordSource traceSource;
    ImportedFrames *source = &pcapSource;
    if (!isPcapMagic(head, headSize) && traceFormatOf(head, headSize) != TraceFormat::None) {
        source = &traceSource;
        if (!(gunzipped ? traceSource.open(gunzipped) : traceSource.open(in))) {
            result.error = in + ": " + traceSource.error();
            return result;
        }
    } else if (!(gunzipped ? pcapSource.open(gunzipped) : pcapSource.open(in))) {
        result.error = in + ": " + pcapSource.error();
        result.linkType = pcapSource.linkType();
        return result;
    }
    result.linkType = source == &pcapSource ? pcapSource.linkType() : -1;
    LvtRecord record;
    CaptureDateTime time;
    ImportedFrames::Next next = source->next(record, time);
    if (next != ImportedFrames::Next::Record) {
        result.leftOut = source->leftOut();
        if (next == ImportedFrames::Next::Error)
            result.error = in + ": " + source->error();
        else if (result.leftOut)
            result.error = in + ": holds no D-channel LAPD frame (" +
                           std::to_string(result.leftOut) +
                           " records of B channels, events or other protocols); nothing written";
        else
            result.error = in + ": holds no frame; nothing written";
        return result;
    }
    ReplacementFile replacement(out);
    if (!replacement.created()) {
        result.error = notWritten(out, replacement.error());
        return result;
    }
    RealTimeFileDescription description;
    description.instrumentName = kImportedInstrument;
    description.start = time;
    description.end = time;
    RealTimeFileWriter writer;
    bool ok = writer.create(replacement.path(), description);
    while (ok && next == ImportedFrames::Next::Record) {
        ok = writer.append(record);
        result.truncated += record.status == kStatusTruncated;
        description.end = time;
        next = source->next(record, time);
    }
    writer.setEnd(description.end);
    ok = writer.close() && ok;
    result.frames = writer.recordCount();
    result.leftOut = source->leftOut();
    // What came before the damage is imported, as Wireshark shows it; the damage is reported.
    if (next == ImportedFrames::Next::Error)
        result.damage = in + ": " + source->error();
    if (!ok || !replacement.commit()) {
        result.error = notWritten(out, ok ? replacement.error() : writer.error());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qv
