#pragma once
// The table-driven layer-3 interpreter: decodes one message by walking the tables of its
// NotationStore, writing display cells into its PduOutput. It knows no protocol; every decision
// comes from the command code of the record that matched the last byte.
//
// One object is one interpreter instance with its own arena and its own decode state, so that
// instances on different threads never share anything. A decode allocates nothing.
#include <cstddef>
#include <cstdint>

#include "pdu/NotationStore.h"
#include "pdu/PduOutput.h"

namespace qv::pdu {

inline constexpr int kStackDepth = 20;
inline constexpr int kErrorCount = 21;
inline constexpr std::size_t kErrorMessageWidth = 28;

// The message of an engine error, padded with blanks to 28 characters.
const char *errorMessage(int code);

struct PduDecodeResult {
    std::uint16_t endCell = 0;   // index of the end cell
    std::uint16_t endColumn = 0; // column at the end
    const std::uint16_t *cells = nullptr;
    std::uint16_t stopArgument = 0;
    std::uint16_t bytesLeft = 0; // of the current element, when the decode ended on a stop
    int error = -1;              // the engine error that ended the decode, -1 for none
};

// A decoded command word.
struct Command {
    std::uint8_t kind = 0;   // 0 plain, 1 stop, 2 mark, 3/4 back to mark, 5 next group,
                             // 6 jump, 7 jump with return
    std::uint8_t source = 0; // 0 read, 1 reuse, 2 pop, 3 top, 4 register R
    std::uint8_t push = 0;
    std::uint8_t lengthMode = 0; // 0..11
    std::uint16_t argument = 0;
    std::uint8_t format = 0;   // display format 0..11
    std::uint8_t lineMode = 0; // 0 stay, 1 end the line, 2 no label
    std::uint8_t attribute = 0;
    bool lengthLabel = false; // the label printed is " Lg = "
    bool pushBack = false;    // a jump that gives its byte to the target table
};

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

    // Decodes a command word as the engine does; 0, or the engine error it raises. The value
    // stack provides the argument of a stop whose code names none.
    int decodeCommand(std::uint32_t word, Command &command);

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
    bool fail(int code);
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
            return fail(5);
        if (messageLeft_ == 0)
            return fail(7);
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
    bool showBytes(std::uint8_t byte, int perByteFormat);
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
    int matchedCommand(Command &command);

    // Decode state, valid during one decode.
    const std::uint8_t *message_ = nullptr;
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
    int error_ = -1;
    int depth_ = 0;
    std::uint32_t passes_ = 0;
};

} // namespace qv::pdu
