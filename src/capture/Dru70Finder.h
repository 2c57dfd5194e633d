#pragma once
// Find on the DRU-70 event list: the reader's search over the events shown, run in slices of
// 200 events so that the window stays live and the user can stop it between two slices, going
// on after its last hit on Find Next, with the wrap at either end of the file.
#include <cstdint>
#include <string>

#include "capture/Dru70Decode.h"

namespace qv {

class Dru70Columns;

inline constexpr std::uint32_t kDru70FindSlice = 200;

struct Dru70FindQuery {
    std::string text;      // a text of the shown columns, as typed
    std::string eventName; // else the short name of an event
    bool forward = true;
    bool matchCase = false;

    bool operator==(const Dru70FindQuery &) const = default;
};

class Dru70Finder {
public:
    enum class State { Idle, Running, Found, ReachedEnd, NotFound };

    Dru70Finder(CDru70Decode &reader, const Dru70Columns &columns);

    // A new search from event `from` (the selected row), or, for the query of the last hit while
    // that hit is still the selected event, the search after it. False when the query names
    // nothing to look for or the file has no event.
    bool start(const Dru70FindQuery &query, std::uint32_t from);
    // Searches the next slice; Running while events are left before the end of the file.
    State step();
    // After ReachedEnd: the user chose to go on from the other end, up to where it began.
    void wrap();
    void stop() { state_ = State::Idle; }

    State state() const { return state_; }
    const Dru70FindQuery &query() const { return query_; }
    // The event found and the column it was found in (-1 for a search by event name).
    std::uint32_t hitEvent() const { return hit_.event; }
    int hitColumn() const;
    // Hits of the same query one after the other.
    int hits() const { return hits_; }

private:
    CDru70Decode &reader_;
    const Dru70Columns &columns_;
    Dru70FindQuery query_;
    Dru70FindRequest request_;
    State state_ = State::Idle;
    Dru70FindResult hit_;
    bool haveHit_ = false;
    bool wrapped_ = false;
    std::uint32_t wrapStart_ = 0; // where the search began: a wrapped search ends there
    int hits_ = 0;
};

} // namespace qv
