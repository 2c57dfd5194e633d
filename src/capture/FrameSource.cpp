#include "capture/FrameSource.h"

#include "capture/CDecodeDoc.h"

namespace qv {

FrameSource::FrameSource(FrameSourceSetup setup) : setup_(std::move(setup)) {}

FrameSource::FrameSource(DecodableObject &capture)
    : capture_(&capture), filtersActive_(capture.filter().active()) {
    setup_.kind = capture.decoderKind();
}

FrameSource::~FrameSource() = default;

FrameSourceSetup FrameSource::setupOf(DecodableObject &decodable) {
    FrameSourceSetup setup;
    setup.path = decodable.fileName();
    setup.remoteName = decodable.remoteName();
    setup.language = decodable.language();
    setup.v5Decoding = decodable.v5Decoding();
    setup.kind = decodable.decoderKind();
    setup.v5Setting = decodable.v5Setting();
    setup.filter = decodable.filter().fresh();
    setup.services = &decodable.services();
    return setup;
}

FrameSourceSetup FrameSource::setupOf(CDecodeDoc &document) {
    if (!document.decodable())
        return {};
    return setupOf(*document.decodable());
}

std::unique_ptr<FrameSource> FrameSource::of(CDecodeDoc &document) {
    auto source = std::make_unique<FrameSource>(setupOf(document));
    if (!source->open())
        return nullptr;
    return source;
}

bool FrameSource::open() {
    if (capture_)
        return true;
    if (!setup_.services)
        return false;
    if (!setup_.onOwnersThread)
        services_ = servicesForAnotherThread(*setup_.services);
    auto capture = std::make_unique<DecodableObject>(
        setup_.path, setup_.remoteName, setup_.language, setup_.v5Decoding, messages_,
        services_ ? services_->services() : *setup_.services);
    capture->createDecoder(setup_.kind, setup_.v5Setting);
    if (!capture->readFrame(0).ok())
        return false;
    filtersActive_ = setup_.filter && setup_.filter->active();
    capture->setFilter(std::move(setup_.filter));
    owned_ = std::move(capture);
    capture_ = owned_.get();
    return true;
}

bool FrameSource::decodeAt(std::uint32_t index) {
    if (!capture_ || index >= capture_->frameCount())
        return false;
    if (!capture_->readFrame(index).ok())
        return false;
    return capture_->decoder()->decodeLoaded(index) >= 0;
}

bool FrameSource::forEachFrame(
    const std::function<void(std::uint32_t index, CDecoder &decoder)> &visit,
    const WorkProgress &progress) {
    if (!capture_)
        return false;
    const std::uint32_t count = capture_->frameCount();
    CDecoder &decoder = *capture_->decoder();
    bool ok = true;
    for (std::uint32_t n = 0; n < count; ++n) {
        if (progress && n % kProgressEveryFrames == 0 && !progress(n, count))
            return false;
        if (!decodeAt(n)) {
            ok = false;
            continue;
        }
        visit(n, decoder);
    }
    if (progress)
        progress(count, count);
    return ok;
}

bool FrameSource::forEachShown(const std::function<bool(std::uint32_t index)> &visit,
                               const WorkProgress &progress, bool shownOnly) {
    if (!capture_)
        return false;
    const std::uint32_t count = capture_->frameCount();
    ShownFrames shown(*capture_, shownOnly);
    if (progress)
        shown.setProgress(
            [&](std::uint32_t tested, std::uint32_t total) { return progress(tested, total); });
    std::uint32_t frame = 0;
    std::uint32_t visited = 0;
    while (shown.next(frame)) {
        if (progress && visited++ % kProgressEveryFrames == 0 && !progress(frame, count))
            return false;
        if (!visit(frame))
            return false;
    }
    if (shown.stopped())
        return false;
    if (progress)
        progress(count, count);
    return true;
}

FrameSource::CopyEnd FrameSource::copyShown(const std::function<bool(std::uint32_t index)> &copy,
                                            const WorkProgress &progress, bool shownOnly) {
    bool failed = false;
    const bool walked = forEachShown(
        [&](std::uint32_t n) {
            failed = !copy(n);
            return !failed;
        },
        progress, shownOnly);
    return failed ? CopyEnd::Failed : walked ? CopyEnd::Complete : CopyEnd::Stopped;
}

} // namespace qv
