#include "filters/FilterLine.h"

#include <algorithm>
#include <span>

#include "base/Numbers.h"
#include "decode/DecodedFrame.h"
#include "filters/CauseList.h"
#include "filters/FilterLists.h"

namespace qv {

namespace {

bool isHexSuffix(char c) {
    return c == 'H' || c == 'h';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The keys in the order a line is written.
enum Key {
    kLayer,
    kSapi,
    kTei,
    kDir,
    kFrame,
    kRr,
    kEfa,
    kCr,
    kLocal,
    kRemote,
    kPd,
    kMsg,
    kCause,
    kLcn,
    kX25Local,
    kX25Remote,
    kPacket,
    kCug,
    kKeyCount
};

constexpr const char *kKeys[kKeyCount] = {
    "layer",  "sapi", "tei", "dir",   "frame", "rr",       "efa",       "cr",     "local",
    "remote", "pd",   "msg", "cause", "lcn",   "x25local", "x25remote", "packet", "cug",
};

std::optional<Key> keyNamed(std::string_view name) {
    for (int k = 0; k < kKeyCount; ++k)
        if (equalIgnoringCase(name, kKeys[k]))
            return static_cast<Key>(k);
    return std::nullopt;
}

// The 1-based position of name in a list, compared without regard to case; 0 when absent.
template <class Entry, class Name>
int positionIn(std::span<const Entry> list, std::string_view name, Name nameOf) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (equalIgnoringCase(name, nameOf(list[i])))
            return static_cast<int>(i + 1);
    return 0;
}

const char *codeName(const FilterCode &code) {
    return code.name;
}
const char *packetName(const FilterPacketCode &packet) {
    return packet.name;
}
const char *plainName(const char *const &name) {
    return name;
}

// The message-list position of a name: an ISDN message, or a V5 message as the V5 page names
// it ("PSTN/ESTABLISH", with the V5 mark); 0 when none.
int messagePosition(std::string_view name) {
    if (const int isdn = positionIn(isdnMessages(), name, codeName))
        return isdn;
    for (int p = kFirstV5MessagePosition; p <= kLastV5MessagePosition; ++p)
        if (equalIgnoringCase(name, v5MessageListText(p)))
            return kV5MessageMark | p;
    return 0;
}

std::string messageName(int message) {
    if (message & kV5MessageMark)
        return v5MessageListText(message & ~kV5MessageMark);
    const auto names = isdnMessages();
    return message >= 1 && message <= static_cast<int>(names.size())
               ? std::string(names[static_cast<std::size_t>(message - 1)].name)
               : std::string();
}

std::optional<int> decimal(std::string_view text, std::uint32_t max) {
    const auto value = parseDigits(text, 10, max);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

std::optional<int> hexadecimal(std::string_view text, std::uint32_t max) {
    const auto value = parseHexNumber(text, max);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

// An address pattern: digits, with "*" only at its start or its end.
bool validPattern(std::string_view pattern) {
    if (pattern.empty() || pattern.size() > kMaxFilterText)
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool star = c == '*' && (i == 0 || i + 1 == pattern.size());
        if (!star && !(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'F') && c != '#')
            return false;
    }
    return pattern != "*" && pattern != "**";
}

// Sets the criterion of key from value; false when the value does not fit.
bool setCriterion(FilterCriteria &c, Key key, std::string_view value, const CauseList *causes) {
    auto setNumber = [](bool &set, int &target, std::optional<int> number) {
        if (!number)
            return false;
        set = true;
        target = *number;
        return true;
    };
    auto setPattern = [](bool &set, std::string &target, std::string_view pattern) {
        if (!validPattern(pattern))
            return false;
        set = true;
        target.assign(pattern);
        return true;
    };
    switch (key) {
    case kLayer: {
        c.layer1 = c.layer2 = c.layer3 = false;
        bool any = false;
        for (char d : value) {
            if (d == ',')
                continue;
            if (d < '1' || d > '3')
                return false;
            (d == '1' ? c.layer1 : d == '2' ? c.layer2 : c.layer3) = true;
            any = true;
        }
        return any;
    }
    case kSapi:
        return setNumber(c.sapiSet, c.sapi, decimal(value, 63));
    case kTei:
        return setNumber(c.teiSet, c.tei, decimal(value, 127));
    case kDir:
        c.direction = positionIn(filterDirections(), value, plainName);
        return c.direction != 0;
    case kFrame:
        c.frameType = positionIn(layer2FrameTypes(), value, codeName);
        return c.frameType != 0;
    case kRr:
        if (equalIgnoringCase(value, "no") || equalIgnoringCase(value, "off"))
            c.keepRR = false;
        else if (equalIgnoringCase(value, "yes") || equalIgnoringCase(value, "on"))
            c.keepRR = true;
        else
            return false;
        return true;
    case kEfa:
        return setNumber(c.efaSet, c.efa, decimal(value, kEveryUserPortEfa));
    case kCr:
        return setNumber(c.callRefSet, c.callRef, hexadecimal(value, 0x7FFF));
    case kLocal:
        return setPattern(c.localAddressSet, c.localAddress, value);
    case kRemote:
        return setPattern(c.remoteAddressSet, c.remoteAddress, value);
    case kPd:
        return setNumber(c.pdSet, c.pd, hexadecimal(value, 0xFF));
    case kMsg:
        c.message = messagePosition(value);
        return c.message != 0;
    case kCause: {
        // Digits alone are a decimal cause, digits with 0x or a trailing H hexadecimal, and
        // anything else a name.
        const bool digits = !value.empty() && std::all_of(value.begin(), value.end(), [](char d) {
            return d >= '0' && d <= '9';
        });
        const bool hex =
            value.size() > 2 && (value.substr(0, 2) == "0x" || value.substr(0, 2) == "0X");
        const bool hexH = value.size() > 1 && isHexSuffix(value.back()) &&
                          parseDigits(value.substr(0, value.size() - 1), 16).has_value();
        c.causeFormat = digits ? kCauseDecimal : hex || hexH ? kCauseHexa : kCauseMnemonics;
        if (!causeNumber(value, c.causeFormat, causes))
            return false;
        c.causeSet = true;
        c.causeText.assign(value);
        return true;
    }
    case kLcn:
        return setNumber(c.lcnSet, c.lcn, decimal(value, 0xFFF));
    case kX25Local:
        return setPattern(c.x25LocalAddressSet, c.x25LocalAddress, value);
    case kX25Remote:
        return setPattern(c.x25RemoteAddressSet, c.x25RemoteAddress, value);
    case kPacket:
        c.packetType = positionIn(x25Packets(), value, packetName);
        return c.packetType != 0;
    case kCug:
        return setNumber(c.cugSet, c.cug, decimal(value, 9999));
    case kKeyCount:
        break;
    }
    return false;
}

void appendTerm(std::string &line, Key key, const std::string &value) {
    if (!line.empty())
        line += ' ';
    line += kKeys[key];
    line += '=';
    const bool quote = std::any_of(value.begin(), value.end(), isBlank) || value.empty();
    if (quote)
        line += '"';
    line += value;
    if (quote)
        line += '"';
}

std::string hexText(int value, int digits) {
    std::string text;
    appendHex(text, static_cast<unsigned>(value), digits);
    return text;
}

// The terms of a line: each term's text and where its key ends ('=' or the end).
struct Term {
    std::string key;
    std::string value;
    bool hasValue = false;
    std::string text; // as written, for messages
};

bool splitTerms(std::string_view line, std::vector<Term> &terms, FilterLineError &error) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        Term term;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]) && line[i] != '=')
            term.key += line[i++];
        if (i < line.size() && line[i] == '=') {
            term.hasValue = true;
            ++i;
            if (i < line.size() && line[i] == '"') {
                const std::size_t close = line.find('"', i + 1);
                if (close == std::string_view::npos) {
                    error = {FilterLineError::OpenQuote, std::string(line.substr(start))};
                    return false;
                }
                term.value.assign(line.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                while (i < line.size() && !isBlank(line[i]))
                    term.value += line[i++];
            }
        }
        term.text.assign(line.substr(start, i - start));
        terms.push_back(std::move(term));
    }
    return true;
}

