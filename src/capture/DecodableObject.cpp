#include "capture/DecodableObject.h"

#include <cstdio>

#include "decode/CISDN.h"
#include "decode/CV5.h"

namespace qv {

DecodableObject::DecodableObject(std::string fileName, std::string remoteName, int language,
                                 bool v5Decoding, UserMessages& messages,
                                 const DecoderServices& services, DocumentStatus* status)
    : fileName_(std::move(fileName)),
      remoteName_(std::move(remoteName)),
      language_(language == 0 ? 0 : 1),
      v5Decoding_(v5Decoding),
      messages_(messages),
      services_(services),
      status_(status),
      opener_(fileName_, !remoteName_.empty(), messages),
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
    const CaptureDateTime& start = reader_->info().start;
    if (startYear_ == 0 && start.month >= 1 && start.month <= 12) {
        startMonth_ = start.month;
        startYear_ = start.year;
    }
}

int DecodableObject::readFrame(std::uint32_t index) {
    int answer = 0;
    if (firstAccess_) {
        firstAccess_ = false;
        reader_ = opener_.createReader();
        if (!reader_)
            return kReadNoReader;
        // The first positioning opens and indexes the file; the second reads the record.
        const int opened = reader_->goTo(index);
        if (opened != kGoToOk)
            return opened;
        frameCount_ = reader_->recordCount();
        CaptureFlags flags;
        reader_->captureFlags(flags);
        isV5Capture_ = flags.v5;
        v5Setting_ = flags.v5Setting;
        takeStart();
        if (decoder_)
            decoder_->startDates(startMonth_, startYear_);
        if (frameCount_ == 0)
            return 0;
        const int read = reader_->goTo(index);
        if (read != kGoToOk)
            return read;
        if (v5Decoding_ && !isV5Capture_)
            answer = kReadNotV5Capture;
    } else {
        if (!reader_)
            return kReadNoReader;
        const int read = reader_->goTo(index);
        if (read != kGoToOk)
            return read;
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

bool DecodableObject::setNotes(const std::string& text) {
    return reader_ && reader_->setNotes(text);
}

void DecodableObject::setFilter(std::unique_ptr<OffLineFilter> filter) {
    filter_ = filter ? std::move(filter) : std::make_unique<KeepEverythingFilter>();
    decodedUpTo_ = 0;
    lastPassing_ = 0;
    atLastFrame_ = passedEnd_ = endReached_ = false;
}

int DecodableObject::readRecord(std::uint32_t index, LvtRecord& target) {
    const int r = readFrame(index);
    if (r < 0)
        return r;
    if (r != 0 && r != kReadNotV5Capture)
        return -r;
    if (!decoder_ || &target != &decoder_->currentRecord())
        target = reader_->recordBuffer();
    return 0;
}

int DecodableObject::positionOn(std::uint32_t index) {
    const int answer = decodeTo(lastPosition_ < frameCount_ ? lastPosition_ : 0, index);
    if (answer != kDecodeToOutOfRange && answer != kDecodeToBeyondLastPassing)
        lastPosition_ = index;
    return answer;
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
    const int read = readFrame(index);
    if (read < 0 || (read != 0 && read != kReadNotV5Capture))
        return -1;
    if (decoder_->decodeLoaded(index) < 0)
        return -1;
    return filter_->test(*decoder_, index);
}

int DecodableObject::orderedWalk(std::uint32_t to) {
    const std::uint32_t last = frameCount_ - 1;
    std::uint32_t n = to < decodedUpTo_ ? to : decodedUpTo_;
    int answerAtTo = kDecodeToOutOfRange;
    while (n <= to) {
        showProcessing(n);
        int r = decodeAndTest(n);
        if (r < 0)
            r = kFilterDrop;
        if (n == to)
            answerAtTo = r;
        while ((r == kFilterUnsettled || r == kFilterKeepWithError) && n < last) {
            ++n;
            r = decodeAndTest(n);
            if (r < 0)
                r = kFilterDrop;
            if (n == to)
                answerAtTo = r;
        }
        if (r == kFilterUnsettled && to == last)
            return kDecodeToOutOfRange;
        if (r == kFilterKeep && !endReached_ && n > lastPassing_)
            lastPassing_ = n;
        if (n == last)
            endReached_ = true;
        if (n == last)
            break;
        ++n;
    }
    if (decodedUpTo_ < to + 1)
        decodedUpTo_ = to + 1;
    if (readFrame(to) < 0 || decoder_->decodeLoaded(to) < 0)
        return kDecodeToOutOfRange;
    return answerAtTo;
}

int DecodableObject::decodeTo(std::uint32_t from, std::uint32_t to) {
    if (frameCount_ == 0 || from > frameCount_ - 1 || to > frameCount_ - 1)
        return kDecodeToOutOfRange;
    if (endReached_ && to > lastPassing_)
        return kDecodeToBeyondLastPassing;
    const std::uint32_t last = frameCount_ - 1;
    if (to == last)
        atLastFrame_ = true;
    if (filter_->needsOrderedWalk() && !chained_)
        return orderedWalk(to);

    showProcessing(to);
    const int r = decodeAndTest(to);
    if (r < 0)
        return kDecodeToOutOfRange;
    decodedUpTo_ = to + 1;
    if (!endReached_ && r == kFilterKeep)
        lastPassing_ = to;
    if (to == last) {
        if (to > from + 1) {
            if (!endReached_)
                passedEnd_ = true;
        } else if (!passedEnd_) {
            endReached_ = true;
        }
    }
    if (passedEnd_ && r == kFilterKeep) {
        lastPassing_ = to;
        passedEnd_ = false;
        endReached_ = true;
    }
    return r;
}

} // namespace qv
