#include "capture/RealTimeFileReader.h"

#include <algorithm>

#include "base/ByteOrder.h"
#include "base/FileUpdate.h"
#include "capture/CaptureWriters.h"
#include "capture/NotesText.h"

namespace qv {

namespace {

constexpr std::uint64_t kInfoOffset = 26;
constexpr std::size_t kNotesOffsetField = 168; // within the information block
constexpr std::size_t kNotesEntryHead = 12;
constexpr std::uint16_t kMaxNotesBlockLength = 2048;

std::string fieldText(const std::uint8_t *p, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size && p[i] != 0; ++i)
        text.push_back(static_cast<char>(p[i]));
    return text;
}

} // namespace

void RealTimeFileReader::readInfo() {
    rawInfo_.fill(0);
    file_.seek(24);
    std::uint16_t size = 0;
    file_.readU16(size);
    infoSize_ = size;
    file_.read(rawInfo_.data(), std::min<std::size_t>(size, rawInfo_.size()));
    const std::uint8_t *b = rawInfo_.data();
    info_.instrumentName = fieldText(b + 2, 7);
    info_.serialNumber = fieldText(b + 9, 8);
    info_.firstVersion = fieldText(b + 17, 8);
    info_.secondVersion = fieldText(b + 25, 11);
    info_.start = readDateTime(b + 36);
    info_.end = readDateTime(b + 48);
    info_.captureFlags = b[172];
    info_.startMonth = info_.start.month;
    info_.startYear = info_.start.year;
    groupSize_ = readU32(b + 152);
    headerCount_ = readU32(b + 156);
    notesOffset_ = readU32(b + kNotesOffsetField);
    dataStart_ = std::uint64_t(infoSize_) + 34;
    followExtensionChain();
}

void RealTimeFileReader::followExtensionChain() {
    std::uint32_t count = readU32(rawInfo_.data() + 160);
    std::uint64_t offset = readU32(rawInfo_.data() + 164);
    file_.seek(offset);
    std::uint32_t skip = 1;
    // Every entry moves forwards, so the walk ends at the end of the file at the latest.
    while (count != 0 && skip != 0 && file_.tell() + 12 <= fileLength_) {
        chained_ = 1;
        std::uint32_t unused = 0, n = 0;
        if (!file_.readU32(unused) || !file_.readU32(skip))
            break;
        std::uint64_t at = file_.tell();
        if (!file_.readU32(n))
            break;
        file_.seek(at);
        count = n >= count ? 0 : count - n;
        file_.skip(skip);
    }
}

void RealTimeFileReader::buildIndex() {
    readInfo();
    offsets_.clear();
    groups_.clear();
    missing_.clear();
    resumes_.clear();
    damage_.clear();
    groupHeadersByWalk_ = false;
    recordsEnd_ = findRecordsEnd();
    std::uint32_t perGroup =
        groupSize_ != 0 ? groupSize_ : std::max<std::uint32_t>(headerCount_, 1);
    groupSize_ = perGroup;
    if (planGroups()) {
        // Every closed group is taken on trust and walked when first used; the last one is
        // walked now, and the capture ends where its records end.
        Group &last = groups_.back();
        std::vector<std::uint64_t> lastOffsets;
        file_.seek(last.firstRecord);
        last.readable = scanRecords(last.count, last.end, lastOffsets, last.firstIndex);
        last.walked = true;
        // Records missing from a last group that stops short of the file's end: the plan
        // was wrong (a records-per-group word that is no count), so the records are walked.
        if (last.readable < last.count && nextRecordBlock(file_.tell(), recordsEnd()) != kNoOffset)
            return walkEveryRecord();
        last.count = last.readable;
        recordCount_ = last.firstIndex + last.count;
        offsets_.assign((std::uint64_t(recordCount_) + kIndexStride - 1) / kIndexStride, kNoOffset);
        const std::uint32_t firstSlot = (last.firstIndex + kIndexStride - 1) / kIndexStride;
        for (std::size_t k = 0; k < lastOffsets.size(); ++k)
            offsets_[firstSlot + k] = lastOffsets[k];
        return;
    }
    walkEveryRecord();
}

void RealTimeFileReader::walkEveryRecord() {
    // A file whose groups do not add up to its header is walked record by record: a group
    // header is stepped over wherever it stands, damaged bytes up to the next whole record.
    groups_.clear();
    offsets_.clear();
    groupHeadersByWalk_ = true;
    file_.seek(dataStart_);
    recordCount_ = scanRecordsAcrossDamage(headerCount_, recordsEnd(), 0, true);
    reportDamage("the group headers do not agree with the records, which were found by walking "
                 "the file (" +
                 std::to_string(recordCount_) + " frames)");
}

