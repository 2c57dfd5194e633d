#pragma once
// Layer-2 link analysis: follows every LAPD data link of a capture (per TEI and SAPI, per V5
// envelope on V5 captures) through its states and its sequence variables V(S), V(R) and V(A) on
// both sides, and reports what a network engineer looks for first: lost and repeated I frames,
// rejects, late or missing acknowledgements, unanswered polls, link resets and TEI trouble.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/ExpertItemStore.h"
#include "base/BackgroundJob.h"
#include "decode/DecodedFrame.h"
#include "decode/LvtRecord.h"

namespace qv {

class CDecoder;
class FrameSource;

std::string_view severityText(Severity severity);
std::string_view expertGroupText(ExpertGroup group);
// "note", "warning" or "error", in any case; false for anything else.
bool parseSeverity(std::string_view text, Severity &out);

// The retransmission timer of LAPD: an I frame or a poll not answered within it is late.
inline constexpr std::uint32_t kT200Ms = 1000;

class LinkAnalysis {
public:
    // On a V5 capture the sides are the access network and the local exchange.
    explicit LinkAnalysis(bool v5 = false) : v5_(v5) {}

    // Takes the decoded frame index (from 0) of the capture, in file order.
    void add(std::uint32_t index, const DecodedFrame &frame, const LvtRecord &record);
    // The findings beyond the data links, of the same record: frames received bad and buffer
    // overflows, layer-1 alarms, calls cleared with an abnormal cause and calls never answered.
    // message and cause are the record's summary texts (the layer-1 event, the message, the
    // cause's name).
    void addOutsideLinks(std::uint32_t index, const DecodedFrame &frame, const LvtRecord &record,
                         std::string_view message, std::string_view cause);
    // The end of the capture: I frames never acknowledged and polls never answered. The items
    // are then in frame order.
    void finish();

    // The findings in memory, for a list to show; empty once findingsOnDisk() was asked for.
    const std::vector<ExpertItem> &items() const { return items_; }
    // From now on the findings go to a store that keeps them on the disk beyond a run's
    // worth, for a capture of any size; they are read with forEachItem.
    void findingsOnDisk() { store_ = std::make_unique<ExpertItemStore>(); }
    // Every finding in frame order, from memory or from the store (then once); false when the
    // store's temporary file failed.
    bool forEachItem(const std::function<void(const ExpertItem &)> &fn);
    std::size_t count(Severity severity) const { return counts_[static_cast<int>(severity)]; }
    // Data links seen, and frames taken into the analysis (good LAPD frames).
    std::size_t linkCount() const { return links_.size(); }
    std::uint32_t framesAnalysed() const { return analysed_; }

private:
    enum class State : std::uint8_t { Unknown, Establishing, Established, Releasing, Released };
    enum class PollKind : std::uint8_t { None, Supervisory, Information, Sabme, Disc };

    struct Side {
        bool known = false;  // V(S) and V(A) known: link set up or frames seen
        std::uint8_t vs = 0; // next N(S) this side sends
        std::uint8_t va = 0; // oldest N(S) of this side not yet acknowledged
        std::uint8_t vr = 0; // next N(S) this side expects from its peer
        bool vrKnown = false;
        std::uint32_t sentFrame[128] = {}; // frame index + 1 of the last I frame of each N(S)
        std::uint64_t sentTime[128] = {};
        // After a REJ of the peer: the N(S) the retransmission is expected to go on with.
        bool recovering = false;
        std::uint8_t recoveryNext = 0;
        std::uint32_t rejectFrame = 0;
        // A command with P=1 (or a SABME, a DISC) waiting for the peer's answer.
        PollKind poll = PollKind::None;
        std::uint32_t pollFrame = 0;
        std::uint64_t pollTime = 0;
    };
    struct Link {
        std::uint32_t key = 0;
        State state = State::Unknown;
        bool complainedReleased = false;
        Side side[2];
    };
    struct Tei {
        bool assigned = false;
        bool complained = false;
        std::uint32_t removedFrame = 0; // frame index + 1 of the removal, 0 when none
    };

    void report(std::uint32_t index, Severity severity, ExpertGroup group, std::string text);
    std::string where(const Link &link, int side) const;
    std::string linkName(std::uint32_t key) const;
    std::uint64_t clock(const DecodedFrame &frame, const LvtRecord &record);

    void teiManagement(std::uint32_t index, const DecodedFrame &frame);
    void checkTei(std::uint32_t index, const DecodedFrame &frame);
    void information(Link &link, int side, std::uint32_t index, const DecodedFrame &frame);
    void supervisory(Link &link, int side, std::uint32_t index, const DecodedFrame &frame,
                     bool response);
    void unnumbered(Link &link, int side, std::uint32_t index, const DecodedFrame &frame,
                    bool response);
    // N(R) of a frame from side: acknowledges the I frames of the other side up to N(R) - 1.
    void acknowledge(Link &link, int side, std::uint32_t index, std::uint8_t nr);
    // A response of side: answers the other side's poll.
    void answerPoll(Link &link, int side, std::uint32_t index, const char *answer);
    void startPoll(Link &link, int side, std::uint32_t index, PollKind kind);
    // I frames of side still waiting for their acknowledgement when the link goes down or the
    // capture ends.
    void dropOutstanding(Link &link, int side, std::uint32_t index, const char *why,
                         Severity severity);
    void reset(Link &link);
    void unanswered(std::uint32_t setupFrame, std::uint16_t callRef, std::uint32_t tei,
                    const char *end);

    struct Call {
        std::uint32_t setupFrame = 0; // frame number of its SETUP, from 1
        bool answered = false;
        bool causeReported = false;
    };
    std::unordered_map<std::uint32_t, Call> calls_; // by TEI and call reference

    bool v5_;
    std::vector<ExpertItem> items_;
    std::unique_ptr<ExpertItemStore> store_;
    std::size_t counts_[3] = {};
    std::unordered_map<std::uint32_t, Link> links_;
    std::unordered_map<std::uint32_t, Tei> teis_;
    Link *lastLink_ = nullptr;
    std::uint32_t lastKey_ = 0xFFFFFFFF;
    std::uint32_t analysed_ = 0;
    std::uint32_t lastIndex_ = 0;
    // A clock that keeps running across day and month roll-over (the records carry the day of
    // the month only).
    std::uint64_t now_ = 0;
    std::uint32_t lastRaw_ = 0;
    std::uint8_t lastMonth_ = 0;
    bool clockStarted_ = false;
};

// The link analysis of a whole capture, every frame in file order whatever the filters show.
// False when a frame cannot be read or progress stopped the walk.
bool analyseLinks(FrameSource &source, LinkAnalysis &analysis, const WorkProgress &progress = {});

} // namespace qv
