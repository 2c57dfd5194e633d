#pragma once
// Writing a whole file so that a failure leaves the one already there as it was: the content
// goes to a file beside the target first, which is then renamed over it.
#include <string>
#include <string_view>

namespace qv {

enum class FileReplaceResult { Done, NotCreated, WriteFailed };

FileReplaceResult replaceFile(const std::string& path, std::string_view content);

} // namespace qv
