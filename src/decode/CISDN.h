#pragma once
// The decoder of ISDN D-channel frames: LAPD with TEI management, call control of the Q.931
// family and the X.25 packet layer.
#include "decode/CDecoder.h"

namespace qv {

class CISDN : public CDecoder {
public:
    CISDN(DecoderHost &host, const DecoderServices &services);
    ~CISDN() override;

    int Format_Detail(const DetailOptions &options) override;
    void columnText(int column, std::string &out, bool longForm) override;
    int DecodeFrameRealTime(const LvtRecord &record, std::uint32_t frameNumber) override;
    int decodeLoaded(std::uint32_t frameNumber) override;
    void messageTypeText(std::string &out, bool longForm) override;

    // The protocol-discriminator and call-reference columns of a call-control frame (23..27).
    bool layer3HeaderColumn(int column, std::string &out, bool longForm) const;
    // Summary items 1..8 of a call-control or X.25 frame (columns 29..36).
    void itemText(int item, std::string &out) const;

protected:
    void parseLayer3() override;
    void parseCallControl();
    // Steps shared by both entries for a good frame: control length, pan_parse, X.25 facilities.
    int parseFrame();
    void layer2BlockOfAnyFrame();
    int callControlBlock();
    const L3ItemProvider *providerOf(std::uint8_t l3Kind) const;
};

} // namespace qv
