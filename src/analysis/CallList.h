#pragma once
// The calls of a capture: every ISDN call (SETUP to RELEASE COMPLETE) and every X.25 virtual
// call (CALL to CLEAR CONFIRMATION), with its parties, times, furthest state and clearing.
// The calls are found by the call tracking the address filters use, so that the list and the
// filters always agree on which frames make a call.
//
// A RESTART is not a call of its own: the calls it restarts end with it (end "restart"), its
// frame becomes their last frame and its sender the side that cleared them.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/BackgroundJob.h"
#include "filters/CallTracker.h"

namespace qv {

class CDecoder;
class FrameSource;
struct DecodedFrame;
struct LvtRecord;

// A record's time with the year the capture had reached at that record.
struct CallTime {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint16_t timeHigh = 0; // as LvtRecord: day, hour, minute
    std::uint16_t timeLow = 0;  // second, millisecond
};
// "DD/MM/YYYY HH:MM:SS.mmm", as the summary's date and time columns show the record.
std::string callTimeText(const CallTime &time);
// Milliseconds from one time to a later one, across days, months and years.
std::int64_t millisecondsBetween(const CallTime &from, const CallTime &to);
// "H:MM:SS.mmm" of a duration.
std::string callDurationText(std::int64_t milliseconds);

// The furthest a call got, in the order a call goes through them.
enum class CallPhase : std::uint8_t {
    Setup,         // SETUP (X.25: CALL REQUEST / INCOMING CALL)
    Overlap,       // SETUP ACKNOWLEDGE: the number is being dialled
    Proceeding,    // CALL PROCEEDING
    Alerting,      // ALERTING
    Connected,     // CONNECT (X.25: CALL ACCEPTED)
    Disconnecting, // DISCONNECT or RELEASE (X.25: CLEAR REQUEST / INDICATION)
    Released,      // RELEASE COMPLETE (X.25: CLEAR CONFIRMATION)
};
std::string_view callPhaseText(CallPhase phase);

// How the capture shows a call ending.
enum class CallEnd : std::uint8_t {
    Open,         // no end in the capture
    Released,     // RELEASE COMPLETE / CLEAR CONFIRMATION
    Restart,      // a RESTART of its channel or interface
    LinkReleased, // a DISC on its data link
    LineDown,     // the line lost its signal or went inactive
};
std::string_view callEndText(CallEnd end);

struct CallEntry {
    std::uint32_t number = 0; // 1 for the first call, as the call tracking counts them
    bool x25 = false;
    std::uint32_t tei = kAnyTei;
    std::uint16_t callRef = 0; // call reference value, or X.25 logical channel (LCGN * 256 + LCN)
    std::uint8_t callRefFlag = 0; // the flag of the call's first message
    std::uint8_t origin = 0;      // direction of the SETUP / CALL (kDirectionTeNt or NtTe)
    std::string calling;
    std::string called;              // with the digits of overlap sending
    std::uint16_t overlapDigits = 0; // digits of the called number that came in INFORMATION
    std::string bearer;              // the SETUP's bearer capability as the summary names it
    std::uint32_t channel = 0;       // B channel, 0 when no message named one
    CallTime start, end, connect;
    bool answered = false; // a CONNECT (X.25: CALL ACCEPTED) was seen
    CallPhase phase = CallPhase::Setup;
    CallEnd ending = CallEnd::Open;
    std::uint8_t clearedBy = 0; // direction of the first clearing message, 0 when none
    bool hasCause = false;
    std::uint32_t cause = 0;
    std::string causeText;
    bool hasDiagnostic = false; // X.25 clearing diagnostic
    std::uint32_t diagnostic = 0;
    std::string diagnosticText;
    std::uint32_t firstFrame = 0; // 0-based frame indices
    std::uint32_t lastFrame = 0;
    std::uint32_t frameCount = 0;      // layer-3 messages (X.25: packets) of the call
    std::uint32_t dataPackets = 0;     // X.25 DATA packets
    std::vector<std::uint32_t> frames; // the 0-based indices of those messages, in order

    std::int64_t durationMs() const { return millisecondsBetween(start, end); }
    // From CONNECT to the end, 0 for a call never answered.
    std::int64_t connectedMs() const { return answered ? millisecondsBetween(connect, end) : 0; }
};

// Collects the calls from decoded frames handed over in file order.
class CallListBuilder {
public:
    // year and month: the capture's start, from which the year of each record follows.
    CallListBuilder(std::uint16_t startYear, std::uint16_t startMonth);

    // With a sink, every call is handed to it, in the order of the calls' numbers, as soon as
    // it and the calls before it can change no more; only the calls still open are kept.
    void setSink(std::function<void(CallEntry &&)> sink) { sink_ = std::move(sink); }
    // The decoder's current frame, frame index frameNumber.
    void add(CDecoder &decoder, std::uint32_t frameNumber);
    // The calls kept (all of them without a sink), in number order; with a sink they go to it.
    std::vector<CallEntry> take();

private:
    void isdnMessage(CDecoder &decoder, const DecodedFrame &frame, std::uint32_t frameNumber);
    void x25Packet(CDecoder &decoder, const DecodedFrame &frame, std::uint32_t frameNumber);
    // The entry of the call the tracker answered, created with the call when new.
    CallEntry *entryOf(std::uint32_t serial, const DecodedFrame &frame, std::uint32_t frameNumber);
    // Copies what the tracker knows of the call (TEI, addresses, channel).
    void refresh(CallEntry &entry) const;
    // The calls the tracker has just ended at frameNumber get their ending.
    void endedNow(std::uint32_t frameNumber, CallEnd ending, std::uint8_t by);
    void clearing(CallEntry &entry, const DecodedFrame &frame);
    void itemText(CDecoder &decoder, int item, std::string &out);
    // The entry of call serial, null when it was handed on already.
    CallEntry *held(std::uint32_t serial);
    // Hands on the calls at the front that the tracker no longer follows.
    void handOnFinished();

    CallTracker tracker_;
    // Calls firstHeld_, firstHeld_ + 1 ...; those before went to the sink.
    std::deque<CallEntry> calls_;
    std::uint32_t firstHeld_ = 1;
    std::function<void(CallEntry &&)> sink_;
    CallTime now_;
    std::uint16_t previousMonth_;
    std::string text_;
};

// The calls of the whole capture of decodable, walked in file order past any off-line filter.
// False when no frame can be read.
bool buildCallList(FrameSource &source, std::vector<CallEntry> &out,
                   const WorkProgress &progress = {});
// The same calls handed to sink one by one in number order as they end, so that a capture of
// any length takes little memory.
bool streamCallList(FrameSource &source, const std::function<void(CallEntry &&)> &sink,
                    const WorkProgress &progress = {});

} // namespace qv
