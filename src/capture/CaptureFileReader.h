#pragma once
// Random access by record number to an LVT capture file, stored or real-time layout.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/BufferedFile.h"
#include "base/UserMessages.h"
#include "capture/CaptureInfo.h"
#include "decode/LvtRecord.h"

namespace qv {

// Results of goTo.
inline constexpr std::int16_t kGoToOk = 0;
inline constexpr std::int16_t kGoToOpenFailed = -2;
inline constexpr std::int16_t kGoToOutOfRange = -4; // index beyond the last record
inline constexpr std::int16_t kGoToUnreadable = -6; // the record's block is damaged

// Results of open.
inline constexpr std::int16_t kOpenOk = 0;
inline constexpr std::int16_t kOpenAmbiguous = -1;
inline constexpr std::int16_t kOpenCannotOpen = -2;
inline constexpr std::int16_t kOpenEmpty = -3;

inline constexpr const char *kMsgAmbiguousFile =
    "Cannot know if this file is a remote or permanent file !";
inline constexpr const char *kMsgUnableToOpen = "Unable to open file !";
inline constexpr const char *kMsgFileEmpty = "File is empty!";
inline constexpr const char *kMsgNotLvtRecord = "the record is not an LVT record!";
inline constexpr const char *kMsgLvtFileError = "LVT file error";
// Shown once a capture was indexed around damaged bytes, with what was lost and recovered.
inline constexpr const char *kMsgCaptureDamaged = "The capture is damaged: %s";
inline constexpr const char *kDamagedCaptureCaption = "Damaged capture";

// Bytes between two records that hold no readable record: framesBefore frames precede them,
// and the records found after them are offered from frame framesBefore + 1 on.
struct DamagedSpan {
    std::uint32_t framesBefore = 0;
    std::uint64_t from = 0; // file offsets of the first damaged byte and of the next record
    std::uint64_t to = 0;
};

// Whether a reader's message tells of damage in the file it reads.
bool isDamageMessage(const std::string &text, const std::string &caption);

// The message of the spans: where each lies and how many frames were recovered after it.
std::string damageText(const std::vector<DamagedSpan> &spans, std::uint32_t frameCount);

// The fixed file a transfer from a tester writes before it is stored under its own name.
std::string remoteTransferFilePath();

struct CaptureFlags {
    bool v5 = false;
    std::uint8_t v5Setting = 0; // bits 2..7
    bool bit0 = false;
};

class CaptureFileReader {
public:
    CaptureFileReader(std::string fileName, bool remote, UserMessages &messages,
                      Registration registration);
    virtual ~CaptureFileReader();
    CaptureFileReader(const CaptureFileReader &) = delete;
    CaptureFileReader &operator=(const CaptureFileReader &) = delete;

    // The first call opens and indexes the file and reads nothing; later calls read record index.
    virtual std::int16_t goTo(std::uint32_t index);
    virtual bool isRealTimeFile() const { return true; }
    // The notes stored in the file; with makeDefault an empty one is replaced by the generated
    // header text, which is remembered as such.
    virtual std::string notes(bool makeDefault);
    // Writes the notes into the file; a failure at any byte leaves the file as it was, and
    // writeError() then gives the system's reason (0 when the text itself was refused).
    virtual bool setNotes(const std::string &text) {
        (void)text;
        return true;
    }
    int writeError() const { return writeError_; }
    virtual bool captureFlags(CaptureFlags &flags) const = 0;
    // Reads the block at the current position into the record buffer.
    virtual bool readRecord(LvtRecord &record, std::uint16_t &bytesUsed);
    virtual std::string defaultNotesText() const { return {}; }

