#include "analysis/LinkAnalysis.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/SummaryCells.h"

namespace qv {

namespace {

constexpr std::uint8_t kTeiSapi = 63;
constexpr std::uint32_t kGroupTei = 127;
constexpr std::uint32_t kFirstAutomaticTei = 64;
// TEI management messages that name a TEI in use in their Ai field.
constexpr std::uint16_t kIdAssign = 2, kIdCheckResponse = 5, kIdRemove = 6, kIdVerify = 7;

constexpr const char *kSeverityTexts[] = {"Note", "Warning", "Error"};
constexpr const char *kGroupTexts[] = {"Sequence",  "Retransmission", "Timer",    "Link", "TEI",
                                       "Bad frame", "Layer 1",        "Clearing", "Call"};

constexpr std::uint8_t modulo(int value) {
    return static_cast<std::uint8_t>(value & 127);
}

// Seconds with milliseconds, for the texts.
std::string seconds(std::uint64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%03u s", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned>(ms % 1000));
    return text;
}

std::string numbers(std::uint8_t first, std::uint8_t last) {
    return first == last ? "N(S)=" + std::to_string(first)
                         : "N(S)=" + std::to_string(first) + ".." + std::to_string(last);
}

const char *controlName(std::uint8_t control) {
    switch (control) {
    case kCtrlRR:
        return "RR";
    case kCtrlRNR:
        return "RNR";
    case kCtrlREJ:
        return "REJ";
    case kCtrlSABME:
        return "SABME";
    case kCtrlDISC:
        return "DISC";
    default:
        return "I";
    }
}

// The first of the bits Z, Y, X, W that is set.
const char *frmrCauseText(std::uint8_t cause) {
    return cause & 8   ? "invalid N(R)"
           : cause & 4 ? "information field too long"
           : cause & 2 ? "information field not permitted"
           : cause & 1 ? "undefined control field"
                       : "no cause given";
}

int daysInMonth(unsigned month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? kDays[month - 1] : 31;
}

} // namespace

std::string_view severityText(Severity severity) {
    return kSeverityTexts[static_cast<int>(severity)];
}

std::string_view expertGroupText(ExpertGroup group) {
    return kGroupTexts[static_cast<int>(group)];
}

bool parseSeverity(std::string_view text, Severity &out) {
    for (int k = 0; k < 3; ++k) {
        const std::string_view name = kSeverityTexts[k];
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            out = static_cast<Severity>(k);
            return true;
        }
    }
    return false;
}

void LinkAnalysis::report(std::uint32_t index, Severity severity, ExpertGroup group,
                          std::string text) {
    ++counts_[static_cast<int>(severity)];
    if (store_)
        store_->add({index + 1, severity, group, std::move(text)});
    else
        items_.push_back({index + 1, severity, group, std::move(text)});
}

bool LinkAnalysis::forEachItem(const std::function<void(const ExpertItem &)> &fn) {
    if (store_)
        return store_->forEach(fn);
    for (const ExpertItem &item : items_)
        fn(item);
    return true;
}

std::string LinkAnalysis::linkName(std::uint32_t key) const {
    const std::uint32_t efa = key >> 16, sapi = (key >> 8) & 0xFF, tei = key & 0xFF;
    std::string name;
    if (efa != kNoEfa && efa != 0xFFFF) {
        name = "EFA " + std::to_string(efa);
        if (efa >= 8176)
            return name;
        name += ' ';
    }
    return name + "TEI " + std::to_string(tei) + " SAPI " + std::to_string(sapi);
}

std::string LinkAnalysis::where(const Link &link, int side) const {
    const char *direction =
        v5_ ? (side == 0 ? "AN->LE" : "LE->AN") : (side == 0 ? "TE->NT" : "NT->TE");
    return " (" + linkName(link.key) + ", " + direction + ")";
}

std::uint64_t LinkAnalysis::clock(const DecodedFrame &frame, const LvtRecord &record) {
    constexpr std::uint64_t kDay = 86400000ull;
    const std::uint32_t raw = frame.timeMs;
    if (clockStarted_ && record.month != lastMonth_) {
        // A new month: the rest of the last one, then the time into the new one (days count
        // from 1).
        const std::uint64_t monthEnd =
            static_cast<std::uint64_t>(daysInMonth(lastMonth_) + 1) * kDay;
        if (monthEnd > lastRaw_ && raw >= kDay)
            now_ += monthEnd - lastRaw_ + raw - kDay;
    } else if (clockStarted_ && raw >= lastRaw_) {
        now_ += raw - lastRaw_;
    }
    // A record stamped a little before the previous one leaves the clock where it was.
    clockStarted_ = true;
    lastRaw_ = raw;
    lastMonth_ = record.month;
    return now_;
}

