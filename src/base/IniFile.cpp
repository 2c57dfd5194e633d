#include "base/IniFile.h"

#include "base/FileReplace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string_view firstLine(std::string_view s) {
    std::size_t end = s.find('\n');
    return end == std::string_view::npos ? s : s.substr(0, end);
}

} // namespace

bool IniFile::load(const std::string &path) {
    path_ = path;
    tooLarge_ = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        parse({});
        return false;
    }
    // Read one byte beyond the limit to tell a file of the limit from a larger one.
    std::string text(kMaxFileSize + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxFileSize) {
        parse({});
        tooLarge_ = true;
        return false;
    }
    parse(text);
    return true;
}

void IniFile::parse(std::string_view text) {
    lines_.clear();
    lineBreak_ = "\n";
    finalBreak_ = true;
    std::size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r')
        lineBreak_ = "\r\n";
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            finalBreak_ = false;
            end = text.size();
        }
        std::string_view raw = text.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        lines_.push_back(parseLine(std::string(raw)));
        pos = end + 1;
    }
}

IniFile::Line IniFile::parseLine(std::string raw) {
    Line line;
    std::string_view t = trim(raw);
    if (t.empty() || t.front() == ';' || t.front() == '#') {
        line.raw = std::move(raw);
        return line;
    }
    if (t.front() == '[') {
        std::size_t close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = std::string(trim(t.substr(1, close - 1)));
        }
        line.raw = std::move(raw);
        return line;
    }
    std::size_t eq = raw.find('=');
    if (eq != std::string::npos) {
        std::string_view key = trim(std::string_view(raw).substr(0, eq));
        if (!key.empty()) {
            line.kind = LineKind::Key;
            line.name = std::string(key);
            std::size_t v = eq + 1;
            while (v < raw.size() && isBlank(raw[v]))
                ++v;
            line.valueStart = v;
        }
    }
    line.raw = std::move(raw);
    return line;
}

std::string IniFile::serialize() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].raw;
        if (i + 1 < lines_.size() || finalBreak_)
            out += lineBreak_;
    }
    return out;
}

bool IniFile::save() const {
    return !path_.empty() && !tooLarge_ &&
           replaceFile(path_, serialize()) == FileReplaceResult::Done;
}

bool IniFile::saveAs(const std::string &path) {
    path_ = path;
    tooLarge_ = false;
    return save();
}

std::string IniFile::valueOf(const Line &line) const {
    return std::string(trim(std::string_view(line.raw).substr(line.valueStart)));
}

std::size_t IniFile::findSection(std::string_view section) const {
    std::string_view name = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == LineKind::Section && sameName(lines_[i].name, name))
            return i;
    return std::string::npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != LineKind::Section)
        ++i;
    return i;
}

std::size_t IniFile::findKey(std::string_view section, std::string_view key) const {
    std::size_t header = findSection(section);
    if (header == std::string::npos)
        return std::string::npos;
    std::string_view name = trim(key);
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == LineKind::Key && sameName(lines_[i].name, name))
            return i;
    return std::string::npos;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue, std::size_t maxLength) const {
    std::size_t i = findKey(section, key);
    std::string value = i == std::string::npos ? std::string(defaultValue) : valueOf(lines_[i]);
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

int IniFile::parseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::size_t i = findKey(section, key);
    if (i == std::string::npos)
        return defaultValue;
    return parseInt(valueOf(lines_[i]));
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    return findKey(section, key) != std::string::npos;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view clean = trim(firstLine(value));
    std::size_t i = findKey(section, key);
    if (i != std::string::npos) {
        Line &line = lines_[i];
        std::string prefix = line.raw.substr(0, line.valueStart);
        // "Key=" with nothing after it gets the value right after '='.
        line.raw = prefix + std::string(clean);
        return;
    }
    std::string newLine = std::string(trim(firstLine(key))) + "=" + std::string(clean);
    std::size_t header = findSection(section);
    if (header == std::string::npos) {
        lines_.push_back(parseLine("[" + std::string(trim(firstLine(section))) + "]"));
        lines_.push_back(parseLine(newLine));
        return;
    }
    std::size_t at = sectionEnd(header);
    while (at > header + 1 && trim(lines_[at - 1].raw).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), parseLine(newLine));
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
    std::size_t i = findKey(section, key);
    if (i == std::string::npos)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> out;
    for (const Line &line : lines_) {
        if (line.kind != LineKind::Section)
            continue;
        bool seen = false;
        for (const std::string &s : out)
            seen = seen || sameName(s, line.name);
        if (!seen)
            out.push_back(line.name);
    }
    return out;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    std::size_t header = findSection(section);
    if (header == std::string::npos)
        return out;
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind != LineKind::Key)
            continue;
        bool seen = false;
        for (const std::string &k : out)
            seen = seen || sameName(k, lines_[i].name);
        if (!seen)
            out.push_back(lines_[i].name);
    }
    return out;
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != std::string::npos;
}

} // namespace qv
