#include "capture/Dru70Finder.h"

#include <algorithm>
#include <cctype>

#include "capture/Dru70Columns.h"

namespace qv {

namespace {

constexpr int kLastPosition = kDru70ColumnCount - 1;

} // namespace

Dru70Finder::Dru70Finder(CDru70Decode &reader, const Dru70Columns &columns)
    : reader_(reader), columns_(columns) {}

int Dru70Finder::hitColumn() const {
    if (query_.text.empty() || hit_.position < 0 || hit_.position > kLastPosition)
        return -1;
    return request_.columnAt[static_cast<std::size_t>(hit_.position)];
}

bool Dru70Finder::start(const Dru70FindQuery &query, std::uint32_t from) {
    const std::uint32_t count = reader_.RecordCount();
    if (count == 0 || (query.text.empty() && query.eventName.empty())) {
        state_ = State::Idle;
        return false;
    }
    const bool again = haveHit_ && query == query_ && from == hit_.event;
    query_ = query;
    if (!again)
        hits_ = 0;
    request_ = Dru70FindRequest{};
    columns_.fillFindRequest(request_);
    request_.text = query.text;
    if (!query.matchCase)
        for (char &c : request_.text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    request_.eventName = query.text.empty() ? query.eventName : std::string();
    request_.forward = query.forward;
    request_.matchCase = query.matchCase;
    const int step = query.forward ? 1 : -1;
    const std::uint32_t last = count - 1;
    std::uint32_t first = std::min(from, last);
    int position = query.forward ? 0 : kLastPosition;
    if (again) {
        // Go on after the hit: in the columns after it for a text, else from the next event.
        const int next =
            query.text.empty() ? (query.forward ? kLastPosition + 1 : -1) : hit_.position + step;
        if (next >= 0 && next <= kLastPosition) {
            first = hit_.event;
            position = next;
        } else if (query.forward ? hit_.event == last : hit_.event == 0) {
            state_ = State::ReachedEnd;
            wrapped_ = false;
            wrapStart_ = hit_.event;
            haveHit_ = false;
            return true;
        } else {
            first = query.forward ? hit_.event + 1 : hit_.event - 1;
        }
    }
    request_.from = first;
    request_.startPosition = position;
    wrapStart_ = first;
    wrapped_ = false;
    haveHit_ = false;
    state_ = State::Running;
    return true;
}

Dru70Finder::State Dru70Finder::step() {
    if (state_ != State::Running)
        return state_;
    const std::uint32_t last = reader_.RecordCount() - 1;
    const std::uint32_t first = request_.from;
    std::uint32_t end;
    std::uint32_t limit;
    if (request_.forward) {
        limit = wrapped_ ? std::min(wrapStart_, last) : last;
        if (first > limit) {
            state_ = State::NotFound;
            return state_;
        }
        end = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(std::uint64_t{first} + kDru70FindSlice - 1, limit));
    } else {
        limit = wrapped_ ? wrapStart_ : 0;
        if (first < limit) {
            state_ = State::NotFound;
            return state_;
        }
        end = first >= limit + (kDru70FindSlice - 1) ? first - (kDru70FindSlice - 1) : limit;
    }
    Dru70FindRequest slice = request_;
    slice.to = end;
    Dru70FindResult result;
    if (reader_.Find(slice, result) == 1) {
        hit_ = result;
        haveHit_ = true;
        ++hits_;
        state_ = State::Found;
        return state_;
    }
    if (end == limit) {
        state_ = wrapped_ ? State::NotFound : State::ReachedEnd;
        return state_;
    }
    request_.from = request_.forward ? end + 1 : end - 1;
    request_.startPosition = request_.forward ? 0 : kLastPosition;
    return state_;
}

void Dru70Finder::wrap() {
    if (state_ != State::ReachedEnd)
        return;
    wrapped_ = true;
    request_.from = request_.forward ? 0 : reader_.RecordCount() - 1;
    request_.startPosition = request_.forward ? 0 : kLastPosition;
    state_ = State::Running;
}

} // namespace qv
