#pragma once
// The reader of a DRU-70 event file: positions on numbered events through the file's groups,
// decodes them, makes the seven display columns, searches them, and reads and writes the note
// at the end of the file.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "base/BufferedFile.h"
#include "capture/CaptureInfo.h"
#include "capture/Dru70Events.h"
#include "filters/Dru70EventFilter.h"

namespace qv {

class DocumentStatus;
class UserMessages;

inline constexpr const char *kMsgDruReadError = "Error while reading frames!";
inline constexpr const char *kMsgDruBadEvent = "tab_frame_idx not good !";

// Answers of Position and Decode.
inline constexpr int kDruOk = 0;
inline constexpr int kDruPositionFailed = -1; // Decode: the record could not be read
inline constexpr int kDruCannotOpen = -2;
inline constexpr int kDruNoEvent = -3; // Decode: no current event, or a code outside 1..32
// Fetch: beyond the last event or not decodable.
inline constexpr int kDruFetchShown = 0;
inline constexpr int kDruFetchFiltered = 1;

inline constexpr int kDru70ColumnCount = 7;
enum Dru70Column {
    kDruNumber,
    kDruDate,
    kDruTime,
    kDruDirection,
    kDruEvents,
    kDruEoc,
    kDruComments
};

struct DruRawRecord {
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    std::uint8_t code = 0;
    std::uint8_t valueLow = 0;
    std::uint16_t flags = 0;
    std::uint32_t seconds = 0;
};

struct DruEvent {
    std::uint32_t number = 0;
    std::uint8_t direction = 0;
    std::uint8_t code = 0;
    std::uint8_t hasValue = 0;
    std::uint16_t eocValue = 0;
    std::uint8_t timeFormat = 0;
    std::uint16_t millisecond = 0;
    std::uint16_t hour = 0;
    std::uint32_t seconds = 0;
};

struct Dru70FindRequest {
    std::string text;      // the text looked for in the columns (upper-cased unless matchCase)
    std::string eventName; // else: the short name of the event looked for
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    bool forward = true;
    int startPosition = 0; // display position to start at in the first event
    bool matchCase = false;
    // The column shown at each display position, and its width (0: not shown).
    std::array<int, kDru70ColumnCount> columnAt{0, 1, 2, 3, 4, 5, 6};
    std::array<int, kDru70ColumnCount> widthAt{1, 1, 1, 1, 1, 1, 1};
};

struct Dru70FindResult {
    std::uint32_t event = 0;
    int position = 0;
};

class CDru70Decode {
public:
    // Exactly one of savedPath and transferredPath names the file; a transferred file is read
    // from the fixed temporary file a transfer leaves behind.
    CDru70Decode(UserMessages &messages, std::string savedPath, bool transferred = false,
                 DocumentStatus *status = nullptr, Registration registration = {});

    // Makes event n the current record and reads it; the first call only opens the file and
    // reads its header. 0, or -1 ambiguous paths, -2 unreadable, -3 empty file.
    int Position(std::uint32_t n);
    std::uint32_t RecordCount() const { return recordCount_; }
    int Decode(std::uint32_t n, bool alreadyPositioned = false);
    // 1 when first or last lies beyond the last event or last cannot be decoded, else the
    // filter's verdict on event last: 0 shown, 1 filtered out.
    int Fetch(std::uint32_t first, std::uint32_t last);
    // The text of column of the current event; "?" for no event or another column.
    void Cell(int column, bool longForm, std::string &out) const;
    std::string Cell(int column, bool longForm = false) const;
    // 1 with the event and display position found, -1 when none is found in the range or the
    // request names nothing to look for.
    int Find(const Dru70FindRequest &request, Dru70FindResult &result);

    std::string ReadNote(bool createDefault);
    // False when the note cannot be stored, or is too long to be read back (2042 characters or
    // more).
    // A failure at any byte leaves the file as it was; WriteError() then gives the system's
    // reason (0 when the text itself was refused).
    bool WriteNote(const std::string &text);
    int WriteError() const { return writeError_; }

    // Puts raw and event in place of the current ones, which Restore brings back.
    void Hold(const DruRawRecord &raw, const DruEvent &event);
    void Restore();

    const DruRawRecord &raw() const { return raw_; }
    const DruEvent &event() const { return event_; }
    bool hasEvent() const { return hasEvent_; }
    const CaptureInfo &info() const { return info_; }
    void setFilter(const Dru70EventFilter &filter) { filter_ = filter; }
    const Dru70EventFilter &filter() const { return filter_; }
    void setStatus(DocumentStatus *status) { status_ = status; }
    DocumentStatus *status() const { return status_; }
    const std::string &path() const { return path_; }

    // The largest note text a file keeps and gives back.
    static constexpr std::size_t kMaxNote = kDruNoteLimit - 7;

private:
    int open();
    bool readRecordHere();
    bool stepForward();
    bool stepBackward();
    void fail(const char *text);
    // entrySize, when given, receives the size of the whole note block.
    bool readNoteText(std::string &out, std::uint64_t *entrySize = nullptr);
    std::uint64_t noteBlockOffset() const { return noteOffset_ + dataStart_ - 8; }

    UserMessages &messages_;
    std::string path_;
    bool ambiguous_;
    DocumentStatus *status_;
    Registration registration_;
    BufferedFile file_;
    std::uint64_t fileLength_ = 0;
    bool firstCall_ = true;
    std::array<std::uint8_t, kDru70HeaderLength> header_{};
    CaptureInfo info_;
    std::uint64_t dataStart_ = kDru70DataStart;
    std::uint32_t groupSize_ = 1;
    std::uint32_t recordCount_ = 0;
    std::uint32_t noteOffset_ = 0;
    // Navigation: the stream offset, the number of the record it stands before, its group.
    std::uint64_t position_ = 0;
    std::uint32_t current_ = 0;
    std::uint32_t group_ = 0;
    bool positionValid_ = false;
    DruRawRecord raw_;
    DruEvent event_;
    std::tm time_{}; // the event's time, broken down
    bool hasRecord_ = false;
    bool hasEvent_ = false;
    DruRawRecord heldRaw_;
    DruEvent heldEvent_;
    bool held_ = false;
    bool heldHasEvent_ = false;
    std::tm heldTime_{};
    Dru70EventFilter filter_;
    std::string note_;
    int writeError_ = 0;
};

// ".dru" event files begin with the DRU-70 marker.
bool isDru70File(const std::string &path);

} // namespace qv
