#include "capture/CDru70Doc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/DecodableObject.h"

namespace qv {

namespace {

void warn(UserMessages &messages, const std::string &text) {
    messages.show(text, kErrorMessageCaption, MessageIcon::Exclamation);
}

} // namespace

CDru70Doc::CDru70Doc(UserMessages &messages, DocumentStatus *status, Registration registration)
    : messages_(messages), status_(status), registration_(std::move(registration)) {}

CDru70Doc::~CDru70Doc() = default;

std::unique_ptr<CDru70Decode> CDru70Doc::openReader(const std::string &path) {
    auto reader = std::make_unique<CDru70Decode>(messages_, path, false, status_, registration_);
    if (reader->Position(0) != kDruOk)
        return nullptr;
    return reader;
}

bool CDru70Doc::Open(const std::string &path, bool startOnLast) {
    std::unique_ptr<CDru70Decode> reader = openReader(path);
    if (!reader) {
        warn(messages_, kMsgFirstGroup);
        return false;
    }
    if (reader->RecordCount() == 0) {
        warn(messages_, kMsgNoFrame);
        return false;
    }
    reader_ = std::move(reader);
    pathName_ = path;
    eventCount_ = reader_->RecordCount();
    currentEvent_ = 0;
    if (!goToEvent(startOnLast ? eventCount_ - 1 : 0))
        showEventStatus(currentEvent_);
    return true;
}

bool CDru70Doc::goToEvent(std::uint32_t n) {
    if (!reader_ || reader_->Fetch(currentEvent_, n) != kDruFetchShown)
        return false;
    currentEvent_ = n;
    showEventStatus(n);
    return true;
}

void CDru70Doc::showEventStatus(std::uint32_t n) {
    if (!status_)
        return;
    if (!reader_ || n >= eventCount_) {
        status_->setStatusPane(1, std::string());
        status_->setStatusPane(2, std::string());
        return;
    }
    status_->setStatusPane(2, reader_->hasEvent() ? reader_->Cell(kDruEvents) : std::string());
    char text[40];
    std::snprintf(text, sizeof text, "Frame number %u", n + 1 + numberingOffset_);
    status_->setStatusPane(1, text);
}

bool CDru70Doc::saveAs(const std::string &path) {
    if (!reader_ || !copyCaptureFile(pathName_, path)) {
        warn(messages_, kMsgSaveAsFailed);
        return false;
    }
    // Notes written from now on go to the copy.
    if (std::unique_ptr<CDru70Decode> copy = openReader(path)) {
        copy->setFilter(reader_->filter());
        reader_ = std::move(copy);
    }
    pathName_ = path;
    return true;
}

std::string CDru70Doc::commentTitle() const {
    std::string lower = pathName_;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "Comment for [" + lower + "]";
}

std::string CDru70Doc::commentForEditor() {
    return reader_ ? reader_->ReadNote(true) : std::string();
}

bool CDru70Doc::saveComment(const std::string &text) {
    if (!reader_ || text == reader_->ReadNote(makeDefaultComment))
        return true;
    if (messages_.ask(kMsgCommentChanged, kProgramCaption, MessageButtons::YesNo,
                      MessageAnswer::Yes) == MessageAnswer::No)
        return true;
    if (!reader_->WriteNote(text)) {
        warn(messages_, commentNotUpdatedMessage(reader_->WriteError()));
        return false;
    }
    return true;
}

void CDru70Doc::setFilter(const Dru70EventFilter &filter) {
    if (reader_)
        reader_->setFilter(filter);
}

} // namespace qv
