// The pcap and pcapng reader of the import: any bytes as a capture file, read to the end, with
// every frame turned into a record.
#include <cstdint>
#include <cstdio>

#include "capture/PcapImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // An in-memory stream: libpcap reads it as it would read the file.
    std::FILE *stream = fmemopen(const_cast<std::uint8_t *>(data), size, "rb");
    if (!stream)
        return 0;
    qv::PcapRecordSource source;
    if (!source.open(stream))
        return 0;
    qv::LvtRecord record;
    qv::CaptureDateTime time;
    while (source.next(record, time) == qv::PcapRecordSource::Next::Record) {
        if (record.dataLength > qv::kMaxRecordData)
            __builtin_trap();
    }
    return 0;
}
