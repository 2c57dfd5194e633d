#pragma once
// The frame filter in the places that use it: the off-line test of a capture document's walk,
// and the real-time verdict a decoder asks for every received frame.
#include "decode/CDecoder.h"
#include "filters/FrameFilter.h"
#include "filters/OffLineFilter.h"

namespace qv {

class OffLineFrameFilter : public OffLineFilter {
public:
    explicit OffLineFrameFilter(const FilterCriteria &criteria, const CauseList *causes = nullptr)
        : filter_(FilterKind::OffLine, criteria, causes), causes_(causes) {}

    // The V5 criteria hold when the document decodes with the V5 decoder.
    int test(CDecoder &decoder, std::uint32_t frame) override;
    // The address criteria follow calls, which only the frames in file order reveal.
    bool needsOrderedWalk() const override { return filter_.criteria().tracksCalls(); }
    bool active() const override { return filter_.IsActive(); }
    int answerNow(std::uint32_t frame) override { return filter_.answerNow(frame); }
    std::unique_ptr<OffLineFilter> fresh() const override {
        return std::make_unique<OffLineFrameFilter>(filter_.criteria(), causes_);
    }

    FrameFilter &filter() { return filter_; }

private:
    FrameFilter filter_;
    const CauseList *causes_;
};

// Points decoder's real-time filter hook at filter, which must outlive the decoder's use of it.
void installRealTimeFilter(CDecoder &decoder, FrameFilter &filter);

} // namespace qv
