#pragma once
// The table-driven layer-3 interpreter: decodes one message by walking the tables of its
// NotationStore, writing display cells into its PduOutput. It knows no protocol; every decision
// comes from the command code of the record that matched the last byte.
//
// One object is one interpreter instance with its own arena and its own decode state, so that
// instances on different threads never share anything. A decode allocates nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pdu/NotationStore.h"
#include "pdu/PduOutput.h"

namespace qv::pdu {

inline constexpr int kStackDepth = 20;
inline constexpr int kErrorCount = 21;
inline constexpr std::size_t kErrorMessageWidth = 28;

// The errors that end a decode; their numbers are the ones the error rows and the store's
// selection answers use.
enum class EngineError : int {
    None = -1,
    Generic = 0,
    PopFromEmptyStack = 1,
    TopOfEmptyStack = 2,
    PushAtFullStack = 3,
    ElementTooBig = 4,
    UnexpectedEndOfData = 5,
    DataLeft = 6,
    MessageReadFailed = 7,
    DataNotFound = 8,
    LogicalChainFailed = 9,
    InvalidTable = 10,
    InvalidJump = 11,
    InvalidSecondDigit = 12,
    InvalidFourthDigit = 13,
    InvalidArgument = 14,
    InvalidFourthDigitAfter7 = 15,
    InvalidFourthDigitAfter6 = 16,
    InvalidFirstDigit = 17,
    InvalidSecondDigitAfter7 = 18,
    FileNotOpened = 19,
    NotationSyntax = 20,
};

// The message of an engine error, padded with blanks to 28 characters.
const char *errorMessage(int code);

struct PduDecodeResult {
    std::uint16_t endCell = 0;   // index of the end cell
    std::uint16_t endColumn = 0; // column at the end
    const std::uint16_t *cells = nullptr;
    std::uint16_t stopArgument = 0;
    std::uint16_t bytesLeft = 0;       // of the current element, when the decode ended on a stop
    int error = -1;                    // the engine error that ended the decode, -1 for none
    const PduOutput *output = nullptr; // the output the cells are in, with its octet marks
};

// What a command does once its record matched the byte.
enum class CommandKind : std::uint8_t {
    Plain,
    Stop,
    Mark,
    BackToMark,     // and the mark is dropped
    RepeatFromMark, // the mark stays for the next pass
    NextGroup,
    Jump,
    JumpAndReturn,
};

// Where the byte a record is matched against comes from.
enum class ValueSource : std::uint8_t { Read, Reuse, Pop, Top, Register };

// What a command does with the length of the element and the registers.
enum class LengthMode : std::uint8_t {
    None,
    SplitWord,        // two bytes, pushed as their fields of 5, 6 and 5 bits
    CaptureWord,      // two bytes kept in R2
    FromBytes,        // the element length, in the byte and as many more as the argument says
    Fixed,            // the element length is the argument
    AddToRegister,    // R += argument
    SetRegister,      // R = argument
    PushBack,         // the argument is given back as the next byte
    LengthByte,       // the next byte, less the argument, is the element length
    Discriminator,    // the protocol discriminator line
    CountedField,     // a field of the length the byte gives
    CountedFieldLong, // the same, a long length when the byte's top bit is set
};

// How the value of a matched record is shown.
enum class Format : std::uint8_t {
    None,
    Label,  // the label alone (with R2 after a captured word)
    Length, // the element length in five digits
    Characters,
    HexBytes,
    Nibble,         // one nibble, low or high as the argument says
    Decimal,        // one of the decimal forms the argument chooses
    SwappedNibbles, // as in telephone numbers
    HexAndEnd,
    BitPicture,
    RestInHex, // the rest of the element, shown without being read
    RestAsCharacters,
};

// What follows the value on the line.
enum class LineMode : std::uint8_t { Stay, EndLine, NoLabel };

// A decoded command word.
struct Command {
    CommandKind kind = CommandKind::Plain;
    ValueSource source = ValueSource::Read;
    std::uint8_t push = 0;
    LengthMode lengthMode = LengthMode::None;
    std::uint16_t argument = 0;
    Format format = Format::None;
    LineMode lineMode = LineMode::Stay;
    std::uint8_t attribute = 0;
    bool lengthLabel = false; // the label printed is " Lg = "
    bool pushBack = false;    // a jump that gives its byte to the target table
};

// The command a table starts with, before any record matched: the word 000000 decoded.
inline constexpr Command kPlainCommand{CommandKind::Plain,
                                       ValueSource::Read,
                                       0,
                                       LengthMode::None,
                                       0,
                                       Format::Label,
                                       LineMode::Stay,
                                       0,
                                       false,
                                       false};

class PduInterpreter {
public:
    PduInterpreter() = default;
    PduInterpreter(const PduInterpreter &) = delete;
    PduInterpreter &operator=(const PduInterpreter &) = delete;

