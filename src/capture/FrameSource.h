#pragma once
// A walk's own view of an open capture. Whatever walks a whole capture (the analyses, export,
// print, find) reads it through a source of its own: its own reader on the file, its own decoder
// and, through services made for its thread, its own interpreter instances, with the document's
// decoding settings and a copy of its off-line filter. The document's decoder is never moved by
// a walk, and a walk may run on another thread while the document is shown.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/BackgroundJob.h"
#include "base/UserMessages.h"
#include "capture/DecodableObject.h"

namespace qv {

class CDecodeDoc;

// What a source takes from the document it walks. Made on the document's thread; the source
// opens the file wherever it is used.
struct FrameSourceSetup {
    std::string path;
    std::string remoteName;
    int language = 0;
    bool v5Decoding = false;
    DecoderKind kind = DecoderKind::Isdn;
    std::uint8_t v5Setting = 0;
    std::unique_ptr<OffLineFilter> filter; // a fresh copy of the document's; null: none
    const DecoderServices *services = nullptr;
    // The source stays on the thread that owns services and decodes through them, instead of
    // through a set of its own (the views of the desktop program, which paint on that thread).
    bool onOwnersThread = false;
};

class FrameSource {
public:
    explicit FrameSource(FrameSourceSetup setup);
    // A source over capture itself, already open, for a program that shows no current frame (the
    // command line): the walk moves capture's decoder, on the caller's thread.
    explicit FrameSource(DecodableObject &capture);
    ~FrameSource();
    FrameSource(const FrameSource &) = delete;
    FrameSource &operator=(const FrameSource &) = delete;

    // The setup of a source on document's capture, or of a source on decodable.
    static FrameSourceSetup setupOf(CDecodeDoc &document);
    static FrameSourceSetup setupOf(DecodableObject &decodable);
    // A source on the capture of document, opened; null when the capture cannot be read.
    static std::unique_ptr<FrameSource> of(CDecodeDoc &document);

    // Makes the services, the reader and the decoder, and indexes the file. False when the
    // capture cannot be read; the reason is among messages().
    bool open();

    std::uint32_t frameCount() const { return capture_ ? capture_->frameCount() : 0; }
    DecodableObject &capture() { return *capture_; }
    CDecoder &decoder() { return *capture_->decoder(); }
    DecoderKind decoderKind() const { return setup_.kind; }
    bool filtersActive() const { return filtersActive_; }
    // What the source's reading and decoding reported: kept here, shown by nobody.
    const RecordingUserMessages &messages() const { return messages_; }

    // Reads record index, whatever the filter says, and decodes it. False when it cannot be read
    // or decoded.
    bool decodeAt(std::uint32_t index);
    // Visits every record in file order, decoded, whatever the filter says. progress hears of
    // every 4096th record and may stop the walk. False when a record could not be read or the
    // walk was stopped.
    bool forEachFrame(const std::function<void(std::uint32_t index, CDecoder &decoder)> &visit,
                      const WorkProgress &progress = {});
    // Visits the frames the filter shows, in file order, with the decoder on each (every record
    // undecoded when shownOnly is false, as ShownFrames does) until visit answers false. False
    // when visit or progress stopped the walk.
    bool forEachShown(const std::function<bool(std::uint32_t index)> &visit,
                      const WorkProgress &progress = {}, bool shownOnly = true);

    // How a copy of the shown frames ended.
    enum class CopyEnd { Complete, Failed, Stopped };
    // Gives copy the frames the filter shows (every record when shownOnly is false), in file
    // order, until it answers false (Failed) or progress stops the walk (Stopped).
    CopyEnd copyShown(const std::function<bool(std::uint32_t index)> &copy,
                      const WorkProgress &progress, bool shownOnly);

private:
    FrameSourceSetup setup_;
    RecordingUserMessages messages_;
    std::unique_ptr<DecoderServiceSet> services_;
    std::unique_ptr<DecodableObject> owned_;
    DecodableObject *capture_ = nullptr;
    bool filtersActive_ = false;
};

// What an export stopped by its user says after the file's name.
inline constexpr const char *kExportStopped = ": stopped; nothing written";

// How often a walk over frames tells its progress.
inline constexpr std::uint32_t kProgressEveryFrames = 4096;

} // namespace qv
