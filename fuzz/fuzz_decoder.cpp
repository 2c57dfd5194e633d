// Decodes arbitrary records with the ISDN decoder.
#include "DecoderFuzzSupport.h"
#include "decode/CISDN.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    return qv::fuzz::exerciseRecord<qv::CISDN>(data, size,
                                               [](qv::CISDN &, const std::uint8_t *) {});
}
