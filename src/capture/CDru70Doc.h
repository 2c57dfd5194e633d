#pragma once
// The document of one open DRU-70 event file: opening with its reader, the current event and
// the status bar, Save As, and the note the file carries.
#include <cstdint>
#include <memory>
#include <string>

#include "capture/Dru70Decode.h"

namespace qv {

class CDru70Doc {
public:
    explicit CDru70Doc(UserMessages &messages, DocumentStatus *status = nullptr,
                       Registration registration = {});
    ~CDru70Doc();

    // Opens the file at path; the first event is current, or the last one with startOnLast.
    bool Open(const std::string &path, bool startOnLast = false);
    // Makes event n current unless the filter hides it or it is not in the file.
    bool goToEvent(std::uint32_t n);
    // Pane 2 the event's short name, pane 1 "Frame number %d"; a number beyond the file
    // empties both.
    void showEventStatus(std::uint32_t n);
    // Copies the file to path and goes on with the copy.
    bool saveAs(const std::string &path);
    // "Comment for [path]", the path lower-cased.
    std::string commentTitle() const;
    std::string commentForEditor();
    // Called when the comment editor closes: asks before storing a changed note. False only
    // when storing was asked for and failed.
    bool saveComment(const std::string &text);
    // The event filter in force for display.
    void setFilter(const Dru70EventFilter &filter);

    CDru70Decode *reader() { return reader_.get(); }
    const std::string &pathName() const { return pathName_; }
    std::uint32_t eventCount() const { return eventCount_; }
    std::uint32_t currentEvent() const { return currentEvent_; }
    // Added to the event numbers of the status bar by an open DRU-70 capture window.
    void setNumberingOffset(std::uint32_t offset) { numberingOffset_ = offset; }
    bool makeDefaultComment = true;

private:
    std::unique_ptr<CDru70Decode> openReader(const std::string &path);

    UserMessages &messages_;
    DocumentStatus *status_;
    Registration registration_;
    std::unique_ptr<CDru70Decode> reader_;
    std::string pathName_;
    std::uint32_t eventCount_ = 0;
    std::uint32_t currentEvent_ = 0;
    std::uint32_t numberingOffset_ = 0;
};

} // namespace qv
