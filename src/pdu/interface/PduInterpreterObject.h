#pragma once
// The program's side of one interpreter instance: it owns the arena, loads a variant's tables
// and decodes one call-control message into the rows of a frame's protocol detail.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pdu/PduInterpreter.h"
#include "pdu/PduRender.h"

namespace qv {

class UserMessages;
struct ProtocolSelection;

// Instance numbers: the selected variant and V5.
inline constexpr int kVariantInstance = 2;
inline constexpr int kV5Instance = 1;
inline constexpr std::size_t kVariantArenaSize = 220000;

inline constexpr const char *kMsgCannotOpenList =
    "Can't open file %s. Please, check notation files path ...";
inline constexpr const char *kMsgCannotCreateInterpreter =
    "Insufficient memory: Can't create PDU Interpreter!";
inline constexpr const char *kMsgCannotAllocateArena =
    "Insufficient memory: Can't allocate PDU Interpreter buffer!";
inline constexpr const char *kPduInterpreterCaption = "PDU Interpreter Internal Error";

class PduInterpreterObject {
public:
    static constexpr std::size_t kDefaultArenaSize = 125000;

    PduInterpreterObject();
    ~PduInterpreterObject();
    PduInterpreterObject(const PduInterpreterObject &) = delete;
    PduInterpreterObject &operator=(const PduInterpreterObject &) = delete;

    // False when the memory is not available.
    bool allocateArena(std::size_t size);
    std::size_t arenaSize() const { return arenaSize_; }
    // Loads the List File of folder: 0, or -1 when it cannot be opened (with the message).
    // Files are found in folder whatever the working directory; on-demand tables too.
    int Initialise(const std::string &folder, const std::string &listFile, UserMessages &messages);
    // Decodes a call-control message that starts at its protocol discriminator: the call
    // reference is taken out, the rest decoded from table 3 and rendered into rows, numbered
    // from firstRow, with frame offsets counted from l3Offset. 0, or -1 without tables.
    int Decode(const std::uint8_t *message, std::size_t length, pdu::PduRowList &rows,
               std::uint32_t firstRow, std::uint16_t l3Offset);

    // Decodes a V5 message the same way: its two layer-3 address octets are taken out.
    int DecodeV5(const std::uint8_t *message, std::size_t length, pdu::PduRowList &rows,
                 std::uint32_t firstRow, std::uint16_t l3Offset);

    bool initialised() const { return initialised_; }
    const pdu::PduInterpreter &engine() const { return *engine_; }
    const std::vector<std::string> &loaderMessages() const { return loaderMessages_; }

private:
    int decodeWithout(const std::uint8_t *message, std::size_t length, std::size_t address,
                      pdu::PduRowList &rows, std::uint32_t firstRow, std::uint16_t l3Offset);
    static void loaderMessage(void *context, const char *text, const char *caption);

    std::size_t arenaSize_ = kDefaultArenaSize;
    std::unique_ptr<std::uint8_t[]> arena_;
    std::unique_ptr<pdu::PduInterpreter> engine_;
    std::vector<std::uint8_t> copy_; // the message without its call reference
    UserMessages *messages_ = nullptr;
    std::vector<std::string> loaderMessages_;
    bool initialised_ = false;
};

// Loads the selected variant into object: 0; -2 when its folder is missing, -3 when the arena
// cannot be had, -4 when its List File cannot be opened (each with its message where the
// program has one).
int initialiseVariant(PduInterpreterObject &object, const ProtocolSelection &selection,
                      UserMessages &messages);

inline constexpr const char *kV5ListFile = "V5EN.LST";

// Loads the V5 tables (the folder V5 below notationRoot, List File V5EN.LST) into object, with
// the results of initialiseVariant.
int initialiseV5(PduInterpreterObject &object, const std::string &notationRoot,
                 UserMessages &messages);

} // namespace qv
