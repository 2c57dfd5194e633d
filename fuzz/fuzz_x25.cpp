// Decodes arbitrary X.25 packets in I frames of SAPI 16: the first octet chooses the direction,
// the language and whether the frame is cut, the next two are the control field, the rest is the
// packet. Every column, the detail with and without the layer-2 lines, every item and the
// facility scan run on each; the scan must stay inside its field.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DecoderFuzzSupport.h"
#include "base/Texts.h"
#include "base/UserMessages.h"
#include "decode/CISDN.h"
#include "decode/X25ItemProvider.h"

namespace {

using qv::fuzz::OneRecordHost;

const qv::X25ItemProvider kEnglish(0);
const qv::X25ItemProvider kFrench(1);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 3)
        return 0;
    OneRecordHost host;
    qv::LvtRecord &r = host.record;
    r.kind = qv::kFrameRecord;
    r.status = 0;
    r.direction = data[0] & 1;
    r.month = 3;
    host.language = (data[0] >> 1) & 1;
    const qv::X25ItemProvider &provider = host.language == 0 ? kEnglish : kFrench;
    std::size_t length = 0;
    r.data[length++] = r.direction ? 0x40 : 0x42;
    r.data[length++] = 0x81;
    r.data[length++] = data[1] & 0xFE; // an I frame
    r.data[length++] = data[2];
    for (std::size_t i = 3; i < size && length < qv::kMaxRecordData; ++i)
        r.data[length++] = data[i];
    // A frame cut inside its header must be read as it is.
    if (data[0] & 4)
        length = std::min<std::size_t>(length, 2 + (data[0] >> 3) % 4);
    r.dataLength = static_cast<std::uint16_t>(length);

    qv::DecoderServices services;
    services.protocolName = "EDSS-1";
    qv::installX25(services, provider);
    qv::CISDN decoder(host, services);
    decoder.Decode_Frame(0);
    std::string text;
    for (int column = -1; column <= 44; ++column) {
        decoder.columnText(column, text, false);
        decoder.columnText(column, text, true);
    }
    decoder.Format_Detail(qv::DetailOptions{});
    qv::DetailOptions layer3Only;
    layer3Only.layer2Lines = false;
    decoder.Format_Detail(layer3Only);
    decoder.DecodeFrameRealTime(r, 1);
    std::uint32_t cause = 0;
    decoder.causeValue(cause);

    const std::uint8_t *packet = data + 3;
    const std::uint16_t packetLength =
        static_cast<std::uint16_t>(std::min<std::size_t>(size - 3, 0xFFFF));
    for (int item = 0; item <= 15; ++item) {
        std::uint32_t value = 0;
        provider.itemText(packet, packetLength, item, text);
        provider.itemValue(packet, packetLength, item, value);
    }
    provider.messageTypeText(packet, packetLength, true, qv::kDirectionTeNt, text);
    provider.protocolDiscriminatorText(data[3 % size], qv::kEnglishTextBase, true);
    qv::X25FacilityList list;
    qv::decodeX25Facilities(provider, packet, packetLength, list);
    if (list.present) {
        std::size_t octets = 0;
        for (const qv::X25Facility &e : list.entries) {
            if (e.octets.size() != static_cast<std::size_t>(std::abs(e.length)) || e.octets.empty())
                __builtin_trap();
            octets += e.octets.size();
        }
        if (octets > list.fieldLength || list.lengthAt + 1u + octets > packetLength ||
            list.entries.size() > list.count)
            __builtin_trap();
    }
    return 0;
}
