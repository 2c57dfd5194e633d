#include "base/Texts.h"

namespace qv {

namespace {

struct TextEntry {
    int id;
    const char *text;
};

// Layer-1 event texts are column-aligned in the table: their trailing blanks are part of them.
// They read the same in both languages.
#define QV_LAYER1_EVENTS(base)                                                                     \
    {base + 10, "TE I0 - NT I0"}, {base + 11, "TE I3 - NT I2"}, {base + 12, "TE I3 - NT I4"},      \
        {base + 13, "NT Ix"}, {base + 14, "LOS Begin      "}, {base + 15, "LOF Begin      "},      \
        {base + 16, "RDI Begin      "}, {base + 17, "AIS Begin      "},                            \
        {base + 18, "CRC  Begin      "}, {base + 19, "E-Bit Begin     "},                          \
        {base + 20, "Code Err. Begin"}, {base + 21, "LOS End        "},                            \
        {base + 22, "LOF End        "}, {base + 23, "RDI End        "},                            \
        {base + 24, "AIS End        "}, {base + 25, "CRC End        "},                            \
        {base + 26, "E-Bit End      "}, {base + 27, "Code Err. End  "},                            \
        {base + 28, "CRC            "}, {base + 29, "E-Bit          "},                            \
        {base + 30, "Code Err.      "}, {base + 31, "Activated      "},                            \
        {base + 32, "U activated"}, {base + 33, "U deactivated"}, {                                \
        base + 34, "U and S activated"                                                             \
    }

constexpr TextEntry kTexts[] = {
    {kEnglishTextBase + 0, "?"},        {kEnglishTextBase + 1, "Unknown"},
    QV_LAYER1_EVENTS(kEnglishTextBase), {kFrenchTextBase + 0, "?"},
    {kFrenchTextBase + 1, "Inconnu"},   QV_LAYER1_EVENTS(kFrenchTextBase),
};

#undef QV_LAYER1_EVENTS

} // namespace

int textBase(int language) {
    return language == 0 ? kEnglishTextBase : kFrenchTextBase;
}

std::string_view text(int id) {
    for (const TextEntry &entry : kTexts)
        if (entry.id == id)
            return entry.text;
    return {};
}

} // namespace qv
