#pragma once
// The decoder of V5 captures: the envelope function address says whether a frame is an ISDN
// user port's D-channel frame (decoded by an inner CISDN) or a frame of one of the five V5
// protocols, whose LAPV5 data link and layer-3 headers are decoded here.
#include <memory>

#include "decode/CISDN.h"

namespace qv {

enum V5Protocol : int { kV5Pstn = 0, kV5Control, kV5Bcc, kV5Protection, kV5LinkControl };

inline constexpr std::uint16_t kEfaPstn = 8176;
inline constexpr std::uint16_t kEfaLast = 8180;

// The long or short name of a V5 message, "?" for a type the protocol does not have.
std::string_view v5MessageName(int protocol, std::uint8_t type, bool longForm);

// The layer-3 address of a message of a V5 protocol whose layer-3 header (at least three
// octets) starts at info.
std::uint16_t v5Layer3Address(int protocol, const std::uint8_t *info);

class CV5 : public CDecoder {
public:
    CV5(DecoderHost &host, const DecoderServices &services);
    ~CV5() override;

    void setTimeSlot(std::uint8_t timeSlot) { timeSlot_ = timeSlot; }
    std::uint8_t timeSlot() const { return timeSlot_; }

    void directionText(std::string &out, bool longForm) const override;
    int Format_Detail(const DetailOptions &options) override;
    void columnText(int column, std::string &out, bool longForm) override;
    int DecodeFrameRealTime(const LvtRecord &record, std::uint32_t frameNumber) override;
    int decodeLoaded(std::uint32_t frameNumber) override;
    void messageTypeText(std::string &out, bool longForm) override;

    bool isV5Frame() const { return v5Frame_; }
    std::uint16_t dla() const { return dla_; }
    std::uint16_t layer3Address() const { return l3Address_; }
    const CISDN &inner() const { return *inner_; }

private:
    bool isProtocolFrame() const { return frame_.efa >= kEfaPstn && frame_.efa <= kEfaLast; }
    bool isGoodFrame() const { return record_.kind == kFrameRecord && record_.status == 0; }
    void efaText(std::string &out, bool longForm) const;
    bool v5Column(int column, std::string &out, bool longForm);
    void parseProtocolFrame();
    int layer3Block();

    std::unique_ptr<CISDN> inner_;
    std::uint8_t timeSlot_ = 255;
    bool v5Frame_ = true;
    int protocol_ = -1; // the namer of the current frame
    std::uint8_t frameClass_ = 2;
    std::uint8_t envelopeCr_ = 0, envelopeEa1_ = 0, envelopeEa2_ = 0;
    std::uint16_t dla_ = 0;
    std::uint8_t dlaCr_ = 0, dlaEa1_ = 0, dlaEa2_ = 0;
    std::uint16_t l3Address_ = 0;
    bool pstnPort_ = false;
    bool bccSource_ = false;
};

} // namespace qv
