#pragma once
// A private-profile settings file: "[Section]" lines followed by "key=value" lines. Sections and
// keys match without regard to case, and a rewrite keeps every line it did not change byte for
// byte, so that a hand-edited file survives the program writing its own keys.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class IniFile {
public:
    IniFile() = default;

    // No settings file comes near this size; a larger one is not read, and never written over.
    static constexpr std::size_t kMaxFileSize = 1 << 20;

    // Reads the file at path; a missing, unreadable or too large file gives an empty profile
    // bound to path.
    bool load(const std::string &path);
    // The file load was given is beyond kMaxFileSize.
    bool tooLarge() const { return tooLarge_; }
    // Replaces the content with text (no file is touched).
    void parse(std::string_view text);
    std::string serialize() const;

    // Writes the profile atomically: a temporary file beside the target is written, flushed to
    // disk and renamed over it. A file loaded as too large is left alone (false).
    bool save() const;
    bool saveAs(const std::string &path);
    const std::string &path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {},
                           std::size_t maxLength = std::string::npos) const;
    // A leading decimal number (blanks and sign allowed) of the value; a value that does not
    // start with one reads as 0, an absent key as defaultValue.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    bool hasKey(std::string_view section, std::string_view key) const;

    // Line breaks in value end it: a value is one line.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInt(std::string_view section, std::string_view key, int value);
    bool removeKey(std::string_view section, std::string_view key);

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;
    bool hasSection(std::string_view section) const;

    // Parses a leading decimal number the way readInt does.
    static int parseInt(std::string_view text);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        LineKind kind = LineKind::Other;
        std::string raw;            // the line as in the file, without its line break
        std::string name;           // section name or key, trimmed
        std::size_t valueStart = 0; // offset in raw of the value (after '=' and blanks)
    };

    static Line parseLine(std::string raw);
    std::string valueOf(const Line &line) const;
    // Index of the first line of the first section named section, or npos.
    std::size_t findSection(std::string_view section) const;
    // End (exclusive) of the section whose header is at index header.
    std::size_t sectionEnd(std::size_t header) const;
    std::size_t findKey(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
    std::string path_;
    std::string lineBreak_ = "\n";
    bool finalBreak_ = true;
    bool tooLarge_ = false;
};

} // namespace qv