void LinkAnalysis::add(std::uint32_t index, const DecodedFrame &frame, const LvtRecord &record) {
    if (record.kind != kFrameRecord || record.status != 0 || frame.error == kBadFcs ||
        frame.error == kFrameTooLong || frame.control == kCtrlNotParsed)
        return;
    clock(frame, record);
    lastIndex_ = index;
    ++analysed_;
    if (frame.sapi == kTeiSapi && frame.control == kCtrlUI && frame.l3Kind == kL3TeiManagement) {
        teiManagement(index, frame);
        return;
    }
    if (frame.tei == kGroupTei)
        return;
    checkTei(index, frame);
    const std::uint32_t efa = frame.efa == kNoEfa ? 0xFFFF : frame.efa;
    const std::uint32_t key = efa << 16 | std::uint32_t(frame.sapi) << 8 | (frame.tei & 0xFF);
    if (key != lastKey_) {
        Link &link = links_[key];
        link.key = key;
        lastLink_ = &link;
        lastKey_ = key;
    }
    Link &link = *lastLink_;
    const int side = frame.direction == kDirectionTeNt ? 0 : 1;
    const bool response = (frame.direction == kDirectionNtTe && frame.cr == 0) ||
                          (frame.direction != kDirectionNtTe && frame.cr == 1);
    switch (frame.format) {
    case kFormatI:
        information(link, side, index, frame);
        break;
    case kFormatS:
        supervisory(link, side, index, frame, response);
        break;
    default:
        unnumbered(link, side, index, frame, response);
        break;
    }
}

void LinkAnalysis::teiManagement(std::uint32_t index, const DecodedFrame &frame) {
    if (frame.error != kDecodeOk)
        return;
    const std::uint32_t efaBits = (frame.efa == kNoEfa ? 0xFFFFu : frame.efa) << 8;
    const std::uint32_t tei = frame.ai;
    switch (frame.messageType) {
    case kIdAssign:
    case kIdCheckResponse:
    case kIdVerify:
        if (tei >= kFirstAutomaticTei && tei < kGroupTei) {
            Tei &t = teis_[efaBits | tei];
            t.assigned = true;
            t.complained = false;
        }
        break;
    case kIdRemove:
        for (auto &[key, t] : teis_)
            if ((key & ~0xFFu) == efaBits && (tei == kGroupTei || (key & 0xFF) == tei)) {
                t.assigned = false;
                t.complained = false;
                t.removedFrame = index + 1;
            }
        if (tei != kGroupTei && tei >= kFirstAutomaticTei && !teis_.count(efaBits | tei))
            teis_[efaBits | tei].removedFrame = index + 1;
        for (auto &[key, link] : links_) {
            const std::uint32_t linkTei = key & 0xFF;
            const std::uint32_t linkEfa = (key >> 16) << 8;
            if (linkEfa != efaBits || (tei != kGroupTei && linkTei != tei))
                continue;
            if (link.state == State::Established || link.state == State::Establishing) {
                report(index, Severity::Error, ExpertGroup::Tei,
                       "TEI " + std::to_string(linkTei) + " removed while its data link is up" +
                           " (" + linkName(key) + ")");
            }
            reset(link);
            link.state = State::Released;
        }
        break;
    default:
        break;
    }
}

void LinkAnalysis::checkTei(std::uint32_t index, const DecodedFrame &frame) {
    if (frame.tei < kFirstAutomaticTei || frame.tei >= kGroupTei)
        return;
    const std::uint32_t efaBits = (frame.efa == kNoEfa ? 0xFFFFu : frame.efa) << 8;
    Tei &t = teis_[efaBits | frame.tei];
    if (t.assigned || t.complained)
        return;
    t.complained = true;
    const std::string tei = "TEI " + std::to_string(frame.tei);
    if (t.removedFrame != 0)
        report(index, Severity::Warning, ExpertGroup::Tei,
               "Frame on " + tei + ", removed in frame " + std::to_string(t.removedFrame) +
                   " and not assigned again");
    else
        report(index, Severity::Note, ExpertGroup::Tei,
               tei + " in use but never assigned in this capture (assigned before it started?)");
}