bool RealTimeFileReader::planGroups() {
    // The smallest record block: type, length, ten header octets, no data, the length again.
    constexpr std::uint64_t kSmallestRecord = 15;
    const std::uint32_t perGroup = groupSize_;
    std::uint32_t planned = 0;
    std::uint64_t header = dataStart_ - 8;
    while (planned < headerCount_) {
        file_.seek(header + 4);
        std::uint32_t groupBytes = 0;
        if (header + 8 > fileLength_ || !file_.readU32(groupBytes))
            return false;
        const std::uint32_t wanted = std::min(perGroup, headerCount_ - planned);
        const std::uint64_t first = header + 8;
        const bool last = planned + wanted >= headerCount_;
        // Only the last group may still be open (no size yet).
        const std::uint64_t end = groupBytes == 0 && last ? recordsEnd() : first + groupBytes;
        if (end > fileLength_ || (!last && std::uint64_t(wanted) * kSmallestRecord > groupBytes))
            return false;
        groups_.push_back({first, end, planned, wanted, false, 0});
        planned += wanted;
        header = end;
    }
    // A capture still running, or killed, has records behind the groups its header counts: a
    // group whose header has no size yet, up to the end of the records.
    std::uint32_t size = 1;
    file_.seek(header + 4);
    if (header + 8 + kSmallestRecord <= recordsEnd() && file_.readU32(size) && size == 0 &&
        (groups_.empty() || groups_.back().end == header))
        groups_.push_back({header + 8, recordsEnd(), planned, perGroup, false, 0});
    return !groups_.empty();
}

bool RealTimeFileReader::walkGroup(Group &group) {
    group.walked = true;
    std::vector<std::uint64_t> found;
    file_.seek(group.firstRecord);
    // Damaged bytes inside the group are stepped over to the next whole record; the records
    // found after them take the group's following numbers.
    const std::size_t spansBefore = damage_.size();
    group.readable =
        scanRecordsAcrossDamage(group.count, group.end, group.firstIndex, false, found);
    const std::uint32_t firstSlot = (group.firstIndex + kIndexStride - 1) / kIndexStride;
    for (std::size_t k = 0; k < found.size(); ++k)
        offsets_[firstSlot + k] = found[k];
    if (damage_.size() == spansBefore && group.readable == group.count)
        return true;
    if (group.readable < group.count)
        missing_.emplace_back(group.firstIndex + group.readable, group.firstIndex + group.count);
    // What this group lost, told when the group is first used.
    std::vector<DamagedSpan> spans;
    for (const DamagedSpan &span : damage_)
        if (span.framesBefore >= group.firstIndex &&
            span.framesBefore <= group.firstIndex + group.count)
            spans.push_back(span);
    std::string text(kMsgCaptureDamaged);
    text.replace(text.find("%s"), 2,
                 spans.empty() ? std::string("a group of records ends early")
                               : damageText(spans, group.firstIndex + group.readable));
    messages_.show(text, kDamagedCaptureCaption, MessageIcon::Exclamation);
    return group.readable == group.count;
}

bool RealTimeFileReader::ensureIndexed(std::uint32_t index) {
    if (groups_.empty())
        return true;
    // The positioning starts from the indexed record at or before index.
    const std::uint32_t from = index / kIndexStride * kIndexStride;
    auto holding = [&](std::uint32_t i) {
        auto it =
            std::upper_bound(groups_.begin(), groups_.end(), i,
                             [](std::uint32_t v, const Group &g) { return v < g.firstIndex; });
        return it == groups_.begin() ? groups_.end() : std::prev(it);
    };
    for (std::uint32_t i : {from, index}) {
        auto g = holding(i);
        if (g == groups_.end())
            return false;
        if (!g->walked)
            walkGroup(*g);
        if (i - g->firstIndex >= g->readable)
            return false;
    }
    return true;
}

bool RealTimeFileReader::walkable(std::uint32_t from, std::uint32_t index) const {
    for (const auto &[first, end] : missing_)
        if (from < end && index >= first)
            return false;
    return true;
}

void RealTimeFileReader::stepIntoRecord(std::uint32_t index) {
    if (!groupHeadersByWalk_ && index > 0 && groupSize_ != 0 && index % groupSize_ == 0)
        file_.skip(8);
}

bool RealTimeFileReader::captureFlags(CaptureFlags &flags) const {
    flags = decodeCaptureFlags(info_.captureFlags);
    return true;
}

std::string RealTimeFileReader::defaultNotesText() const {
    NotesTextFields fields;
    fields.info = &info_;
    fields.registration = &registration_;
    fields.realTime = true;
    return buildDefaultNotesText(fields);
}

