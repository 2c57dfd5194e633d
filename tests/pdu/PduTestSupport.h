#pragma once
// Notation folders written by the tests, and an interpreter that decodes against them.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"
#include "support/TempDir.h"

namespace qv::pdu::test {

// One record line: code, separator, 15-character label, level markers and the pattern.
inline std::string rec(const std::string &code, const std::string &label, int level,
                       const std::string &pattern) {
    std::string line = code + " " + (label + std::string(15, ' ')).substr(0, 15) + " ";
    for (int i = 0; i < level; ++i)
        line += "-- ";
    return line + pattern;
}

// A notation folder whose files are written a line at a time.
class NotationFolder : public qv::test::TempDir {
public:
    void write(const std::string &name, const std::vector<std::string> &lines) const {
        std::string text;
        for (const std::string &line : lines)
            text += line + '\n';
        TempDir::write(name, text);
    }
};

struct LoaderMessages {
    std::vector<std::string> texts;
    static void record(void *context, const char *text, const char *caption) {
        static_cast<LoaderMessages *>(context)->texts.push_back(std::string(caption) + ": " + text);
    }
};

// An interpreter over a folder, with its own arena.
struct Interpreter {
    explicit Interpreter(const std::string &folder, const std::string &list = "TEST.LST",
                         std::size_t arenaSize = 220000)
        : arena(std::make_unique<std::uint8_t[]>(arenaSize)),
          engine(std::make_unique<PduInterpreter>()) {
        loaded = engine->initialise(arena.get(), arenaSize, folder.c_str(), list.c_str(),
                                    &LoaderMessages::record, &messages);
    }
    PduDecodeResult decode(const std::vector<std::uint8_t> &message, std::uint16_t table = 3,
                           std::uint16_t startValue = 3) {
        return engine->decode(message.data(), static_cast<std::uint16_t>(message.size()), table,
                              startValue);
    }
    // The output lines of a decode, wraps shown as a trailing backslash.
    std::string raw(const std::vector<std::uint8_t> &message, std::uint16_t table = 3,
                    std::uint16_t startValue = 3) {
        const PduDecodeResult r = decode(message, table, startValue);
        return rawLines(r.cells, r.endCell);
    }
    std::unique_ptr<std::uint8_t[]> arena;
    std::unique_ptr<PduInterpreter> engine;
    LoaderMessages messages;
    bool loaded = false;
};

// A folder whose table 3 holds lines, listed for preloading, with further tables as given.
struct OneTable {
    explicit OneTable(const std::vector<std::string> &table3,
                      const std::map<int, std::vector<std::string>> &more = {}) {
        std::vector<std::string> list = {"03 : T3.NOT : Y"};
        folder.write("T3.NOT", table3);
        for (const auto &[number, lines] : more) {
            const std::string name = "T" + std::to_string(number) + ".NOT";
            list.push_back((number < 10 ? "0" : "") + std::to_string(number) + " : " + name);
            folder.write(name, lines);
        }
        folder.write("TEST.LST", list);
        interpreter = std::make_unique<Interpreter>(folder.path());
    }
    std::string raw(const std::vector<std::uint8_t> &message, std::uint16_t startValue = 3) {
        return interpreter->raw(message, 3, startValue);
    }
    NotationFolder folder;
    std::unique_ptr<Interpreter> interpreter;
};

inline std::string errorLine(const std::string &message) {
    return "ERROR: \\\n" + (message + std::string(28, ' ')).substr(0, 28) + "\n";
}

inline std::string demoFolder() {
    return std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pdu/demo";
}

} // namespace qv::pdu::test
