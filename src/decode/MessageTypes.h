#pragma once
// The message types of call control (Q.931 and its national variants) and the packet types of
// X.25 layer 3 that the program's logic looks for; their names come from the notation tables and
// the X.25 provider.
#include <cstdint>

namespace qv {

namespace q931 {

enum MessageType : std::uint8_t {
    kAlerting = 0x01,
    kCallProceeding = 0x02,
    kSetup = 0x05,
    kConnect = 0x07,
    kSetupAcknowledge = 0x0D,
    kDisconnect = 0x45,
    kRestart = 0x46,
    kRelease = 0x4D,
    kReleaseComplete = 0x5A,
    kInformation = 0x7B,
};

} // namespace q931

namespace x25 {

// Packet type identifiers, the low bits of DTE/DCE variants masked as the decoder normalises them.
enum PacketType : std::uint8_t {
    kData = 0x00,
    kCallRequest = 0x0B,
    kCallAccepted = 0x0F,
    kClearRequest = 0x13,
    kClearConfirmation = 0x17,
    kResetRequest = 0x1B,
    kRestartRequest = 0xFB,
    kRestartConfirmation = 0xFF,
};

} // namespace x25

} // namespace qv
