#pragma once
// The tables of the layer-3 interpreter, loaded from a List File and its Notation Files into an
// arena that the caller provides. Nothing is allocated: the arena is the only storage, and the
// on-demand loads made while decoding read files through fixed buffers.
//
// Arena layout: the notation path (60 bytes), 32 list entries (a preload mark and a 13-byte
// file name each), 32 table-directory slots (a u16 table number and a u32 arena offset each),
// 700 bytes in all, then the records, 23 bytes each, every table closed by an end marker.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::pdu {

inline constexpr std::size_t kPathFieldSize = 60;
inline constexpr std::size_t kTableCount = 32;
inline constexpr std::size_t kListEntrySize = 14;
inline constexpr std::size_t kSlotSize = 6;
inline constexpr std::size_t kArenaHeaderSize = 700;
inline constexpr std::size_t kRecordSize = 23;
inline constexpr std::uint16_t kNoTable = 32;
inline constexpr std::uint8_t kEndLevel = 255;
inline constexpr int kOnDemandSlot = 31;
inline constexpr std::size_t kMaxFileName = 12;
inline constexpr std::size_t kMaxLineLength = 159;
inline constexpr std::size_t kLabelLength = 15;

#pragma pack(push, 1)
struct NotationRecord {
    std::uint32_t command; // digits ABCDEF as the bytes 0A 0B CD EF, most significant first
    char label[kLabelLength];
    std::uint8_t value;
    std::uint8_t level; // kEndLevel closes the table
    std::uint8_t masked;
    std::uint8_t mask;
};
#pragma pack(pop)
static_assert(sizeof(NotationRecord) == kRecordSize);

inline constexpr const char *kLoaderCaption = "PDU Interpreter Internal Error";
inline constexpr const char *kMsgListSyntax = "Syntax error in a Notation File";
inline constexpr const char *kMsgTooManyTables = "Too many tables are defined in the list file";
inline constexpr const char *kMsgNoMemory = "Not enough memory to load the Notation Files";

// Where the loader's messages go: shown to the user with the caption.
using LoaderMessageFn = void (*)(void *context, const char *text, const char *caption);

// Results of selecting a table: 0, or the engine error that ends the decode.
inline constexpr int kSelectOk = 0;
inline constexpr int kSelectInvalidTable = 10;
inline constexpr int kSelectCannotOpen = 19;
inline constexpr int kSelectSyntaxError = 20;
inline constexpr int kSelectNoMemory = 100; // the table does not fit what is left of the arena

class NotationStore {
public:
    NotationStore() = default;
    NotationStore(const NotationStore &) = delete;
    NotationStore &operator=(const NotationStore &) = delete;
    ~NotationStore();

    // Takes the arena (kept, not owned) and the notation folder (opened once; every file is
    // opened relative to it, so the working directory is never changed). The arena's path field
    // records the folder's first 59 characters. False when the arena is too small to hold the
    // header and the end markers, or the folder cannot be opened.
    bool attach(std::uint8_t *arena, std::size_t size, const char *folder);
    void setMessageSink(LoaderMessageFn fn, void *context) {
        messageFn_ = fn;
        messageContext_ = context;
    }
    // Reads the List File and preloads the marked tables. False when the List File cannot be
    // opened (nothing is loaded then).
    bool load(const char *listFile);

    // Makes table current: a preloaded table from its slot, any other from its file into the
    // on-demand slot (reused when it holds that table already).
    int selectTable(std::uint16_t table);
    const NotationRecord *current() const { return current_; }
    // Index of the current table's end marker.
    std::uint16_t currentEnd() const { return currentEnd_; }
    // For each record of the current table, the index of the record after its subtree.
    const std::uint16_t *currentNextSibling() const { return currentNext_; }
    std::uint16_t currentTable() const { return currentTable_; }
    // For a preloaded table, per record: 0, or 1 + the number of the dispatch map that answers
    // a lookup starting at that record on its own level. Null for the on-demand table.
    const std::uint16_t *currentGroups() const { return currentGroups_; }
    // 256 record indices: for each byte, the first record of the group that matches it, or the
    // record where a search of the group stops.
    const std::uint16_t *dispatchMap(std::uint16_t number) const {
        return dispatch_.data() + std::size_t(number) * 256;
    }

    // Inspection, for the workbench and the tests.
    bool preloadMark(int table) const;
    std::string_view fileName(int table) const;
    std::uint16_t slotTable(int slot) const;
    const NotationRecord *slotRecords(int slot) const;
    std::size_t recordsLoaded() const { return recordsLoaded_; }
    std::size_t onDemandReads() const { return onDemandReads_; }
    std::string_view path() const;
    const std::uint8_t *arena() const { return arena_; }

private:
    enum class LoadResult { Ok, CannotOpen, SyntaxError, NoMemory };

    void message(const char *text) const;
    int readListFile(int fd);
    bool parseListLine(const char *line, std::size_t length);
    LoadResult loadTable(int slot, int table, std::size_t start, std::size_t freeSpace,
                         std::size_t &records);
    void writeSlot(int slot, std::uint16_t table, std::size_t offset);
    void writeEndMarker(std::size_t offset);
    std::size_t slotOffset(int slot) const;
    std::uint8_t *entry(int table) const {
        return arena_ + kPathFieldSize + table * kListEntrySize;
    }

    std::uint8_t *arena_ = nullptr;
    std::size_t size_ = 0;
    int folderFd_ = -1;
    LoaderMessageFn messageFn_ = nullptr;
    void *messageContext_ = nullptr;
    std::size_t free_ = 0;          // arena bytes still free for records after the preload
    std::size_t onDemandStart_ = 0; // arena offset of the on-demand slot
    std::size_t recordsLoaded_ = 0; // records of the preloaded tables
    std::size_t onDemandReads_ = 0; // files read into the on-demand slot
    const NotationRecord *current_ = nullptr;
    std::uint16_t currentTable_ = kNoTable;
    std::uint16_t currentEnd_ = 0;
    std::uint16_t slotRecordCount_[kTableCount] = {};
    // The slot of each preloaded table, -1 for the others.
    std::int8_t preloadedSlot_[kTableCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                               -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                               -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    void mapPreloadedSlots();
    void indexSiblings(std::size_t start, std::size_t records);
    const std::uint16_t *siblingsOf(int slot) const;
    std::vector<std::uint16_t> nextSibling_; // by record position in the arena
    const std::uint16_t *currentNext_ = nullptr;
    void indexGroups();
    std::vector<std::uint16_t> groupOf_;  // by record position in the arena, like nextSibling_
    std::vector<std::uint16_t> dispatch_; // the dispatch maps, 256 entries each
    const std::uint16_t *currentGroups_ = nullptr;
};

} // namespace qv::pdu