// Reads the notes entry at the notes offset; false when what lies there is not one.
bool RealTimeFileReader::readNotesEntry(std::string &text, std::uint64_t *entrySize) {
    text.clear();
    std::uint64_t saved = file_.tell();
    file_.seek(notesEntryOffset() + kNotesEntryHead);
    std::uint8_t head[3];
    std::uint8_t zero = 1;
    bool ok = file_.readExact(head, 3) && file_.readU8(zero);
    std::uint16_t length = readU16(head + 1);
    ok = ok && head[0] == 3 && length < kMaxNotesBlockLength && zero == 0 && length >= 5;
    if (ok) {
        file_.skip(4);
        std::vector<char> bytes(length - 5);
        bytes.resize(file_.read(bytes.data(), bytes.size()));
        for (char c : bytes) {
            if (c == 0)
                break;
            text.push_back(c);
        }
        if (entrySize)
            *entrySize = kNotesEntryHead + 5u + length;
    }
    file_.seek(saved);
    return ok;
}

bool RealTimeFileReader::storedNotes(std::string &text) {
    text.clear();
    return notesOffset_ == 0 || readNotesEntry(text);
}

bool RealTimeFileReader::wholeNotesEntryAt(std::uint64_t offset) {
    std::uint8_t head[kNotesEntryHead + 3];
    file_.seek(offset);
    if (!file_.readExact(head, sizeof head) || readU32(head) != 0 || readU32(head + 4) != 0 ||
        head[kNotesEntryHead] != 3)
        return false;
    const std::uint16_t length = readU16(head + kNotesEntryHead + 1);
    std::uint16_t trailer = 0;
    file_.seek(offset + sizeof head + length);
    return length >= 6 && readU32(head + 8) == length + 5u && file_.readU16(trailer) &&
           trailer == length;
}

std::uint64_t RealTimeFileReader::findRecordsEnd() {
    // An entry written behind the records of a group still open (an interrupted capture) ends
    // them, so that a record cut short never takes the entry's bytes for its own. Only a whole
    // entry does: a damaged offset, or bytes that merely pass for an entry, must not hide records.
    const std::uint64_t entry = notesEntryOffset();
    return notesOffset_ != 0 && entry >= dataStart_ && entry < fileLength_ &&
                   wholeNotesEntryAt(entry)
               ? entry
               : fileLength_;
}

bool RealTimeFileReader::setNotes(const std::string &text) {
    writeError_ = 0;
    // An information block too short to hold the notes offset leaves nowhere to point from.
    if (firstAccess_ || text.size() > kMaxRealTimeNotes || path_.empty() ||
        infoSize_ < kNotesOffsetField + 4)
        return false;
    std::vector<std::uint8_t> entry = notesEntry(text);
    // The present entry is written over only where it really is one, behind every record, and
    // the new one fits there (or it ends the file); otherwise the new one goes to the end of the
    // file and the notes offset is switched to it once it is complete.
    std::string present;
    std::uint64_t presentSize = 0;
    if (notesOffset_ == 0 || notesEntryOffset() < dataStart_ ||
        !readNotesEntry(present, &presentSize)) {
        presentSize = 0;
    } else {
        const std::uint64_t records = endOfLastRecord();
        if (records == 0 || notesEntryOffset() < records)
            presentSize = 0;
    }
    const std::uint64_t at =
        notesEntryPlace(notesEntryOffset(), presentSize, entry.size(), fileLength_);
    // The entry lies behind the first group header: a file that ends before the records begin
    // (an information block claiming more than the file holds) has no place for one, and an
    // offset of 0 would read as no notes at all.
    const std::uint64_t base = dataStart_ - 8;
    if (at < dataStart_ || at - base > 0xFFFFFFFFull)
        return false;
    // A present entry that ends the records while record blocks follow it cannot move: the
    // records behind it would be read as the capture's once it no longer stood in their way.
    std::uint64_t whole = 0;
    if (at != notesEntryOffset() && recordsEnd_ < fileLength_ && readNotesEntry(present, &whole) &&
        nextRecordBlock(recordsEnd_ + whole, fileLength_) != kNoOffset)
        return false;
    const auto newOffset = static_cast<std::uint32_t>(at - base);
    FileUpdate update;
    update.write(at, entry);
    std::array<std::uint8_t, 176> info = rawInfo_;
    if (newOffset != notesOffset_) {
        std::uint8_t *field = info.data() + kNotesOffsetField;
        writeU32(field, newOffset);
        update.write(kInfoOffset + kNotesOffsetField, std::vector<std::uint8_t>(field, field + 4));
    }
    const bool ok = update.apply(path_);
    file_.invalidate();
    fileLength_ = file_.size();
    if (!ok) {
        writeError_ = update.error();
        return false;
    }
    rawInfo_ = info;
    notesOffset_ = newOffset;
    rememberNotes(text);
    return true;
}

} // namespace qv
