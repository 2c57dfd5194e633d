#include "pdu/PduInterpreter.h"

#include <algorithm>
#include <cstring>

namespace qv::pdu {

namespace {

// Bounds that make every decode end, whatever the tables say: a table can loop on one byte
// (reuse, back to mark) or jump to itself with its byte pushed back.
constexpr std::uint32_t kMaxPasses = 1u << 16;
constexpr int kMaxDepth = 512;

constexpr const char *kErrorTexts[kErrorCount] = {
    "Error",
    "STACK: pop from empty stack",
    "STACK: top from empty stack",
    "STACK: push at full stack",
    "IE: too big",
    "IE: unexpected end of data",
    "IE: uninterpreted data left",
    "Error reading from message",
    "PNOT: data not found",
    "PNOT: logical chain failed",
    "PNOT: invalid table number",
    "CMND: invalid Jump Command",
    "CMND: x?xxxx: invalid code",
    "CMND: xxx?xx: invalid code",
    "CMND: xxxx??: invalid code",
    "CMND: x7x?xx: invalid code",
    "CMND: x6x?xx: invalid code",
    "CMND: ?xxxxx: invalid code",
    "CMND: 7?xxxx: invalid code",
    "FILE: Unable to open file",
    "SYNTAX: Error in notat. file",
};

struct PaddedMessages {
    char text[kErrorCount][kErrorMessageWidth + 1];
    PaddedMessages() {
        for (int i = 0; i < kErrorCount; ++i) {
            std::memset(text[i], ' ', kErrorMessageWidth);
            std::memcpy(text[i], kErrorTexts[i], std::strlen(kErrorTexts[i]));
            text[i][kErrorMessageWidth] = '\0';
        }
    }
};

const PaddedMessages &paddedMessages() {
    static const PaddedMessages messages;
    return messages;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kLengthLabel = " Lg = ";
constexpr std::string_view kPdLabel = "Protocol Discriminator..";

} // namespace

const char *errorMessage(int code) {
    if (code < 0 || code >= kErrorCount)
        code = 0;
    return paddedMessages().text[code];
}

bool PduInterpreter::initialise(std::uint8_t *arena, std::size_t size, const char *folder,
                                const char *listFile, LoaderMessageFn messages, void *context) {
    paddedMessages();
    store_.setMessageSink(messages, context);
    if (!store_.attach(arena, size, folder))
        return false;
    return store_.load(listFile);
}

bool PduInterpreter::fail(EngineError error, const char *why) {
    if (error_ == EngineError::None) {
        error_ = error;
        if (why)
            failDetail_ = "table " + std::to_string(table_) + ": " + why;
    }
    return false;
}

bool PduInterpreter::push(Stack &s, std::uint16_t v) {
    if (s.top >= kStackDepth - 1)
        return fail(EngineError::PushAtFullStack);
    s.cells[++s.top] = v;
    return true;
}

bool PduInterpreter::pop(Stack &s, std::uint16_t &v) {
    if (s.empty())
        return fail(EngineError::PopFromEmptyStack);
    v = s.cells[s.top--];
    return true;
}

bool PduInterpreter::top(const Stack &s, std::uint16_t &v) {
    if (s.empty())
        return fail(EngineError::TopOfEmptyStack);
    v = s.cells[s.top];
    return true;
}

bool PduInterpreter::select(std::uint16_t table) {
    const int r = store_.selectTable(table);
    if (r == kSelectOk) {
        table_ = table;
        cursor_ = {};
        return true;
    }
    return fail(r == kSelectNoMemory ? EngineError::Generic : static_cast<EngineError>(r));
}

EngineError PduInterpreter::decodeCommand(std::uint32_t word, Command &c) {
    c = Command{};
    const unsigned d1 = (word >> 24) & 0xF;
    const unsigned d2 = (word >> 16) & 0xF;
    const unsigned d3 = (word >> 12) & 0xF;
    const unsigned d4 = (word >> 8) & 0xF;
    const unsigned nn = word & 0xFF;
    c.attribute = static_cast<std::uint8_t>(d3);
    auto lineModeOk = [&] { return nn <= 2; };
    auto finish = [&] {
        if (c.lengthMode == LengthMode::FromBytes && c.lineMode == LineMode::NoLabel) {
            c.lengthLabel = true;
            c.lineMode = LineMode::EndLine;
        }
        return EngineError::None;
    };
    auto source = [&](unsigned digit) {
        static constexpr ValueSource kSource[] = {ValueSource::Read, ValueSource::Reuse,
                                                  ValueSource::Read, ValueSource::Pop,
                                                  ValueSource::Top,  ValueSource::Register};
        c.source = kSource[digit];
        c.push = digit == 2 || digit == 5 ? 1 : 0;
    };

    switch (d1) {
    case 0:
    case 2:
    case 3:
    case 4:
    case 5:
        c.kind = static_cast<CommandKind>(d1);
        break;
    case 1: {
        c.kind = CommandKind::Stop;
        std::uint16_t v = 0;
        if (nn != 0)
            v = static_cast<std::uint16_t>(nn);
        else if (!values_.empty())
            v = values_.cells[values_.top--];
        c.argument = v;
        return EngineError::None;
    }
    case 6:
    case 8:
        c.kind = d1 == 6 ? CommandKind::Jump : CommandKind::JumpAndReturn;
        c.argument = static_cast<std::uint16_t>(nn);
        if (d2 > 1 || d3 != 0 || d4 != 0)
            return EngineError::InvalidJump;
        c.pushBack = d2 == 1;
        c.lineMode = LineMode::NoLabel;
        return EngineError::None;
    case 7:
        c.kind = CommandKind::Plain;
        c.lengthMode = LengthMode::PushBack;
        c.argument = static_cast<std::uint16_t>(nn);
        c.lineMode = LineMode::NoLabel;
        if (d2 > 5)
            return EngineError::InvalidSecondDigitAfter7;
        source(d2);
        return EngineError::None;
    default:
        return EngineError::InvalidFirstDigit;
    }

    switch (d2) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        source(d2);
        break;
    case 6:
        c.source = ValueSource::Pop;
        if (d3 != 0 || d4 != 0)
            return EngineError::InvalidFourthDigitAfter6;
        if (!lineModeOk())
            return EngineError::InvalidArgument;
        c.lengthMode = LengthMode::SplitWord;
        c.format = Format::Label;
        c.lineMode = static_cast<LineMode>(nn);
        return finish();
    case 7:
        if (d3 != 0 || d4 != 0)
            return EngineError::InvalidFourthDigitAfter7;
        if (!lineModeOk())
            return EngineError::InvalidArgument;
        c.lengthMode = LengthMode::CaptureWord;
        c.format = Format::Label;
        c.lineMode = static_cast<LineMode>(nn);
        return finish();
    case 0xA:
    case 0xC:
        if (!lineModeOk())
            return EngineError::InvalidArgument;
        c.source = d2 == 0xC ? ValueSource::Reuse : ValueSource::Read;
        c.lengthMode = LengthMode::FromBytes;
        c.format = Format::Length;
        c.argument = static_cast<std::uint16_t>(d4);
        c.lineMode = static_cast<LineMode>(nn);
        return finish();
    case 0xB:
        c.lengthMode = LengthMode::LengthByte;
        c.format = Format::Length;
        c.lineMode = LineMode::EndLine;
        c.argument = static_cast<std::uint16_t>(nn);
        return finish();
    case 0xD:
        c.lengthMode = LengthMode::CountedField;
        c.lineMode = LineMode::NoLabel;
        break;
    case 0xE:
        c.lengthMode = LengthMode::CountedFieldLong;
        c.lineMode = LineMode::NoLabel;
        break;
    default:
        return EngineError::InvalidSecondDigit;
    }

