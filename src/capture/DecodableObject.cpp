#include "capture/DecodableObject.h"

#include <cstdio>

#include "decode/CISDN.h"
#include "decode/CV5.h"

namespace qv {

DecodableObject::DecodableObject(std::string fileName, std::string remoteName, int language,
                                 bool v5Decoding, UserMessages &messages,
                                 const DecoderServices &services, DocumentStatus *status)
    : fileName_(std::move(fileName)), remoteName_(std::move(remoteName)),
      language_(language == 0 ? 0 : 1), v5Decoding_(v5Decoding), messages_(messages),
      services_(services), status_(status), opener_(fileName_, !remoteName_.empty(), messages),
      filter_(std::make_unique<KeepEverythingFilter>()) {}

DecodableObject::~DecodableObject() = default;

void DecodableObject::createDecoder(DecoderKind kind, std::uint8_t v5Setting) {
    decoderKind_ = kind;
    v5Setting_ = v5Setting;
    if (kind == DecoderKind::V5) {
        auto v5 = std::make_unique<CV5>(*this, services_);
        v5->setTimeSlot(v5Setting);
        decoder_ = std::move(v5);
    } else {
        decoder_ = std::make_unique<CISDN>(*this, services_);
    }
    if (reader_) {
        decoder_->startDates(startMonth_, startYear_);
        decoder_->currentRecord() = reader_->recordBuffer();
    }
}

void DecodableObject::takeStart() {
    startMonth_ = reader_->startMonth();
    startYear_ = reader_->startYear();
    // A stored capture names no year for its records: its capture start gives it.
    const CaptureDateTime &start = reader_->info().start;
    if (startYear_ == 0 && start.month >= 1 && start.month <= 12) {
        startMonth_ = start.month;
        startYear_ = start.year;
    }
}

FrameRead DecodableObject::readFrame(std::uint32_t index) {
    FrameRead answer;
    if (firstAccess_) {
        firstAccess_ = false;
        reader_ = opener_.createReader();
        if (!reader_)
            return {kReadNoReader};
        // The first positioning opens and indexes the file; the second reads the record.
        const int opened = reader_->goTo(index);
        if (opened != kGoToOk)
            return {opened};
        frameCount_ = reader_->recordCount();
        CaptureFlags flags;
        reader_->captureFlags(flags);
        isV5Capture_ = flags.v5;
        v5Setting_ = flags.v5Setting;
        takeStart();
        if (decoder_)
            decoder_->startDates(startMonth_, startYear_);
        if (frameCount_ == 0)
            return {};
        const int read = reader_->goTo(index);
        if (read != kGoToOk)
            return {read};
        if (v5Decoding_ && !isV5Capture_)
            answer.notV5Capture = true;
    } else {
        if (!reader_)
            return {kReadNoReader};
        const int read = reader_->goTo(index);
        if (read != kGoToOk)
            return {read};
    }
    if (decoder_)
        decoder_->currentRecord() = reader_->recordBuffer();
    chained_ = reader_->chainedFlag();
    return answer;
}

std::uint32_t DecodableObject::frameCount() const {
    return frameCount_;
}

std::string DecodableObject::notes(bool makeDefault) {
    return reader_ ? reader_->notes(makeDefault) : std::string();
}

bool DecodableObject::setNotes(const std::string &text) {
    return reader_ && reader_->setNotes(text);
}

int DecodableObject::notesWriteError() const {
    return reader_ ? reader_->writeError() : 0;
}

void DecodableObject::setFilter(std::unique_ptr<OffLineFilter> filter) {
    filter_ = filter ? std::move(filter) : std::make_unique<KeepEverythingFilter>();
    decodedUpTo_ = 0;
    lastPassing_ = 0;
    tailTested_ = 0;
    atLastFrame_ = passedEnd_ = endReached_ = false;
}

int DecodableObject::readRecord(std::uint32_t index, LvtRecord &target) {
    const FrameRead read = readFrame(index);
    if (!read.ok())
        return read.error < 0 ? read.error : -read.error;
    if (!decoder_ || &target != &decoder_->currentRecord())
        target = reader_->recordBuffer();
    return 0;
}

int DecodableObject::positionOn(std::uint32_t index) {
    const WalkAnswer answer = decodeTo(lastPosition_ < frameCount_ ? lastPosition_ : 0, index);
    if (isShown(answer))
        lastPosition_ = index;
    return static_cast<int>(answer);
}

void DecodableObject::showProcessing(std::uint32_t index) {
    if (!status_)
        return;
    char text[40];
    std::snprintf(text, sizeof text, "Processing Frame %u", index + 1);
    status_->setStatusPane(1, text);
    status_->setStatusPane(2, std::string());
}

int DecodableObject::decodeAndTest(std::uint32_t index) {
    if (!decoder_)
        return -1;
    if (!readFrame(index).ok())
        return -1;
    if (decoder_->decodeLoaded(index) < 0)
        return -1;
    return filter_->test(*decoder_, index);
}

void DecodableObject::noteAnswer(std::uint32_t index, int answer) {
    // Frames still waiting for their call's verdict count as shown until they are settled:
    // lastPassing only ever hides frames behind it.
    if (!endReached_ && answer != kFilterDrop && index > lastPassing_)
        lastPassing_ = index;
    if (index == frameCount_ - 1)
        endReached_ = true;
}

int DecodableObject::orderedWalk(std::uint32_t to) {
    // Every frame from the first the filter has not seen up to to is tested in file order, so
    // that the call tracking meets them all. The status bar follows the walk every
    // kProcessingStride frames rather than at each of a million steps.
    constexpr std::uint32_t kProcessingStride = 4096;
    const std::uint32_t last = frameCount_ - 1;
    std::uint32_t n = to < decodedUpTo_ ? to : decodedUpTo_;
    std::uint32_t shownAt = n;
    showProcessing(n);
    int answer = kFilterDrop;
    for (; n <= to; ++n) {
        if (n - shownAt >= kProcessingStride) {
            showProcessing(n);
            shownAt = n;
        }
        answer = decodeAndTest(n);
        if (answer < 0)
            answer = kFilterDrop;
        if (n >= decodedUpTo_)
            noteAnswer(n, answer);
    }
    // A frame of a call whose addresses are still open: the frames after it are tested until
    // its call is settled. A call still open at the end of the capture never matched.
    std::uint32_t tested = decodedUpTo_ > to ? decodedUpTo_ - 1 : to;
    bool moved = false;
    while (answer == kFilterUnsettled) {
        answer = filter_->answerNow(to);
        if (answer != kFilterUnsettled)
            break;
        if (tested == last) {
            answer = kFilterDrop; // never settled: not shown
            break;
        }
        ++tested;
        moved = true;
        if (tested - shownAt >= kProcessingStride) {
            showProcessing(tested);
            shownAt = tested;
        }
        const int r = decodeAndTest(tested);
        noteAnswer(tested, r < 0 ? kFilterDrop : r);
    }
    if (decodedUpTo_ < tested + 1)
        decodedUpTo_ = tested + 1;
    if (moved && (readFrame(to).error < 0 || decoder_->decodeLoaded(to) < 0))
        return kFilterDrop;
    return answer;
}

WalkAnswer DecodableObject::decodeTo(std::uint32_t from, std::uint32_t to) {
    if (frameCount_ == 0 || from > frameCount_ - 1 || to > frameCount_ - 1)
        return WalkAnswer::Hidden;
    if (endReached_ && to > lastPassing_)
        return WalkAnswer::BeyondLastShown;
    const std::uint32_t last = frameCount_ - 1;
    if (to == last)
        atLastFrame_ = true;
    if (filter_->needsOrderedWalk() && !chained_)
        return static_cast<WalkAnswer>(orderedWalk(to));

    showProcessing(to);
    const int r = decodeAndTest(to);
    if (r < 0)
        return WalkAnswer::Hidden;
    decodedUpTo_ = to + 1;
    // A frame kept with its decoding error is shown as well. lastPassing is the highest frame
    // seen to pass, whatever order the views ask for frames in.
    const bool passes = r == kFilterKeep || r == kFilterKeepWithError;
    if (!endReached_ && passes && to > lastPassing_)
        lastPassing_ = to;
    // The end is known only from frames that leave nothing untested behind them: a step onto
    // the last frame from the frame before it (which the views had shown), or, after a jump
    // onto the last frame, the first frame found to pass walking back one frame at a time.
    if (to == last && !endReached_) {
        if (from + 1 == to && !passedEnd_) {
            endReached_ = true;
        } else if (from != to && !passedEnd_) {
            passedEnd_ = true;
            tailTested_ = last;
        }
    }
    if (passedEnd_ && (to == last || to + 1 == tailTested_)) {
        if (passes) {
            if (to > lastPassing_)
                lastPassing_ = to;
            passedEnd_ = false;
            endReached_ = true;
        } else {
            tailTested_ = to;
        }
    }
    return static_cast<WalkAnswer>(r);
}

} // namespace qv