// Whether criteria hold a criterion that only a layer-3 frame can meet.
bool layer3Only(const FilterCriteria &c) {
    return c.callRefSet || c.localAddressSet || c.remoteAddressSet || c.pdSet || c.message != 0 ||
           c.causeSet || c.lcnSet || c.x25LocalAddressSet || c.x25RemoteAddressSet ||
           c.packetType != 0 || c.cugSet;
}

// Whether criteria hold a criterion of the layer-2 keys.
bool layer2Criteria(const FilterCriteria &c) {
    return c.sapiSet || c.teiSet || c.direction != 0 || c.frameType != 0 || !c.keepRR || c.efaSet;
}

} // namespace

FilterLineResult parseFilterLine(std::string_view line, const CauseList *causes) {
    FilterLineResult result;
    std::vector<Term> terms;
    if (!splitTerms(line, terms, result.error))
        return result;
    FilterCriteria criteria;
    bool seen[kKeyCount] = {};
    for (const Term &term : terms) {
        const std::optional<Key> key = keyNamed(term.key);
        if (!key) {
            result.error = {FilterLineError::UnknownKey, term.text};
            return result;
        }
        if (!term.hasValue || term.value.empty()) {
            result.error = {FilterLineError::NoValue, term.text};
            return result;
        }
        if (seen[*key]) {
            result.error = {FilterLineError::Repeated, term.text};
            return result;
        }
        seen[*key] = true;
        if (!setCriterion(criteria, *key, term.value, causes)) {
            result.error = {FilterLineError::BadValue, term.text};
            return result;
        }
    }
    // Criteria of layer 3 alone select layer-3 frames: "msg=SETUP" shows the SETUP messages,
    // not them and every frame of the lower layers, unless the line says which layers.
    // The layer-2 criteria (SAPI, TEI, direction, frame type, RR, EFA) apply to the frames of
    // layer 3 too, but only while layer 2 is shown: a line that leaves it out would have them
    // ignored without a word, so it is refused, and without a layer term layer 2 stays in.
    const Key layer2Keys[] = {kSapi, kTei, kDir, kFrame, kRr, kEfa};
    const Key *layer2Key = std::find_if(std::begin(layer2Keys), std::end(layer2Keys),
                                        [&seen](Key k) { return seen[k]; });
    if (seen[kLayer] && !criteria.layer2 && layer2Key != std::end(layer2Keys)) {
        for (const Term &term : terms)
            if (keyNamed(term.key) == *layer2Key)
                result.error = {FilterLineError::NeedsLayer2, term.text};
        return result;
    }
    if (!seen[kLayer] && layer3Only(criteria)) {
        criteria.layer1 = false;
        criteria.layer2 = layer2Key != std::end(layer2Keys);
    }
    result.criteria = criteria;
    return result;
}