    const bool counted =
        c.lengthMode == LengthMode::CountedField || c.lengthMode == LengthMode::CountedFieldLong;
    const auto n = static_cast<std::uint16_t>(nn);
    const auto mode = static_cast<LineMode>(nn);
    switch (d4) {
    case 0:
        if (counted) {
            c.format = Format::HexBytes;
        } else {
            c.format = Format::Label;
            c.lineMode = mode;
            c.argument = n;
        }
        break;
    case 1:
    case 2:
    case 4:
        c.format = d4 == 1 ? Format::Characters : d4 == 2 ? Format::HexBytes : Format::Decimal;
        if (!counted) {
            c.argument = n;
            c.lineMode = d4 == 4 ? mode : LineMode::EndLine;
        }
        break;
    case 3:
        if (nn & 0x0E)
            return EngineError::InvalidArgument;
        c.format = Format::Nibble;
        c.argument = n;
        c.lineMode = LineMode::Stay;
        break;
    case 5:
        c.format = Format::SwappedNibbles;
        c.argument = n;
        c.lineMode = LineMode::NoLabel;
        break;
    case 6:
        c.format = Format::BitPicture;
        c.argument = n;
        c.lineMode = LineMode::EndLine;
        break;
    case 7:
    case 8:
        c.format = d4 == 7 ? Format::RestInHex : Format::RestAsCharacters;
        c.argument = n;
        c.lineMode = mode;
        break;
    case 0xA:
    case 0xE:
        c.lengthMode = LengthMode::Fixed;
        c.format = Format::Length;
        c.argument = n;
        c.lineMode = LineMode::EndLine;
        break;
    case 0xB:
        c.lengthMode = LengthMode::Discriminator;
        c.format = Format::HexAndEnd;
        c.argument = n;
        c.lineMode = LineMode::NoLabel;
        break;
    case 0xC:
    case 0xD:
        c.lengthMode = d4 == 0xC ? LengthMode::AddToRegister : LengthMode::SetRegister;
        c.format = Format::None;
        c.argument = n;
        c.lineMode = LineMode::NoLabel;
        break;
    case 0xF:
        if (!lineModeOk())
            return EngineError::InvalidArgument;
        c.format = Format::Label;
        c.argument = n;
        c.lineMode = mode;
        break;
    default: // 9
        return EngineError::InvalidFourthDigit;
    }
    return finish();
}

// The command of the record that matched last. Commands that raise an error, and stops that
// take their argument from the value stack, are decoded every time.
EngineError PduInterpreter::matchedCommand(Command &command) {
    CachedCommand &slot = commandCache_[(word_ * 2654435761u) >> 22 & (kCommandCacheSize - 1)];
    if (slot.word == word_) {
        command = slot.command;
        return EngineError::None;
    }
    const EngineError error = decodeCommand(word_, command);
    const bool stopFromStack = ((word_ >> 24) & 0xF) == 1 && (word_ & 0xFF) == 0;
    if (error == EngineError::None && !stopFromStack) {
        slot.word = word_;
        slot.command = command;
    }
    return error;
}

// The look-ahead is taken from the cursor as it stood before the lookup; only a next-group
// command uses it, so it is worked out when one matched.
void PduInterpreter::nextGroup() {
    const NotationRecord *t = store_.current();
    std::uint16_t j = lookAheadFrom_.index;
    const std::uint8_t level = lookAheadFrom_.level;
    while (t[j].level != kEndLevel && t[j].level == level)
        ++j;
    const int run = j - lookAheadFrom_.index;
    lookAheadOk_ = !(run == 1 || t[j].level <= level);
    lookAhead_ = j;
}

PduInterpreter::Status PduInterpreter::lookup(std::uint8_t byte) {
    const NotationRecord *t = store_.current();
    const std::uint16_t *next = store_.currentNextSibling();
    std::uint16_t i = cursor_.index;
    const int level = cursor_.level;
    if (const std::uint16_t *groups = store_.currentGroups();
        groups && groups[i] && t[i].level == level)
        i = store_.dispatchMap(static_cast<std::uint16_t>(groups[i] - 1))[byte];
    for (;;) {
        // The end marker's level is above every real level, so the skip stops at it too.
        while (t[i].level > level && t[i].level != kEndLevel)
            ++i;
        const NotationRecord &r = t[i];
        if (r.level == kEndLevel)
            return kNoMatch;
        if (r.level < level) {
            cursor_ = {};
            return kNoMatch;
        }
        const bool match = r.masked ? (byte & r.mask) == r.value : byte == r.value;
        if (!match) {
            i = next[i]; // over the record's children to its next sibling
            continue;
        }
        std::memcpy(label_, r.label, kLabelLength);
        word_ = r.command;
        const NotationRecord &next = t[i + 1];
        if (next.level == kEndLevel || next.level < level + 1) {
            cursor_ = {};
            return kLeaf;
        }
        cursor_ = {static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(level + 1)};
        return kChildren;
    }
}

bool PduInterpreter::popLengths() {
    while (elementLength_ == 0 && !lengths_.empty()) {
        std::uint16_t v = 0;
        pop(lengths_, v);
        elementLength_ = v;
    }
    return true;
}

// The end of an element: the enclosing one goes on, and a pending return table takes the rest.
bool PduInterpreter::finishElement(bool &goOn) {
    popLengths();
    if (returnPending_) {
        returnPending_ = false;
        if (!runTable(returnTable_))
            return false;
    }
    goOn = elementLength_ != 0 && !stopped_;
    return true;
}

bool PduInterpreter::lengthStage(std::uint8_t byte) {
    Command &c = command_;
    auto bigEndian = [&](std::uint32_t first, unsigned more, std::uint32_t &out) {
        out = first;
        for (unsigned k = 0; k < more; ++k) {
            std::uint8_t b = 0;
            if (!readByte(b))
                return false;
            out = out > 0xFFFFFF ? 0xFFFFFFFFu : out * 256 + b;
        }
        return true;
    };
    std::uint32_t length = 0;
    switch (c.lengthMode) {
    case LengthMode::FromBytes:
        if (!bigEndian(byte, c.argument, length))
            return false;
        break;
    case LengthMode::Fixed:
        length = c.argument;
        break;
    case LengthMode::LengthByte: {
        std::uint8_t b = 0;
        if (!readByte(b))
            return false;
        lengthByte_ = b;
        length = b > c.argument ? b - c.argument : 0;
        break;
    }
    case LengthMode::CountedField:
    case LengthMode::CountedFieldLong: {
        if (c.lengthMode == LengthMode::CountedFieldLong && (byte & 0x80)) {
            if (!bigEndian(0, byte & 0x7Fu, length))
                return false;
        } else if (!bigEndian(byte, c.argument, length)) {
            return false;
        }
        if (length == 0) {
            c.format = Format::None;
            output_.endLine();
            return true;
        }
        const std::uint32_t outer = elementLength_;
        elementLength_ = length;
        std::uint8_t first = 0;
        if (!readByte(first))
            return false;
        c.argument = static_cast<std::uint16_t>(length > 0xFFFF ? 0xFFFF : length);
        if (!showValue(first))
            return false;
        output_.endLine();
        c.argument = 0;
        c.format = Format::None;
        // The field's bytes were read from the element that holds it.
        elementLength_ = outer < length ? 0 : outer - length;
        return true;
    }
    default:
        return true;
    }
    newLength_ = length;
    if (length > elementLength_)
        return fail(EngineError::ElementTooBig);
    if (!push(lengths_, static_cast<std::uint16_t>(elementLength_ - length)))
        return false;
    elementLength_ = length;
    r_ = startValue_;
    return true;
}

bool PduInterpreter::pushStage(std::uint8_t byte) {
    Command &c = command_;
    if (c.push && !push(values_, byte))
        return false;
    switch (c.lengthMode) {
    case LengthMode::SplitWord: {
        std::uint8_t next = 0;
        if (!readByte(next))
            return false;
        const unsigned v = byte * 256u + next;
        return push(values_, static_cast<std::uint16_t>(v & 0x1F)) &&
               push(values_, static_cast<std::uint16_t>((v >> 5) & 0x3F)) &&
               push(values_, static_cast<std::uint16_t>(v >> 11));
    }
    case LengthMode::CaptureWord: {
        std::uint8_t next = 0;
        if (!readByte(next))
            return false;
        r2_ = static_cast<std::uint16_t>(byte * 256u + next);
        return true;
    }
    case LengthMode::Fixed:
        if (elementLength_ == 0) {
            c.format = Format::Label;
            c.lineMode = LineMode::Stay;
        }
        return true;
    case LengthMode::AddToRegister:
        r_ = static_cast<std::uint16_t>(r_ + c.argument);
        return true;
    case LengthMode::SetRegister:
        r_ = c.argument;
        return true;
    case LengthMode::PushBack:
        pushedBack_ = static_cast<std::uint8_t>(c.argument);
        hasPushedBack_ = true;
        return true;
    default:
        return true;
    }
}

bool PduInterpreter::display(std::uint8_t byte) {
    const Command &c = command_;
    if (c.lineMode != LineMode::NoLabel) {
        if (c.lengthLabel)
            output_.write(kLengthLabel, c.attribute);
        else
            output_.write(std::string_view(label_, kLabelLength), c.attribute);
        if ((c.lengthMode == LengthMode::Fixed || c.lengthMode == LengthMode::LengthByte) &&
            c.format == Format::Length)
            output_.write(kLengthLabel, c.attribute);
    }
    if (c.lengthMode == LengthMode::Discriminator)
        output_.write(kPdLabel, c.attribute);
    if (!showValue(byte))
        return false;
    if (command_.lineMode == LineMode::EndLine)
        output_.endLine();
    return true;
}

// Formats 3, 4, 7 and 9: the matched byte and as many next bytes as the argument says, or every
// byte left in the element when it says none.
bool PduInterpreter::showBytes(std::uint8_t byte, Format format) {
    const Command &c = command_;
    const std::uint32_t count = c.argument != 0 ? c.argument : 1 + elementLength_;
    const std::uint8_t a = c.attribute;
    if (format == Format::Characters) {
        output_.write(' ', a);
        output_.write(static_cast<char>(byte), a);
        // The characters that follow come straight from the message.
        std::uint32_t left = count - 1;
        if (left > 0 && hasPushedBack_) {
            std::uint8_t b = 0;
            readByte(b);
            output_.write(static_cast<char>(b), a);
            --left;
        }
        const std::uint32_t available =
            std::min<std::uint32_t>(left, std::min<std::uint32_t>(elementLength_, messageLeft_));
        output_.writeEach(message_, available, a);
        message_ += available;
        if (available > 0)
            output_.markOctet(static_cast<std::uint16_t>(message_ - messageStart_ - 1));
        messageLeft_ = static_cast<std::uint16_t>(messageLeft_ - available);
        elementLength_ -= available;
        if (available < left)
            return fail(elementLength_ == 0 ? EngineError::UnexpectedEndOfData
                                            : EngineError::MessageReadFailed);
        return true;
    }
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint8_t b = byte;
        if (k > 0 && !readByte(b))
            return false;
        switch (format) {
        case Format::Characters:
            output_.write(static_cast<char>(b), a);
            break;
        case Format::HexBytes:
            output_.hexByte(b, a);
            break;
        case Format::SwappedNibbles: {
            const char text[2] = {kHexDigits[b & 15], kHexDigits[b >> 4]};
            output_.write(std::string_view(text, 2), a);
            break;
        }
        default:
            output_.bitPicture(b, a);
            break;
        }
    }
    return true;
}

