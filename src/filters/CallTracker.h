#pragma once
// Call tracking for the address criteria: follows the ISDN calls (SETUP to RELEASE COMPLETE)
// and the X.25 virtual calls (CALL to CLEAR CONFIRMATION) of a capture, and tells for each
// message whether it belongs to a call whose addresses the filter wants.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct DecodedFrame;

enum class CallState : std::uint8_t {
    SetupSeen,
    SetupAcknowledged,
    Information,
    Released,
    Restart
};

// What the address test made of a call.
enum class CallFate : std::uint8_t { Pending, Accepted, Rejected };

inline constexpr std::uint32_t kAnyTei = 127;

struct TrackedCall {
    std::uint32_t serial = 0; // 1 for the first call opened, counting up
    bool x25 = false;
    std::uint32_t tei = kAnyTei; // 127 until a frame of the call from a specific TEI fixes it
    std::uint16_t callRef = 0;   // the call reference value, or the X.25 logical channel
    std::uint8_t setupDirection = 0;
    CallState state = CallState::SetupSeen;
    std::string callingAddress;
    std::string calledAddress; // grows with the digits of INFORMATION during overlap sending
    std::uint32_t channel = 0; // B channel, once a message of the call names one
    std::uint32_t frames = 0;
    std::uint32_t openTimeMs = 0;
    std::uint32_t endFrame = 0;
    std::uint32_t endTimeMs = 0;
    bool ended = false;
    // The called number may still grow: only SETUP, SETUP ACKNOWLEDGE and INFORMATION so far.
    bool overlap = true;
    CallFate fate = CallFate::Pending;
};

// The verdict of tracking on one message: the call it belongs to (serial 0: none).
struct TrackOutcome {
    CallFate fate = CallFate::Rejected;
    std::uint32_t serial = 0;
};

// A pending call is given up this long after its SETUP.
inline constexpr std::uint32_t kPendingCallLimitMs = 20000;
// An accepted call keeps the frames of its TEI and call reference this long after it ended:
// the far end repeats a clearing message it saw no answer to within T308 (4 s).
inline constexpr std::uint32_t kEndedCallKeepMs = 4000;
// A loss of signal that lasts longer than this ends every call.
inline constexpr std::uint32_t kSignalLossLimitMs = 2000;

class CallTracker {
public:
    // The patterns of the criteria that are set; an empty view means the criterion is off.
    void setPatterns(std::string_view isdnLocal, std::string_view isdnRemote,
                     std::string_view x25Local, std::string_view x25Remote);
    void reset();

    // A call-control message (l3Kind 3) of frame number frameNumber.
    TrackOutcome isdnMessage(const DecodedFrame &frame, std::uint32_t frameNumber);
    // An X.25 packet (l3Kind 4).
    TrackOutcome x25Packet(const DecodedFrame &frame, std::uint32_t frameNumber);
    // A layer-1 event: 4 (loss of signal) starts the clock that 11 (its end) reads; the states
    // 0 and 1 (line no longer active) and a loss longer than kSignalLossLimitMs end every call.
    void layer1Event(std::uint8_t event, std::uint32_t timeMs, std::uint32_t frameNumber);
    // A DISC frame: the data link of tei is released and its calls with it.
    void linkReleased(std::uint32_t tei, std::uint32_t timeMs, std::uint32_t frameNumber);
    // Time passes with every frame: pending calls are given up and ended calls forgotten on
    // time even when no call-control message follows.
    void clock(std::uint32_t nowMs) { expire(nowMs); }

    // The fate of the call with serial, including calls already deleted.
    CallFate fateOf(std::uint32_t serial) const;
    // The call a message would belong to, without changing anything.
    TrackOutcome peek(const DecodedFrame &frame, bool x25) const;
    const std::vector<TrackedCall> &calls() const { return calls_; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // The call of a message: the same kind, call reference (or channel) and originating side,
    // and the frame's TEI, else a call still waiting for its TEI.
    std::size_t find(bool x25, std::uint32_t tei, std::uint16_t ref,
                     std::uint8_t originDirection) const;
    // find(), and the frame joins the call found: counted, its TEI taken when still open.
    std::size_t join(bool x25, std::uint32_t tei, std::uint16_t ref, std::uint8_t origin);
    // Opens the call of a SETUP or CALL packet, in place of an older call with the same key.
    std::size_t open(const DecodedFrame &frame, bool x25, std::uint16_t ref,
                     std::uint8_t originDirection);
    // Runs the address test on a call that is still pending.
    void decide(TrackedCall &call);
    // A call that ends before it was accepted is forgotten at once; an accepted call is
    // marked, so that its last frames are still kept.
    void endCall(std::size_t index, std::uint32_t frameNumber, std::uint32_t timeMs,
                 CallState state);
    template <class Which>
    void endWhere(std::uint32_t frameNumber, std::uint32_t timeMs, CallState state, Which which);
    void erase(std::size_t index);
    // Gives up pending calls that have waited too long and forgets ended calls whose frames are
    // no longer kept.
    void expire(std::uint32_t nowMs);
    void setFate(TrackedCall &call, CallFate fate);
    // The outcome for a message of call, which is forgotten when the address test refused it.
    TrackOutcome settle(std::size_t index);

    std::string isdnLocal_, isdnRemote_, x25Local_, x25Remote_;
    std::vector<TrackedCall> calls_;
    std::vector<CallFate> fates_; // by serial - 1
    std::uint32_t lossStartMs_ = 0;
    bool lossStarted_ = false;
    std::uint32_t pending_ = 0;   // calls still pending
    std::uint32_t endedKept_ = 0; // accepted calls that ended
};

} // namespace qv
