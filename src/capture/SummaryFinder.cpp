#include "capture/SummaryFinder.h"

#include <algorithm>
#include <cctype>

#include "capture/DecodableObject.h"
#include "decode/CDecoder.h"
#include "decode/SummaryColumn.h"
#include "decode/SummaryFieldTable.h"

namespace qv {

namespace {

bool sameQuery(const FindQuery &a, const FindQuery &b) {
    return a.criterion == b.criterion && a.text == b.text && a.cause == b.cause &&
           a.forward == b.forward && a.matchCase == b.matchCase;
}

} // namespace

SummaryFinder::SummaryFinder(const SummaryFieldTable &columns) : columns_(columns) {}

bool SummaryFinder::start(DecodableObject &capture, const FindQuery &query, std::uint32_t from) {
    capture_ = &capture;
    visible_.clear();
    for (int c : columns_.visibleColumnsInDisplayOrder())
        visible_.push_back({c, columns_.field(c).position});
    auto shown = [&](int column) {
        return std::any_of(visible_.begin(), visible_.end(),
                           [column](const SearchColumn &c) { return c.column == column; });
    };
    const bool again = haveHit_ && sameQuery(query, query_);
    query_ = query;
    hiddenColumn_ =
        (query.criterion == FindCriterion::MessageType &&
         !shown(columnNumber(SummaryColumn::MessageType))) ||
        (query.criterion == FindCriterion::Cause && !shown(columnNumber(SummaryColumn::Cause)));
    if (hiddenColumn_ || capture.frameCount() == 0 || !capture.decoder()) {
        state_ = hiddenColumn_ ? State::Failed : State::NotFound;
        return false;
    }
    if (!again)
        hits_ = 0;
    request_ = FindRequest{};
    request_.criterion = query.criterion;
    request_.matchCase = query.matchCase;
    request_.cause = query.cause;
    request_.text = query.text;
    if (!query.matchCase)
        for (char &c : request_.text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    request_.step = query.forward ? 1 : -1;
    const std::uint32_t last = capture_->frameCount() - 1;
    const bool perFrame =
        query.criterion == FindCriterion::MessageType || query.criterion == FindCriterion::Cause;
    if (again) {
        // Go on after the hit: within its frame for the text criteria, else from the next one.
        request_.firstFrame = hit_.frame;
        request_.startPosition = hit_.position;
        request_.startAfter = true;
        if (perFrame) {
            request_.startAfter = false;
            request_.startPosition = query.forward ? 0 : 1 << 20;
            if (query.forward ? hit_.frame == last : hit_.frame == 0) {
                state_ = State::ReachedEnd;
                wrapped_ = false;
                wrapStart_ = hit_.frame;
                return true;
            }
            request_.firstFrame = query.forward ? hit_.frame + 1 : hit_.frame - 1;
        }
    } else {
        request_.firstFrame = std::min(from, last);
        request_.startPosition = query.forward ? 0 : 1 << 20;
    }
    wrapStart_ = request_.firstFrame;
    wrapped_ = false;
    haveHit_ = false;
    state_ = State::Running;
    return true;
}

SummaryFinder::State SummaryFinder::step() {
    if (state_ != State::Running)
        return state_;
    const std::uint32_t last = capture_->frameCount() - 1;
    const std::uint32_t first = request_.firstFrame;
    std::uint32_t end;
    if (request_.step > 0) {
        const std::uint32_t limit = wrapped_ ? std::min(wrapStart_, last) : last;
        end = std::min<std::uint64_t>(std::uint64_t(first) + kFindSliceFrames - 1, limit);
        if (first > limit) {
            state_ = State::NotFound;
            return state_;
        }
    } else {
        const std::uint32_t limit = wrapped_ ? wrapStart_ : 0;
        end = first >= kFindSliceFrames - 1 + limit ? first - (kFindSliceFrames - 1) : limit;
        if (first < limit) {
            state_ = State::NotFound;
            return state_;
        }
    }
    FindRequest slice = request_;
    slice.lastFrame = end;
    FindResult result;
    const int r = capture_->decoder()->search(slice, visible_, result);
    if (r == kFindDecodeFailed) {
        state_ = State::Failed;
        return state_;
    }
    if (r == kFindFound) {
        hit_ = result;
        haveHit_ = true;
        ++hits_;
        state_ = State::Found;
        return state_;
    }
    const bool atEnd = request_.step > 0 ? end >= (wrapped_ ? wrapStart_ : last)
                                         : end <= (wrapped_ ? wrapStart_ : 0);
    if (atEnd) {
        state_ = wrapped_ ? State::NotFound : State::ReachedEnd;
        return state_;
    }
    request_.firstFrame = request_.step > 0 ? end + 1 : end - 1;
    request_.startAfter = false;
    request_.startPosition = request_.step > 0 ? 0 : 1 << 20;
    return state_;
}

void SummaryFinder::wrap() {
    if (state_ != State::ReachedEnd)
        return;
    wrapped_ = true;
    request_.firstFrame = request_.step > 0 ? 0 : capture_->frameCount() - 1;
    request_.startAfter = false;
    request_.startPosition = request_.step > 0 ? 0 : 1 << 20;
    state_ = State::Running;
}

std::string SummaryFinder::text() const {
    const FindCriterion c = query_.criterion;
    const bool cause = c == FindCriterion::Cause;
    const bool message = c == FindCriterion::MessageType;
    switch (state_) {
    case State::Found: {
        std::string t = cause ? "Cause number found" : message ? "Message found" : "String found";
        if (hits_ == 1)
            return t + " once";
        if (hits_ == 2)
            return t + " twice";
        return t + " " + std::to_string(hits_) + " times";
    }
    case State::NotFound:
        return cause     ? "Cause number not found!"
               : message ? "Message not found!"
                         : "String not found!";
    case State::ReachedEnd:
        return query_.forward ? kMsgReachedLast : kMsgReachedFirst;
    case State::Failed:
        return hiddenColumn_ ? kMsgFieldHidden : kMsgFindError;
    case State::Running:
        return kMsgFindRunning;
    case State::Idle:
        break;
    }
    return {};
}

} // namespace qv
