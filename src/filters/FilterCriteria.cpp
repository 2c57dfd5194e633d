#include "filters/FilterCriteria.h"

#include <algorithm>
#include <cstdlib>

#include "base/Numbers.h"
#include "decode/DecodedFrame.h"
#include "filters/CauseList.h"
#include "filters/FilterLists.h"

namespace qv {

namespace {

// Cause names every filter knows, beside the user's list: the usual causes and the further
// names of the string table.
constexpr struct {
    const char *name;
    std::uint32_t number;
} kKnownCauses[] = {
    {"ALERTED, NO ANSWER", 19},
    {"CALL AWARDED", 7},
    {"CALL REJECTED", 21},
    {"CHANNEL UNACCEPTABLE", 6},
    {"FACILITY REJECTED", 29},
    {"INTERWORKING", 127},
    {"INVALID NUMB. FORMAT", 28},
    {"NON SELECTED CLEAR", 26},
    {"NORMAL CALL CLEARING", 16},
    {"NO ROUTE TO DESTINATION", 3},
    {"NO ROUTE TO NETWORK", 2},
    {"NO USER RESPONDING", 18},
    {"NUMBER CHANGED", 22},
    {"OUT OF ORDER", 27},
    {"RESPONSE STATUS .ENQ", 30},
    {"UNALLOCATED NUMBER", 1},
    {"USER BUSY", 17},
    {"INVALID MESSAGE", 95},
    {"NORMAL EVENT", 31},
    {"PROTOCOL ERROR", 111},
    {"TEMPORARY FAILURE", 41},
    {"RESOURCE UNAVAILABLE", 47},
    {"SERV/OPT NOT AVAILABLE", 63},
    {"SERV/OPT NOT IMPLEMENTED", 79},
};

constexpr std::uint32_t kMaxCause = 127;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Digits of base only; nothing when text is empty, holds anything else or exceeds the cause
// range.
std::optional<std::uint32_t> number(std::string_view text, unsigned base) {
    return parseDigits(text, base, kMaxCause);
}

void keepInRange(bool &set, int &value, int low, int high) {
    if (value < low || value > high) {
        set = false;
        value = 0;
    }
}

void keepIndex(int &value, int count) {
    if (value < 0 || value > count)
        value = 0;
}

void keepText(std::string &text) {
    if (text.size() > kMaxFilterText)
        text.resize(kMaxFilterText);
}

bool validMessage(int message) {
    if (message >= 0 && message < kFirstV5MessagePosition)
        return true;
    const int position = message & ~kV5MessageMark;
    return (message & kV5MessageMark) != 0 && position >= kFirstV5MessagePosition &&
           position <= kLastV5MessagePosition;
}

} // namespace

bool FilterCriteria::IsActive(FilterKind kind) const {
    const bool common = !layer1 || !layer2 || !layer3 || !keepRR || sapiSet || teiSet || efaSet ||
                        l3Address != 0 || callRefSet || localAddressSet || remoteAddressSet ||
                        lcnSet || x25LocalAddressSet || x25RemoteAddressSet;
    if (common)
        return true;
    if (kind == FilterKind::RealTime)
        return frameSlicing != 0 || !keepData;
    return direction != 0 || frameType != 0 || pdSet || message != 0 || causeSet ||
           packetType != 0 || cugSet || nuiSet;
}

std::array<std::uint8_t, 2> FilterCriteria::testerBytes() const {
    const std::uint8_t byte33 = !layer2 || !keepRR ? 1 : 0;
    const int slicing = frameSlicing >= 0 && frameSlicing <= 2 ? frameSlicing : 0;
    const std::uint8_t byte34 =
        layer3 ? static_cast<std::uint8_t>(slicing * 2 + (keepData ? 0 : 1)) : 1;
    return {byte33, byte34};
}

void FilterCriteria::normalise() {
    keepInRange(sapiSet, sapi, 0, 63);
    keepInRange(teiSet, tei, 0, 127);
    keepIndex(direction, static_cast<int>(filterDirections().size()));
    keepIndex(frameType, static_cast<int>(layer2FrameTypes().size()));
    keepInRange(efaSet, efa, 0, kEveryUserPortEfa);
    bool l3AddressSet = l3Address != 0;
    keepInRange(l3AddressSet, l3Address, 0, 0x7FFF);
    keepInRange(callRefSet, callRef, 0, 0x7FFF);
    keepInRange(pdSet, pd, 0, 0xFF);
    if (!validMessage(message))
        message = 0;
    if (causeFormat < kCauseMnemonics || causeFormat > kCauseHexa)
        causeFormat = kCauseMnemonics;
    keepInRange(lcnSet, lcn, 0, 0xFFF);
    keepIndex(packetType, static_cast<int>(x25Packets().size()));
    keepInRange(cugSet, cug, 0, 9999);
    if (frameSlicing < 0 || frameSlicing >= static_cast<int>(slicingSizes().size()))
        frameSlicing = 0;
    for (std::string *text :
         {&localAddress, &remoteAddress, &causeText, &x25LocalAddress, &x25RemoteAddress})
        keepText(*text);
}

std::optional<std::uint32_t> causeNumber(std::string_view text, int format,
                                         const CauseList *causes) {
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    if (format == kCauseDecimal)
        return number(text, 10);
    if (format == kCauseHexa) {
        if (text.size() > 2 && text[0] == '0' && upper(text[1]) == 'X')
            text.remove_prefix(2);
        else if (text.size() > 1 && upper(text.back()) == 'H')
            text.remove_suffix(1);
        return number(text, 16);
    }
    // The user's own list first: its numbers may differ from the usual ones.
    if (causes) {
        for (const CauseList::Entry &entry : causes->entries())
            if (equalIgnoringCase(trimmed(entry.name), text)) {
                if (entry.number < 0 || static_cast<std::uint32_t>(entry.number) > kMaxCause)
                    return std::nullopt;
                return static_cast<std::uint32_t>(entry.number);
            }
    }
    for (const auto &known : kKnownCauses)
        if (equalIgnoringCase(known.name, text))
            return known.number;
    return std::nullopt;
}

CallRefSelection selectCallRef(FilterCriteria &criteria, const DecodedFrame &frame,
                               int layerCategory) {
    if (layerCategory != 3 && layerCategory != -3)
        return CallRefSelection::NotLayer3;
    if (criteria.callRefSet && criteria.callRef == frame.callRef)
        return CallRefSelection::AlreadySet;
    criteria.callRefSet = true;
    criteria.callRef = frame.callRef;
    return CallRefSelection::Applied;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

std::vector<std::string> knownCauseNames() {
    std::vector<std::string> names;
    for (const auto &known : kKnownCauses)
        names.emplace_back(known.name);
    return names;
}

} // namespace qv