bool PduInterpreter::decimalValue(std::uint8_t byte) {
    Command &c = command_;
    const std::uint8_t a = c.attribute;
    const unsigned arg = c.argument;
    auto next = [&](std::uint8_t &b) { return readByte(b); };
    if (c.lengthMode == LengthMode::CountedField || c.lengthMode == LengthMode::CountedFieldLong) {
        std::uint32_t v = byte;
        while (elementLength_ > 0) {
            std::uint8_t b = 0;
            if (!next(b))
                return false;
            v = v * 256 + b;
        }
        output_.unsignedDecimal(v, a);
        return true;
    }
    if (arg < 16) {
        output_.fiveDigits(byte, a);
        c.lineMode = static_cast<LineMode>(arg);
        return true;
    }
    if (arg >= 0x11 && arg <= 0x14) {
        std::uint32_t v = byte;
        for (unsigned k = 0; k < arg - 0x11; ++k) {
            std::uint8_t b = 0;
            if (!next(b))
                return false;
            v = v * 256 + b;
        }
        output_.unsignedDecimal(v, a);
        c.lineMode = LineMode::EndLine;
        return true;
    }
    if (arg >= 0x22 && arg <= 0x24) {
        std::uint8_t bytes[4] = {byte};
        const int count = static_cast<int>(arg - 0x21) + 1;
        for (int k = 1; k < count; ++k)
            if (!next(bytes[k]))
                return false;
        output_.dotted(bytes, count, a);
        c.lineMode = LineMode::EndLine;
        return true;
    }
    if (arg >= 0x31 && arg <= 0x37) {
        const unsigned bits = 7 - (arg - 0x31);
        output_.fiveDigits(byte & ((1u << bits) - 1), a);
        c.lineMode = LineMode::EndLine;
        return true;
    }
    if (arg >= 0x41 && arg <= 0x47) {
        std::uint8_t b = 0;
        if (!next(b))
            return false;
        const unsigned bits = 15 - (arg - 0x41);
        output_.fiveDigits((byte * 256u + b) & ((1u << bits) - 1), a);
        c.lineMode = LineMode::EndLine;
        return true;
    }
    if (arg >= 0x51 && arg <= 0x57) {
        std::uint8_t b = 0;
        if (!next(b))
            return false;
        unsigned v = byte * 128u + (b & 0x7Fu);
        if (arg != 0x51)
            v &= (1u << (14 - (arg - 0x52))) - 1;
        output_.fiveDigits(v, a);
        c.lineMode = LineMode::EndLine;
        return push(values_, b);
    }
    if (arg == 0x60 || arg == 0x61) {
        const int n = static_cast<int>(elementLength_) - (arg == 0x61 ? 1 : 0);
        std::uint8_t b1 = 0, b2 = 0, b3 = 0;
        if (!next(b1))
            return false;
        std::uint32_t v;
        if (n == 2) {
            if (!next(b2))
                return false;
            v = byte * 1024u + (b1 & 0x78u) * 8 + (b2 & 0x7Eu) / 2;
        } else if (n == 3) {
            if (!next(b2) || !next(b3))
                return false;
            v = byte * 131072u + (b1 & 0x78u) * 1024 + (b2 & 0x7Fu) * 64;
            v = (b3 & 1) == 0 ? v + (b3 & 0x7Eu) / 2 : v / 64;
        } else {
            v = byte * 16u + (b1 & 0x78u) / 8;
        }
        output_.unsignedDecimal(v, a);
        c.lineMode = LineMode::EndLine;
        return push(values_, b1);
    }
    return true;
}

