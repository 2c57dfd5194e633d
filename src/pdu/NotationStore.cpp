#include "pdu/NotationStore.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qv::pdu {

namespace {

constexpr std::size_t kBlockSize = 512;
constexpr std::size_t kEndMarkerReserve = 31 * kRecordSize;

// Reads a file line by line through fixed buffers: LF ends a line and is not kept, CR is dropped
// wherever it stands, a line keeps at most 159 characters, and a last line without LF is not
// read. Lines come back with trailing blanks removed and leading blanks skipped.
class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    // False at the end of the file. Empty lines are skipped.
    bool next(const char *&text, std::size_t &length) {
        for (;;) {
            std::size_t n = 0;
            bool ended = false;
            while (!ended) {
                if (at_ == filled_) {
                    const ssize_t got = ::read(fd_, block_, kBlockSize);
                    if (got <= 0)
                        return false;
                    filled_ = static_cast<std::size_t>(got);
                    at_ = 0;
                }
                const char c = block_[at_++];
                if (c == '\n')
                    ended = true;
                else if (c != '\r' && n < kMaxLineLength)
                    line_[n++] = c;
            }
            while (n > 0 && (line_[n - 1] == ' ' || line_[n - 1] == '\t' || line_[n - 1] == '\n'))
                --n;
            std::size_t start = 0;
            while (start < n && (line_[start] == ' ' || line_[start] == '\t'))
                ++start;
            if (start == n)
                continue;
            text = line_ + start;
            length = n - start;
            return true;
        }
    }

private:
    int fd_;
    char block_[kBlockSize];
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
    char line_[kMaxLineLength + 1];
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void writeU16(std::uint8_t *p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void writeU32(std::uint8_t *p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint16_t readU16(const std::uint8_t *p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t readU32(const std::uint8_t *p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// Parses a record line of 25 or more characters into record; false on a syntax error.
bool parseRecordLine(const char *line, std::size_t length, NotationRecord &record) {
    std::uint32_t digits[6];
    for (int i = 0; i < 6; ++i) {
        const int v = hexValue(line[i]);
        if (v < 0)
            return false;
        digits[i] = static_cast<std::uint32_t>(v);
    }
    record.command = digits[0] << 24 | digits[1] << 16 | digits[2] << 12 | digits[3] << 8 |
                     digits[4] << 4 | digits[5];
    std::memcpy(record.label, line + 7, kLabelLength);
    std::size_t at = 22;
    unsigned level = 0;
    while (at < length && isBlank(line[at]))
        ++at;
    while (at + 1 < length && line[at] == '-' && line[at + 1] == '-') {
        at += 2;
        if (++level >= kEndLevel)
            return false;
        while (at < length && isBlank(line[at]))
            ++at;
    }
    record.level = static_cast<std::uint8_t>(level);
    const char *pattern = line + at;
    const std::size_t patternLength = length - at;
    if (patternLength == 2) {
        const int high = hexValue(pattern[0]);
        const int low = hexValue(pattern[1]);
        if ((high < 0 && pattern[0] != 'X') || (low < 0 && pattern[1] != 'X'))
            return false;
        if (high >= 0 && low >= 0) {
            record.masked = 0;
            record.mask = 0;
            record.value = static_cast<std::uint8_t>(high << 4 | low);
        } else {
            record.masked = 1;
            record.mask = static_cast<std::uint8_t>((high >= 0 ? 0xF0 : 0) | (low >= 0 ? 0x0F : 0));
            record.value =
                static_cast<std::uint8_t>((high >= 0 ? high << 4 : 0) | (low >= 0 ? low : 0));
        }
        return true;
    }
    if (patternLength == 8) {
        std::uint8_t value = 0, mask = 0;
        for (int i = 0; i < 8; ++i) {
            const char c = pattern[i];
            value = static_cast<std::uint8_t>(value << 1);
            mask = static_cast<std::uint8_t>(mask << 1);
            if (c == '0' || c == '1') {
                mask |= 1;
                value |= c == '1' ? 1 : 0;
            } else if (c != 'X') {
                return false;
            }
        }
        record.masked = 1;
        record.mask = mask;
        record.value = value;
        return true;
    }
    return false;
}

} // namespace

NotationStore::~NotationStore() {
    if (folderFd_ >= 0)
        ::close(folderFd_);
}

bool NotationStore::attach(std::uint8_t *arena, std::size_t size, const char *folder) {
    if (folderFd_ >= 0)
        ::close(folderFd_);
    folderFd_ = -1;
    arena_ = nullptr;
    size_ = 0;
    current_ = nullptr;
    currentTable_ = kNoTable;
    recordsLoaded_ = onDemandReads_ = 0;
    if (!arena || size < kArenaHeaderSize + kEndMarkerReserve + kRecordSize)
        return false;
    arena_ = arena;
    size_ = size;
    // One entry per record the arena can hold, made once: loads made while decoding fill it.
    nextSibling_.assign((size - kArenaHeaderSize) / kRecordSize + 1, 0);
    groupOf_.assign(nextSibling_.size(), 0);
    dispatch_.clear();
    std::memset(arena_, 0, kArenaHeaderSize);
    // The path field keeps what fits; files are found through the open folder, not through it.
    std::strncpy(reinterpret_cast<char *>(arena_), folder, kPathFieldSize - 1);
    for (int slot = 0; slot < static_cast<int>(kTableCount); ++slot)
        writeSlot(slot, kNoTable, kArenaHeaderSize);
    mapPreloadedSlots();
    onDemandStart_ = kArenaHeaderSize;
    free_ = size_ - kArenaHeaderSize;
    folderFd_ = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folderFd_ >= 0;
}

void NotationStore::message(const char *text) const {
    if (messageFn_)
        messageFn_(messageContext_, text, kLoaderCaption);
}

std::string_view NotationStore::path() const {
    return arena_ ? std::string_view(reinterpret_cast<const char *>(arena_)) : std::string_view();
}

bool NotationStore::preloadMark(int table) const {
    return arena_ && table >= 0 && table < static_cast<int>(kTableCount) && entry(table)[0] == 1;
}

std::string_view NotationStore::fileName(int table) const {
    if (!arena_ || table < 0 || table >= static_cast<int>(kTableCount))
        return {};
    return std::string_view(reinterpret_cast<const char *>(entry(table) + 1));
}

void NotationStore::writeSlot(int slot, std::uint16_t table, std::size_t offset) {
    std::uint8_t *p = arena_ + kPathFieldSize + kTableCount * kListEntrySize + slot * kSlotSize;
    writeU16(p, table);
    writeU32(p + 2, static_cast<std::uint32_t>(offset));
}

std::uint16_t NotationStore::slotTable(int slot) const {
    if (!arena_ || slot < 0 || slot >= static_cast<int>(kTableCount))
        return kNoTable;
    return readU16(arena_ + kPathFieldSize + kTableCount * kListEntrySize + slot * kSlotSize);
}

std::size_t NotationStore::slotOffset(int slot) const {
    return readU32(arena_ + kPathFieldSize + kTableCount * kListEntrySize + slot * kSlotSize + 2);
}

const std::uint16_t *NotationStore::siblingsOf(int slot) const {
    return nextSibling_.data() + (slotOffset(slot) - kArenaHeaderSize) / kRecordSize;
}

const NotationRecord *NotationStore::slotRecords(int slot) const {
    if (!arena_ || slot < 0 || slot >= static_cast<int>(kTableCount))
        return nullptr;
    return reinterpret_cast<const NotationRecord *>(arena_ + slotOffset(slot));
}

void NotationStore::writeEndMarker(std::size_t offset) {
    NotationRecord marker{};
    std::memset(marker.label, ' ', kLabelLength);
    marker.level = kEndLevel;
    std::memcpy(arena_ + offset, &marker, kRecordSize);
}

// True when the line enters a table for preloading.
bool NotationStore::parseListLine(const char *line, std::size_t length) {
    if (line[0] == ';')
        return false;
    // The table number is a two-character field: scanning goes on at column 2.
    unsigned number = 0;
    bool tooBig = !(line[0] >= '0' && line[0] <= '9');
    for (std::size_t i = 0; i < length && line[i] >= '0' && line[i] <= '9'; ++i) {
        number = number * 10 + static_cast<unsigned>(line[i] - '0');
        if (number >= kTableCount)
            tooBig = true;
    }
    std::size_t at = std::min<std::size_t>(2, length);
    auto skipBlanks = [&] {
        while (at < length && isBlank(line[at]))
            ++at;
    };
    // A missing ":" is reported, and reading goes on at the same character.
    auto colon = [&] {
        skipBlanks();
        if (at < length && line[at] == ':')
            ++at;
        else
            message(kMsgListSyntax);
        skipBlanks();
    };
    colon();
    const std::size_t nameStart = at;
    while (at < length && line[at] != ' ')
        ++at;
    const std::size_t nameLength = at - nameStart;
    bool preload = false;
    if (at < length) {
        colon();
        preload = at < length && (line[at] == 'Y' || line[at] == 'y');
    }
    // A line without a table number, a number beyond the directory or a name that does not fit
    // its field names no table the program could load: the line is refused.
    if (tooBig || nameLength == 0 || nameLength > kMaxFileName) {
        message(kMsgListSyntax);
        return false;
    }
    std::uint8_t *e = entry(static_cast<int>(number));
    e[0] = preload ? 1 : 0;
    std::memset(e + 1, 0, kListEntrySize - 1);
    std::memcpy(e + 1, line + nameStart, nameLength);
    return preload;
}

// Returns the number of lines that enter a table for preloading.
int NotationStore::readListFile(int fd) {
    LineReader reader(fd);
    const char *line;
    std::size_t length;
    int preloadLines = 0;
    while (reader.next(line, length))
        preloadLines += parseListLine(line, length) ? 1 : 0;
    return preloadLines;
}

bool NotationStore::load(const char *listFile) {
    if (!arena_ || folderFd_ < 0)
        return false;
    for (int t = 0; t < static_cast<int>(kTableCount); ++t) {
        entry(t)[0] = 0;
        writeSlot(t, kNoTable, kArenaHeaderSize);
    }
    mapPreloadedSlots();
    indexGroups();
    current_ = nullptr;
    currentGroups_ = nullptr;
    currentTable_ = kNoTable;
    const int fd = ::openat(folderFd_, listFile, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Lines are counted, not tables: a table marked on two lines counts twice.
    const int preloadLines = readListFile(fd);
    ::close(fd);

    int marked = 0;
    for (int t = 0; t < static_cast<int>(kTableCount); ++t)
        marked += entry(t)[0] == 1 ? 1 : 0;
    onDemandStart_ = kArenaHeaderSize;
    free_ = size_ - kArenaHeaderSize;
    if (preloadLines >= static_cast<int>(kTableCount)) {
        message(kMsgTooManyTables);
        // None can be preloaded: every table is read when it is first entered.
        for (int t = 0; t < static_cast<int>(kTableCount); ++t)
            entry(t)[0] = 0;
        return true;
    }
    if (marked == 0)
        return true;

    free_ -= kEndMarkerReserve;
    int slot = 0;
    std::size_t next = kArenaHeaderSize;
    for (int t = 0; t < static_cast<int>(kTableCount); ++t) {
        if (entry(t)[0] != 1)
            continue;
        std::size_t records = 0;
        const LoadResult r = loadTable(slot, t, next, free_, records);
        if (r == LoadResult::Ok) {
            next += (records + 1) * kRecordSize;
            free_ -= records * kRecordSize;
            recordsLoaded_ += records;
            ++slot;
        } else {
            // Tried again on demand, where the failure becomes a decoding error.
            entry(t)[0] = 0;
        }
        if (r == LoadResult::NoMemory) {
            for (int rest = t + 1; rest < static_cast<int>(kTableCount); ++rest)
                entry(rest)[0] = 0;
            break;
        }
    }
    // Slots left empty hold a lone end marker each, so that the on-demand slot follows them.
    std::size_t marker = next;
    for (int s = slot; s < kOnDemandSlot; ++s) {
        writeSlot(s, kNoTable, marker);
        writeEndMarker(marker);
        marker += kRecordSize;
    }
    onDemandStart_ = slot == 0 ? kArenaHeaderSize : marker;
    if (slot == 0)
        free_ += kEndMarkerReserve;
    writeSlot(kOnDemandSlot, kNoTable, onDemandStart_);
    mapPreloadedSlots();
    indexGroups();
    return true;
}

// Dispatch maps for the larger groups of the preloaded tables, made once after loading: a
// lookup there costs one read instead of a walk over the group. The first matching record
// wins, as in the walk, so masked patterns keep their order. The on-demand table is read while
// decoding and has none (nothing is allocated then).
void NotationStore::indexGroups() {
    constexpr std::size_t kMinGroup = 6;
    constexpr std::size_t kMaxMaps = 2048;
    std::fill(groupOf_.begin(), groupOf_.end(), 0);
    dispatch_.clear();
    std::vector<std::uint16_t> members;
    for (int slot = 0; slot < kOnDemandSlot; ++slot) {
        const std::uint16_t table = slotTable(slot);
        if (table >= kTableCount || preloadedSlot_[table] != slot)
            continue;
        const NotationRecord *t = slotRecords(slot);
        const std::uint16_t *next = siblingsOf(slot);
        std::uint16_t *groups =
            groupOf_.data() + (slotOffset(slot) - kArenaHeaderSize) / kRecordSize;
        const std::size_t records = slotRecordCount_[slot];
        for (std::size_t s = 0; s < records; ++s) {
            if (s > 0 && t[s - 1].level >= t[s].level)
                continue; // not the first record of a group
            const std::uint8_t level = t[s].level;
            std::size_t count = 0, stop = s;
            while (stop < records && t[stop].level == level) {
                ++count;
                stop = next[stop];
            }
            if (count < kMinGroup || dispatch_.size() / 256 >= kMaxMaps)
                continue;
            const std::size_t number = dispatch_.size() / 256;
            dispatch_.resize(dispatch_.size() + 256, static_cast<std::uint16_t>(stop));
            std::uint16_t *map = dispatch_.data() + number * 256;
            members.clear();
            for (std::size_t j = s; j < records && t[j].level == level; j = next[j])
                members.push_back(static_cast<std::uint16_t>(j));
            for (std::size_t k = members.size(); k-- > 0;) {
                const NotationRecord &r = t[members[k]];
                if (!r.masked) {
                    map[r.value] = members[k];
                    continue;
                }
                for (unsigned b = 0; b < 256; ++b)
                    if ((b & r.mask) == r.value)
                        map[b] = members[k];
            }
            groups[s] = static_cast<std::uint16_t>(number + 1);
        }
    }
}

void NotationStore::mapPreloadedSlots() {
    for (auto &slot : preloadedSlot_)
        slot = -1;
    for (int slot = 0; slot < kOnDemandSlot; ++slot) {
        const std::uint16_t table = slotTable(slot);
        if (table < kTableCount && preloadedSlot_[table] < 0)
            preloadedSlot_[table] = static_cast<std::int8_t>(slot);
    }
}

NotationStore::LoadResult NotationStore::loadTable(int slot, int table, std::size_t start,
                                                   std::size_t freeSpace, std::size_t &records) {
    records = 0;
    slotRecordCount_[slot] = 0;
    char name[kMaxFileName + 1] = {};
    std::memcpy(name, entry(table) + 1, kMaxFileName);
    const int fd = ::openat(folderFd_, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LoadResult::CannotOpen;
    // Even an empty table needs room for its end marker.
    if (start + kRecordSize > size_) {
        ::close(fd);
        message(kMsgNoMemory);
        writeSlot(slot, kNoTable, start);
        return LoadResult::NoMemory;
    }
    // The on-demand slot has no reserved end marker: its marker is charged with its records.
    const std::size_t markerCharge = slot == kOnDemandSlot ? kRecordSize : 0;
    LoadResult result = LoadResult::Ok;
    LineReader reader(fd);
    const char *line;
    std::size_t length;
    std::size_t charge = 0;
    while (reader.next(line, length)) {
        if (line[0] == ';' || length < 25)
            continue;
        NotationRecord record{};
        if (!parseRecordLine(line, length, record)) {
            result = LoadResult::SyntaxError;
            break;
        }
        charge += kRecordSize;
        if (charge + markerCharge >= freeSpace || start + (records + 2) * kRecordSize > size_) {
            message(kMsgNoMemory);
            result = LoadResult::NoMemory;
            break;
        }
        std::memcpy(arena_ + start + records * kRecordSize, &record, kRecordSize);
        ++records;
    }
    ::close(fd);
    writeEndMarker(start + records * kRecordSize);
    writeSlot(slot, result == LoadResult::Ok ? static_cast<std::uint16_t>(table) : kNoTable, start);
    if (result != LoadResult::Ok)
        records = 0;
    slotRecordCount_[slot] = static_cast<std::uint16_t>(records);
    indexSiblings(start, records);
    return result;
}

// For every record of the table at start, the record after its subtree: the next record that
// is not deeper. The lookup skips a whole group of children with it.
void NotationStore::indexSiblings(std::size_t start, std::size_t records) {
    const auto *t = reinterpret_cast<const NotationRecord *>(arena_ + start);
    std::uint16_t *next = nextSibling_.data() + (start - kArenaHeaderSize) / kRecordSize;
    std::uint16_t open[kEndLevel + 1];
    int depth = 0;
    for (std::size_t i = 0; i <= records; ++i) {
        const int level = i == records ? -1 : t[i].level;
        while (depth > 0 && t[open[depth - 1]].level >= level)
            next[open[--depth]] = static_cast<std::uint16_t>(i);
        if (i < records && depth <= kEndLevel)
            open[depth++] = static_cast<std::uint16_t>(i);
    }
    next[records] = static_cast<std::uint16_t>(records);
}

int NotationStore::selectTable(std::uint16_t table) {
    if (!arena_ || table >= kTableCount)
        return kSelectInvalidTable;
    if (preloadedSlot_[table] >= 0) {
        const int slot = preloadedSlot_[table];
        current_ = slotRecords(slot);
        currentTable_ = table;
        currentEnd_ = slotRecordCount_[slot];
        currentNext_ = siblingsOf(slot);
        currentGroups_ = groupOf_.data() + (slotOffset(slot) - kArenaHeaderSize) / kRecordSize;
        return kSelectOk;
    }
    if (slotTable(kOnDemandSlot) != table) {
        if (fileName(table).empty())
            return kSelectCannotOpen;
        ++onDemandReads_;
        std::size_t records = 0;
        const LoadResult r = loadTable(kOnDemandSlot, table, onDemandStart_, free_, records);
        if (r == LoadResult::CannotOpen) {
            writeSlot(kOnDemandSlot, kNoTable, onDemandStart_);
            return kSelectCannotOpen;
        }
        if (r == LoadResult::NoMemory)
            return kSelectNoMemory;
        if (r != LoadResult::Ok)
            return kSelectSyntaxError;
    }
    current_ = slotRecords(kOnDemandSlot);
    currentTable_ = table;
    currentEnd_ = slotRecordCount_[kOnDemandSlot];
    currentNext_ = siblingsOf(kOnDemandSlot);
    currentGroups_ = nullptr;
    return kSelectOk;
}

} // namespace qv::pdu
