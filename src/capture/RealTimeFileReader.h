#pragma once
#include <array>

#include "capture/CaptureFileReader.h"

namespace qv {

// Reader of a real-time capture file: marker, information block, records in groups.
class RealTimeFileReader : public CaptureFileReader {
public:
    using CaptureFileReader::CaptureFileReader;

    bool isRealTimeFile() const override { return true; }
    bool setNotes(const std::string &text) override;
    bool captureFlags(CaptureFlags &flags) const override;
    std::string defaultNotesText() const override;

    std::uint32_t recordsPerGroup() const { return groupSize_; }
    std::uint32_t notesOffset() const { return notesOffset_; }

protected:
    void buildIndex() override;
    void readInfo() override;
    void stepIntoRecord(std::uint32_t index) override;
    bool storedNotes(std::string &text) override;
    bool ensureIndexed(std::uint32_t index) override;
    bool walkable(std::uint32_t from, std::uint32_t index) const override;

private:
    // A group of records whose size chain was checked at open; its records are walked the first
    // time one of them is asked for.
    struct Group {
        std::uint64_t firstRecord = 0; // file offset of the group's first record
        std::uint64_t end = 0;         // file offset one past the group's records
        std::uint32_t firstIndex = 0;
        std::uint32_t count = 0; // records the group holds
        bool walked = false;
        std::uint32_t readable = 0; // records found by the walk
    };
    bool walkGroup(Group &group);
    // Lays out the groups the header announces from their size words alone; false when they do
    // not fit the file.
    bool planGroups();
    void walkEveryRecord();

    void followExtensionChain();
    std::uint64_t notesEntryOffset() const { return std::uint64_t(notesOffset_) + dataStart_ - 8; }
    // entrySize, when given, receives the size of the whole entry.
    bool readNotesEntry(std::string &text, std::uint64_t *entrySize = nullptr);
    // Whether a whole notes entry lies at offset, every field as written: the two zero words,
    // the size word, the block and its trailer, inside the file.
    bool wholeNotesEntryAt(std::uint64_t offset);
    // Where the records end: the end of the file, or a notes entry behind them.
    std::uint64_t recordsEnd() const { return recordsEnd_; }
    std::uint64_t findRecordsEnd();

    std::array<std::uint8_t, 176> rawInfo_{};
    std::uint16_t infoSize_ = 0;
    std::uint32_t groupSize_ = 0;
    std::uint32_t headerCount_ = 0;
    std::uint32_t notesOffset_ = 0;
    std::vector<Group> groups_;
    std::uint64_t recordsEnd_ = 0;
    // Numbers of walked groups that have no record (a group that lost records), from and to.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> missing_;
    // The walk found the group headers; the index leads over them.
    bool groupHeadersByWalk_ = false;
};

} // namespace qv
