#include "filters/FrameFilter.h"

#include <algorithm>

#include "base/Numbers.h"
#include "decode/CV5.h"
#include "decode/DecodedFrame.h"
#include "decode/LvtRecord.h"
#include "decode/X25ItemProvider.h"
#include "filters/FilterLists.h"
#include "filters/OffLineFilter.h"

namespace qv {

namespace {

constexpr std::uint32_t kUnknownCall = 0xFFFFFFFF;

// Decode errors that hide a frame when its layer is not shown.
bool layer2Error(std::uint16_t error) {
    switch (error) {
    case kFrameTooLong:
    case kTeiUnknownMessageType:
    case kLayer2Error:
    case kTeiUnknownEntity:
    case kInterpreterProblem:
    case kBadFcs:
    case kRealTimeOverflow:
        return true;
    default:
        return false;
    }
}

bool layer3Error(std::uint16_t error) {
    return error == kFrameTooLong || error == kBadCallRefLength || error == kUnknownMessageType ||
           error == kInterpreterProblem;
}

bool isV5ProtocolFrame(const DecodedFrame &frame) {
    return frame.efa >= kEfaPstn && frame.efa <= kEfaLast;
}

// X.25 packet types whose facilities the closed-user-group and NUI criteria look at.
bool carriesFacilities(std::uint16_t type) {
    return type == 0x0B || type == 0x0F || type == 0x13 || type == 0x17;
}

// Decimal value of count octets of BCD digits; false for a semi-octet above 9.
bool bcdValue(const std::uint8_t *octets, std::size_t count, int &out) {
    const std::optional<std::string> digits = bcdDigits(octets, count);
    if (!digits)
        return false;
    out = static_cast<int>(*parseDigits(*digits, 10));
    return true;
}

// Only its language-independent parts are used: where a packet's facility field starts.
const X25ItemProvider &facilityLocator() {
    static const X25ItemProvider provider;
    return provider;
}

} // namespace

FrameFilter::FrameFilter(FilterKind kind, const FilterCriteria &criteria, const CauseList *causes)
    : kind_(kind) {
    setCriteria(criteria, causes);
}

void FrameFilter::setCriteria(const FilterCriteria &criteria, const CauseList *causes) {
    criteria_ = criteria;
    criteria_.normalise();
    cause_ = criteria_.causeSet ? causeNumber(criteria_.causeText, criteria_.causeFormat, causes)
                                : std::nullopt;
    const FilterCriteria &c = criteria_;
    tracksIsdn_ = (c.localAddressSet || c.remoteAddressSet);
    tracksX25_ = (c.x25LocalAddressSet || c.x25RemoteAddressSet);
    tracker_.setPatterns(c.localAddressSet ? c.localAddress : std::string_view(),
                         c.remoteAddressSet ? c.remoteAddress : std::string_view(),
                         c.x25LocalAddressSet ? c.x25LocalAddress : std::string_view(),
                         c.x25RemoteAddressSet ? c.x25RemoteAddress : std::string_view());
    resetTracking();
}

void FrameFilter::resetTracking() {
    tracker_.reset();
    frameCalls_.clear();
    nextFrame_ = 0;
}

int FrameFilter::Verdict(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
                         std::uint32_t frameNumber) {
    return decide(frame, record, layerCategory, frameNumber, false);
}

int FrameFilter::offLineTest(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
                             std::uint32_t frameNumber) {
    return decide(frame, record, layerCategory, frameNumber, kind_ == FilterKind::OffLine);
}

bool FrameFilter::efaFails(const DecodedFrame &frame) const {
    if (!v5_ || !criteria_.efaSet)
        return false;
    if (criteria_.efa == kEveryUserPortEfa)
        return frame.efa > kEveryUserPortEfa;
    return frame.efa != criteria_.efa;
}

bool FrameFilter::layer2Fails(const DecodedFrame &frame, bool offLine) const {
    const FilterCriteria &c = criteria_;
    if ((c.sapiSet && frame.sapi != c.sapi) ||
        (c.teiSet && frame.tei != static_cast<unsigned>(c.tei)))
        return true;
    if (!c.keepRR && frame.format == kFormatS && frame.control == kCtrlRR)
        return true;
    if (!offLine)
        return false;
    if (c.direction != 0) {
        // AN->LE and LE->AN are the V5 names of the two directions.
        const int wanted = (c.direction - 1) % 2 + 1;
        if (frame.direction != wanted)
            return true;
    }
    if (c.frameType != 0) {
        const auto types = layer2FrameTypes();
        const bool known = std::any_of(types.begin(), types.end(), [&](const FilterCode &t) {
            return t.code == frame.control;
        });
        if (known && frame.control != types[c.frameType - 1].code)
            return true;
    }
    return false;
}

bool FrameFilter::layer3AddressFails(const DecodedFrame &frame, const LvtRecord &record) const {
    if (!v5_ || criteria_.l3Address == 0)
        return false;
    // Only the V5 protocol messages carry a layer-3 address; the ISDN ports' frames are
    // selected by their EFA.
    if (!isV5ProtocolFrame(frame) || frame.l3Kind < kL3Pstn || frame.l3Kind > kL3LinkControl ||
        frame.l3Offset + 3u > std::min<std::size_t>(record.dataLength, kMaxRecordData))
        return false;
    const std::uint16_t address =
        v5Layer3Address(frame.efa - kEfaPstn, record.data.data() + frame.l3Offset);
    return address != criteria_.l3Address;
}

bool FrameFilter::messageFails(const DecodedFrame &frame) const {
    const int message = criteria_.message;
    if (message == 0)
        return false;
    if ((message & kV5MessageMark) != 0) {
        FilterV5Message wanted;
        if (!v5MessageAt(message & ~kV5MessageMark, wanted))
            return false;
        return !isV5ProtocolFrame(frame) || frame.efa - kEfaPstn != wanted.protocol ||
               frame.messageType > 0x31 || frame.messageType != wanted.type;
    }
    if (v5_ ? frame.efa > kEveryUserPortEfa : frame.sapi != 0)
        return true;
    const std::uint16_t type = frame.messageType;
    const auto messages = isdnMessages();
    const bool listed = std::any_of(messages.begin(), messages.end(),
                                    [&](const FilterCode &m) { return m.code == type; });
    if (type == 0 || type > 125 || !listed)
        return false;
    return type != messages[message - 1].code;
}

bool FrameFilter::isdnCriteriaFail(const DecodedFrame &frame) const {
    const FilterCriteria &c = criteria_;
    if (c.pdSet && frame.pd != c.pd)
        return true;
    if (cause_ && frame.cause != *cause_)
        return true;
    return messageFails(frame);
}

bool FrameFilter::facilitiesFail(const DecodedFrame &frame, const LvtRecord &record) const {
    const FilterCriteria &c = criteria_;
    if ((!c.cugSet && !c.nuiSet) || !carriesFacilities(frame.messageType))
        return false;
    const std::size_t held = std::min<std::size_t>(record.dataLength, kMaxRecordData);
    if (frame.l3Offset >= held)
        return true;
    const std::uint8_t *packet = record.data.data() + frame.l3Offset;
    const auto length =
        static_cast<std::uint16_t>(std::min<std::size_t>(held - frame.l3Offset, frame.l3Length));
    std::uint16_t at = 0;
    bool groupFound = false, nuiFound = false;
    if (facilityLocator().facilityField(packet, length, 0, at) && at < length) {
        const std::size_t end = std::min<std::size_t>(at + 1u + packet[at], length);
        for (std::size_t pos = at + 1u; pos < end;) {
            const std::uint8_t code = packet[pos];
            const std::size_t n = x25FacilityLength(packet, pos, end);
            if (pos + n > end)
                break;
            int group = 0;
            const bool basic = code == 0x03 || code == 0x09;
            const bool extended = code == 0x47 || code == 0x48;
            if ((basic || extended) && bcdValue(packet + pos + 1, basic ? 1 : 2, group) &&
                group == c.cug)
                groupFound = true;
            if (code == 0xC6)
                nuiFound = true;
            pos += n;
        }
    }
    return (c.cugSet && !groupFound) || (c.nuiSet && !nuiFound);
}

bool FrameFilter::x25CriteriaFail(const DecodedFrame &frame, const LvtRecord &record) const {
    const int position = criteria_.packetType;
    if (position != 0) {
        const FilterPacketCode &wanted = x25Packets()[position - 1];
        const auto packets = x25Packets();
        const std::uint16_t type = frame.messageType;
        const bool known = std::any_of(packets.begin(), packets.end(),
                                       [&](const FilterPacketCode &p) { return p.type == type; });
        if (known &&
            (type != wanted.type || (wanted.direction != 0 && frame.direction != wanted.direction)))
            return true;
    }
    return facilitiesFail(frame, record);
}

void FrameFilter::remember(std::uint32_t frameNumber, std::uint32_t serial) {
    if (kind_ != FilterKind::OffLine)
        return;
    if (frameCalls_.size() <= frameNumber)
        frameCalls_.resize(static_cast<std::size_t>(frameNumber) + 1, kUnknownCall);
    frameCalls_[frameNumber] = serial;
}

int FrameFilter::tracked(const DecodedFrame &frame, std::uint32_t frameNumber, bool x25,
                         bool fresh) {
    const bool call = x25 ? frame.l3Kind == kL3X25 : frame.l3Kind == kL3CallControl;
    TrackOutcome outcome;
    if (fresh) {
        if (call)
            outcome = x25 ? tracker_.x25Packet(frame, frameNumber)
                          : tracker_.isdnMessage(frame, frameNumber);
        remember(frameNumber, outcome.serial);
    } else if (frameNumber < frameCalls_.size() && frameCalls_[frameNumber] != kUnknownCall) {
        outcome.serial = frameCalls_[frameNumber];
        outcome.fate = tracker_.fateOf(outcome.serial);
    } else if (call) {
        outcome = tracker_.peek(frame, x25);
    }
    return static_cast<int>(outcome.fate);
}

int FrameFilter::answerNow(std::uint32_t frameNumber) const {
    if (frameNumber >= frameCalls_.size() || frameCalls_[frameNumber] == kUnknownCall)
        return kFilterUnsettled;
    switch (tracker_.fateOf(frameCalls_[frameNumber])) {
    case CallFate::Accepted:
        return kFilterKeep;
    case CallFate::Pending:
        return kFilterUnsettled;
    default:
        return kFilterDrop;
    }
}

int FrameFilter::decide(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
                        std::uint32_t frameNumber, bool offLine) {
    const FilterCriteria &c = criteria_;
    // The tracking follows the capture in file order; a frame seen again changes nothing.
    const bool tracking = tracksIsdn_ || tracksX25_;
    const bool fresh = tracking && (kind_ == FilterKind::RealTime || frameNumber >= nextFrame_);
    if (fresh) {
        nextFrame_ = frameNumber + 1;
        tracker_.clock(frame.timeMs);
    }

    if (!c.layer2 && layer2Error(frame.error))
        return kFilterDrop;
    if (!c.layer3 && layer3Error(frame.error))
        return kFilterDrop;
    if (frame.error != kDecodeOk)
        return kFilterKeepWithError;

    const int category = layerCategory < 0 ? -layerCategory : layerCategory;
    int fate = static_cast<int>(CallFate::Accepted);
    switch (category) {
    case 1:
        if (fresh)
            tracker_.layer1Event(record.status, frame.timeMs, frameNumber);
        return c.layer1 ? kFilterKeep : kFilterDrop;
    case 2:
        if (fresh && frame.control == kCtrlDISC)
            tracker_.linkReleased(frame.tei, frame.timeMs, frameNumber);
        return !c.layer2 || efaFails(frame) || layer2Fails(frame, offLine) ? kFilterDrop
                                                                           : kFilterKeep;
    case 3:
        if (tracksIsdn_)
            fate = tracked(frame, frameNumber, false, fresh);
        if (!c.layer3 || (c.layer2 && layer2Fails(frame, offLine)))
            return kFilterDrop;
        if ((c.callRefSet && frame.callRef != c.callRef) || layer3AddressFails(frame, record) ||
            efaFails(frame))
            return kFilterDrop;
        if (offLine && isdnCriteriaFail(frame))
            return kFilterDrop;
        break;
    case 4:
        if (tracksX25_)
            fate = tracked(frame, frameNumber, true, fresh);
        if (!c.layer3 || (c.layer2 && (efaFails(frame) || layer2Fails(frame, offLine))))
            return kFilterDrop;
        if (c.lcnSet && frame.lcgn * 256 + frame.lcn != c.lcn)
            return kFilterDrop;
        if (offLine && x25CriteriaFail(frame, record))
            return kFilterDrop;
        break;
    default:
        return kFilterKeep;
    }
    switch (static_cast<CallFate>(fate)) {
    case CallFate::Accepted:
        return kFilterKeep;
    case CallFate::Pending:
        return offLine ? kFilterUnsettled : kFilterKeep;
    default:
        return kFilterDrop;
    }
}

} // namespace qv