bool PduInterpreter::showValue(std::uint8_t byte) {
    Command &c = command_;
    const std::uint8_t a = c.attribute;
    switch (c.format) {
    case Format::Label:
        if (c.lengthMode == LengthMode::CaptureWord)
            output_.fiveDigits(r2_, a);
        return true;
    case Format::Length:
        output_.fiveDigits(c.lengthMode == LengthMode::LengthByte ? lengthByte_ : newLength_, a);
        return true;
    case Format::Characters:
    case Format::HexBytes:
    case Format::SwappedNibbles:
    case Format::BitPicture:
        return showBytes(byte, c.format);
    case Format::Nibble:
        output_.write(kHexDigits[c.argument == 0 ? byte & 15 : byte >> 4], a);
        return true;
    case Format::Decimal:
        return decimalValue(byte);
    case Format::HexAndEnd:
        output_.hexByte(byte, a);
        output_.endLine();
        return true;
    case Format::RestInHex:
    case Format::RestAsCharacters: {
        // The rest of the element is shown without being read.
        const std::uint32_t left = elementLength_ < messageLeft_ ? elementLength_ : messageLeft_;
        for (std::uint32_t k = 0; k <= left; ++k) {
            const std::uint8_t b = k == 0 ? byte : message_[k - 1];
            if (c.format == Format::RestInHex)
                output_.hexByte(b, a);
            else
                output_.write(static_cast<char>(b), a);
        }
        output_.endLine();
        c.lineMode = LineMode::NoLabel;
        return true;
    }
    default:
        return true;
    }
}

