#include "capture/Dru70Decode.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

#include "base/ByteOrder.h"
#include "base/FileUpdate.h"
#include "base/UserMessages.h"
#include "capture/CaptureFileReader.h"
#include "capture/CaptureWriters.h"
#include "capture/DecodableObject.h"
#include "capture/NotesText.h"

namespace qv {

namespace {

constexpr std::uint32_t kFrameBlockOverhead = 5; // type, length, and the length again

std::string headerText(const std::uint8_t *p, std::size_t most) {
    std::size_t n = 0;
    while (n < most && p[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char *>(p), n);
}

// Times are broken down as UTC: the unit keeps its own clock, with no time zone.
std::tm breakdown(std::uint32_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm out{};
    gmtime_r(&t, &out);
    return out;
}

// Digits of value, count of them, zero-filled.
void appendDigits(std::string &out, unsigned value, int count) {
    char digits[10];
    for (int i = count; i-- > 0; value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    out.append(digits, static_cast<std::size_t>(count));
}

} // namespace

CDru70Decode::CDru70Decode(UserMessages &messages, std::string savedPath, bool transferred,
                           DocumentStatus *status, Registration registration)
    : messages_(messages), ambiguous_(savedPath.empty() != transferred), status_(status),
      registration_(std::move(registration)) {
    path_ = transferred ? remoteTransferFilePath() : std::move(savedPath);
}

void CDru70Decode::fail(const char *text) {
    messages_.show(text, kErrorMessageCaption, MessageIcon::Exclamation);
}

int CDru70Decode::open() {
    if (ambiguous_) {
        fail(kMsgAmbiguousFile);
        return -1;
    }
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !file_.open(path_)) {
        fail(kMsgUnableToOpen);
        return kDruCannotOpen;
    }
    fileLength_ = file_.size();
    if (fileLength_ == 0) {
        file_.close();
        fail(kMsgFileEmpty);
        return -3;
    }
    file_.seek(0);
    std::uint8_t first = 0;
    if (file_.readU8(first) && first == '#') {
        std::uint16_t length = 0;
        file_.seek(kDru70MarkerLength);
        std::uint8_t low = 0, high = 0;
        if (file_.readU8(low) && file_.readU8(high))
            length = static_cast<std::uint16_t>(low | high << 8);
        dataStart_ = kDru70MarkerLength + length + 10;
        if (file_.readExact(header_.data(), header_.size())) {
            const std::uint8_t *h = header_.data();
            info_.instrumentName = headerText(h + kDruHeaderName, 7);
            info_.serialNumber = headerText(h + kDruHeaderSerial, 8);
            info_.firstVersion = headerText(h + kDruHeaderFirstVersion, 8);
            info_.secondVersion = headerText(h + kDruHeaderSecondVersion, 10);
            info_.start = readDateTime(h + kDruHeaderStart);
            info_.end = readDateTime(h + kDruHeaderEnd);
            groupSize_ = readU32(h + kDruHeaderGroupSize);
            recordCount_ = readU32(h + kDruHeaderRecordCount);
            noteOffset_ = readU32(h + kDruHeaderNoteOffset);
            // A damaged header cannot claim more events than the file has room for, nor
            // groups of no event.
            const std::uint64_t room =
                fileLength_ > dataStart_ ? (fileLength_ - dataStart_) / kFrameBlockOverhead : 0;
            if (recordCount_ > room)
                recordCount_ = static_cast<std::uint32_t>(room);
            if (groupSize_ == 0)
                groupSize_ = std::max<std::uint32_t>(recordCount_, 1);
        }
    }
    position_ = dataStart_;
    current_ = 0;
    group_ = 0;
    positionValid_ = true;
    return kDruOk;
}

bool CDru70Decode::stepForward() {
    file_.seek(position_);
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    if (!file_.readU8(type) || !file_.readU16(length))
        return false;
    // Every record is skipped whole, whatever its type or length.
    position_ += length + kFrameBlockOverhead;
    ++current_;
    return true;
}

bool CDru70Decode::stepBackward() {
    if (position_ < dataStart_ + kFrameBlockOverhead)
        return false;
    file_.seek(position_ - 2);
    std::uint16_t length = 0;
    if (!file_.readU16(length) || position_ < dataStart_ + length + kFrameBlockOverhead)
        return false;
    position_ -= length + kFrameBlockOverhead;
    --current_;
    return true;
}

bool CDru70Decode::readRecordHere() {
    file_.seek(position_);
    DruRawRecord r;
    if (!file_.readU8(r.type) || !file_.readU16(r.length))
        return false;
    hasRecord_ = true;
    position_ += r.length + kFrameBlockOverhead;
    ++current_;
    if (r.type == kDruEventRecord) {
        if (r.length < kDruEventPayload) {
            raw_ = r;
            hasRecord_ = false;
            fail(kMsgNotLvtRecord);
            return false;
        }
        const std::uint8_t *p = file_.peek(kDruEventPayload);
        if (!p) {
            hasRecord_ = false;
            return false;
        }
        r.code = p[0];
        r.valueLow = p[1];
        r.flags = readU16(p + 2);
        r.seconds = readU32(p + 4);
    }
    raw_ = r;
    return true;
}

int CDru70Decode::Position(std::uint32_t n) {
    if (firstCall_) {
        firstCall_ = false;
        return open();
    }
    if (!file_.isOpen())
        return kDruCannotOpen;
    hasRecord_ = false;
    if (n >= recordCount_)
        return kDruCannotOpen;
    const std::uint32_t k = n / groupSize_;
    bool ok = true;
    if (n == 0) {
        position_ = dataStart_;
        current_ = 0;
        group_ = 0;
    } else if (positionValid_ && k == group_ && current_ >= k * groupSize_) {
        while (ok && current_ > n)
            ok = stepBackward();
        while (ok && current_ < n)
            ok = stepForward();
    } else if (positionValid_ && k == group_ + 1 && current_ == k * groupSize_) {
        // Just past the last event of the group before: over the next group's header.
        position_ += 8;
        group_ = k;
        while (ok && current_ < n)
            ok = stepForward();
    } else {
        position_ = dataStart_ - 4;
        current_ = 0;
        for (std::uint32_t g = 0; ok && g < k; ++g) {
            file_.seek(position_);
            std::uint32_t size = 0;
            ok = file_.readU32(size);
            position_ += std::uint64_t{size} + 8;
            current_ += groupSize_;
            ok = ok && position_ < fileLength_;
        }
        position_ += 4;
        group_ = k;
        while (ok && current_ < n)
            ok = stepForward();
    }
    positionValid_ = ok;
    if (!ok || !readRecordHere()) {
        positionValid_ = false;
        return kDruCannotOpen;
    }
    return kDruOk;
}

int CDru70Decode::Decode(std::uint32_t n, bool alreadyPositioned) {
    hasEvent_ = false;
    if (!alreadyPositioned && Position(n) != kDruOk) {
        fail(kMsgDruReadError);
        return kDruPositionFailed;
    }
    const Dru70EventInfo *info =
        hasRecord_ && raw_.type == kDruEventRecord ? dru70Event(raw_.code) : nullptr;
    if (!info) {
        fail(kMsgDruBadEvent);
        return kDruNoEvent;
    }
    DruEvent &e = event_;
    e.number = n;
    e.code = raw_.code;
    e.direction = info->direction;
    e.hasValue = info->hasValue ? 1 : 0;
    e.eocValue =
        info->hasValue ? static_cast<std::uint16_t>(((raw_.flags & 0x0F) << 8) | raw_.valueLow) : 0;
    e.timeFormat = static_cast<std::uint8_t>((raw_.flags >> 4) & 3);
    e.millisecond = static_cast<std::uint16_t>(raw_.flags >> 6);
    e.seconds = e.timeFormat == kDruAbsoluteTime ? raw_.seconds : raw_.seconds % 86400;
    time_ = breakdown(e.seconds);
    e.hour = static_cast<std::uint16_t>(time_.tm_hour);
    hasEvent_ = true;
    return kDruOk;
}

int CDru70Decode::Fetch(std::uint32_t first, std::uint32_t last) {
    if (recordCount_ == 0 || first >= recordCount_ || last >= recordCount_)
        return kDruFetchFiltered;
    if (status_) {
        char text[40];
        std::snprintf(text, sizeof text, "Processing Frame %u", last + 1);
        status_->setStatusPane(1, text);
        status_->setStatusPane(2, std::string());
    }
    if (Decode(last) != kDruOk)
        return kDruFetchFiltered;
    return filter_.shows(dru70Event(event_.code)->group) ? kDruFetchShown : kDruFetchFiltered;
}

void CDru70Decode::Cell(int column, bool longForm, std::string &out) const {
    out.clear();
    const Dru70EventInfo *info = hasEvent_ ? dru70Event(event_.code) : nullptr;
    if (!info) {
        out = "?";
        return;
    }
    char text[48];
    const DruEvent &e = event_;
    switch (column) {
    case kDruNumber:
        std::snprintf(text, sizeof text, "%u", e.number);
        break;
    case kDruDate:
        if (e.timeFormat == kDruAbsoluteTime) {
            appendDigits(out, static_cast<unsigned>(time_.tm_mday), 2);
            out += '/';
            appendDigits(out, static_cast<unsigned>(time_.tm_mon + 1), 2);
            out += '/';
            appendDigits(out, static_cast<unsigned>(time_.tm_year + 1900), 4);
        } else {
            const unsigned day = raw_.seconds / 86400;
            appendDigits(out, day, day > 999 ? (day > 9999 ? 5 : 4) : 3);
            out += 'd';
        }
        return;
    case kDruTime:
        appendDigits(out, e.hour, 2);
        out += ':';
        appendDigits(out, static_cast<unsigned>(time_.tm_min), 2);
        out += ':';
        appendDigits(out, static_cast<unsigned>(time_.tm_sec), 2);
        out += '.';
        appendDigits(out, e.millisecond, e.millisecond > 999 ? 4 : 3);
        return;
    case kDruDirection:
        out = e.direction == 1   ? (longForm ? "NT<-LT" : "==>     ")
              : e.direction == 2 ? (longForm ? "NT->LT" : "     <==")
                                 : "-";
        return;
    case kDruEvents:
        out = info->name;
        return;
    case kDruEoc:
        if (!e.hasValue) {
            out = "-";
            return;
        }
        std::snprintf(text, sizeof text, "%.3x", e.eocValue);
        break;
    case kDruComments:
        out = info->description;
        return;
    default:
        out = "?";
        return;
    }
    out = text;
}

std::string CDru70Decode::Cell(int column, bool longForm) const {
    std::string out;
    Cell(column, longForm, out);
    return out;
}

int CDru70Decode::Find(const Dru70FindRequest &request, Dru70FindResult &result) {
    const bool byText = !request.text.empty();
    if (!byText && request.eventName.empty())
        return -1;
    const int step = request.forward ? 1 : -1;
    std::string cell;
    bool firstEvent = true;
    for (std::int64_t n = request.from;
         n >= 0 && n < recordCount_ && (request.forward ? n <= request.to : n >= request.to);
         n += step, firstEvent = false) {
        const auto number = static_cast<std::uint32_t>(n);
        if (Fetch(number, number) != kDruFetchShown)
            continue;
        if (!byText) {
            if (request.eventName == dru70Event(event_.code)->name) {
                result = {number, 0};
                return 1;
            }
            continue;
        }
        int position = firstEvent ? request.startPosition : (request.forward ? 0 : 6);
        for (; position >= 0 && position < kDru70ColumnCount; position += step) {
            // The first column shown is never searched, nor a column of no width.
            if (position == 0 || request.widthAt[static_cast<std::size_t>(position)] == 0)
                continue;
            Cell(request.columnAt[static_cast<std::size_t>(position)], false, cell);
            if (!request.matchCase)
                for (char &c : cell)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (cell.find(request.text) != std::string::npos) {
                result = {number, position};
                return 1;
            }
        }
    }
    return -1;
}

bool CDru70Decode::readNoteText(std::string &out, std::uint64_t *entrySize) {
    out.clear();
    if (noteOffset_ == 0 || !file_.isOpen())
        return false;
    const std::uint64_t at = noteBlockOffset() + 12;
    if (at + 3 > fileLength_)
        return false;
    file_.seek(at);
    std::uint8_t type = 0, zero = 1;
    std::uint16_t length = 0;
    std::uint32_t word = 0;
    if (!file_.readU8(type) || type != kDruNoteRecord || !file_.readU16(length) ||
        length >= kDruNoteLimit || length < 6 || !file_.readU8(zero) || zero != 0 ||
        !file_.readU32(word))
        return false;
    std::string text(length - 5u, '\0');
    if (!file_.readExact(text.data(), text.size()))
        return false;
    text.resize(std::strlen(text.c_str()));
    out = std::move(text);
    if (entrySize)
        *entrySize = 12u + 5u + length;
    return !out.empty();
}

std::string CDru70Decode::ReadNote(bool createDefault) {
    std::string text;
    if (readNoteText(text)) {
        note_ = text;
        return text;
    }
    if (!createDefault)
        return {};
    NotesTextFields fields;
    fields.info = &info_;
    fields.registration = &registration_;
    fields.realTime = true;
    fields.notesLine = NotesLine::WithCaptureDates;
    return buildDefaultNotesText(fields);
}

bool CDru70Decode::WriteNote(const std::string &text) {
    writeError_ = 0;
    if (!file_.isOpen() || text.size() > kMaxNote || text.find('\0') != std::string::npos)
        return false;
    const std::vector<std::uint8_t> block = notesEntry(text);
    // The present note is written over only where it really is one and the new one fits there
    // (or it ends the file); otherwise the note goes to the end of the file and the header's
    // note offset is switched to it once it is complete. Events are never written over.
    std::string present;
    const std::uint64_t base = dataStart_ - 8;
    std::uint64_t presentSize = 0;
    if (noteOffset_ == 0 || noteBlockOffset() < base || !readNoteText(present, &presentSize))
        presentSize = 0;
    const std::uint64_t at =
        notesEntryPlace(noteBlockOffset(), presentSize, block.size(), fileLength_);
    if (at < base || at - base > 0xFFFFFFFFull)
        return false;
    const auto newOffset = static_cast<std::uint32_t>(at - base);
    FileUpdate update;
    update.write(at, block);
    std::array<std::uint8_t, kDru70HeaderLength> header = header_;
    if (newOffset != noteOffset_) {
        std::uint8_t *field = header.data() + kDruHeaderNoteOffset;
        writeU32(field, newOffset);
        update.write(kDru70MarkerLength + 2 + kDruHeaderNoteOffset,
                     std::vector<std::uint8_t>(field, field + 4));
    }
    const bool ok = update.apply(path_);
    file_.invalidate();
    fileLength_ = file_.size();
    if (!ok) {
        writeError_ = update.error();
        return false;
    }
    header_ = header;
    noteOffset_ = newOffset;
    note_ = text;
    return true;
}

void CDru70Decode::Hold(const DruRawRecord &raw, const DruEvent &event) {
    if (!held_) {
        heldRaw_ = raw_;
        heldEvent_ = event_;
        heldHasEvent_ = hasEvent_;
        heldTime_ = time_;
        held_ = true;
    }
    raw_ = raw;
    event_ = event;
    time_ = breakdown(event.seconds);
    hasEvent_ = dru70Event(event.code) != nullptr;
}

void CDru70Decode::Restore() {
    if (!held_)
        return;
    raw_ = heldRaw_;
    event_ = heldEvent_;
    hasEvent_ = heldHasEvent_;
    time_ = heldTime_;
    held_ = false;
}

bool isDru70File(const std::string &path) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char marker[kDru70MarkerLength];
    const bool is = std::fread(marker, 1, sizeof marker, f) == sizeof marker &&
                    std::memcmp(marker, kDru70Marker, sizeof marker) == 0;
    std::fclose(f);
    return is;
}

} // namespace qv
