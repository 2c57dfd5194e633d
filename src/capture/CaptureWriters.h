#pragma once
// Writers of both capture layouts: the stored layout a tester hands over, and the real-time
// layout that capture on the PC appends to while frames arrive.
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "base/WriteFailure.h"

#include "capture/CaptureInfo.h"
#include "decode/LvtRecord.h"

namespace qv {

inline constexpr const char *kRealTimeMarker = "##@@ Real-time file @@##";
inline constexpr std::uint16_t kRealTimeInfoSize = 176;
inline constexpr std::uint32_t kRealTimeGroupSize = 1000;
inline constexpr std::size_t kStoredInfoMaxSize = 2134;
inline constexpr std::size_t kStoredNotesOffset = 76;
inline constexpr std::size_t kMaxStoredNotes = 2047;   // n + 87 <= 2134
inline constexpr std::size_t kMaxRealTimeNotes = 2041; // L' = n + 6 < 2048

// How a stored file's information block names its instrument.
enum class StoredIdentity { Lvt60, Lvt30, Lvt30Anonymous, Ksm, KsmAnonymous, None };

struct StoredFileDescription {
    StoredIdentity identity = StoredIdentity::Lvt30;
    std::string instrumentName = "LVT-30"; // LVT-30 and KSM: first word; KSM names start "KSM"
    std::string serialNumber;              // LVT-30: as typed on the tester ("AB123")
    std::string firstVersion;
    std::string secondVersion;
    std::array<char, 2> serialPrefix{};      // LVT-60
    std::uint16_t serialValue = 0;           // LVT-60
    std::array<std::uint8_t, 8> ksmSerial{}; // KSM
    CaptureDateTime start;
    CaptureDateTime end;
    std::uint8_t captureFlags = 0;
    std::string notes; // empty: no notes block
};

// Content of a stored file's information block (without its framing).
std::vector<std::uint8_t> buildStoredInformationBlock(const StoredFileDescription &description);
// A record's FrameBlock: type 1, L = D + 10, content, L.
void appendRecordBlock(std::vector<std::uint8_t> &out, const LvtRecord &record);
// A notes FrameBlock: type 3, L' = n + 6, five zero bytes, text, NUL, L'.
void appendNotesBlock(std::vector<std::uint8_t> &out, const std::string &text);
// A notes entry of a real-time or DRU-70 file: three u32 words 0, 0, T, then the T-byte notes
// block.
std::vector<std::uint8_t> notesEntry(const std::string &text);
// Where a new notes entry of newSize bytes goes in a file of fileLength bytes: over the present
// entry (presentAt, presentSize; size 0 for none) when it fits there or ends the file, else at
// the end of the file, never over what follows an entry.
std::uint64_t notesEntryPlace(std::uint64_t presentAt, std::uint64_t presentSize,
                              std::uint64_t newSize, std::uint64_t fileLength);
// A block of any type around the given content.
void appendFrameBlock(std::vector<std::uint8_t> &out, std::uint8_t type,
                      const std::vector<std::uint8_t> &content);

class StoredFileWriter {
public:
    StoredFileWriter() = default;
    ~StoredFileWriter();
    StoredFileWriter(const StoredFileWriter &) = delete;
    StoredFileWriter &operator=(const StoredFileWriter &) = delete;

    bool create(const std::string &path);
    bool append(const LvtRecord &record);
    // Writes the information block last and closes; false on any write failure.
    bool finish(const StoredFileDescription &description);
    std::uint32_t recordCount() const { return count_; }
    // The system's reason for the first failed write; 0 when none failed.
    int error() const { return failure_.error(); }

private:
    bool flushBuffer();
    std::FILE *file_ = nullptr;
    std::vector<std::uint8_t> buffer_;
    std::uint32_t count_ = 0;
    WriteFailure failure_;
};

struct RealTimeFileDescription {
    std::string instrumentName; // at most 6 characters are kept
    std::string serialNumber;   // at most 7
    std::string firstVersion;   // at most 7
    std::string secondVersion;  // at most 10
    CaptureDateTime start;
    CaptureDateTime end;
    std::uint8_t captureFlags = 0;
};

// Appends records in groups of 1000 exactly as real-time capture lays them out: the information
// block and the count are brought up to date at every closed group and at close.
class RealTimeFileWriter {
public:
    RealTimeFileWriter() = default;
    ~RealTimeFileWriter();
    RealTimeFileWriter(const RealTimeFileWriter &) = delete;
    RealTimeFileWriter &operator=(const RealTimeFileWriter &) = delete;

    bool create(const std::string &path, const RealTimeFileDescription &description);
    bool append(const LvtRecord &record);
    // A record block as it stands in memory (type 1, L, the content, L: L + 5 bytes), written as
    // it is, with no copy: what capture hands over from its pooled buffers.
    bool appendBlock(std::span<const std::uint8_t> block);
    void setEnd(const CaptureDateTime &end) { description_.end = end; }
    // Closes the last group, writes the final information block and, when given, the notes.
    bool close(const std::string &notes = {});
    std::uint32_t recordCount() const { return count_; }
    // The system's reason for the first failed write; 0 when none failed.
    int error() const { return failure_.error(); }
    bool isOpen() const { return file_ != nullptr; }

    // The 176-byte information block for the given description and counts.
    static std::vector<std::uint8_t> buildInformationBlock(const RealTimeFileDescription &d,
                                                           std::uint32_t records,
                                                           std::uint32_t notesOffset);

private:
    bool closeGroup();
    bool writeAt(long offset, const std::uint8_t *data, std::size_t size);
    bool writeInformationBlock();

    std::FILE *file_ = nullptr;
    RealTimeFileDescription description_;
    std::uint32_t count_ = 0;
    std::uint32_t groupBytes_ = 0;
    long groupHeaderOffset_ = 0;
    std::uint32_t chainWord_ = 0;
    std::uint32_t notesOffset_ = 0;
    WriteFailure failure_;
};

} // namespace qv
