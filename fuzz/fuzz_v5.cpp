// Decodes arbitrary records as V5 frames, in a time slot the input chooses.
#include "DecoderFuzzSupport.h"
#include "decode/CV5.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    return qv::fuzz::exerciseRecord<qv::CV5>(
        data, size,
        [](qv::CV5 &decoder, const std::uint8_t *d) { decoder.setTimeSlot(d[1] & 0x3F); });
}