std::string filterLine(const FilterCriteria &c) {
    std::string line;
    // Without a layer term, layer-3 criteria select layer 3 alone: every layer is then said.
    const bool implied = layer3Only(c) && !c.layer1 && c.layer3 && c.layer2 == layer2Criteria(c);
    if (!(c.layer1 && c.layer2 && c.layer3) ? !implied : layer3Only(c)) {
        std::string layers;
        for (const auto &[on, digit] : {std::pair{c.layer1, '1'}, {c.layer2, '2'}, {c.layer3, '3'}})
            if (on)
                layers += layers.empty() ? std::string(1, digit) : std::string(",") + digit;
        // No layer at all has no term: such a filter shows nothing, and the sheet refuses it.
        if (!layers.empty())
            appendTerm(line, kLayer, layers);
    }
    if (c.sapiSet)
        appendTerm(line, kSapi, std::to_string(c.sapi));
    if (c.teiSet)
        appendTerm(line, kTei, std::to_string(c.tei));
    const auto directions = filterDirections();
    if (c.direction >= 1 && c.direction <= static_cast<int>(directions.size()))
        appendTerm(line, kDir, directions[static_cast<std::size_t>(c.direction - 1)]);
    const auto frames = layer2FrameTypes();
    if (c.frameType >= 1 && c.frameType <= static_cast<int>(frames.size()))
        appendTerm(line, kFrame, frames[static_cast<std::size_t>(c.frameType - 1)].name);
    if (!c.keepRR)
        appendTerm(line, kRr, "no");
    if (c.efaSet)
        appendTerm(line, kEfa, std::to_string(c.efa));
    if (c.callRefSet)
        appendTerm(line, kCr, hexText(c.callRef, 2));
    if (c.localAddressSet && validPattern(c.localAddress))
        appendTerm(line, kLocal, c.localAddress);
    if (c.remoteAddressSet && validPattern(c.remoteAddress))
        appendTerm(line, kRemote, c.remoteAddress);
    if (c.pdSet)
        appendTerm(line, kPd, hexText(c.pd, 2));
    if (const std::string name = messageName(c.message); !name.empty())
        appendTerm(line, kMsg, name);
    if (c.causeSet && !c.causeText.empty()) {
        // The text as the sheet keeps it, written so that it reads back in its own format.
        std::string text = c.causeText;
        if (c.causeFormat == kCauseHexa && text.size() > 0 && !isHexSuffix(text.back()) &&
            !(text.size() > 2 && (text[1] == 'x' || text[1] == 'X')))
            text = "0x" + text;
        appendTerm(line, kCause, text);
    }
    if (c.lcnSet)
        appendTerm(line, kLcn, std::to_string(c.lcn));
    if (c.x25LocalAddressSet && validPattern(c.x25LocalAddress))
        appendTerm(line, kX25Local, c.x25LocalAddress);
    if (c.x25RemoteAddressSet && validPattern(c.x25RemoteAddress))
        appendTerm(line, kX25Remote, c.x25RemoteAddress);
    const auto packets = x25Packets();
    if (c.packetType >= 1 && c.packetType <= static_cast<int>(packets.size()))
        appendTerm(line, kPacket, packets[static_cast<std::size_t>(c.packetType - 1)].name);
    if (c.cugSet)
        appendTerm(line, kCug, std::to_string(c.cug));
    return line;
}

