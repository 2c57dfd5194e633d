#pragma once
// Decoded frames as the filter sees them, and a feed that hands them to a filter in file order.
#include <cstdint>
#include <string>

#include "decode/DecodedFrame.h"
#include "decode/LvtRecord.h"
#include "filters/FrameFilter.h"

namespace qv::test {

inline constexpr std::uint8_t TeNt = kDirectionTeNt;
inline constexpr std::uint8_t NtTe = kDirectionNtTe;

// A call-control message in an I frame of tei.
inline DecodedFrame q931(std::uint8_t direction, std::uint32_t tei, std::uint16_t callRef,
                         std::uint8_t crFlag, std::uint16_t type, std::string calling = {},
                         std::string called = {}) {
    DecodedFrame f;
    f.direction = direction;
    f.tei = tei;
    f.format = kFormatI;
    f.control = kCtrlI;
    f.l3Kind = kL3CallControl;
    f.pd = 0x08;
    f.crLength = 1;
    f.crFlag = crFlag;
    f.callRef = callRef;
    f.messageType = type;
    f.callingAddress = std::move(calling);
    f.calledAddress = std::move(called);
    return f;
}

inline DecodedFrame layer2Frame(std::uint8_t control, std::uint8_t direction = TeNt,
                                std::uint32_t tei = 64, std::uint8_t sapi = 0) {
    DecodedFrame f;
    f.direction = direction;
    f.tei = tei;
    f.sapi = sapi;
    f.control = control;
    f.format =
        control == kCtrlRR || control == kCtrlRNR || control == kCtrlREJ ? kFormatS : kFormatU;
    return f;
}

// An X.25 packet on SAPI 16.
inline DecodedFrame x25(std::uint8_t direction, std::uint32_t tei, std::uint16_t channel,
                        std::uint16_t type, std::string calling = {}, std::string called = {}) {
    DecodedFrame f;
    f.direction = direction;
    f.tei = tei;
    f.sapi = 16;
    f.format = kFormatI;
    f.control = kCtrlI;
    f.l3Kind = kL3X25;
    f.lcgn = static_cast<std::uint8_t>(channel >> 8);
    f.lcn = static_cast<std::uint8_t>(channel & 0xFF);
    f.messageType = type;
    f.callingAddress = std::move(calling);
    f.calledAddress = std::move(called);
    return f;
}

// The layer category the decoder gives these frames.
inline int categoryOf(const DecodedFrame &f, const LvtRecord &record) {
    int c = 0;
    if (record.kind == kLayer1Event)
        c = 1;
    else if (f.control == kCtrlI)
        c = f.sapi == 16 ? 4 : 3;
    else if (f.format == kFormatS || f.format == kFormatU)
        c = f.control == kCtrlUI && f.l3Kind != kL3TeiManagement ? 3 : 2;
    return f.direction == kDirectionNtTe ? -c : c;
}

// Hands frames to a filter with rising frame numbers, 100 ms apart unless told otherwise.
struct Feed {
    explicit Feed(FrameFilter &f) : filter(f) { record.kind = kFrameRecord; }

    int offLine(DecodedFrame f, std::uint32_t afterMs = 100) {
        stamp(f, afterMs);
        return filter.offLineTest(f, record, categoryOf(f, record), number++);
    }
    int realTime(DecodedFrame f, std::uint32_t afterMs = 100) {
        stamp(f, afterMs);
        return filter.Verdict(f, record, categoryOf(f, record), number++);
    }
    int event(std::uint8_t code, std::uint32_t afterMs = 100) {
        LvtRecord l1;
        l1.kind = kLayer1Event;
        l1.status = code;
        DecodedFrame f;
        f.frameLength = 0;
        timeMs += afterMs;
        f.timeMs = timeMs;
        return filter.offLineTest(f, l1, 1, number++);
    }
    void stamp(DecodedFrame &f, std::uint32_t afterMs) {
        timeMs += afterMs;
        f.timeMs = timeMs;
    }

    FrameFilter &filter;
    LvtRecord record;
    std::uint32_t number = 0;
    std::uint32_t timeMs = 1000;
};

} // namespace qv::test
