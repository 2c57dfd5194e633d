#include "base/FileReplace.h"

#include <cstdio>
#include <filesystem>

namespace qv {

FileReplaceResult replaceFile(const std::string& path, std::string_view content) {
    const std::string temporary = path + ".part";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f)
        return FileReplaceResult::NotCreated;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok)
        std::filesystem::rename(temporary, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temporary, ec);
        return FileReplaceResult::WriteFailed;
    }
    return FileReplaceResult::Done;
}

} // namespace qv
