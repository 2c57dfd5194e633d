#pragma once
// The off-line filter as a walk over a capture sees it: a verdict on each decoded frame.
#include <cstdint>
#include <memory>

namespace qv {

class CDecoder;

// Verdicts of the off-line test.
inline constexpr int kFilterKeep = 0;
inline constexpr int kFilterDrop = 1;
inline constexpr int kFilterUnsettled = 2;
inline constexpr int kFilterKeepWithError = 4;

// The off-line filter as the walk sees it.
class OffLineFilter {
public:
    virtual ~OffLineFilter() = default;
    // Verdict on the decoder's current frame.
    virtual int test(CDecoder &decoder, std::uint32_t frame) = 0;
    // True when verdicts depend on earlier frames, so that frames must be tested in file order.
    virtual bool needsOrderedWalk() const = 0;
    // The answer for frame, which answered 2 when it was tested, now that the frames after it
    // have been tested too: 0 or 1 once settled, still 2 while not.
    virtual int answerNow(std::uint32_t frame) {
        (void)frame;
        return kFilterUnsettled;
    }
    // True when any criterion differs from its pass-everything default.
    virtual bool active() const = 0;
    // A filter of the same criteria that has seen no frame, for a walk of its own.
    virtual std::unique_ptr<OffLineFilter> fresh() const = 0;
};

class KeepEverythingFilter : public OffLineFilter {
public:
    int test(CDecoder &, std::uint32_t) override { return kFilterKeep; }
    bool needsOrderedWalk() const override { return false; }
    bool active() const override { return false; }
    std::unique_ptr<OffLineFilter> fresh() const override {
        return std::make_unique<KeepEverythingFilter>();
    }
};

} // namespace qv
