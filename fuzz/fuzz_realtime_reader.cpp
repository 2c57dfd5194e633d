#include "CaptureFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const char kMarker[] = "##@@ Real-time file @@##";
    qv::fuzz::exerciseCapture(data, size, kMarker, 24);
    return 0;
}