void LinkAnalysis::reset(Link &link) {
    for (Side &s : link.side) {
        s.known = true;
        s.vs = s.va = s.vr = 0;
        s.vrKnown = true;
        s.recovering = false;
        s.poll = PollKind::None;
    }
}

void LinkAnalysis::startPoll(Link &link, int side, std::uint32_t index, PollKind kind) {
    Side &s = link.side[side];
    const std::uint64_t now = now_;
    if (s.poll != PollKind::None && s.pollFrame != 0) {
        const std::uint64_t waited = now - s.pollTime;
        if (kind == PollKind::Sabme && s.poll == PollKind::Sabme)
            report(s.pollFrame - 1, Severity::Warning, ExpertGroup::Timer,
                   "SABME not answered: repeated in frame " + std::to_string(index + 1) +
                       " after " + seconds(waited) + where(link, side));
        else if (waited >= kT200Ms && kind != PollKind::Disc && kind != PollKind::Sabme)
            report(s.pollFrame - 1, Severity::Warning, ExpertGroup::Timer,
                   "Poll not answered within T200: polled again in frame " +
                       std::to_string(index + 1) + " after " + seconds(waited) + where(link, side));
    }
    s.poll = kind;
    s.pollFrame = index + 1;
    s.pollTime = now;
}

void LinkAnalysis::answerPoll(Link &link, int side, std::uint32_t index, const char *answer) {
    Side &polling = link.side[1 - side];
    if (polling.poll == PollKind::None)
        return;
    const std::uint64_t waited = now_ - polling.pollTime;
    if (waited > kT200Ms)
        report(polling.pollFrame - 1, Severity::Warning, ExpertGroup::Timer,
               std::string(polling.poll == PollKind::Sabme  ? "SABME"
                           : polling.poll == PollKind::Disc ? "DISC"
                                                            : "Poll") +
                   " answered late: " + answer + " in frame " + std::to_string(index + 1) +
                   " after " + seconds(waited) + ", T200 is 1 s" + where(link, 1 - side));
    polling.poll = PollKind::None;
}

void LinkAnalysis::acknowledge(Link &link, int side, std::uint32_t index, std::uint8_t nr) {
    Side &sender = link.side[1 - side];
    if (!sender.known) {
        // The capture started on a running link: this N(R) tells where the other side stands.
        sender.known = true;
        sender.vs = sender.va = nr;
        return;
    }
    const std::uint8_t window = modulo(sender.vs - sender.va);
    const std::uint8_t acked = modulo(nr - sender.va);
    if (acked > window) {
        report(index, Severity::Error, ExpertGroup::Sequence,
               "N(R)=" + std::to_string(nr) +
                   " acknowledges I frames never sent: V(A)=" + std::to_string(sender.va) +
                   ", V(S)=" + std::to_string(sender.vs) + where(link, side));
        return;
    }
    if (acked == 0)
        return;
    // The acknowledgement of the oldest frame says whether the peer answered in time.
    const std::uint8_t first = sender.va;
    const std::uint8_t last = modulo(nr - 1);
    const std::uint32_t sentFrame = sender.sentFrame[first];
    const std::uint64_t waited = now_ - sender.sentTime[first];
    if (sentFrame != 0 && waited > kT200Ms)
        report(sentFrame - 1, Severity::Warning, ExpertGroup::Timer,
               std::string(first == last ? "I frame " : "I frames ") + numbers(first, last) +
                   " acknowledged late: frame " + std::to_string(index + 1) + " after " +
                   seconds(waited) + ", T200 is 1 s" + where(link, 1 - side));
    sender.va = nr;
    if (sender.recovering &&
        modulo(sender.recoveryNext - sender.va) > modulo(sender.vs - sender.va))
        sender.recoveryNext = sender.va;
}