bool PduInterpreter::cursorStage() {
    const NotationRecord *t = store_.current();
    std::uint16_t index = 0;
    switch (command_.kind) {
    case CommandKind::Mark:
        return push(marks_, cursor_.index);
    case CommandKind::BackToMark:
        if (!pop(marks_, index))
            return false;
        break;
    case CommandKind::RepeatFromMark:
        if (!top(marks_, index))
            return false;
        break;
    case CommandKind::NextGroup:
        nextGroup();
        if (!lookAheadOk_)
            return fail(EngineError::LogicalChainFailed);
        index = lookAhead_;
        break;
    default:
        return true;
    }
    // Marks and look-ahead results are positions in this table, never past its end marker.
    if (index > store_.currentEnd())
        return fail(EngineError::Generic, "a position beyond the end of the table");
    cursor_ = {index, t[index].level};
    return true;
}

bool PduInterpreter::runTable(std::uint16_t table) {
    if (depth_ >= kMaxDepth)
        return fail(EngineError::Generic, "tables called within each other more than 512 deep");
    popLengths();
    if (elementLength_ == 0 && !hasPushedBack_)
        return true;
    char label[kLabelLength + 1];
    std::memcpy(label, label_, sizeof label);
    const std::uint32_t word = word_;
    values_ = Stack{};
    marks_ = Stack{};
    r_ = startValue_;
    if (!select(table))
        return false;
    command_ = kPlainCommand;
    ++depth_;
    const bool ok = runLoop();
    --depth_;
    std::memcpy(label_, label, sizeof label);
    word_ = word;
    return ok;
}

