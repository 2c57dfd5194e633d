#include "capture/CDecodeDoc.h"

#include "base/FileReplace.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

namespace qv {

namespace {

void warn(UserMessages &messages, const std::string &text) {
    messages.show(text, kErrorMessageCaption, MessageIcon::Exclamation);
}

} // namespace

CDecodeDoc::CDecodeDoc(UserMessages &messages, const DecoderServices &services,
                       DocumentStatus *status)
    : messages_(messages), services_(services), status_(status) {}

CDecodeDoc::~CDecodeDoc() = default;

bool CDecodeDoc::openCapture(const std::string &path, const CaptureOpenOptions &options) {
    std::unique_ptr<DecodableObject> decodable;
    try {
        decodable =
            std::make_unique<DecodableObject>(path, std::string(), options.language,
                                              options.v5Decoding, messages_, services_, status_);
    } catch (const std::bad_alloc &) {
        warn(messages_, kMsgNoDecodableObject);
        return false;
    }
    decodable->createDecoder(DecoderKind::Isdn);
    const FrameRead read = decodable->readFrame(0);
    if (!options.v5Decoding || read.error < 0 || read.notV5Capture)
        decodable->createDecoder(DecoderKind::Isdn);
    else
        decodable->createDecoder(DecoderKind::V5, decodable->v5Setting());
    if (read.error < 0) {
        warn(messages_, kMsgFirstGroup);
        return false;
    }
    const std::uint32_t count = decodable->frameCount();
    if (count == 0) {
        warn(messages_, kMsgNoFrame);
        return false;
    }
    decodable_ = std::move(decodable);
    pathName_ = path;
    frameCount_ = count;
    currentFrame_ = 0;
    filtersActive_ = false;
    if (!goToFrame(options.captureMode ? frameCount_ - 1 : 0, options.captureMode))
        showFrameStatus(currentFrame_);
    return true;
}

bool CDecodeDoc::goToFrame(std::uint32_t index, bool selectInSummary) {
    if (!decodable_)
        return false;
    if (!qv::isShown(decodable_->decodeTo(currentFrame_, index)))
        return false;
    currentFrame_ = index;
    if (onFrameShown)
        onFrameShown(index, selectInSummary);
    showFrameStatus(index);
    return true;
}

bool CDecodeDoc::isShown(std::uint32_t index) {
    if (!decodable_ || index >= frameCount_)
        return false;
    return qv::isShown(static_cast<WalkAnswer>(decodable_->positionOn(index)));
}

std::uint32_t CDecodeDoc::nearestShownFrame(std::uint32_t index) {
    if (!decodable_ || index >= frameCount_)
        return kNoFrame;
    bool after = true, before = true;
    for (std::uint32_t d = 1; after || before; ++d) {
        if (after) {
            if (d > frameCount_ - 1 - index) {
                after = false;
            } else {
                const auto answer = static_cast<WalkAnswer>(decodable_->positionOn(index + d));
                if (answer == WalkAnswer::BeyondLastShown)
                    after = false;
                else if (answer != WalkAnswer::Hidden)
                    return index + d;
            }
        }
        if (before) {
            if (d > index)
                before = false;
            else if (isShown(index - d))
                return index - d;
        }
    }
    return kNoFrame;
}

bool CDecodeDoc::reachFrame(std::uint32_t index, bool selectInSummary) {
    if (goToFrame(index, selectInSummary))
        return true;
    if (!decodable_ || index >= frameCount_)
        return false;
    std::uint32_t target = kNoFrame;
    if (messages_.ask(kMsgFrameSuppressed, kProgramCaption, MessageButtons::YesNo,
                      MessageAnswer::Yes) == MessageAnswer::Yes)
        target = nearestShownFrame(index);
    if (target != kNoFrame && goToFrame(target, selectInSummary))
        return true;
    // The decoder holds the current frame again.
    decodable_->positionOn(currentFrame_);
    return false;
}

void CDecodeDoc::showFrameStatus(std::uint32_t index) {
    if (!status_)
        return;
    if (index == kNoFrame || !decodable_ || index >= frameCount_) {
        status_->setStatusPane(1, std::string());
        status_->setStatusPane(2, std::string());
        return;
    }
    CDecoder *decoder = decodable_->decoder();
    status_->setStatusPane(2, decoder ? std::string(statusText(decoder->currentRecord()))
                                      : std::string());
    char text[40];
    std::snprintf(text, sizeof text, "Frame number %u",
                  static_cast<unsigned>(index + 1 + numberingOffset_));
    status_->setStatusPane(1, text);
}

std::string CDecodeDoc::commentForEditor() {
    return decodable_ ? decodable_->notes(true) : std::string();
}

std::string commentNotUpdatedMessage(int error) {
    if (error == 0)
        return kMsgCommentNotUpdated;
    char text[256];
    std::snprintf(text, sizeof text, kMsgCommentNotUpdatedBecause, std::strerror(error));
    return text;
}

bool CDecodeDoc::saveComment(const std::string &text) {
    if (!decodable_)
        return false;
    if (text == decodable_->notes(makeDefaultComment))
        return true;
    const MessageAnswer answer = messages_.ask(kMsgCommentChanged, kProgramCaption,
                                               MessageButtons::YesNo, MessageAnswer::Yes);
    if (answer == MessageAnswer::No)
        return true;
    if (!decodable_->setNotes(text)) {
        warn(messages_, commentNotUpdatedMessage(decodable_->notesWriteError()));
        return false;
    }
    return true;
}

bool copyCaptureFile(const std::string &from, const std::string &to) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec))
        return true;
    std::FILE *in = std::fopen(from.c_str(), "rb");
    if (!in)
        return false;
    ReplacementFile replacement(to);
    std::FILE *out = replacement.created() ? std::fopen(replacement.path().c_str(), "wb") : nullptr;
    if (!out) {
        std::fclose(in);
        return false;
    }
    bool ok = true;
    char block[1024];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, in);
        if (n > 0 && std::fwrite(block, 1, n, out) != n) {
            ok = false;
            break;
        }
        if (n < sizeof block) {
            ok = !std::ferror(in);
            break;
        }
    }
    std::fclose(in);
    if (std::fclose(out) != 0)
        ok = false;
    return ok && replacement.commit();
}