void LinkAnalysis::information(Link &link, int side, std::uint32_t index,
                               const DecodedFrame &frame) {
    if (link.state == State::Released && !link.complainedReleased) {
        link.complainedReleased = true;
        report(index, Severity::Warning, ExpertGroup::Link,
               "I frame on a released data link" + where(link, side));
    }
    if (link.state == State::Unknown)
        link.state = State::Established;
    acknowledge(link, side, index, frame.nr);
    Side &s = link.side[side];
    const std::uint8_t ns = frame.ns;
    const std::string nsText = "N(S)=" + std::to_string(ns);
    if (!s.known) {
        s.known = true;
        s.va = ns;
        s.vs = ns;
    }
    const std::uint8_t behind = modulo(s.vs - ns);
    if (ns == s.vs) {
        s.vs = modulo(ns + 1);
        s.recovering = false;
    } else if (behind >= 1 && behind < 64) {
        // An N(S) seen before: retransmitted after a REJ, after T200, or out of turn.
        const std::uint32_t first = s.sentFrame[ns];
        const std::string firstText =
            first != 0 ? " (first sent in frame " + std::to_string(first) + ")" : "";
        if (s.recovering && ns == s.recoveryNext) {
            report(index, Severity::Note, ExpertGroup::Retransmission,
                   "REJ recovery: " + nsText + " retransmitted after the REJ of frame " +
                       std::to_string(s.rejectFrame) + firstText + where(link, side));
            s.recoveryNext = modulo(ns + 1);
            if (s.recoveryNext == s.vs)
                s.recovering = false;
        } else {
            report(index, Severity::Warning, ExpertGroup::Retransmission,
                   "Retransmission: " + nsText + " sent again" + firstText +
                       (frame.pf ? ", with P=1 after T200" : "") + where(link, side));
        }
    } else {
        const int lost = modulo(ns - s.vs);
        report(index, Severity::Error, ExpertGroup::Sequence,
               nsText + " expected " + std::to_string(s.vs) + ": " + std::to_string(lost) +
                   (lost == 1 ? " I frame lost" : " I frames lost") + where(link, side));
        for (std::uint8_t k = s.vs; k != ns; k = modulo(k + 1)) {
            s.sentFrame[k] = 0;
            s.sentTime[k] = now_;
        }
        s.vs = modulo(ns + 1);
        s.recovering = false;
    }
    if (s.sentFrame[ns] == 0 || behind == 0 || behind >= 64) {
        s.sentFrame[ns] = index + 1;
        s.sentTime[ns] = now_;
    }
    Side &receiver = link.side[1 - side];
    if (!receiver.vrKnown || receiver.vr == ns) {
        receiver.vrKnown = true;
        receiver.vr = modulo(ns + 1);
    }
    if (frame.pf)
        startPoll(link, side, index, PollKind::Information);
}

void LinkAnalysis::supervisory(Link &link, int side, std::uint32_t index, const DecodedFrame &frame,
                               bool response) {
    if (link.state == State::Unknown)
        link.state = State::Established;
    if (response)
        answerPoll(link, side, index, controlName(frame.control));
    acknowledge(link, side, index, frame.nr);
    if (frame.control == kCtrlREJ) {
        Side &sender = link.side[1 - side];
        report(index, Severity::Warning, ExpertGroup::Retransmission,
               "REJ: the receiver asks for the I frames from N(S)=" + std::to_string(frame.nr) +
                   " again" + where(link, side));
        if (sender.known && frame.nr != sender.vs) {
            sender.recovering = true;
            sender.recoveryNext = frame.nr;
            sender.rejectFrame = index + 1;
        }
    }
    if (!response && frame.pf)
        startPoll(link, side, index, PollKind::Supervisory);
}

