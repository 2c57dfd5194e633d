#include "CaptureFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const char kFirst[] = {0x01};
    qv::fuzz::exerciseCapture(data, size, kFirst, 1);
    return 0;
}
