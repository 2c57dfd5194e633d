#include "analysis/CallList.h"

#include <algorithm>
#include <cstdio>

#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/DecodedFrame.h"
#include "decode/L3ItemProvider.h"
#include "decode/LvtRecord.h"
#include "decode/MessageTypes.h"
#include "decode/SummaryColumn.h"

namespace qv {

namespace {

// The summary columns of the items of a layer-3 message: item k is the k-th column after the
// message type.
constexpr int kItemColumnBase = columnNumber(SummaryColumn::MessageType);

constexpr std::string_view kPhaseTexts[] = {"setup",     "overlap",       "proceeding", "alerting",
                                            "connected", "disconnecting", "released"};
constexpr std::string_view kEndTexts[] = {"open", "released", "restart", "link released",
                                          "line down"};

// Days since 1970-01-01 of a civil date.
std::int64_t daysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

LvtRecord recordAt(const CallTime &time) {
    LvtRecord r;
    r.month = time.month;
    r.timeHigh = time.timeHigh;
    r.timeLow = time.timeLow;
    return r;
}

std::int64_t absoluteMs(const CallTime &t) {
    const LvtRecord r = recordAt(t);
    // A record of day 0 or month 0 is damaged; count it as the first day so that it stays in
    // order with its neighbours.
    const unsigned month = r.month >= 1 && r.month <= 12 ? r.month : 1;
    const unsigned day = r.day() >= 1 ? r.day() : 1;
    const std::int64_t days = daysFromCivil(t.year, month, day);
    return (((days * 24 + r.hour()) * 60 + r.minute()) * 60 + r.second()) * 1000 + r.millisecond();
}

bool isClearing(std::uint16_t type) {
    return type == q931::kDisconnect || type == q931::kRelease || type == q931::kReleaseComplete;
}

} // namespace

std::string callTimeText(const CallTime &time) {
    const LvtRecord r = recordAt(time);
    DateTracker dates;
    dates.start(time.month, time.year);
    std::string text = dates.dateText(r);
    text.push_back(' ');
    appendTimeText(text, r);
    return text;
}

std::int64_t millisecondsBetween(const CallTime &from, const CallTime &to) {
    const std::int64_t ms = absoluteMs(to) - absoluteMs(from);
    return ms > 0 ? ms : 0;
}

std::string callDurationText(std::int64_t ms) {
    char text[40];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%03lld",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

std::string_view callPhaseText(CallPhase phase) {
    return kPhaseTexts[static_cast<std::size_t>(phase)];
}

std::string_view callEndText(CallEnd end) {
    return kEndTexts[static_cast<std::size_t>(end)];
}

CallListBuilder::CallListBuilder(std::uint16_t startYear, std::uint16_t startMonth)
    : previousMonth_(startMonth) {
    now_.year = startYear;
}

void CallListBuilder::itemText(CDecoder &decoder, int item, std::string &out) {
    decoder.columnText(kItemColumnBase + item, out, false);
}

void CallListBuilder::add(CDecoder &decoder, std::uint32_t frameNumber) {
    const LvtRecord &record = decoder.currentRecord();
    // The year follows the months of the records, as the summary's date column counts it.
    if (record.month == 1 && previousMonth_ == 12)
        ++now_.year;
    else if (record.month == 12 && previousMonth_ == 1)
        --now_.year;
    previousMonth_ = record.month;
    now_.month = record.month;
    now_.timeHigh = record.timeHigh;
    now_.timeLow = record.timeLow;

    const DecodedFrame &frame = decoder.frame();
    // The same feed as the filter's: the clock with every frame, then what the frame says.
    tracker_.clock(frame.timeMs);
    if (sink_ && !calls_.empty() && (frameNumber & 63) == 0)
        handOnFinished();
    if (frame.error != kDecodeOk)
        return;
    const int layer = decoder.LayerCategory();
    switch (layer < 0 ? -layer : layer) {
    case 1:
        tracker_.layer1Event(record.status, frame.timeMs, frameNumber);
        endedNow(frameNumber, CallEnd::LineDown, 0);
        break;
    case 2:
        if (frame.control == kCtrlDISC) {
            tracker_.linkReleased(frame.tei, frame.timeMs, frameNumber);
            endedNow(frameNumber, CallEnd::LinkReleased, frame.direction);
        }
        break;
    case 3:
        if (frame.l3Kind == kL3CallControl)
            isdnMessage(decoder, frame, frameNumber);
        break;
    case 4:
        if (frame.l3Kind == kL3X25)
            x25Packet(decoder, frame, frameNumber);
        break;
    default:
        break;
    }
}

CallEntry *CallListBuilder::held(std::uint32_t serial) {
    if (serial < firstHeld_ || serial - firstHeld_ >= calls_.size())
        return nullptr;
    return &calls_[serial - firstHeld_];
}

void CallListBuilder::handOnFinished() {
    while (!calls_.empty()) {
        const std::uint32_t serial = calls_.front().number;
        const auto &tracked = tracker_.calls();
        if (std::any_of(tracked.begin(), tracked.end(),
                        [serial](const TrackedCall &c) { return c.serial == serial; }))
            return;
        sink_(std::move(calls_.front()));
        calls_.pop_front();
        ++firstHeld_;
    }
}

std::vector<CallEntry> CallListBuilder::take() {
    std::vector<CallEntry> out;
    if (sink_) {
        for (CallEntry &entry : calls_)
            sink_(std::move(entry));
    } else {
        out.assign(std::make_move_iterator(calls_.begin()), std::make_move_iterator(calls_.end()));
    }
    firstHeld_ += static_cast<std::uint32_t>(calls_.size());
    calls_.clear();
    return out;
}

CallEntry *CallListBuilder::entryOf(std::uint32_t serial, const DecodedFrame &frame,
                                    std::uint32_t frameNumber) {
    if (serial == 0 || serial < firstHeld_)
        return nullptr;
    if (serial - firstHeld_ >= calls_.size()) {
        calls_.resize(serial - firstHeld_ + 1);
        CallEntry &entry = calls_.back();
        entry.number = serial;
        entry.callRefFlag = frame.crFlag;
        entry.firstFrame = frameNumber;
        entry.start = now_;
    }
    CallEntry &entry = calls_[serial - firstHeld_];
    entry.lastFrame = frameNumber;
    entry.end = now_;
    ++entry.frameCount;
    entry.frames.push_back(frameNumber);
    return &entry;
}

void CallListBuilder::refresh(CallEntry &entry) const {
    for (const TrackedCall &call : tracker_.calls()) {
        if (call.serial != entry.number)
            continue;
        entry.x25 = call.x25;
        entry.tei = call.tei;
        entry.callRef = call.callRef;
        entry.origin = call.setupDirection;
        entry.channel = call.channel;
        if (entry.calling != call.callingAddress)
            entry.calling = call.callingAddress;
        if (entry.called != call.calledAddress)
            entry.called = call.calledAddress;
        return;
    }
}

void CallListBuilder::endedNow(std::uint32_t frameNumber, CallEnd ending, std::uint8_t by) {
    for (const TrackedCall &call : tracker_.calls()) {
        CallEntry *held =
            call.ended && call.endFrame == frameNumber ? this->held(call.serial) : nullptr;
        if (!held)
            continue;
        CallEntry &entry = *held;
        if (entry.ending != CallEnd::Open)
            continue;
        entry.ending = ending;
        entry.lastFrame = frameNumber;
        entry.end = now_;
        if (entry.clearedBy == 0)
            entry.clearedBy = by;
    }
}

void CallListBuilder::clearing(CallEntry &entry, const DecodedFrame &frame) {
    if (entry.clearedBy == 0)
        entry.clearedBy = frame.direction;
    if (entry.phase < CallPhase::Disconnecting)
        entry.phase = CallPhase::Disconnecting;
}

void CallListBuilder::isdnMessage(CDecoder &decoder, const DecodedFrame &frame,
                                  std::uint32_t frameNumber) {
    const std::uint16_t type = frame.messageType;
    const TrackOutcome outcome = tracker_.isdnMessage(frame, frameNumber);
    if (type == q931::kRestart) {
        endedNow(frameNumber, CallEnd::Restart, frame.direction);
        return;
    }
    CallEntry *entry = entryOf(outcome.serial, frame, frameNumber);
    if (!entry)
        return;
    if (type == q931::kSetup || type == q931::kInformation || entry->tei == kAnyTei ||
        entry->channel == 0)
        refresh(*entry);
    switch (type) {
    case q931::kSetup:
        itemText(decoder, kItemBearerCapability, entry->bearer);
        break;
    case q931::kInformation:
        entry->overlapDigits =
            static_cast<std::uint16_t>(entry->overlapDigits + frame.calledAddress.size());
        break;
    case q931::kSetupAcknowledge:
        entry->phase = std::max(entry->phase, CallPhase::Overlap);
        break;
    case q931::kCallProceeding:
        entry->phase = std::max(entry->phase, CallPhase::Proceeding);
        break;
    case q931::kAlerting:
        entry->phase = std::max(entry->phase, CallPhase::Alerting);
        break;
    case q931::kConnect:
        entry->phase = std::max(entry->phase, CallPhase::Connected);
        if (!entry->answered) {
            entry->answered = true;
            entry->connect = now_;
        }
        break;
    default:
        break;
    }
    if (!isClearing(type))
        return;
    clearing(*entry, frame);
    // The first cause of the clearing is the reason; the later messages usually repeat it.
    if (!entry->hasCause && frame.cause != 0) {
        entry->hasCause = true;
        entry->cause = frame.cause;
        itemText(decoder, kItemCause, entry->causeText);
    }
    if (type == q931::kReleaseComplete && entry->ending == CallEnd::Open) {
        entry->phase = CallPhase::Released;
        entry->ending = CallEnd::Released;
    }
}

void CallListBuilder::x25Packet(CDecoder &decoder, const DecodedFrame &frame,
                                std::uint32_t frameNumber) {
    const std::uint16_t type = frame.messageType;
    const TrackOutcome outcome = tracker_.x25Packet(frame, frameNumber);
    if (type == x25::kRestartRequest) {
        endedNow(frameNumber, CallEnd::Restart, frame.direction);
        return;
    }
    CallEntry *entry = entryOf(outcome.serial, frame, frameNumber);
    if (!entry)
        return;
    if (type == x25::kCallRequest || entry->tei == kAnyTei)
        refresh(*entry);
    switch (type) {
    case x25::kData:
        ++entry->dataPackets;
        break;
    case x25::kCallAccepted:
        entry->phase = std::max(entry->phase, CallPhase::Connected);
        if (!entry->answered) {
            entry->answered = true;
            entry->connect = now_;
        }
        break;
    case x25::kClearRequest: {
        clearing(*entry, frame);
        if (entry->hasCause)
            break;
        const LvtRecord &record = decoder.currentRecord();
        const std::size_t at = frame.l3Offset;
        const std::size_t held = std::min<std::size_t>(record.dataLength, kMaxRecordData);
        if (at + 3 < held) {
            entry->hasCause = true;
            entry->cause = record.data[at + 3];
            itemText(decoder, kItemCause, entry->causeText);
        }
        if (at + 4 < held) {
            entry->hasDiagnostic = true;
            entry->diagnostic = record.data[at + 4];
            itemText(decoder, kItemDiagnostic, entry->diagnosticText);
        }
        break;
    }
    case x25::kClearConfirmation:
        if (entry->ending == CallEnd::Open) {
            entry->phase = CallPhase::Released;
            entry->ending = CallEnd::Released;
        }
        break;
    default:
        break;
    }
}

bool streamCallList(FrameSource &source, const std::function<void(CallEntry &&)> &sink,
                    const WorkProgress &progress) {
    if (!source.open())
        return false;
    DecodableObject &capture = source.capture();
    CallListBuilder builder(capture.captureStartYear(), capture.captureStartMonth());
    builder.setSink(sink);
    bool anyRead = false;
    source.forEachFrame(
        [&](std::uint32_t n, CDecoder &decoder) {
            anyRead = true;
            builder.add(decoder, n);
        },
        progress);
    builder.take();
    return anyRead || source.frameCount() == 0;
}

bool buildCallList(FrameSource &source, std::vector<CallEntry> &out, const WorkProgress &progress) {
    out.clear();
    return streamCallList(
        source, [&out](CallEntry &&entry) { out.push_back(std::move(entry)); }, progress);
}

} // namespace qv
