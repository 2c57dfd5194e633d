#pragma once
// Changing parts of an existing file in place so that a failure at any byte leaves it exactly as
// it was. The bytes the change covers are kept first; the file is grown to its new length before
// any byte already in it is touched, since growing is what fails on a full file system; the
// writes inside the old length then go in the order given, so that the last of them (typically
// a pointer to what was just written beyond the old end) switches the file over. On any failure
// the kept bytes go back and the file is cut back to its old length. Writing in place keeps the
// file's owner, mode and links.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class FileUpdate {
public:
    void write(std::uint64_t offset, std::vector<std::uint8_t> bytes);
    // Applies the writes to the file at path; false (the file as it was) with error() saying why.
    bool apply(const std::string &path);
    // The errno of the first failure.
    int error() const { return error_; }

private:
    struct Piece {
        std::uint64_t offset;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Piece> pieces_;
    int error_ = 0;
};

} // namespace qv
