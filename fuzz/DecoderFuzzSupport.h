#pragma once
// A decoder host over the one record a fuzz input makes.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/UserMessages.h"
#include "decode/CDecoder.h"
#include "decode/HexaTrace.h"

namespace qv::fuzz {

class OneRecordHost : public DecoderHost {
public:
    LvtRecord record;
    RecordingUserMessages recorded;
    int language = 0;

    int readRecord(std::uint32_t index, LvtRecord &target) override {
        if (index != 0)
            return -4;
        target = record;
        return 0;
    }
    int positionOn(std::uint32_t index) override { return index == 0 ? 0 : 1; }
    std::uint16_t captureStartYear() const override { return 2026; }
    std::uint16_t captureStartMonth() const override { return 12; }
    int decodingLanguage() const override { return language; }
    UserMessages &messages() override { return recorded; }
};

// Decodes arbitrary records with Decoder: the first octets choose the record's kind, status,
// direction and the language, the rest is the frame. Every column, the detail, the hexa trace,
// the category, the real-time entry and the search run on each.
template <class Decoder, class Configure>
int exerciseRecord(const std::uint8_t *data, std::size_t size, Configure configure) {
    static constexpr std::uint8_t kKinds[] = {
        kLayer1Event, kFrameRecord, kFrameRecord, kFrameRecord, kOverflowMark, kOverflowMarkAlt, 7,
        kFrameRecord};
    if (size < 3)
        return 0;
    OneRecordHost host;
    LvtRecord &r = host.record;
    r.kind = kKinds[data[0] & 7];
    r.status = (data[0] & 0x08) ? data[1] : 0;
    r.direction = data[0] & 0x10;
    r.month = static_cast<std::uint8_t>(data[1] % 14);
    host.language = (data[0] >> 5) & 1;
    r.timeHigh = static_cast<std::uint16_t>(data[2] * 257);
    r.timeLow = static_cast<std::uint16_t>(data[1] * 263);
    const std::size_t length = std::min<std::size_t>(size - 3, kMaxRecordData);
    for (std::size_t i = 0; i < length; ++i)
        r.data[i] = data[3 + i];
    // A length beyond the buffer must be caught by the decoder, not trusted.
    r.dataLength = static_cast<std::uint16_t>((data[0] & 0x80) ? 0xFFFF : length);

    DecoderServices services;
    services.protocolName = "EDSS-1";
    Decoder decoder(host, services);
    configure(decoder, data);
    decoder.Decode_Frame(0);
    std::string text;
    for (int column = -1; column <= 44; ++column) {
        decoder.columnText(column, text, false);
        decoder.columnText(column, text, true);
    }
    decoder.Format_Detail(DetailOptions{});
    hexaTrace(decoder);
    decoder.LayerCategory();
    decoder.DecodeFrameRealTime(r, 1);
    decoder.columnText(16, text, false);
    FindRequest request;
    request.text = "ID";
    std::vector<SearchColumn> columns = {{4, 5}, {16, 20}, {28, 32}};
    FindResult result;
    decoder.search(request, columns, result);
    request.criterion = FindCriterion::DetailText;
    decoder.search(request, columns, result);
    return 0;
}

} // namespace qv::fuzz
