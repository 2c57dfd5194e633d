#pragma once
// What the pcap exchange with Wireshark and the rest of an engineer's toolbox shares: the link
// types of LAPD, how each of them carries (or fails to carry) the direction of a frame, and the
// calendar arithmetic between a record's time and a pcap timestamp.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// LINKTYPE_LINUX_LAPD: a 16-byte header in Linux "cooked" layout before every frame.
inline constexpr std::uint32_t kLinkTypeLinuxLapd = 177;
// LINKTYPE_LAPD: the bare frame from its first address octet, with no direction at all.
inline constexpr std::uint32_t kLinkTypeLapd = 203;
inline constexpr std::size_t kLinuxLapdHeaderSize = 16;
inline constexpr std::uint32_t kPcapSnapLength = 65535;

// The 16-byte header that tells Wireshark a frame's direction. We write it as a capture taken
// on the user side (we_network = 0): a TE->NT frame is one "we" sent (pkttype 4, outgoing), an
// NT->TE frame one we received (pkttype 0). Both fields are big-endian.
void writeLinuxLapdHeader(std::uint8_t *out, bool userToNetwork);

// The direction Wireshark reads from such a header: pkttype 4 (outgoing) is user->network when
// the capturing side is the user (we_network, address byte 0, is 0) and network->user when it is
// the network; pkttype 3 (another host's frame) is always user->network; any other pkttype,
// including the byte-swapped 0x0400 some capture tools write, counts as received: user->network
// only when the capturing side is the network.
bool linuxLapdUserToNetwork(const std::uint8_t *header);

// A bare LAPD frame names no direction; only the C/R bit of its address, read together with
// whether the frame is a command or a response, tells it. The user side sends commands with
// C/R = 0 and responses with C/R = 1; the network side the other way round. I frames, SABME,
// DISC, UI and XID are commands; UA, DM and FRMR responses. The TEI management messages (UI on
// SAPI 63) go by their message: identity request, check response and verify come from the
// user, the others from the network. A frame too short to hold its address goes to the network
// side's direction (NT->TE).
//
// RR, RNR and REJ can be either, and nothing in the frame alone tells which, so the frames
// before it decide: one with the P/F bit clear is a response (an acknowledgement); one that
// follows an I frame is the response acknowledging it; one that follows a poll (a supervisory
// command with P = 1) with the same C/R bit is the answer to that poll; any other is a command.
// Keep-alive exchanges (poll, answer, poll from the other side, answer) and the acknowledgements
// of a call's messages come out on the right sides that way.
class LapdDirectionGuess {
public:
    // The direction of the next frame of the capture, in file order.
    bool userToNetwork(const std::uint8_t *frame, std::size_t length);

private:
    enum class Previous { Other, InformationFrame, Poll };
    Previous previous_ = Previous::Other;
    bool previousCommandResponse_ = false;
};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day);
void civilFromDays(std::int64_t days, std::int64_t &year, unsigned &month, unsigned &day);

// True when the first four bytes open a pcap file (either byte order, micro- or nanosecond
// timestamps) or a pcapng file (its section header block).
bool isPcapMagic(const std::uint8_t *bytes, std::size_t size);

// True when path names a pcapng file by its extension (".pcapng", any case).
bool isPcapNgName(const std::string &path);

} // namespace qv
