#include "filters/CallTracker.h"

#include <limits>

#include "decode/DecodedFrame.h"
#include "decode/MessageTypes.h"
#include "filters/AddressPattern.h"

namespace qv {

namespace {

// Time from then to now; a clock that went backwards (a new day of capture, a restarted
// tester) counts as a very long time.
std::uint32_t elapsed(std::uint32_t nowMs, std::uint32_t thenMs) {
    return nowMs >= thenMs ? nowMs - thenMs : std::numeric_limits<std::uint32_t>::max();
}

std::uint8_t opposite(std::uint8_t direction) {
    return direction == kDirectionTeNt ? kDirectionNtTe : kDirectionTeNt;
}

// The side that set the call up: a call reference flag of 0 marks a message sent by that
// side, so that the two sides' calls with the same call reference value stay apart.
std::uint8_t originOf(const DecodedFrame &frame) {
    return frame.crFlag == 0 ? frame.direction : opposite(frame.direction);
}

std::uint16_t x25Channel(const DecodedFrame &frame) {
    return static_cast<std::uint16_t>(frame.lcgn * 256u + frame.lcn);
}

constexpr TrackOutcome kNoCall{CallFate::Rejected, 0};

} // namespace

void CallTracker::setPatterns(std::string_view isdnLocal, std::string_view isdnRemote,
                              std::string_view x25Local, std::string_view x25Remote) {
    isdnLocal_.assign(isdnLocal);
    isdnRemote_.assign(isdnRemote);
    x25Local_.assign(x25Local);
    x25Remote_.assign(x25Remote);
}

void CallTracker::reset() {
    calls_.clear();
    fates_.clear();
    lossStarted_ = false;
    lossStartMs_ = 0;
    pending_ = 0;
    endedKept_ = 0;
}

std::size_t CallTracker::find(bool x25, std::uint32_t tei, std::uint16_t ref,
                              std::uint8_t originDirection) const {
    std::size_t waiting = kNone;
    for (std::size_t i = 0; i < calls_.size(); ++i) {
        const TrackedCall &c = calls_[i];
        if (c.x25 != x25 || c.callRef != ref || (!x25 && c.setupDirection != originDirection))
            continue;
        if (c.tei == tei)
            return i;
        if (c.tei == kAnyTei && waiting == kNone)
            waiting = i;
    }
    return waiting;
}

std::size_t CallTracker::join(bool x25, std::uint32_t tei, std::uint16_t ref, std::uint8_t origin) {
    const std::size_t index = find(x25, tei, ref, origin);
    if (index == kNone)
        return kNone;
    // A call still waiting for its TEI takes the one of its first frame from a terminal.
    TrackedCall &call = calls_[index];
    if (call.tei == kAnyTei)
        call.tei = tei;
    ++call.frames;
    return index;
}

std::size_t CallTracker::open(const DecodedFrame &frame, bool x25, std::uint16_t ref,
                              std::uint8_t originDirection) {
    // A new call on the same key: the old one is over, whatever was seen of its end.
    for (std::size_t i = calls_.size(); i-- > 0;) {
        const TrackedCall &c = calls_[i];
        if (c.x25 == x25 && c.callRef == ref && c.tei == frame.tei &&
            (x25 || c.setupDirection == originDirection)) {
            if (c.fate == CallFate::Pending)
                setFate(calls_[i], CallFate::Rejected);
            erase(i);
        }
    }
    TrackedCall call;
    call.serial = static_cast<std::uint32_t>(fates_.size() + 1);
    call.x25 = x25;
    call.tei = frame.tei;
    call.callRef = ref;
    call.setupDirection = x25 ? frame.direction : originDirection;
    call.callingAddress = frame.callingAddress;
    call.calledAddress = frame.calledAddress;
    call.channel = frame.channel;
    call.frames = 1;
    call.openTimeMs = frame.timeMs;
    call.overlap = !x25;
    fates_.push_back(CallFate::Pending);
    ++pending_;
    calls_.push_back(std::move(call));
    return calls_.size() - 1;
}

void CallTracker::setFate(TrackedCall &call, CallFate fate) {
    if (call.fate == fate)
        return;
    if (call.fate == CallFate::Pending)
        --pending_;
    call.fate = fate;
    fates_[call.serial - 1] = fate;
}

void CallTracker::erase(std::size_t index) {
    TrackedCall &call = calls_[index];
    if (call.fate == CallFate::Pending)
        --pending_;
    if (call.ended)
        --endedKept_;
    if (index + 1 != calls_.size())
        call = std::move(calls_.back());
    calls_.pop_back();
}

void CallTracker::decide(TrackedCall &call) {
    if (call.fate != CallFate::Pending)
        return;
    const std::string &localPattern = call.x25 ? x25Local_ : isdnLocal_;
    const std::string &remotePattern = call.x25 ? x25Remote_ : isdnRemote_;
    // The user's side: the caller of a call set up towards the network, the called party of
    // a call the network offers.
    const bool outgoing = call.setupDirection == kDirectionTeNt;
    const std::string &local = outgoing ? call.callingAddress : call.calledAddress;
    const std::string &remote = outgoing ? call.calledAddress : call.callingAddress;
    bool waiting = false;
    const auto test = [&](const std::string &pattern, const std::string &address, bool calledSide) {
        if (pattern.empty() || addressMatches(pattern, address))
            return true;
        if (calledSide && call.overlap && addressMayMatch(pattern, address)) {
            waiting = true;
            return true;
        }
        return false;
    };
    if (!test(localPattern, local, !outgoing) || !test(remotePattern, remote, outgoing))
        setFate(call, CallFate::Rejected);
    else if (!waiting)
        setFate(call, CallFate::Accepted);
}

void CallTracker::endCall(std::size_t index, std::uint32_t frameNumber, std::uint32_t timeMs,
                          CallState state) {
    TrackedCall &call = calls_[index];
    if (call.fate != CallFate::Accepted) {
        setFate(call, CallFate::Rejected);
        erase(index);
        return;
    }
    call.state = state;
    if (call.ended)
        return;
    call.ended = true;
    call.endFrame = frameNumber;
    call.endTimeMs = timeMs;
    ++endedKept_;
}

template <class Which>
void CallTracker::endWhere(std::uint32_t frameNumber, std::uint32_t timeMs, CallState state,
                           Which which) {
    for (std::size_t i = calls_.size(); i-- > 0;)
        if (which(calls_[i]))
            endCall(i, frameNumber, timeMs, state);
}

void CallTracker::expire(std::uint32_t nowMs) {
    if (pending_ == 0 && endedKept_ == 0)
        return;
    for (std::size_t i = calls_.size(); i-- > 0;) {
        TrackedCall &c = calls_[i];
        if (c.fate == CallFate::Pending && elapsed(nowMs, c.openTimeMs) > kPendingCallLimitMs) {
            setFate(c, CallFate::Rejected);
            erase(i);
        } else if (c.ended && elapsed(nowMs, c.endTimeMs) > kEndedCallKeepMs) {
            erase(i);
        }
    }
}

TrackOutcome CallTracker::settle(std::size_t index) {
    TrackedCall &call = calls_[index];
    decide(call);
    const TrackOutcome outcome{call.fate, call.serial};
    if (call.fate == CallFate::Rejected)
        erase(index);
    return outcome;
}

TrackOutcome CallTracker::isdnMessage(const DecodedFrame &frame, std::uint32_t frameNumber) {
    expire(frame.timeMs);
    const std::uint16_t type = frame.messageType;
    if (type == q931::kRestart) {
        // The restarted channel's calls; a RESTART naming no channel restarts them all.
        endWhere(frameNumber, frame.timeMs, CallState::Restart, [&](const TrackedCall &c) {
            return !c.x25 && (c.tei == frame.tei || c.tei == kAnyTei) &&
                   (frame.channel == 0 || c.channel == frame.channel);
        });
        return kNoCall;
    }
    if (frame.crLength == 0)
        return kNoCall;
    const std::uint8_t origin = originOf(frame);
    if (type == q931::kSetup)
        return settle(open(frame, false, frame.callRef, origin));
    const std::size_t index = join(false, frame.tei, frame.callRef, origin);
    if (index == kNone)
        return kNoCall;
    TrackedCall &call = calls_[index];
    if (call.channel == 0)
        call.channel = frame.channel;
    if (type == q931::kSetupAcknowledge) {
        call.state = CallState::SetupAcknowledged;
    } else if (type == q931::kInformation) {
        call.state = CallState::Information;
        call.calledAddress += frame.calledAddress;
    } else {
        // Any other message says the called number is complete.
        call.overlap = false;
    }
    const TrackOutcome outcome = settle(index);
    if (type == q931::kReleaseComplete && outcome.fate != CallFate::Rejected)
        endCall(index, frameNumber, frame.timeMs, CallState::Released);
    return outcome;
}

TrackOutcome CallTracker::x25Packet(const DecodedFrame &frame, std::uint32_t frameNumber) {
    expire(frame.timeMs);
    const std::uint16_t type = frame.messageType;
    if (type == x25::kRestartRequest || type == x25::kRestartConfirmation) {
        // A restart clears every virtual call of the link.
        endWhere(frameNumber, frame.timeMs, CallState::Restart, [&](const TrackedCall &c) {
            return c.x25 && (c.tei == frame.tei || c.tei == kAnyTei);
        });
        return kNoCall;
    }
    const std::uint16_t channel = x25Channel(frame);
    if (type == x25::kCallRequest)
        return settle(open(frame, true, channel, frame.direction));
    const std::size_t index = join(true, frame.tei, channel, 0);
    if (index == kNone)
        return kNoCall;
    const TrackOutcome outcome = settle(index);
    if (type == x25::kClearConfirmation && outcome.fate != CallFate::Rejected)
        endCall(index, frameNumber, frame.timeMs, CallState::Released);
    return outcome;
}

void CallTracker::layer1Event(std::uint8_t event, std::uint32_t timeMs, std::uint32_t frameNumber) {
    constexpr std::uint8_t kInactive = 0, kTeActiveNtNot = 1, kLossBegin = 4, kLossEnd = 11;
    bool endAll = event == kInactive || event == kTeActiveNtNot;
    if (event == kLossBegin) {
        lossStarted_ = true;
        lossStartMs_ = timeMs;
    } else if (event == kLossEnd) {
        endAll = lossStarted_ && elapsed(timeMs, lossStartMs_) > kSignalLossLimitMs;
        lossStarted_ = false;
    }
    if (endAll)
        endWhere(frameNumber, timeMs, CallState::Released,
                 [](const TrackedCall &) { return true; });
}

void CallTracker::linkReleased(std::uint32_t tei, std::uint32_t timeMs, std::uint32_t frameNumber) {
    endWhere(frameNumber, timeMs, CallState::Released,
             [tei](const TrackedCall &c) { return c.tei == tei; });
}

CallFate CallTracker::fateOf(std::uint32_t serial) const {
    if (serial == 0 || serial > fates_.size())
        return CallFate::Rejected;
    return fates_[serial - 1];
}

TrackOutcome CallTracker::peek(const DecodedFrame &frame, bool x25) const {
    if (!x25 && frame.crLength == 0)
        return kNoCall;
    const std::size_t index = x25 ? find(true, frame.tei, x25Channel(frame), 0)
                                  : find(false, frame.tei, frame.callRef, originOf(frame));
    if (index == kNone)
        return kNoCall;
    return {calls_[index].fate, calls_[index].serial};
}

} // namespace qv
