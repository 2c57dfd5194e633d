#pragma once
// Writing a whole file so that a failure leaves the one already there as it was: the content
// goes to a file beside the target first, which reaches the disk and is then renamed over it.
// Every file the program writes whole goes this way.
#include <functional>
#include <string>
#include <string_view>

namespace qv {

enum class FileReplaceResult { Done, NotCreated, WriteFailed };

// The result of replaceFile; errno says why when it is not Done.
FileReplaceResult replaceFile(const std::string &path, std::string_view content);

// Calls write with the path of a new file beside target and puts that file in target's place
// when write answers true. Answers 0, or the errno of what failed (EIO when write failed without
// leaving one); target is then as it was.
int writeReplacing(const std::string &target,
                   const std::function<bool(const std::string &path)> &write);

// "PATH: cannot be written", with the system's reason when error is not 0.
std::string notWritten(const std::string &path, int error);

// A new, empty file beside target that nobody else uses, for content that is to take target's
// place once complete. Removed when it goes out of scope without being committed. A target that
// is a symbolic link has the file it names replaced; a target that exists keeps its mode.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string &target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // False when no file could be made beside target (error() says why).
    bool created() const { return !path_.empty(); }
    // The file to write.
    const std::string &path() const { return path_; }
    // Brings the written file to the disk with the permissions target has (those of a file
    // created the ordinary way when it is new) and renames it over target; false (the file
    // removed, error() saying why) when that fails.
    bool commit();
    // Removes the file; target stays as it was.
    void discard();
    // The errno of the last failure.
    int error() const { return error_; }

private:
    std::string target_;
    std::string path_;
    int error_ = 0;
};

} // namespace qv