bool PduInterpreter::jumpWithinGroup() {
    if (!push(marks_, cursor_.index))
        return false;
    const std::uint16_t savedR = r_;
    const Stack savedLengths = lengths_, savedValues = values_, savedMarks = marks_;
    const std::uint16_t savedTable = table_;
    lengths_ = values_ = marks_ = Stack{};
    if (!runTable(command_.argument))
        return false;
    if (stopped_)
        return true;
    r_ = savedR;
    lengths_ = savedLengths;
    values_ = savedValues;
    marks_ = savedMarks;
    if (!select(savedTable))
        return false;
    std::uint16_t mark = 0;
    if (!pop(marks_, mark))
        return false;
    if (mark > store_.currentEnd())
        return fail(EngineError::Generic, "a mark beyond the end of the table");
    cursor_ = {mark, store_.current()[mark].level};
    command_ = Command{};
    command_.source = ValueSource::Register;
    return true;
}

bool PduInterpreter::runLoop() {
    for (;;) {
        if (++passes_ > kMaxPasses)
            return fail(EngineError::Generic,
                        "more than 65536 steps for one message (the table loops)");
        // 1. The byte to match, by the source of the command in force.
        std::uint8_t byte = 0;
        std::uint16_t v = 0;
        switch (command_.source) {
        case ValueSource::Read:
            if (!readByte(byte))
                return false;
            break;
        case ValueSource::Reuse:
            byte = currentByte_;
            break;
        case ValueSource::Pop:
            if (!pop(values_, v))
                return false;
            byte = static_cast<std::uint8_t>(v);
            break;
        case ValueSource::Top:
            if (!top(values_, v))
                return false;
            byte = static_cast<std::uint8_t>(v);
            break;
        default:
            byte = static_cast<std::uint8_t>(r_);
            break;
        }
        lookAheadFrom_ = cursor_;
        status_ = lookup(byte);
        if (status_ == kNoMatch)
            return fail(EngineError::DataNotFound);
        currentByte_ = byte;
        if (const EngineError e = matchedCommand(command_); e != EngineError::None)
            return fail(e);
        const Command &c = command_;
        if (c.pushBack) {
            pushedBack_ = byte;
            hasPushedBack_ = true;
        }
        newLength_ = 0;

        // 2 to 5: lengths, pushes, display, cursor.
        if (!lengthStage(byte))
            return false;
        if (c.kind != CommandKind::Stop && (!pushStage(byte) || !display(byte)))
            return false;
        if (!cursorStage())
            return false;

        // 6. The element is exhausted.
        if (elementLength_ == 0 && startValue_ == 3 && c.kind != CommandKind::Jump &&
            c.kind != CommandKind::JumpAndReturn && c.source == ValueSource::Read && c.push == 0) {
            cursor_ = {};
            bool goOn = false;
            if (!finishElement(goOn))
                return false;
            if (!goOn)
                return true;
            continue;
        }

        // 7. Dispatch.
        if (status_ == kChildren) {
            if (elementLength_ == 0 && c.source == ValueSource::Read)
                return fail(EngineError::UnexpectedEndOfData);
            if (elementLength_ != 0 && c.kind == CommandKind::Jump) {
                output_.endLine();
                if (!jumpWithinGroup())
                    return false;
                if (stopped_)
                    return true;
            }
            continue;
        }
        switch (c.kind) {
        case CommandKind::Stop:
            stopped_ = true;
            stopArgument_ = c.argument;
            return true;
        case CommandKind::BackToMark:
        case CommandKind::RepeatFromMark: {
            if (elementLength_ != 0 || c.source != ValueSource::Read)
                continue;
            output_.endLine();
            const bool dropMark = c.kind == CommandKind::RepeatFromMark;
            bool goOn = false;
            if (!finishElement(goOn))
                return false;
            std::uint16_t mark = 0;
            if (dropMark && !pop(marks_, mark))
                return false;
            if (!goOn)
                return true;
            continue;
        }
        case CommandKind::NextGroup:
            if (elementLength_ == 0 && c.source == ValueSource::Read)
                return fail(EngineError::UnexpectedEndOfData);
            continue;
        case CommandKind::JumpAndReturn:
            returnPending_ = true;
            returnTable_ = table_;
            [[fallthrough]];
        case CommandKind::Jump: {
            if (elementLength_ == 0)
                output_.endLine();
            return runTable(c.argument);
        }
        default: {
            if (elementLength_ != 0)
                return fail(EngineError::DataLeft);
            output_.endLine();
            bool goOn = false;
            if (!finishElement(goOn))
                return false;
            if (!goOn)
                return true;
            continue;
        }
        }
    }
}