    // Takes the arena (not owned; it must outlive the interpreter), opens the notation folder
    // and loads the List File. False when the List File cannot be opened.
    bool initialise(std::uint8_t *arena, std::size_t size, const char *folder, const char *listFile,
                    LoaderMessageFn messages = nullptr, void *context = nullptr);
    PduDecodeResult decode(const std::uint8_t *message, std::uint16_t length,
                           std::uint16_t startTable, std::uint16_t startValue);

    const NotationStore &store() const { return store_; }
    NotationStore &store() { return store_; }
    const PduOutput &output() const { return output_; }

    // Decodes a command word as the engine does; the engine error it raises, None when it is
    // sound. The value stack provides the argument of a stop whose code names none.
    EngineError decodeCommand(std::uint32_t word, Command &command);

private:
    struct Stack {
        std::int16_t top = -1;
        std::uint16_t cells[kStackDepth] = {};
        bool empty() const { return top < 0; }
    };
    struct Cursor {
        std::uint16_t index = 0;
        std::uint8_t level = 0;
    };
    enum Status : std::uint8_t { kLeaf = 0, kChildren = 2, kNoMatch = 4 };

    // Each returns false once an error has been raised (error_ then holds it).
    // why, when given, says which table went wrong and how, after the error row.
    bool fail(EngineError error, const char *why = nullptr);
    bool push(Stack &s, std::uint16_t v);
    bool pop(Stack &s, std::uint16_t &v);
    bool top(const Stack &s, std::uint16_t &v);
    // A byte given back was already counted when it was first read (or was never part of the
    // message): it is returned even when the element has no byte left.
    bool readByte(std::uint8_t &byte) {
        if (hasPushedBack_) {
            byte = pushedBack_;
            hasPushedBack_ = false;
            return true;
        }
        if (elementLength_ == 0)
            return fail(EngineError::UnexpectedEndOfData);
        if (messageLeft_ == 0)
            return fail(EngineError::MessageReadFailed);
        output_.markOctet(static_cast<std::uint16_t>(message_ - messageStart_));
        byte = *message_++;
        --messageLeft_;
        --elementLength_;
        return true;
    }
    bool select(std::uint16_t table);
    Status lookup(std::uint8_t byte);
    void nextGroup();
    bool runLoop();
    bool runTable(std::uint16_t table);
    bool popLengths();
    bool finishElement(bool &goOn);
    bool lengthStage(std::uint8_t byte);
    bool pushStage(std::uint8_t byte);
    bool display(std::uint8_t byte);
    bool showValue(std::uint8_t byte);
    bool showBytes(std::uint8_t byte, Format perByteFormat);
    bool decimalValue(std::uint8_t byte);
    bool cursorStage();
    bool jumpWithinGroup();

    NotationStore store_;
    PduOutput output_;

    // Decoded command words, by word: the tables do not change between decodes.
    struct CachedCommand {
        std::uint32_t word = 0xFFFFFFFF;
        Command command;
    };
    static constexpr std::size_t kCommandCacheSize = 1024;
    CachedCommand commandCache_[kCommandCacheSize];
    EngineError matchedCommand(Command &command);

    // Decode state, valid during one decode.
    const std::uint8_t *message_ = nullptr;
    const std::uint8_t *messageStart_ = nullptr;
    std::uint16_t messageLeft_ = 0;
    std::uint32_t elementLength_ = 0;
    Stack lengths_, values_, marks_;
    Cursor cursor_;
    std::uint16_t table_ = kNoTable;
    std::uint16_t r_ = 0;
    std::uint16_t r2_ = 0;
    std::uint16_t startValue_ = 0;
    std::uint8_t pushedBack_ = 0;
    bool hasPushedBack_ = false;
    Command command_;
    char label_[kLabelLength + 1] = {};
    std::uint32_t word_ = 0;
    Status status_ = kNoMatch;
    Cursor lookAheadFrom_;
    std::uint16_t lookAhead_ = 0;
    bool lookAheadOk_ = false;
    std::uint16_t returnTable_ = kNoTable;
    bool returnPending_ = false;
    std::uint8_t currentByte_ = 0;
    std::uint8_t lengthByte_ = 0; // the length byte of length mode 8, as read
    std::uint32_t newLength_ = 0; // the element length a length stage set
    bool stopped_ = false;
    std::uint16_t stopArgument_ = 0;
    EngineError error_ = EngineError::None;
    std::string failDetail_;
    int depth_ = 0;
    std::uint32_t passes_ = 0;
};

} // namespace qv::pdu
