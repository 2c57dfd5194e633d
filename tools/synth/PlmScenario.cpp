#include "synth/PlmScenario.h"

#include <array>
#include <cerrno>
#include <cstdio>

#include "base/FileReplace.h"

namespace qv::synth {

namespace {

// A small linear congruential generator: the same seed gives the same project everywhere.
struct Random {
    std::uint32_t state;
    std::uint32_t next(std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

// Field indices (field 2 + index) by what they hold.
enum Field {
    LineNumber = 0,
    Power1,
    Power1L,
    Power2,
    Power2L,
    TxAct,
    RxAct,
    IsdnData,
    OpenPair,
    OpenValue,
    ShortPair,
    ShortValue,
    ResistWire,
    DcResist,
    TxTerm,
    RxTerm,
    WiresOpen,
    Short,
    Order,
    SplitPairs,
    Velocity,
    Impedance,
    CableType,
    Pairs,
    UsedPins,
    WireResist,
};

constexpr const char *kPairNames[] = {"12", "36", "45", "78", "34", "56"};
constexpr const char *kPins[] = {"1236", "3456", "36/45", "all"}; // no commas in a text

// A supply voltage in half volts as the tester codes it: a byte taken signed, 255 for none.
int powerCode(Random &random) {
    constexpr int kCodes[] = {80, 76, 20, 250, 255, 0, 79};
    return kCodes[random.next(std::size(kCodes))];
}

PlmRawLine line(std::uint32_t index, Random &random) {
    PlmRawLine l;
    auto text = [&l](Field f, std::string value) { l.texts[f] = std::move(value); };
    auto integer = [&l](Field f, int value) { l.integers[f] = value; };
    char name[32];
    std::snprintf(name, sizeof name, "%c%02u-%u", 'A' + static_cast<int>(index / 100 % 26),
                  index % 100 + 1, index % 4 + 1);
    text(LineNumber, name);
    integer(Power1, powerCode(random));
    integer(Power1L, powerCode(random));
    integer(Power2, powerCode(random));
    integer(Power2L, powerCode(random));
    integer(TxAct, static_cast<int>(random.next(4)));
    integer(RxAct, static_cast<int>(random.next(4)));
    integer(IsdnData, static_cast<int>(random.next(8)));
    text(OpenPair, kPairNames[random.next(std::size(kPairNames))]);
    integer(OpenValue, random.next(5) == 0 ? 4095 : static_cast<int>(random.next(400)));
    text(ShortPair, kPairNames[random.next(std::size(kPairNames))]);
    integer(ShortValue, random.next(5) == 0 ? 4095 : static_cast<int>(random.next(400)));
    text(ResistWire, kPairNames[random.next(std::size(kPairNames))]);
    integer(DcResist, random.next(6) == 0 ? 4095 : static_cast<int>(random.next(2000)));
    constexpr int kTerminators[] = {100, 50, 254, 255, 110};
    integer(TxTerm, kTerminators[random.next(std::size(kTerminators))]);
    integer(RxTerm, kTerminators[random.next(std::size(kTerminators))]);
    text(WiresOpen, random.next(4) == 0 ? kPairNames[random.next(4)] : "");
    text(Short, random.next(4) == 0 ? "3-6" : "");
    text(Order, random.next(3) == 0 ? "crossed" : "ok");
    text(SplitPairs, random.next(5) == 0 ? "36/45" : "");
    integer(Velocity, 60 + static_cast<int>(random.next(20)));
    integer(Impedance, static_cast<int>(random.next(4)));
    integer(CableType, static_cast<int>(random.next(4)));
    integer(Pairs, static_cast<int>(random.next(6)));
    text(UsedPins, random.next(9) == 0 ? "?" : kPins[random.next(std::size(kPins))]);
    integer(WireResist, 90 + static_cast<int>(random.next(200)));
    l.project = static_cast<int>(index + 1);
    return l;
}

} // namespace

PlmProject plmScenario(int project, std::uint32_t lines, std::uint32_t seed) {
    PlmProject out;
    out.number = project;
    Random random{seed * 2654435761u + 17u};
    const std::uint32_t count = lines == 0 ? 40 : lines;
    out.lines.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        out.lines.push_back(line(i, random));
    return out;
}

std::string plmReply(const PlmProject &project) {
    std::string reply = "\r\ncsv\r\n";
    for (const PlmRawLine &l : project.lines) {
        std::string text = formatPlmLine(l.project, l);
        // The tester numbers its lines without leading zeros.
        if (text.size() > 1 && text[0] == '0' && text[1] != ',')
            text.erase(0, 1);
        reply += text;
    }
    return reply + "> ";
}

bool writePlmFile(const std::string &path, const PlmProject &project, std::string &error) {
    if (replaceFile(path, plmFileText(project)) != FileReplaceResult::Done) {
        error = notWritten(path, errno);
        return false;
    }
    return true;
}

} // namespace qv::synth
