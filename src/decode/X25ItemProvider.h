#pragma once
// The X.25 packet layer carried in LAPD I frames on SAPI 16: the packet parse into the decoded
// frame, the summary facts of a packet (its name and items), the facility decode and the X.25
// part of the protocol detail. One application-wide provider; after setLanguage its tables are
// only read, so two threads may ask at once.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/CDecoder.h"
#include "decode/L3ItemProvider.h"

namespace qv {

class CISDN;

// Ids of the X.25 texts: packet-type names, then the diagnostic texts; French = English + 25
// for the names and English + 100 for the diagnostics.
inline constexpr int kX25PacketNameEnglish = 1601;
inline constexpr int kX25PacketNameFrench = 1626;
inline constexpr int kX25DiagnosticEnglish = 1700;
inline constexpr int kX25DiagnosticFrench = 1800;
inline constexpr int kX25DiagnosticReserved = 68;    // offset of "Reserved"
inline constexpr int kX25DiagnosticNotAssigned = 69; // offset of "Not assigned"
inline constexpr int kX25PacketTypeCount = 24;

struct X25PacketType {
    std::string name;
    std::uint8_t type = 0;
    std::uint8_t direction = 0; // 0 both, kDirectionTeNt, kDirectionNtTe
};

// One entry of a facility field.
struct X25Facility {
    std::uint8_t code = 0;
    std::string_view name;
    int length = 0; // octets of the entry; negative when that is not its class's length
    std::vector<std::uint8_t> octets;
};

// The facility field of a packet; offsets are relative to the packet's first octet.
struct X25FacilityList {
    bool present = false;       // the packet holds a facility-length octet
    std::uint16_t lengthAt = 0; // offset of the facility-length octet
    std::uint8_t fieldLength = 0;
    std::uint16_t count = 0; // entries counted by class before naming them
    std::vector<X25Facility> entries;
    std::uint16_t userDataAt = 0; // first octet after the declared field
};

// At most this many entries are kept; a field of 255 octets holds at most 127 entries.
inline constexpr std::size_t kMaxX25Facilities = 128;

class X25ItemProvider : public L3ItemProvider {
public:
    explicit X25ItemProvider(int language = 0) { setLanguage(language); }

    // 0 English, any other value French; rebuilds the packet-type table.
    void setLanguage(int language);
    int language() const { return language_; }
    const std::vector<X25PacketType> &packetTypes() const { return table_; }

    bool messageTypeText(const std::uint8_t *info, std::uint16_t length, bool longForm,
                         std::uint8_t direction, std::string &out) const override;
    // Reports false with a text in out for a value that has no meaning here (an unknown packet
    // type gives "Unknown", a reserved diagnostic "Reserved", an undefined type of address or
    // numbering plan "not defined"); out is empty when the packet does not reach the item.
    bool itemText(const std::uint8_t *info, std::uint16_t length, int item,
                  std::string &out) const override;
    bool itemValue(const std::uint8_t *info, std::uint16_t length, int item,
                   std::uint32_t &out) const override;
    // value is the packet's first octet (general format identifier and group).
    std::string protocolDiscriminatorText(std::uint8_t value, int defaultTextId,
                                          bool longForm) const override;

    // The offset in the frame of the facility-length octet (infoOffset + its offset in the
    // packet); false when the packet type carries no facility field or the packet is too short
    // to find it.
    bool facilityField(const std::uint8_t *info, std::uint16_t length, std::uint16_t infoOffset,
                       std::uint16_t &out) const;

    std::string_view clearingCauseText(unsigned value) const;
    std::string_view resettingCauseText(unsigned value) const;
    std::string_view restartingCauseText(unsigned value) const;
    std::string_view registrationCauseText(unsigned value) const;
    // False for the reserved codes.
    bool diagnosticText(unsigned code, std::string_view &out) const;
    std::string_view unknown() const { return language_ == 0 ? "Unknown" : "Inconnu"; }

    // The text id of a diagnostic code, English block.
    static int diagnosticTextId(unsigned code);
    // An X.25 text by id; empty when there is none.
    static std::string_view text(int id);
    // The packet type with the sequence-number bits of DATA, RR, RNR and REJ cleared.
    static std::uint16_t normalisedType(std::uint8_t typeOctet);
    // 8, 128, or 0 when the format identifier gives no sequence numbers.
    static int modulo(std::uint8_t firstOctet);

private:
    std::string_view tr(std::string_view english, std::string_view french) const {
        return language_ == 0 ? english : french;
    }
    int language_ = 0;
    std::vector<X25PacketType> table_;
};

// The hooks of DecoderServices.
// Fills lcgn, lcn, messageType, l3Length, the addresses and the cause of frame.
void parseX25Packet(const X25ItemProvider &provider, DecodedFrame &frame, const std::uint8_t *info,
                    std::uint16_t length);
// The octets of the facility entry at pos by the class of its code; the class 11 length octet is
// read only when it stands before end (otherwise the entry is taken as its two first octets).
std::size_t x25FacilityLength(const std::uint8_t *p, std::size_t pos, std::size_t end);
// Decodes the facility field of a packet into out; false when the field runs past the end of
// the packet, an entry runs past the end of the field or the entries cannot all be kept.
bool decodeX25Facilities(const X25ItemProvider &provider, const std::uint8_t *packet,
                         std::uint16_t length, X25FacilityList &out);
// The facility check of a decoded frame: false when its facility decode fails.
bool checkX25Facilities(const X25ItemProvider &provider, const DecodedFrame &frame,
                        const std::uint8_t *info, std::uint16_t length);
// Appends the X.25 lines of the current frame's detail; negative when the frame is no X.25
// packet.
int x25DetailBlock(const X25ItemProvider &provider, CISDN &decoder, const DetailOptions &options);

// Points the X.25 parts of services at provider, which must outlive them.
void installX25(DecoderServices &services, const X25ItemProvider &provider);

} // namespace qv
