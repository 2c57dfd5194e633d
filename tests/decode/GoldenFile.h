#pragma once
// One line of a golden file recorded from Wireshark (JSON lines written by tools/oracle): the few
// shapes it uses are numbers, null, strings and lists of numbers or strings.
#include <sstream>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "decode/DecoderTestSupport.h"

namespace qv::test {

struct Golden {
    std::string line;

    // The value of key as it stands in the line; "null" when the key is absent.
    std::string raw(const std::string &key) const {
        const std::string quoted = "\"" + key + "\": ";
        const std::size_t at = line.find(quoted);
        if (at == std::string::npos)
            return "null";
        std::size_t start = at + quoted.size(), end = start;
        if (line[start] == '"')
            end = line.find('"', start + 1) + 1;
        else if (line[start] == '[')
            end = line.find(']', start) + 1;
        else
            while (end < line.size() && line[end] != ',' && line[end] != '}')
                ++end;
        return line.substr(start, end - start);
    }
    bool isNull(const std::string &key) const { return raw(key) == "null"; }
    long number(const std::string &key) const { return std::stol(raw(key)); }
    std::string text(const std::string &key) const {
        const std::string r = raw(key);
        return r.size() >= 2 && r[0] == '"' ? r.substr(1, r.size() - 2) : r;
    }
    std::vector<long> list(const std::string &key) const {
        std::vector<long> out;
        std::string r = raw(key);
        for (char &c : r)
            c = c == '[' || c == ']' || c == ',' ? ' ' : c;
        std::istringstream in(r);
        long v;
        while (in >> v)
            out.push_back(v);
        return out;
    }
    long firstOfList(const std::string &key, long otherwise) const {
        const std::vector<long> values = list(key);
        return values.empty() ? otherwise : values.front();
    }
};

// The frame of a golden line: its direction ("U" from the user side) and octets.
inline LvtRecord recordOf(const Golden &g) {
    const std::vector<std::uint8_t> octets =
        parseHexOctets(g.text("octets")).value_or(std::vector<std::uint8_t>{});
    return longFrame(
        g.text("dir") == "U" ? Dir::TeNt : Dir::NtTe, octets,
        static_cast<std::uint16_t>(std::min<std::size_t>(octets.size(), kMaxRecordData)));
}

} // namespace qv::test
