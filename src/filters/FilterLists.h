#pragma once
// The lists the filter pages choose from, with the codes each entry stands for. Positions in
// the filter are 1-based (0 = nothing chosen), as the filter files store them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

struct FilterCode {
    const char *name;
    std::uint8_t code;
};

// One entry of the X.25 packet list: direction 0 means either direction.
struct FilterPacketCode {
    const char *name;
    std::uint8_t type;
    std::uint8_t direction;
};

// One entry of the V5 message list: its protocol (V5Protocol) and message type.
struct FilterV5Message {
    int protocol;
    std::uint8_t type;
};

std::span<const FilterCode> layer2FrameTypes();  // 11 entries, with their control values
std::span<const FilterCode> isdnMessages();      // 33 entries, with their message types
std::span<const char *const> causeFormats();     // "MNEMONICS", "DECIMAL VALUES", "HEXA VALUES"
std::span<const FilterPacketCode> x25Packets();  // 24 entries
std::span<const char *const> filterDirections(); // "TE->NT", "NT->TE", "AN->LE", "LE->AN"
std::span<const char *const> slicingSizes();     // "32", "64", "128"
std::span<const char *const> v5MessageGroups();  // "ISDN", "PSTN", "CONTROL", ...
// The prefix shown before a message of a V5 group in the V5 page: "ISDN/" for the ISDN
// messages, then by V5Protocol "PSTN/", "CTRL/", "BCC/", "PROT/", "LINK/".
std::string_view v5ListPrefix(int protocol); // protocol -1: ISDN

inline constexpr int kCauseMnemonics = 0;
inline constexpr int kCauseDecimal = 1;
inline constexpr int kCauseHexa = 2;

// Positions 34 to 67 of the message list continue the ISDN messages with the V5 messages.
inline constexpr int kFirstV5MessagePosition = 34;
inline constexpr int kLastV5MessagePosition = 67;
// A message criterion chosen among the V5 messages carries this mark beside its position.
inline constexpr int kV5MessageMark = 0x80;

// The V5 message at a list position 34..67; false for any other position.
bool v5MessageAt(int position, FilterV5Message &out);
// The text of message-list position 1..67 in the V5 page ("ISDN/SETUP", "PSTN/ESTABLISH");
// empty for other positions.
std::string v5MessageListText(int position);

} // namespace qv