void LinkAnalysis::unnumbered(Link &link, int side, std::uint32_t index, const DecodedFrame &frame,
                              bool response) {
    Side &peer = link.side[1 - side];
    switch (frame.control) {
    case kCtrlSABME:
        if (link.state == State::Established) {
            report(index, Severity::Warning, ExpertGroup::Link,
                   "Link reset: SABME on an established data link" + where(link, side));
            dropOutstanding(link, 0, index, "before the link reset", Severity::Warning);
            dropOutstanding(link, 1, index, "before the link reset", Severity::Warning);
        }
        startPoll(link, side, index, PollKind::Sabme);
        link.state = State::Establishing;
        break;
    case kCtrlDISC:
        dropOutstanding(link, 0, index, "before the DISC", Severity::Warning);
        dropOutstanding(link, 1, index, "before the DISC", Severity::Warning);
        startPoll(link, side, index, PollKind::Disc);
        link.state = State::Releasing;
        break;
    case kCtrlUA: {
        const PollKind asked = peer.poll;
        answerPoll(link, side, index, "UA");
        if (asked == PollKind::Sabme) {
            reset(link);
            link.state = State::Established;
            link.complainedReleased = false;
        } else if (asked == PollKind::Disc) {
            link.state = State::Released;
            link.complainedReleased = false;
        }
        break;
    }
    case kCtrlDM: {
        const PollKind asked = peer.poll;
        answerPoll(link, side, index, "DM");
        if (asked == PollKind::Sabme)
            report(index, Severity::Warning, ExpertGroup::Link,
                   "DM answers the SABME of frame " + std::to_string(peer.pollFrame) +
                       ": the data link is refused" + where(link, side));
        else if (link.state == State::Established || link.state == State::Establishing) {
            report(index, Severity::Warning, ExpertGroup::Link,
                   "DM on an established data link: the peer has no link" + where(link, side));
            dropOutstanding(link, 0, index, "before the DM", Severity::Warning);
            dropOutstanding(link, 1, index, "before the DM", Severity::Warning);
        }
        link.state = State::Released;
        link.complainedReleased = false;
        break;
    }
    case kCtrlFRMR: {
        char text[200];
        std::snprintf(text, sizeof text,
                      "FRMR: the frame with control field 0x%04X was rejected (%s), V(S)=%u "
                      "V(R)=%u; the data link must be set up again",
                      frame.frmrControl, frmrCauseText(frame.frmrCause), frame.frmrVs,
                      frame.frmrVr);
        report(index, Severity::Error, ExpertGroup::Link, text + where(link, side));
        if (response)
            answerPoll(link, side, index, "FRMR");
        break;
    }
    default:
        break;
    }
}

void LinkAnalysis::dropOutstanding(Link &link, int side, std::uint32_t index, const char *why,
                                   Severity severity) {
    Side &s = link.side[side];
    if (!s.known || s.va == s.vs)
        return;
    const std::uint8_t first = s.va, last = modulo(s.vs - 1);
    const std::uint32_t sent = s.sentFrame[first];
    report(sent != 0 ? sent - 1 : index, severity, ExpertGroup::Timer,
           std::string(first == last ? "I frame " : "I frames ") + numbers(first, last) +
               " never acknowledged " + why + " (frame " + std::to_string(index + 1) + ")" +
               where(link, side));
    s.va = s.vs;
}

void LinkAnalysis::finish() {
    // Calls still waiting for their answer when the capture ends.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> open;
    for (const auto &[key, call] : calls_)
        if (!call.answered)
            open.emplace_back(call.setupFrame, key);
    std::sort(open.begin(), open.end());
    for (const auto &[setup, key] : open)
        unanswered(setup, static_cast<std::uint16_t>(key & 0xFFFF), key >> 16,
                   "still unanswered at the end of the capture");
    calls_.clear();
    for (auto &[key, link] : links_) {
        for (int side = 0; side < 2; ++side) {
            Side &s = link.side[side];
            if (s.known && s.va != s.vs) {
                const std::uint32_t sent = s.sentFrame[s.va];
                const std::uint64_t waited = now_ - s.sentTime[s.va];
                const std::uint8_t first = s.va, last = modulo(s.vs - 1);
                report(sent != 0 ? sent - 1 : lastIndex_,
                       waited >= kT200Ms ? Severity::Warning : Severity::Note, ExpertGroup::Timer,
                       std::string(first == last ? "I frame " : "I frames ") +
                           numbers(first, last) + " not acknowledged by the end of the capture, " +
                           seconds(waited) + " later" + where(link, side));
                s.va = s.vs;
            }
            if (s.poll != PollKind::None) {
                const std::uint64_t waited = now_ - s.pollTime;
                const char *what = s.poll == PollKind::Sabme  ? "SABME"
                                   : s.poll == PollKind::Disc ? "DISC"
                                                              : "Poll (P=1)";
                report(s.pollFrame - 1, waited >= kT200Ms ? Severity::Warning : Severity::Note,
                       ExpertGroup::Timer,
                       std::string(what) + " never answered: the capture ends " + seconds(waited) +
                           " later" + where(link, side));
                s.poll = PollKind::None;
            }
        }
    }
    std::stable_sort(items_.begin(), items_.end(),
                     [](const ExpertItem &a, const ExpertItem &b) { return a.frame < b.frame; });
}

