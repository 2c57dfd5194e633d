#pragma once
#include <memory>
#include <string>

#include "capture/CaptureFileReader.h"

namespace qv {

// Creates the reader that matches a capture file's first byte: 0x01 stored, '#' real-time.
class CaptureFileOpener {
public:
    CaptureFileOpener(std::string fileName, bool remote, UserMessages &messages,
                      Registration registration = {});
    // Null when the file cannot be read or its first byte names neither layout.
    std::unique_ptr<CaptureFileReader> createReader();

private:
    std::string fileName_;
    bool remote_;
    UserMessages &messages_;
    Registration registration_;
};

} // namespace qv
