#pragma once
// The document of one open LVT capture: opening with the choice of decoder, the current frame,
// the comment stored in the file, Save As and the frames to print.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/DecodableObject.h"

namespace qv {

inline constexpr const char *kMsgNoDecodableObject = "Unable to create a decodable object !";
inline constexpr const char *kMsgFirstGroup =
    "A problem occurs while reading first group of frames !";
inline constexpr const char *kMsgNoFrame = "No frame found in the file !";
inline constexpr const char *kMsgSaveAsFailed = "Problem while saving file!";
inline constexpr const char *kMsgCommentChanged =
    "The comment text has changed.\nDo you want to save it?";
inline constexpr const char *kMsgCommentNotUpdated =
    "The comment text can not be updated.\nAn error occured when saving it in the file";
// The same with the system's reason.
inline constexpr const char *kMsgCommentNotUpdatedBecause =
    "The comment text can not be updated.\nAn error occured when saving it in the file: %s";
// The message of a failed notes write: the system's reason when there is one.
std::string commentNotUpdatedMessage(int error);
inline constexpr const char *kMsgPrintRange = "Starting and/or ending values are out of range";
inline constexpr const char *kMsgFrameSuppressed =
    "This frame is suppressed by filtering\nDo you want to reach the nearest frame";
inline constexpr std::uint32_t kNoFrame = 0xFFFFFFFF;

struct CaptureOpenOptions {
    int language = 0;         // decoding language: 0 English, else French
    bool v5Decoding = false;  // the "V5 Decoding" setting
    bool captureMode = false; // the main window analyses in real time: show the last frame
};

enum class PrintChoice { Selection, CurrentToEnd, All, Range };

struct PrintRange {
    std::uint32_t first = 0; // 0-based, inclusive
    std::uint32_t last = 0;
};

class CDecodeDoc {
public:
    CDecodeDoc(UserMessages &messages, const DecoderServices &services,
               DocumentStatus *status = nullptr);
    ~CDecodeDoc();

    bool openCapture(const std::string &path, const CaptureOpenOptions &options);
    // Moves the current frame to index unless the capture cannot show it; true when it moved.
    bool goToFrame(std::uint32_t index, bool selectInSummary = false);
    // Goes to index as goToFrame does; for a frame the filters hide, asks kMsgFrameSuppressed
    // and on Yes goes to the nearest frame shown. True when the current frame moved.
    bool reachFrame(std::uint32_t index, bool selectInSummary = false);
    // True when the filters in force show frame index; the decoder is left on it.
    bool isShown(std::uint32_t index);
    // The shown frame nearest to index other than index itself: the nearer of the first one
    // after it and the last one before it, the one after when both are as near; kNoFrame when
    // there is none.
    std::uint32_t nearestShownFrame(std::uint32_t index);
    void showFrameStatus(std::uint32_t index);
    // Called when the comment editor closes: asks before storing a changed comment. False only
    // when storing was asked for and failed.
    bool saveComment(const std::string &text);
    // The text the comment editor starts with.
    std::string commentForEditor();
    // Copies the capture to path and makes it the document's path; the caller adds it to the
    // recent-file list.
    bool saveAs(const std::string &path);
    // The 0-based frames to print; from and to are the 1-based numbers of a Range. False (with
    // the message) when a Range lies outside the capture.
    bool printRange(PrintChoice choice, std::uint32_t from, std::uint32_t to, PrintRange &out);

    // Views that follow the current frame: called with the frame and whether the summary
    // should select it.
    std::function<void(std::uint32_t frame, bool selectInSummary)> onFrameShown;
    // Added to the frame numbers of the status bar (rotating real-time capture files).
    void setNumberingOffset(std::uint32_t offset) { numberingOffset_ = offset; }

    DecodableObject *decodable() { return decodable_.get(); }
    CDecoder *decoder() { return decodable_ ? decodable_->decoder() : nullptr; }
    const std::string &pathName() const { return pathName_; }
    std::uint32_t frameCount() const { return frameCount_; }
    std::uint32_t currentFrame() const { return currentFrame_; }
    bool filtersActive() const { return filtersActive_; }
    bool makeDefaultComment = true;
    // Replaces the off-line filter and shows the current frame again, or the nearest frame
    // shown when the new filter hides it.
    void applyOffLineFilters(std::unique_ptr<OffLineFilter> filter);
    // Views whose rows depend on the filters: called once a new filter is in place, before the
    // current frame is shown again.
    std::function<void()> onFiltersApplied;

private:
    UserMessages &messages_;
    const DecoderServices &services_;
    DocumentStatus *status_;
    std::unique_ptr<DecodableObject> decodable_;
    std::string pathName_;
    std::uint32_t frameCount_ = 0;
    std::uint32_t currentFrame_ = 0;
    std::uint32_t numberingOffset_ = 0;
    bool filtersActive_ = false;
};

// Copies the file at from to to in 1024-byte blocks; the target is replaced only once the copy
// is complete. Copying a file onto itself leaves it as it is.
bool copyCaptureFile(const std::string &from, const std::string &to);

} // namespace qv
