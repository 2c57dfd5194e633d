#include "capture/ImportedCapture.h"

#include <filesystem>

#include <unistd.h>

#include "capture/CaptureFileReader.h"
#include "capture/PcapImport.h"

namespace qv {

std::unique_ptr<ImportedCapture> ImportedCapture::import(const std::string &in,
                                                         std::string &error) {
    std::string temporary =
        (std::filesystem::temp_directory_path() / "quorvane-pcap-XXXXXX").string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = kMsgUnableToOpen;
        return nullptr;
    }
    ::close(fd);
    // From here on the object owns the file: it is removed on every way out.
    std::unique_ptr<ImportedCapture> imported(new ImportedCapture(temporary));
    const ImportResult result = importCapture(in, temporary);
    if (!result.ok) {
        error = result.error;
        return nullptr;
    }
    // Read-only: the comment of an import cannot be kept.
    std::error_code ec;
    std::filesystem::permissions(temporary,
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read,
                                 ec);
    return imported;
}

ImportedCapture::~ImportedCapture() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

} // namespace qv
