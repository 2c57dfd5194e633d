// Parses arbitrary bytes as a settings file, reads and writes keys, and checks that the text it
// writes back reads as the same sections, keys and values.
#include "base/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Snapshot {
    std::vector<std::string> sections;
    std::vector<std::vector<std::string>> keys;
    std::vector<std::vector<std::string>> values;
};

Snapshot snapshot(const qv::IniFile &ini) {
    Snapshot s;
    s.sections = ini.sections();
    for (const std::string &section : s.sections) {
        s.keys.push_back(ini.keys(section));
        std::vector<std::string> values;
        for (const std::string &key : s.keys.back()) {
            values.push_back(ini.readString(section, key));
            (void)ini.readInt(section, key, 0);
        }
        s.values.push_back(std::move(values));
    }
    return s;
}

bool same(const Snapshot &a, const Snapshot &b) {
    return a.sections == b.sections && a.keys == b.keys && a.values == b.values;
}

void checkRoundTrip(const qv::IniFile &ini) {
    qv::IniFile again;
    again.parse(ini.serialize());
    if (!same(snapshot(ini), snapshot(again)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string_view text(reinterpret_cast<const char *>(data), size);
    qv::IniFile ini;
    ini.parse(text);
    (void)ini.readString("Configuration", "Last Path", "", 255);
    (void)ini.readInt("Police", "FontSize", 9);
    checkRoundTrip(ini);

    // Write back a value read from the file, under names taken from the input itself.
    Snapshot s = snapshot(ini);
    if (!s.sections.empty()) {
        const std::string &section = s.sections.front();
        if (!s.keys.front().empty()) {
            const std::string &key = s.keys.front().front();
            std::string value = s.values.front().front();
            ini.writeString(section, key, value + "x");
            if (ini.readString(section, key) != value + "x")
                std::abort();
            ini.removeKey(section, key);
        }
        ini.writeInt(section, "FuzzCount", static_cast<int>(size));
        if (ini.readInt(section, "FuzzCount", -1) != static_cast<int>(size))
            std::abort();
    }
    ini.writeString("Recent File List", "File1", text.substr(0, 169));
    checkRoundTrip(ini);
    return 0;
}
