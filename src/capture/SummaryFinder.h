#pragma once
// Find on the frame summary: the decoder's search run over the capture in slices of 200 frames,
// so that whoever runs it can stop it between two slices; the wrap at either end of the capture,
// the hidden-column check and the result texts. It searches the capture it is given, a walk's own
// source (with the document's filters), and leaves moving the document to the hit to its caller.
#include <cstdint>
#include <string>
#include <vector>

#include "decode/CDecoder.h"
#include "decode/DecodedFrame.h"
#include "decode/SummaryColumn.h"

namespace qv {

class DecodableObject;
class SummaryFieldTable;

inline constexpr std::uint32_t kFindSliceFrames = 200;

inline constexpr const char *kMsgFindRunning = "Press ESCAPE to stop the find function";
inline constexpr const char *kMsgReachedLast =
    "Program has reached the last frame!\nDo you want to go to the first frame?";
inline constexpr const char *kMsgReachedFirst =
    "Program has reached the first frame!\nDo you want to go to the last frame?";
inline constexpr const char *kMsgFieldHidden =
    "This field is not visible now. Display it with the\n \"Protocol Information\" menu and "
    "restart the Find function";
inline constexpr const char *kMsgFindError = "Find error!";

struct FindQuery {
    FindCriterion criterion = FindCriterion::SummaryText;
    std::string text; // as typed; upper-cased here unless matchCase
    std::uint32_t cause = 0;
    bool forward = true;
    bool matchCase = false;
};

class SummaryFinder {
public:
    enum class State { Idle, Running, Found, ReachedEnd, NotFound, Failed };

    explicit SummaryFinder(const SummaryFieldTable &columns);

    // Starts a search of capture after the frame and summary position of the last hit, or at
    // frame `from` (the selected row) for a new query. False, with the hidden-column message in
    // text(), when the column the criterion reads is not shown. capture is searched until the
    // search ends.
    bool start(DecodableObject &capture, const FindQuery &query, std::uint32_t from);
    // Searches the next slice; Running while frames are left before the end of the capture.
    State step();
    // After ReachedEnd: the user chose to go on from the other end.
    void wrap();
    // Ends a running search without a result (Escape).
    void stop() { state_ = State::Idle; }

    State state() const { return state_; }
    const FindResult &hit() const { return hit_; }
    // The text to show for the state: the result with its count, or the failure.
    std::string text() const;
    int hits() const { return hits_; }

private:
    DecodableObject *capture_ = nullptr;
    const SummaryFieldTable &columns_;
    FindQuery query_;
    FindRequest request_;
    std::vector<SearchColumn> visible_;
    State state_ = State::Idle;
    FindResult hit_;
    bool haveHit_ = false;
    bool hiddenColumn_ = false;
    bool wrapped_ = false;
    std::uint32_t wrapStart_ = 0; // where the search began: a wrapped search ends before it
    int hits_ = 0;
};

} // namespace qv
