#include "capture/Dru70Writer.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"
#include "capture/CaptureWriters.h"
#include "capture/Dru70Events.h"

namespace qv {

namespace {

void putText(std::vector<std::uint8_t> &header, std::size_t at, const std::string &text,
             std::size_t most) {
    std::memcpy(header.data() + at, text.data(), std::min(text.size(), most));
}

void putDateTime(std::vector<std::uint8_t> &header, std::size_t at, const CaptureDateTime &t) {
    const std::uint16_t fields[] = {t.day, t.month, t.year, t.hour, t.minute, t.second};
    for (std::size_t i = 0; i < 6; ++i)
        writeU16(header.data() + at + 2 * i, fields[i]);
}

} // namespace

std::vector<std::uint8_t> dru70EventPayload(const Dru70EventRecord &e) {
    std::vector<std::uint8_t> p(kDruEventPayload, 0);
    p[0] = e.code;
    p[1] = static_cast<std::uint8_t>(e.eocValue & 0xFF);
    const auto flags = static_cast<std::uint16_t>(
        ((e.eocValue >> 8) & 0x0F) | ((e.timeFormat & 3) << 4) | ((e.millisecond & 0x3FF) << 6));
    writeU16(p.data() + 2, flags);
    writeU32(p.data() + 4, e.seconds);
    return p;
}

std::vector<std::uint8_t> Dru70FileWriter::buildHeader(const Dru70FileDescription &d,
                                                       std::uint32_t records,
                                                       std::uint32_t noteOffset) {
    std::vector<std::uint8_t> h(kDru70HeaderLength, 0);
    putText(h, kDruHeaderName, d.instrumentName, 7);
    putText(h, kDruHeaderSerial, d.serialNumber, 8);
    putText(h, kDruHeaderFirstVersion, d.firstVersion, 8);
    putText(h, kDruHeaderSecondVersion, d.secondVersion, 10);
    putDateTime(h, kDruHeaderStart, d.start);
    putDateTime(h, kDruHeaderEnd, d.end);
    writeU32(h.data() + kDruHeaderGroupSize, d.groupSize);
    writeU32(h.data() + kDruHeaderRecordCount, records);
    writeU32(h.data() + kDruHeaderNoteOffset, noteOffset);
    return h;
}

Dru70FileWriter::~Dru70FileWriter() {
    if (file_)
        std::fclose(file_);
}

bool Dru70FileWriter::put(const std::vector<std::uint8_t> &bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        failure_.fail();
    written_ += bytes.size();
    return !failure_.failed();
}

bool Dru70FileWriter::create(const std::string &path, const Dru70FileDescription &description) {
    if (file_)
        return false;
    description_ = description;
    if (description_.groupSize == 0)
        description_.groupSize = 1000;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return false;
    count_ = inGroup_ = 0;
    written_ = 0;
    failure_.reset();
    std::vector<std::uint8_t> start(kDru70Marker, kDru70Marker + kDru70MarkerLength);
    appendU16(start, kDru70HeaderLength);
    const std::vector<std::uint8_t> header = buildHeader(description_, 0, 0);
    start.insert(start.end(), header.begin(), header.end());
    return put(start);
}

bool Dru70FileWriter::closeGroup() {
    if (inGroup_ == 0)
        return !failure_.failed();
    std::vector<std::uint8_t> words;
    appendU32(words, 0);
    appendU32(words, static_cast<std::uint32_t>(group_.size()));
    put(words);
    put(group_);
    group_.clear();
    inGroup_ = 0;
    return !failure_.failed();
}

bool Dru70FileWriter::append(const Dru70EventRecord &event) {
    if (!file_ || failure_.failed())
        return false;
    appendFrameBlock(group_, kDruEventRecord, dru70EventPayload(event));
    ++count_;
    if (++inGroup_ == description_.groupSize)
        return closeGroup();
    return true;
}

bool Dru70FileWriter::close(const std::string &note) {
    if (!file_)
        return false;
    closeGroup();
    std::uint32_t noteOffset = 0;
    if (!note.empty()) {
        // A file without events still has its first group header, so that the note's offset
        // is not 0, which would say there is no note.
        if (count_ == 0)
            put(std::vector<std::uint8_t>(8, 0));
        // The note block: three words, then the note record; its offset counts from the first
        // group header.
        noteOffset = static_cast<std::uint32_t>(written_ - (kDru70DataStart - 8));
        std::vector<std::uint8_t> block;
        appendU32(block, 0);
        appendU32(block, 0);
        appendU32(block, static_cast<std::uint32_t>(note.size() + 11));
        appendNotesBlock(block, note);
        put(block);
    }
    const std::vector<std::uint8_t> header = buildHeader(description_, count_, noteOffset);
    if (std::fseek(file_, static_cast<long>(kDru70HeaderOffset), SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), file_) != header.size())
        failure_.fail();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && !failure_.failed();
}

} // namespace qv