bool CDecodeDoc::saveAs(const std::string &path) {
    if (!decodable_ || !copyCaptureFile(pathName_, path)) {
        warn(messages_, kMsgSaveAsFailed);
        return false;
    }
    pathName_ = path;
    return true;
}

bool CDecodeDoc::printRange(PrintChoice choice, std::uint32_t from, std::uint32_t to,
                            PrintRange &out) {
    switch (choice) {
    case PrintChoice::All:
    case PrintChoice::Selection:
        out = {0, frameCount_ == 0 ? 0 : frameCount_ - 1};
        return frameCount_ != 0;
    case PrintChoice::CurrentToEnd:
        out = {currentFrame_, frameCount_ == 0 ? 0 : frameCount_ - 1};
        return frameCount_ != 0;
    case PrintChoice::Range:
        // Frame numbers start at 1, and a range must not run backwards.
        if (from < 1 || to < 1 || from > frameCount_ || to > frameCount_ || from > to) {
            warn(messages_, kMsgPrintRange);
            return false;
        }
        out = {from - 1, to - 1};
        return true;
    }
    return false;
}

void CDecodeDoc::applyOffLineFilters(std::unique_ptr<OffLineFilter> filter) {
    if (!decodable_)
        return;
    decodable_->setFilter(std::move(filter));
    filtersActive_ = decodable_->filter().active();
    if (onFiltersApplied)
        onFiltersApplied();
    if (goToFrame(currentFrame_, true))
        return;
    const std::uint32_t nearest = nearestShownFrame(currentFrame_);
    if (nearest != kNoFrame)
        goToFrame(nearest, true);
    else
        decodable_->positionOn(currentFrame_);
}

} // namespace qv
