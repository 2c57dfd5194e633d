#pragma once
// Writing a whole file so that a failure leaves the one already there as it was: the content
// goes to a file beside the target first, which is then renamed over it.
#include <string>
#include <string_view>

namespace qv {

enum class FileReplaceResult { Done, NotCreated, WriteFailed };

FileReplaceResult replaceFile(const std::string &path, std::string_view content);

// A new, empty file beside target that nobody else uses, for content that is to take target's
// place once complete. Removed when it goes out of scope without being committed.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string &target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // False when no file could be made beside target (errno says why).
    bool created() const { return !path_.empty(); }
    // The file to write.
    const std::string &path() const { return path_; }
    // Gives the written file the permissions of a file created the ordinary way and renames it
    // over target; false (and the file removed) when that fails.
    bool commit();
    // Removes the file; target stays as it was.
    void discard();

private:
    std::string target_;
    std::string path_;
};

} // namespace qv
