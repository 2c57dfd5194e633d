// Decodes arbitrary records: the first octets choose the record's kind, status and direction,
// the rest is the frame. Every column, the detail, the hexa trace, the category and the
// real-time entry run on each.
#include <cstdint>
#include <string>

#include "DecoderFuzzSupport.h"
#include "base/UserMessages.h"
#include "decode/CISDN.h"
#include "decode/HexaTrace.h"

namespace {

using qv::fuzz::OneRecordHost;

constexpr std::uint8_t kKinds[] = {qv::kLayer1Event, qv::kFrameRecord, qv::kFrameRecord,
                                   qv::kFrameRecord, qv::kOverflowMark, qv::kOverflowMarkAlt,
                                   7, qv::kFrameRecord};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    OneRecordHost host;
    qv::LvtRecord& r = host.record;
    r.kind = kKinds[data[0] & 7];
    r.status = (data[0] & 0x08) ? data[1] : 0;
    r.direction = data[0] & 0x10;
    r.month = static_cast<std::uint8_t>(data[1] % 14);
    host.language = (data[0] >> 5) & 1;
    r.timeHigh = static_cast<std::uint16_t>(data[2] * 257);
    r.timeLow = static_cast<std::uint16_t>(data[1] * 263);
    const std::size_t length = std::min<std::size_t>(size - 3, qv::kMaxRecordData);
    for (std::size_t i = 0; i < length; ++i)
        r.data[i] = data[3 + i];
    // A length beyond the buffer must be caught by the decoder, not trusted.
    r.dataLength = static_cast<std::uint16_t>((data[0] & 0x80) ? 0xFFFF : length);

    qv::DecoderServices services;
    services.protocolName = "EDSS-1";
    qv::CISDN decoder(host, services);
    decoder.Decode_Frame(0);
    std::string text;
    for (int column = -1; column <= 44; ++column) {
        decoder.columnText(column, text, false);
        decoder.columnText(column, text, true);
    }
    decoder.Format_Detail(qv::DetailOptions{});
    qv::hexaTrace(decoder);
    decoder.LayerCategory();
    decoder.DecodeFrameRealTime(r, 1);
    decoder.columnText(16, text, false);
    qv::FindRequest request;
    request.text = "ID";
    std::vector<qv::SearchColumn> columns = {{4, 5}, {16, 20}, {28, 32}};
    qv::FindResult result;
    decoder.search(request, columns, result);
    request.criterion = qv::FindCriterion::DetailText;
    decoder.search(request, columns, result);
    return 0;
}
