#include "capture/CaptureWriters.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"

namespace qv {

namespace {

void putDateTime(std::uint8_t *p, const CaptureDateTime &t) {
    const std::uint16_t fields[6] = {t.day, t.month, t.year, t.hour, t.minute, t.second};
    for (int i = 0; i < 6; ++i)
        writeU16(p + 2 * i, fields[i]);
}

void putText(std::uint8_t *p, std::size_t fieldSize, const std::string &text) {
    std::size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(p, text.data(), n);
}

} // namespace

void appendFrameBlock(std::vector<std::uint8_t> &out, std::uint8_t type,
                      const std::vector<std::uint8_t> &content) {
    auto length = static_cast<std::uint16_t>(content.size());
    out.push_back(type);
    appendU16(out, length);
    out.insert(out.end(), content.begin(), content.end());
    appendU16(out, length);
}

void appendRecordBlock(std::vector<std::uint8_t> &out, const LvtRecord &r) {
    std::uint16_t d = std::min<std::uint16_t>(r.dataLength, kMaxRecordData);
    auto length = static_cast<std::uint16_t>(d + 10);
    out.push_back(1);
    appendU16(out, length);
    appendU16(out, r.timeHigh);
    appendU16(out, r.timeLow);
    out.push_back(r.kind);
    out.push_back(r.status);
    out.push_back(r.direction);
    out.push_back(r.month);
    appendU16(out, d);
    out.insert(out.end(), r.data.begin(), r.data.begin() + d);
    appendU16(out, length);
}

void appendNotesBlock(std::vector<std::uint8_t> &out, const std::string &text) {
    std::vector<std::uint8_t> content(5, 0);
    content.insert(content.end(), text.begin(), text.end());
    content.push_back(0);
    appendFrameBlock(out, 3, content);
}

std::vector<std::uint8_t> notesEntry(const std::string &text) {
    std::vector<std::uint8_t> entry;
    appendU32(entry, 0);
    appendU32(entry, 0);
    appendU32(entry, static_cast<std::uint32_t>(text.size() + 11));
    appendNotesBlock(entry, text);
    return entry;
}

std::uint64_t notesEntryPlace(std::uint64_t presentAt, std::uint64_t presentSize,
                              std::uint64_t newSize, std::uint64_t fileLength) {
    if (presentSize != 0 && presentAt <= fileLength &&
        (newSize <= presentSize || presentAt + presentSize >= fileLength))
        return presentAt;
    return fileLength;
}

std::vector<std::uint8_t> buildStoredInformationBlock(const StoredFileDescription &d) {
    std::vector<std::uint8_t> c(kStoredNotesOffset, 0);
    std::size_t i = 0;
    bool oldLayout = true;
    switch (d.identity) {
    case StoredIdentity::Lvt60:
        std::memcpy(c.data(), "LVT-60", 6);
        c[7] = static_cast<std::uint8_t>(d.serialPrefix[0]);
        c[8] = static_cast<std::uint8_t>(d.serialPrefix[1]);
        writeU16(c.data() + 9, d.serialValue);
        i = 11;
        oldLayout = false;
        break;
    case StoredIdentity::Lvt30: {
        std::string words =
            "LVT-30 " + d.serialNumber + " " + d.firstVersion + " " + d.secondVersion;
        putText(c.data(), 37, words);
        i = 36;
        break;
    }
    case StoredIdentity::Lvt30Anonymous:
        std::memcpy(c.data(), "LVT-30", 6);
        i = 6;
        break;
    case StoredIdentity::Ksm: {
        std::string name = d.instrumentName.rfind("KSM", 0) == 0 ? d.instrumentName : "KSM-2";
        putText(c.data(), 29, name + " " + d.firstVersion + " " + d.secondVersion);
        std::memcpy(c.data() + 28, d.ksmSerial.data(), 8);
        i = 36;
        break;
    }
    case StoredIdentity::KsmAnonymous:
        std::memcpy(c.data(), "KSM-2 ", 6);
        i = 6;
        break;
    case StoredIdentity::None:
        i = 0;
        break;
    }
    putDateTime(c.data() + i, d.start);
    putDateTime(c.data() + i + 12, d.end);
    std::size_t j = i + 29 + (oldLayout ? 1 : 0);
    std::size_t k = j + 7 + (oldLayout ? 1 : 0);
    c[k] = d.captureFlags;
    if (!d.notes.empty()) {
        std::string text = d.notes.substr(0, kMaxStoredNotes);
        appendNotesBlock(c, text);
    }
    return c;
}

// --- stored files ---------------------------------------------------------------------------

StoredFileWriter::~StoredFileWriter() {
    if (file_)
        std::fclose(file_);
}

bool StoredFileWriter::create(const std::string &path) {
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(path.c_str(), "wb");
    count_ = 0;
    failure_.reset();
    if (!file_)
        failure_.fail();
    buffer_.clear();
    return !failure_.failed();
}

bool StoredFileWriter::flushBuffer() {
    if (!file_ || failure_.failed())
        return false;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        failure_.fail();
    buffer_.clear();
    return !failure_.failed();
}

bool StoredFileWriter::append(const LvtRecord &record) {
    if (!file_ || failure_.failed())
        return false;
    appendRecordBlock(buffer_, record);
    ++count_;
    if (buffer_.size() >= 1 << 20)
        return flushBuffer();
    return true;
}

bool StoredFileWriter::finish(const StoredFileDescription &description) {
    if (!file_)
        return false;
    appendFrameBlock(buffer_, 1, buildStoredInformationBlock(description));
    bool ok = flushBuffer();
    if (std::fclose(file_) != 0)
        failure_.fail();
    ok = !failure_.failed() && ok;
    file_ = nullptr;
    return ok;
}

// --- real-time files ------------------------------------------------------------------------

namespace {
constexpr long kInfoOffset = 26;
constexpr long kFirstGroupHeader = kInfoOffset + kRealTimeInfoSize; // 202
} // namespace

std::vector<std::uint8_t>
RealTimeFileWriter::buildInformationBlock(const RealTimeFileDescription &d, std::uint32_t records,
                                          std::uint32_t notesOffset) {
    std::vector<std::uint8_t> b(kRealTimeInfoSize, 0);
    writeU16(b.data(), 257);
    putText(b.data() + 2, 7, d.instrumentName);
    putText(b.data() + 9, 8, d.serialNumber);
    putText(b.data() + 17, 8, d.firstVersion);
    putText(b.data() + 25, 11, d.secondVersion);
    putDateTime(b.data() + 36, d.start);
    putDateTime(b.data() + 48, d.end);
    writeU32(b.data() + 152, kRealTimeGroupSize);
    writeU32(b.data() + 156, records);
    writeU32(b.data() + 168, notesOffset);
    b[172] = d.captureFlags;
    return b;
}

RealTimeFileWriter::~RealTimeFileWriter() {
    if (file_)
        close();
}

bool RealTimeFileWriter::create(const std::string &path, const RealTimeFileDescription &d) {
    if (file_)
        std::fclose(file_);
    description_ = d;
    count_ = 0;
    groupBytes_ = 0;
    chainWord_ = 0;
    notesOffset_ = 0;
    failure_.reset();
    file_ = std::fopen(path.c_str(), "w+b");
    if (!file_)
        return false;
    std::vector<std::uint8_t> head(kRealTimeMarker, kRealTimeMarker + 24);
    appendU16(head, kRealTimeInfoSize);
    std::vector<std::uint8_t> info = buildInformationBlock(d, 0, 0);
    head.insert(head.end(), info.begin(), info.end());
    appendU32(head, 0);
    appendU32(head, 0);
    groupHeaderOffset_ = kFirstGroupHeader;
    if (std::fwrite(head.data(), 1, head.size(), file_) != head.size())
        failure_.fail();
    return !failure_.failed();
}

bool RealTimeFileWriter::writeAt(long offset, const std::uint8_t *data, std::size_t size) {
    if (std::fseek(file_, offset, SEEK_SET) != 0 || std::fwrite(data, 1, size, file_) != size) {
        failure_.fail();
        return false;
    }
    return true;
}

bool RealTimeFileWriter::writeInformationBlock() {
    std::vector<std::uint8_t> info = buildInformationBlock(description_, count_, notesOffset_);
    return writeAt(kInfoOffset, info.data(), info.size());
}

bool RealTimeFileWriter::append(const LvtRecord &record) {
    std::vector<std::uint8_t> block;
    block.reserve(record.dataLength + 15u);
    appendRecordBlock(block, record);
    return appendBlock(block);
}

bool RealTimeFileWriter::appendBlock(std::span<const std::uint8_t> block) {
    if (!file_ || failure_.failed())
        return false;
    if (std::fwrite(block.data(), 1, block.size(), file_) != block.size()) {
        failure_.fail();
        return false;
    }
    ++count_;
    groupBytes_ += static_cast<std::uint32_t>(block.size());
    if (count_ % kRealTimeGroupSize == 0)
        return closeGroup();
    return true;
}

// Writes the next group's header behind the records, completes the finished group's header and
// brings the information block up to date, so the file is readable after every group.
bool RealTimeFileWriter::closeGroup() {
    if (std::fseek(file_, 0, SEEK_END) != 0) {
        failure_.fail();
        return false;
    }
    long nextHeader = std::ftell(file_);
    std::uint8_t header[8];
    writeU32(header, groupBytes_ + 12);
    writeU32(header + 4, 0);
    if (!writeAt(nextHeader, header, 8))
        return false;
    writeU32(header, chainWord_);
    writeU32(header + 4, groupBytes_);
    if (!writeAt(groupHeaderOffset_, header, 8))
        return false;
    chainWord_ = groupBytes_ + 12;
    groupHeaderOffset_ = nextHeader;
    groupBytes_ = 0;
    if (!writeInformationBlock())
        return false;
    if (std::fseek(file_, 0, SEEK_END) != 0 || std::fflush(file_) != 0) {
        failure_.fail();
        return false;
    }
    return true;
}

bool RealTimeFileWriter::close(const std::string &notes) {
    if (!file_)
        return false;
    if (!failure_.failed() && count_ % kRealTimeGroupSize != 0)
        closeGroup();
    if (!failure_.failed() && !notes.empty()) {
        std::string text = notes.substr(0, kMaxRealTimeNotes);
        if (std::fseek(file_, 0, SEEK_END) == 0) {
            long end = std::ftell(file_);
            std::vector<std::uint8_t> entry = notesEntry(text);
            if (writeAt(end, entry.data(), entry.size()))
                notesOffset_ = static_cast<std::uint32_t>(end - 202);
        } else {
            failure_.fail();
        }
    }
    if (!failure_.failed())
        writeInformationBlock();
    bool ok = !failure_.failed();
    if (std::fclose(file_) != 0)
        failure_.fail();
    ok = !failure_.failed() && ok;
    file_ = nullptr;
    return ok;
}

} // namespace qv
