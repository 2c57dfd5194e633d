#include "filters/OffLineFrameFilter.h"

#include "decode/CV5.h"

namespace qv {

int OffLineFrameFilter::test(CDecoder &decoder, std::uint32_t frame) {
    filter_.setV5Decoding(dynamic_cast<CV5 *>(&decoder) != nullptr);
    return filter_.offLineTest(decoder.frame(), decoder.currentRecord(), decoder.LayerCategory(),
                               frame);
}

void installRealTimeFilter(CDecoder &decoder, FrameFilter &filter) {
    filter.setV5Decoding(dynamic_cast<CV5 *>(&decoder) != nullptr);
    decoder.setRealTimeFilter([&filter](const DecodedFrame &frame, const LvtRecord &record,
                                        int layerCategory, std::uint32_t frameNumber) {
        return filter.Verdict(frame, record, layerCategory, frameNumber);
    });
}

} // namespace qv