    std::int16_t open();
    // N - 1; with no record the result is 0xFFFFFFFF.
    std::uint32_t lastIndex() const { return recordCount_ - 1; }
    std::uint32_t recordCount() const { return recordCount_; }
    std::uint16_t startMonth() const { return info_.startMonth; }
    std::uint16_t startYear() const { return info_.startYear; }
    const LvtRecord &recordBuffer() const { return record_; }
    std::uint8_t chainedFlag() const { return chained_; }
    const CaptureInfo &info() const { return info_; }
    const std::string &fileName() const { return path_; }
    // The damaged bytes that the index steps over, in file order.
    const std::vector<DamagedSpan> &damage() const { return damage_; }
    std::uint64_t fileLength() const { return fileLength_; }

protected:
    virtual void buildIndex() {}
    virtual void readInfo() {}
    // Hooks of the record walk: a damaged block was met; the block reaching the end of the file
    // (the information block) was read; record index is about to be entered sequentially.
    virtual void markDamaged() {}
    virtual void informationBlockFound(const std::vector<std::uint8_t> &content,
                                       std::uint16_t length) {
        (void)content;
        (void)length;
    }
    virtual void stepIntoRecord(std::uint32_t index) { (void)index; }
    // Makes sure the index covers record index and the indexed record before it; false when
    // the record cannot be reached.
    virtual bool ensureIndexed(std::uint32_t index) {
        (void)index;
        return true;
    }
    // Whether records from up to index can be stepped over one by one: no record missing
    // between them.
    virtual bool walkable(std::uint32_t from, std::uint32_t index) const {
        (void)from;
        (void)index;
        return true;
    }
    // The notes text kept in the file; false when what should hold it fails its checks.
    virtual bool storedNotes(std::string &text) {
        text.clear();
        return true;
    }
    static CaptureFlags decodeCaptureFlags(std::uint8_t flags);
    // Caches a text just written; it is no longer the generated one once it differs from it.
    void rememberNotes(const std::string &text) {
        if (text != notes_)
            notesAreDefault_ = false;
        notes_ = text;
    }

    // Steps over one well-formed record block; false (position unchanged) on a damaged one.
    bool skipRecord();
    // Walks well-formed record blocks from the current position up to endOffset, noting the
    // offset of every kIndexStride-th record (numbered from firstIndex) in offsets_. Returns how
    // many were found, at most limit.
    std::uint32_t scanRecords(std::uint32_t limit, std::uint64_t endOffset,
                              std::vector<std::uint64_t> &offsets, std::uint32_t firstIndex);
    std::int16_t positionAt(std::uint32_t index);
    // Where the block of the last record ends (the data start when there is none); 0 when it
    // cannot be reached. The next read positions afresh.
    std::uint64_t endOfLastRecord();
    // Whether a whole, well-formed record block starts at offset and ends by end: type 1, the
    // lengths in agreement with each other and with the trailer, the data within a record.
    bool recordBlockAt(std::uint64_t offset, std::uint64_t end);
    // Whether the block at offset is a record block that end cuts short.
    bool cutShortAt(std::uint64_t offset, std::uint64_t end);
    // The first offset after from where recordBlockAt holds, or kNoOffset.
    std::uint64_t nextRecordBlock(std::uint64_t from, std::uint64_t end);
    // Walks the records from the current position to end, stepping over damaged bytes (and over
    // the 8-byte group headers of a real-time file, which are no damage) to the next record.
    // Records are numbered from firstIndex, up to limit of them; returns how many were found.
    std::uint32_t scanRecordsAcrossDamage(std::uint32_t limit, std::uint64_t end,
                                          std::uint32_t firstIndex, bool groupHeaders);
    // The same, noting the indexed offsets in offsets (the walk of one part of the file).
    std::uint32_t scanRecordsAcrossDamage(std::uint32_t limit, std::uint64_t end,
                                          std::uint32_t firstIndex, bool groupHeaders,
                                          std::vector<std::uint64_t> &offsets);
    // Makes the position the start of record index, entered sequentially from the one before.
    void enterRecord(std::uint32_t index);
    // Shows the damage found while indexing, once; what, when given, comes first.
    void reportDamage(const std::string &what = {});
    void zeroRecordData();

    static constexpr std::uint32_t kIndexStride = 16;
    static constexpr std::uint64_t kNoOffset = ~0ull;

    std::string path_;
    bool remote_;
    UserMessages &messages_;
    Registration registration_;
    BufferedFile file_;
    std::uint64_t fileLength_ = 0;
    bool firstAccess_ = true;
    std::uint32_t recordCount_ = 0;
    std::uint64_t dataStart_ = 0;
    std::uint32_t nextIndex_ = 0;
    std::uint64_t nextOffset_ = 0;
    bool positionLost_ = true;
    // Offsets of records 0, kIndexStride, 2 * kIndexStride ... found while indexing.
    std::vector<std::uint64_t> offsets_;
    // Where the records after a damaged span or a group header start: (index, offset), by index.
    std::vector<std::pair<std::uint32_t, std::uint64_t>> resumes_;
    std::vector<DamagedSpan> damage_;
    LvtRecord record_{};
    CaptureInfo info_;
    std::string notes_;
    bool notesAreDefault_ = false;
    int writeError_ = 0;
    std::uint8_t chained_ = 0;
};

} // namespace qv