void LinkAnalysis::addOutsideLinks(std::uint32_t index, const DecodedFrame &frame,
                                   const LvtRecord &record, std::string_view message,
                                   std::string_view cause) {
    auto trimmed = [](std::string_view text) {
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return std::string(text);
    };
    if (record.isOverflowMark()) {
        report(index, Severity::Error, ExpertGroup::BadFrame,
               "Frames lost: the tester's buffer overflowed");
        return;
    }
    if (record.kind == kLayer1Event) {
        // Activation and deactivation are the line's normal life; the rest is an alarm.
        // The end of an alarm is worth a note, its start and the errors a warning.
        if (!isActivationEvent(record.status)) {
            const std::string event = trimmed(message);
            const bool ends = event.size() > 4 && event.compare(event.size() - 4, 4, " End") == 0;
            report(index, ends ? Severity::Note : Severity::Warning, ExpertGroup::Layer1,
                   "Layer-1 event: " + event);
        }
        return;
    }
    if (record.kind != kFrameRecord)
        return;
    if (record.status != 0 || frame.error == kBadFcs) {
        const std::string_view status = statusText(record);
        report(index, Severity::Error, ExpertGroup::BadFrame,
               status == "Bad" ? std::string("Frame received with a bad FCS")
                               : "Frame received bad: " + std::string(status));
        return;
    }
    if (frame.error != kDecodeOk || frame.l3Kind != kL3CallControl || frame.crLength == 0)
        return;
    // The calls: answered or not, cleared for a normal reason or not.
    const std::uint32_t key = frame.tei << 16 | frame.callRef;
    constexpr std::uint16_t kSetup = 0x05, kConnect = 0x07, kReleaseComplete = 0x5A;
    if (frame.messageType == kSetup) {
        calls_[key] = Call{index + 1, false, false};
        return;
    }
    const auto call = calls_.find(key);
    if (call == calls_.end())
        return;
    if (frame.messageType == kConnect)
        call->second.answered = true;
    static constexpr std::uint32_t kNormalCauses[] = {16, 17, 18, 19, 21, 31};
    if (frame.cause != 0 && !call->second.causeReported &&
        std::find(std::begin(kNormalCauses), std::end(kNormalCauses), frame.cause) ==
            std::end(kNormalCauses)) {
        call->second.causeReported = true;
        char text[160];
        std::snprintf(text, sizeof text, "Call cleared with cause %u (%s) in %s, call ref 0x%02X",
                      static_cast<unsigned>(frame.cause), trimmed(cause).c_str(),
                      trimmed(message).c_str(), static_cast<unsigned>(frame.callRef));
        report(index, Severity::Warning, ExpertGroup::Clearing, text);
    }
    if (frame.messageType == kReleaseComplete) {
        if (!call->second.answered)
            unanswered(call->second.setupFrame, frame.callRef, frame.tei, "cleared");
        calls_.erase(call);
    }
}

void LinkAnalysis::unanswered(std::uint32_t setupFrame, std::uint16_t callRef, std::uint32_t tei,
                              const char *end) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Call not answered: SETUP at frame %u, call ref 0x%02X, TEI %u, %s",
                  static_cast<unsigned>(setupFrame), static_cast<unsigned>(callRef),
                  static_cast<unsigned>(tei), end);
    report(setupFrame - 1, Severity::Note, ExpertGroup::Call, text);
}

bool analyseLinks(FrameSource &source, LinkAnalysis &analysis, const WorkProgress &progress) {
    if (!source.open())
        return false;
    std::string message, cause;
    const bool ok = source.forEachFrame(
        [&](std::uint32_t n, CDecoder &decoder) {
            analysis.add(n, decoder.frame(), decoder.currentRecord());
            // The summary's Msg.Type and Cause columns.
            summaryCellText(decoder, 28, n, message);
            summaryCellText(decoder, 35, n, cause);
            analysis.addOutsideLinks(n, decoder.frame(), decoder.currentRecord(), message, cause);
        },
        progress);
    analysis.finish();
    return ok;
}

} // namespace qv
