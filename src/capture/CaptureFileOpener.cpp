#include "capture/CaptureFileOpener.h"

#include <cstdio>

#include "capture/LvtFileReader.h"
#include "capture/RealTimeFileReader.h"

namespace qv {

CaptureFileOpener::CaptureFileOpener(std::string fileName, bool remote, UserMessages &messages,
                                     Registration registration)
    : fileName_(std::move(fileName)), remote_(remote), messages_(messages),
      registration_(std::move(registration)) {}

std::unique_ptr<CaptureFileReader> CaptureFileOpener::createReader() {
    std::string path = !fileName_.empty() ? fileName_ : remoteTransferFilePath();
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return nullptr;
    int first = std::fgetc(f);
    std::fclose(f);
    if (first == 0x01)
        return std::make_unique<LvtFileReader>(fileName_, remote_, messages_, registration_);
    if (first == '#')
        return std::make_unique<RealTimeFileReader>(fileName_, remote_, messages_, registration_);
    return nullptr;
}

} // namespace qv