std::vector<std::string> filterLineCompletions(const CauseList *causes) {
    std::vector<std::string> all;
    for (const char *key : kKeys)
        all.push_back(std::string(key) + "=");
    auto add = [&all](Key key, std::string_view value) {
        std::string term;
        appendTerm(term, key, std::string(value));
        all.push_back(std::move(term));
    };
    for (const char *direction : filterDirections())
        add(kDir, direction);
    for (const FilterCode &frame : layer2FrameTypes())
        add(kFrame, frame.name);
    add(kRr, "no");
    for (const FilterCode &message : isdnMessages())
        add(kMsg, message.name);
    for (int p = kFirstV5MessagePosition; p <= kLastV5MessagePosition; ++p)
        add(kMsg, v5MessageListText(p));
    std::vector<std::string> causeNames = knownCauseNames();
    if (causes)
        for (const CauseList::Entry &entry : causes->entries())
            causeNames.push_back(entry.name);
    std::sort(causeNames.begin(), causeNames.end());
    causeNames.erase(std::unique(causeNames.begin(), causeNames.end()), causeNames.end());
    for (const std::string &name : causeNames)
        add(kCause, name);
    for (const FilterPacketCode &packet : x25Packets())
        add(kPacket, packet.name);
    return all;
}

std::string filterTermFor(FrameValue value, const DecodedFrame &frame, int layerCategory) {
    const int layer = layerCategory < 0 ? -layerCategory : layerCategory;
    const bool callControl = layer == 3 && frame.l3Kind == kL3CallControl;
    std::string term;
    switch (value) {
    case FrameValue::Layer:
        if (layer >= 1 && layer <= 3)
            appendTerm(term, kLayer, std::to_string(layer));
        break;
    case FrameValue::Sapi:
        if (layer >= 2)
            appendTerm(term, kSapi, std::to_string(frame.sapi));
        break;
    case FrameValue::Tei:
        if (layer >= 2 && frame.tei <= 127)
            appendTerm(term, kTei, std::to_string(frame.tei));
        break;
    case FrameValue::Direction:
        if (frame.direction == kDirectionTeNt || frame.direction == kDirectionNtTe)
            appendTerm(term, kDir, filterDirections()[frame.direction - 1]);
        break;
    case FrameValue::CallRef:
        if (callControl && frame.crLength > 0 && frame.error == kDecodeOk)
            appendTerm(term, kCr, hexText(frame.callRef, 2));
        break;
    case FrameValue::Message:
        if (callControl && frame.error == kDecodeOk) {
            const auto messages = isdnMessages();
            for (std::size_t i = 0; i < messages.size(); ++i)
                if (messages[i].code == frame.messageType)
                    appendTerm(term, kMsg, messages[i].name);
        }
        break;
    case FrameValue::Cause:
        if (callControl && frame.cause >= 1 && frame.cause <= 127)
            appendTerm(term, kCause, std::to_string(frame.cause));
        break;
    case FrameValue::Calling:
    case FrameValue::Called: {
        // The address criteria are the local and the remote end of a call: the calling address
        // is the local one on a call the TE side makes.
        const std::string &address =
            value == FrameValue::Calling ? frame.callingAddress : frame.calledAddress;
        const bool teSide = frame.direction == kDirectionTeNt;
        const bool local = (value == FrameValue::Calling) == teSide;
        if (callControl && validPattern(address))
            appendTerm(term, local ? kLocal : kRemote, address);
        break;
    }
    }
    return term;
}

std::string withFilterTerm(std::string_view line, std::string_view term) {
    std::vector<Term> terms;
    FilterLineError ignored;
    const std::size_t equals = term.find('=');
    const std::string_view key = term.substr(0, equals);
    std::string out;
    if (splitTerms(line, terms, ignored)) {
        for (const Term &existing : terms)
            if (!equalIgnoringCase(existing.key, key)) {
                if (!out.empty())
                    out += ' ';
                out += existing.text;
            }
    } else {
        out.assign(line);
    }
    if (!out.empty())
        out += ' ';
    out += term;
    return out;
}

} // namespace qv
