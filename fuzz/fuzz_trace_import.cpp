// The I4B and EyeSDN trace readers of the import: any bytes as a trace, read to the end, with
// every D-channel frame turned into a record.
#include <cstdint>
#include <vector>

#include "capture/TraceImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    qv::TraceRecordSource source;
    if (!source.openBytes(std::vector<std::uint8_t>(data, data + size)))
        return 0;
    qv::LvtRecord record;
    qv::CaptureDateTime time;
    while (source.next(record, time) == qv::ImportedFrames::Next::Record) {
        if (record.dataLength > qv::kMaxRecordData || record.month < 1 || record.month > 12)
            __builtin_trap();
    }
    return 0;
}
