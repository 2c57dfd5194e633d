#pragma once
// The frame filter: the criteria of an off-line or real-time filter, the call tracking its
// address criteria need, and the verdict on each decoded frame.
#include <cstdint>
#include <optional>
#include <vector>

#include "filters/CallTracker.h"
#include "filters/FilterCriteria.h"

namespace qv {

class CauseList;
struct DecodedFrame;
struct LvtRecord;

class FrameFilter {
public:
    explicit FrameFilter(FilterKind kind = FilterKind::OffLine, const FilterCriteria &criteria = {},
                         const CauseList *causes = nullptr);

    // Takes new criteria (brought into range) and starts the call tracking afresh. causes
    // gives the names of the cause criterion's mnemonics.
    void setCriteria(const FilterCriteria &criteria, const CauseList *causes = nullptr);
    const FilterCriteria &criteria() const { return criteria_; }
    FilterKind kind() const { return kind_; }
    // The EFA, layer-3 address and V5 message criteria hold only while V5 frames are decoded.
    void setV5Decoding(bool on) { v5_ = on; }
    bool v5Decoding() const { return v5_; }
    bool IsActive() const { return criteria_.IsActive(kind_); }
    // False when the cause criterion is set but its text names no cause; the criterion then
    // lets every frame through.
    bool causeUsable() const { return !criteria_.causeSet || cause_.has_value(); }

    // Verdict on a received frame: 0 keep, 1 drop, 4 keep a frame with a decoding error.
    // Frames of a call whose addresses are not yet known are kept: a frame once dropped here
    // never reaches the capture file.
    int Verdict(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
                std::uint32_t frameNumber);
    // The off-line test: the verdict, with the off-line criteria, and 2 for the frames of a
    // call whose address test is still open (the called number is still being dialled). A frame
    // tested again (the views go back and forth) gets the answer its call has by now.
    int offLineTest(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
                    std::uint32_t frameNumber);

    // The answer for a frame number tested before, now that later frames have been tracked:
    // 0 or 1 once its call is settled, 2 while it is still pending, and 2 for a frame the
    // tracking never met.
    int answerNow(std::uint32_t frameNumber) const;

    const CallTracker &tracking() const { return tracker_; }
    void resetTracking();

private:
    int decide(const DecodedFrame &frame, const LvtRecord &record, int layerCategory,
               std::uint32_t frameNumber, bool offLine);
    bool layer2Fails(const DecodedFrame &frame, bool offLine) const;
    bool efaFails(const DecodedFrame &frame) const;
    bool layer3AddressFails(const DecodedFrame &frame, const LvtRecord &record) const;
    bool isdnCriteriaFail(const DecodedFrame &frame) const;
    bool messageFails(const DecodedFrame &frame) const;
    bool x25CriteriaFail(const DecodedFrame &frame, const LvtRecord &record) const;
    bool facilitiesFail(const DecodedFrame &frame, const LvtRecord &record) const;
    // The call tracking's answer for a call-control message or X.25 packet.
    int tracked(const DecodedFrame &frame, std::uint32_t frameNumber, bool x25, bool fresh);
    void remember(std::uint32_t frameNumber, std::uint32_t serial);

    FilterKind kind_;
    FilterCriteria criteria_;
    std::optional<std::uint32_t> cause_;
    bool v5_ = false;
    bool tracksIsdn_ = false;
    bool tracksX25_ = false;
    CallTracker tracker_;
    // Off-line: the call each frame was found to belong to (serial, 0 none), by frame number,
    // for frames tested again; kUnknownCall where no frame of that number has been tracked.
    std::vector<std::uint32_t> frameCalls_;
    std::uint32_t nextFrame_ = 0;
};

} // namespace qv