PduDecodeResult PduInterpreter::decode(const std::uint8_t *message, std::uint16_t length,
                                       std::uint16_t startTable, std::uint16_t startValue) {
    message_ = message;
    messageStart_ = message;
    messageLeft_ = message ? length : 0;
    elementLength_ = messageLeft_;
    lengths_ = values_ = marks_ = Stack{};
    cursor_ = {};
    r_ = startValue;
    r2_ = 0;
    startValue_ = startValue;
    // Nothing of an earlier decode carries over, not even after an error.
    hasPushedBack_ = false;
    returnPending_ = false;
    stopped_ = false;
    stopArgument_ = 0;
    error_ = EngineError::None;
    failDetail_.clear();
    depth_ = 0;
    passes_ = 0;
    std::memset(label_, ' ', kLabelLength);
    word_ = 0;
    output_.begin();

    bool ok = select(startTable);
    if (ok) {
        command_ = kPlainCommand;
        ok = runLoop();
    }
    PduDecodeResult result;
    if (!ok) {
        output_.endLine();
        output_.write("ERROR: ", 0);
        output_.write(std::string_view(errorMessage(static_cast<int>(error_)), kErrorMessageWidth),
                      0);
        // Which table went wrong, and how, where the fixed text alone would not tell.
        if (!failDetail_.empty())
            output_.write(" (" + failDetail_ + ")", 0);
        output_.endLine();
        result.error = static_cast<int>(error_);
    }
    result.endCell = output_.finish();
    result.output = &output_;
    result.endColumn = static_cast<std::uint16_t>(output_.column());
    result.cells = output_.cells();
    if (stopped_) {
        result.stopArgument = stopArgument_;
        result.bytesLeft = static_cast<std::uint16_t>(elementLength_);
    }
    return result;
}

} // namespace qv::pdu
