#pragma once
// Texts pinned in a file under tests/data: a line "> name" opens a case, which runs to the next
// such line. Lines starting "< " are the case's input, the other lines the text it gives. After
// a deliberate change of what the program writes, run the tests with QUORVANE_REWRITE_GOLDEN=1
// to write the texts as they now come out, and read the differences before keeping them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {

// text with its escapes \n, \r, \t and \\ made the characters they stand for.
inline std::string unescaped(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

// text with every from replaced by to.
inline std::string replaced(std::string text, const std::string &from, const std::string &to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class PinnedTexts {
public:
    struct Case {
        std::string name;
        std::vector<std::string> input;
        std::vector<std::string> text;
    };

    explicit PinnedTexts(const std::string &name)
        : path_(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/" + name),
          rewrite_(std::getenv("QUORVANE_REWRITE_GOLDEN") != nullptr) {
        std::ifstream in(path_, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("> ", 0) == 0)
                cases_.push_back({line.substr(2), {}, {}});
            else if (!cases_.empty() && line.rfind("< ", 0) == 0)
                cases_.back().input.push_back(line.substr(2));
            else if (!cases_.empty())
                cases_.back().text.push_back(line);
        }
        for (Case &c : cases_)
            trim(c.text);
    }
    ~PinnedTexts() {
        if (!changed_)
            return;
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        for (const Case &c : cases_) {
            out << "> " << c.name << "\n";
            for (const std::string &line : c.input)
                out << "< " << line << "\n";
            for (const std::string &line : c.text)
                out << line << "\n";
            out << "\n";
        }
    }
    PinnedTexts(const PinnedTexts &) = delete;
    PinnedTexts &operator=(const PinnedTexts &) = delete;

    // The lines must be the text pinned under name.
    void expect(const std::string &name, std::vector<std::string> lines) {
        trim(lines);
        for (Case &c : cases_) {
            if (c.name != name)
                continue;
            if (rewrite_ && c.text != lines) {
                c.text = lines;
                changed_ = true;
            }
            EXPECT_EQ(lines, c.text) << name << " in " << path_;
            return;
        }
        if (rewrite_) {
            cases_.push_back({name, {}, lines});
            changed_ = true;
            return;
        }
        ADD_FAILURE() << name << " is not pinned in " << path_;
    }

    // The cases of the file, for tests whose inputs are kept with their texts.
    const std::vector<Case> &cases() const {
        EXPECT_FALSE(cases_.empty()) << "no case in " << path_;
        return cases_;
    }

    // The same for a text of several lines.
    void expectText(const std::string &name, const std::string &text) {
        std::vector<std::string> lines;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = text.find('\n', at);
            lines.push_back(
                text.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        expect(name, lines);
    }

private:
    static void trim(std::vector<std::string> &lines) {
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
    }

    std::string path_;
    bool rewrite_;
    bool changed_ = false;
    std::vector<Case> cases_;
};

// A table kept in a file under tests/data: each line "input -> output" gives what fn must make
// of input; other lines (blank, or "#" and a comment) are kept as they stand. Outputs keep their
// line ends as \n. QUORVANE_REWRITE_GOLDEN=1 writes the outputs as they now come out.
template <class Fn> void expectTable(const std::string &name, Fn fn) {
    const std::string path = std::string(QUORVANE_SOURCE_DIR) + "/tests/data/" + name;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    bool changed = false;
    std::size_t rows = 0;
    for (std::string line; std::getline(in, line); lines.push_back(line)) {
        const std::size_t arrow = line.find(" -> ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos)
            continue;
        ++rows;
        std::string output;
        for (char c : std::string(fn(line.substr(0, arrow))))
            output += c == '\n' ? std::string("\\n") : std::string(1, c);
        const std::string made = line.substr(0, arrow) + " -> " + output;
        if (made == line)
            continue;
        if (std::getenv("QUORVANE_REWRITE_GOLDEN")) {
            line = made;
            changed = true;
        }
        EXPECT_EQ(made, line) << "in " << path;
    }
    EXPECT_GT(rows, 0u) << "no row in " << path;
    if (changed) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string &line : lines)
            out << line << "\n";
    }
}

} // namespace qv::test
