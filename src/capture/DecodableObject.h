#pragma once
// The decodable side of an open capture: its reader, its decoder and the off-line filter state,
// and the walk that positions the decoder on a frame.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "capture/CaptureFileOpener.h"
#include "capture/CaptureFileReader.h"
#include "decode/CDecoder.h"
#include "filters/OffLineFilter.h"

namespace qv {

// The status bar of the window that shows a capture: pane 1 the frame number, pane 2 a text of
// the frame.
class DocumentStatus {
public:
    virtual ~DocumentStatus() = default;
    virtual void setStatusPane(int pane, const std::string &text) = 0;
};

inline constexpr int kReadNoReader = -1;

// What reading a frame gave.
struct FrameRead {
    int error = kGoToOk; // or the reader's answer, or kReadNoReader
    // On the first read: V5 decoding is asked for a capture that is not flagged as V5.
    bool notV5Capture = false;
    bool ok() const { return error == kGoToOk; }
};

// Where a walk to a frame ended: the filter's verdict on the frame, or why it is not shown. The
// numbers are the ones the decoder host answers with.
enum class WalkAnswer : int {
    Keep = kFilterKeep,
    Hidden = kFilterDrop, // dropped by the filter, or beyond the capture, or unreadable
    Unsettled = kFilterUnsettled,
    KeepWithError = kFilterKeepWithError,
    BeyondLastShown = 5, // after the last frame the filters show
};

inline bool isShown(WalkAnswer answer) {
    return answer != WalkAnswer::Hidden && answer != WalkAnswer::BeyondLastShown;
}

enum class DecoderKind { Isdn, V5 };

class DecodableObject : public DecoderHost {
public:
    DecodableObject(std::string fileName, std::string remoteName, int language, bool v5Decoding,
                    UserMessages &messages, const DecoderServices &services,
                    DocumentStatus *status = nullptr);
    ~DecodableObject() override;

    // Positions the reader on index and copies the record into the decoder. The first call
    // creates, opens and indexes the reader.
    FrameRead readFrame(std::uint32_t index);
    // Makes the decoder: the V5 decoder receives the capture's V5 setting.
    void createDecoder(DecoderKind kind, std::uint8_t v5Setting = 0);
    // Decodes frame to, walking from from.
    WalkAnswer decodeTo(std::uint32_t from, std::uint32_t to);

    std::uint32_t frameCount() const;
    std::string notes(bool makeDefault);
    bool setNotes(const std::string &text);
    // Why the last setNotes failed: an errno, or 0 when the text itself was refused.
    int notesWriteError() const;
    CaptureFileReader *reader() { return reader_.get(); }
    CDecoder *decoder() { return decoder_.get(); }
    DecoderKind decoderKind() const { return decoderKind_; }
    bool isV5Capture() const { return isV5Capture_; }
    // The V5 setting of the capture flags: the time slot shown by the V5 decoder.
    std::uint8_t v5Setting() const { return v5Setting_; }
    std::uint8_t chained() const { return chained_; }
    std::uint32_t lastPassing() const { return lastPassing_; }
    std::uint32_t decodedUpTo() const { return decodedUpTo_; }
    bool endReached() const { return endReached_; }
    bool passedEnd() const { return passedEnd_; }
    bool atLastFrame() const { return atLastFrame_; }
    const std::string &fileName() const { return fileName_; }
    const std::string &remoteName() const { return remoteName_; }
    int language() const { return language_; }
    const DecoderServices &services() const { return services_; }
    bool v5Decoding() const { return v5Decoding_; }
    void setFileName(std::string fileName) { fileName_ = std::move(fileName); }
    // Replaces the off-line filter (null: keep everything) and restarts the filtered walk.
    void setFilter(std::unique_ptr<OffLineFilter> filter);
    OffLineFilter &filter() { return *filter_; }
    void setStatus(DocumentStatus *status) { status_ = status; }
    DocumentStatus *status() const { return status_; }

    // DecoderHost
    int readRecord(std::uint32_t index, LvtRecord &target) override;
    int positionOn(std::uint32_t index) override;
    std::uint16_t captureStartYear() const override { return startYear_; }
    std::uint16_t captureStartMonth() const override { return startMonth_; }
    int decodingLanguage() const override { return language_; }
    UserMessages &messages() override { return messages_; }

private:
    // Reads, decodes and tests frame index; kDecodeToOutOfRange when it cannot be read.
    int decodeAndTest(std::uint32_t index);
    int orderedWalk(std::uint32_t to);
    // Raises lastPassing for a frame that may be shown and marks the end once the walk has
    // tested the last frame.
    void noteAnswer(std::uint32_t index, int answer);
    void showProcessing(std::uint32_t index);
    void takeStart();

    std::string fileName_;
    std::string remoteName_;
    int language_;
    bool v5Decoding_;
    UserMessages &messages_;
    const DecoderServices &services_;
    DocumentStatus *status_;
    CaptureFileOpener opener_;
    std::unique_ptr<CaptureFileReader> reader_;
    std::unique_ptr<CDecoder> decoder_;
    DecoderKind decoderKind_ = DecoderKind::Isdn;
    std::unique_ptr<OffLineFilter> filter_;
    std::uint32_t frameCount_ = 0;
    std::uint32_t decodedUpTo_ = 0;
    std::uint32_t lastPassing_ = 0;
    std::uint32_t lastPosition_ = 0;
    // After a jump onto the last frame: the lowest frame of the unbroken run of frames found
    // not to pass, tested back from the last one.
    std::uint32_t tailTested_ = 0;
    bool atLastFrame_ = false;
    bool passedEnd_ = false;
    bool endReached_ = false;
    std::uint8_t chained_ = 0;
    std::uint16_t startMonth_ = 0;
    std::uint16_t startYear_ = 0;
    bool firstAccess_ = true;
    bool isV5Capture_ = true;
    std::uint8_t v5Setting_ = 0;
};

// The frames the filters show, in file order, as the summary lists them; made with shownOnly
// false, every record in file order, undecoded.
class ShownFrames {
public:
    explicit ShownFrames(DecodableObject &decodable, bool shownOnly = true)
        : decodable_(decodable), shownOnly_(shownOnly) {}
    // Told of the frames tested, every few thousand, while a long run of frames is hidden; false
    // from it ends the walk (stopped() then says so).
    void setProgress(std::function<bool(std::uint32_t tested, std::uint32_t total)> progress) {
        progress_ = std::move(progress);
    }
    // The next frame shown, with the decoder on it; false once no frame after it is shown.
    bool next(std::uint32_t &frame) {
        const std::uint32_t count = decodable_.frameCount();
        if (!shownOnly_) {
            if (next_ >= count)
                return false;
            frame = next_++;
            return true;
        }
        while (next_ < count) {
            const std::uint32_t n = next_++;
            if (progress_ && n % 4096 == 0 && !progress_(n, count)) {
                stopped_ = true;
                break;
            }
            const WalkAnswer answer = decodable_.decodeTo(previous_, n);
            if (answer == WalkAnswer::BeyondLastShown)
                break;
            if (answer != WalkAnswer::Hidden) {
                previous_ = frame = n;
                return true;
            }
        }
        next_ = count;
        return false;
    }
    bool stopped() const { return stopped_; }

private:
    DecodableObject &decodable_;
    bool shownOnly_;
    std::uint32_t next_ = 0;
    std::uint32_t previous_ = 0;
    bool stopped_ = false;
    std::function<bool(std::uint32_t, std::uint32_t)> progress_;
};

} // namespace qv
