#include "capture/CaptureFileReader.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "base/ByteOrder.h"

namespace qv {

std::string remoteTransferFilePath() {
    return (std::filesystem::temp_directory_path() / "~LVT30.TMP").string();
}

CaptureFileReader::CaptureFileReader(std::string fileName, bool remote, UserMessages &messages,
                                     Registration registration)
    : path_(std::move(fileName)), remote_(remote), messages_(messages),
      registration_(std::move(registration)) {}

CaptureFileReader::~CaptureFileReader() = default;

std::int16_t CaptureFileReader::open() {
    bool named = !path_.empty();
    if (named == remote_) {
        messages_.error(kMsgAmbiguousFile);
        return kOpenAmbiguous;
    }
    std::string path = named ? path_ : remoteTransferFilePath();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !file_.open(path)) {
        messages_.error(kMsgUnableToOpen);
        return kOpenCannotOpen;
    }
    fileLength_ = file_.size();
    if (fileLength_ == 0) {
        file_.close();
        messages_.error(kMsgFileEmpty);
        return kOpenEmpty;
    }
    return kOpenOk;
}

std::string CaptureFileReader::notes(bool makeDefault) {
    if (!notes_.empty()) {
        if (notesAreDefault_ && !makeDefault) {
            notes_.clear();
            notesAreDefault_ = false;
        }
        return notes_;
    }
    std::string text;
    if (!storedNotes(text))
        return {};
    if (!text.empty()) {
        notes_ = text;
        notesAreDefault_ = false;
    } else if (makeDefault) {
        notes_ = defaultNotesText();
        notesAreDefault_ = true;
    }
    return notes_;
}

CaptureFlags CaptureFileReader::decodeCaptureFlags(std::uint8_t flags) {
    return {(flags & 0x02) != 0, static_cast<std::uint8_t>(flags >> 2), (flags & 0x01) != 0};
}

void CaptureFileReader::zeroRecordData() {
    std::size_t n = std::min<std::size_t>(record_.dataLength, kMaxRecordData);
    std::fill(record_.data.begin(), record_.data.begin() + n, 0);
}

bool CaptureFileReader::readRecord(LvtRecord &record, std::uint16_t &bytesUsed) {
    std::uint64_t start = file_.tell();
    std::uint8_t type = 0;
    if (!file_.readU8(type) || type != 1) {
        file_.seek(start);
        bytesUsed = 0;
        return false;
    }
    std::uint16_t length = 0;
    if (!file_.readU16(length)) {
        bytesUsed = 0;
        return false;
    }
    record.blockType = type;
    record.blockLength = length;
    std::uint64_t afterLength = file_.tell();
    if (length < 10) {
        bytesUsed = 3;
        messages_.error(kMsgNotLvtRecord);
        markDamaged();
        return false;
    }
    // A stored file's last block is its information block; a real-time file's last record may
    // end the file (a capture still running, or killed).
    if (!isRealTimeFile() && afterLength + length + 2 >= fileLength_) {
        std::vector<std::uint8_t> content(length);
        std::size_t got = file_.read(content.data(), length);
        content.resize(got);
        informationBlockFound(content, length);
        bytesUsed = length;
        return false;
    }
    std::uint8_t head[10];
    if (!file_.readExact(head, sizeof head)) {
        bytesUsed = 3;
        return false;
    }
    record.timeHigh = readU16(head);
    record.timeLow = readU16(head + 2);
    record.kind = head[4];
    record.status = head[5];
    record.direction = head[6];
    record.month = head[7];
    std::uint16_t dataLength = readU16(head + 8);
    if (dataLength > kMaxRecordData) {
        record.dataLength = 0;
        bytesUsed = 13;
        messages_.error(kMsgLvtFileError);
        markDamaged();
        return false;
    }
    record.dataLength = dataLength;
    std::uint16_t trailer = 0;
    if (!file_.readExact(record.data.data(), dataLength) || !file_.readU16(trailer)) {
        bytesUsed = 13;
        return false;
    }
    std::fill(record.data.begin() + dataLength, record.data.end(), 0);
    record.trailerLength = trailer;
    bytesUsed = static_cast<std::uint16_t>(dataLength + 15);
    // A block whose declared length disagrees with its data would shift every later record.
    file_.seek(afterLength + length + 2);
    return true;
}

bool isDamageMessage(const std::string &text, const std::string &caption) {
    return caption == kDamagedCaptureCaption || text == kMsgLvtFileError ||
           text == kMsgNotLvtRecord;
}

std::string damageText(const std::vector<DamagedSpan> &spans, std::uint32_t frameCount) {
    constexpr std::size_t kShown = 5;
    std::string text;
    for (std::size_t i = 0; i < spans.size() && i < kShown; ++i) {
        const DamagedSpan &s = spans[i];
        const std::uint32_t next = i + 1 < spans.size() ? spans[i + 1].framesBefore : frameCount;
        if (!text.empty())
            text += "; ";
        text += "bytes " + std::to_string(s.from) + " to " + std::to_string(s.to - 1) +
                " after frame " + std::to_string(s.framesBefore) + " cannot be read, " +
                (next == s.framesBefore
                     ? std::string("no frame after them")
                     : std::to_string(next - s.framesBefore) + " frames after them recovered");
    }
    if (spans.size() > kShown)
        text += "; " + std::to_string(spans.size() - kShown) + " more damaged places";
    return text;
}

bool CaptureFileReader::recordBlockAt(std::uint64_t offset, std::uint64_t end) {
    constexpr std::size_t kHeadSize = 13;
    if (offset + kHeadSize + 2 > end)
        return false;
    file_.seek(offset);
    const std::uint8_t *head = file_.peek(kHeadSize);
    if (!head || head[0] != 1)
        return false;
    const std::uint16_t length = readU16(head + 1);
    const std::uint16_t dataLength = readU16(head + 11);
    if (length != dataLength + 10 || dataLength > kMaxRecordData || offset + length + 5 > end)
        return false;
    file_.seek(offset + 3 + length);
    std::uint16_t trailer = 0;
    return file_.readU16(trailer) && trailer == length;
}

bool CaptureFileReader::cutShortAt(std::uint64_t offset, std::uint64_t end) {
    std::uint8_t head[13];
    file_.seek(offset);
    const std::size_t got = file_.read(head, sizeof head);
    if (got == 0 || head[0] != 1)
        return false;
    if (got < sizeof head)
        return offset + got >= end;
    const std::uint16_t length = readU16(head + 1);
    return length == readU16(head + 11) + 10u && length <= kMaxRecordData + 10 &&
           offset + length + 5 > end;
}

std::uint64_t CaptureFileReader::nextRecordBlock(std::uint64_t from, std::uint64_t end) {
    for (std::uint64_t at = from; at + 15 <= end; ++at) {
        file_.seek(at);
        const std::uint8_t *type = file_.peek(1);
        if (type && *type == 1 && recordBlockAt(at, end))
            return at;
    }
    return kNoOffset;
}

std::uint32_t CaptureFileReader::scanRecordsAcrossDamage(std::uint32_t limit, std::uint64_t end,
                                                         std::uint32_t firstIndex,
                                                         bool groupHeaders) {
    return scanRecordsAcrossDamage(limit, end, firstIndex, groupHeaders, offsets_);
}

std::uint32_t CaptureFileReader::scanRecordsAcrossDamage(std::uint32_t limit, std::uint64_t end,
                                                         std::uint32_t firstIndex,
                                                         bool groupHeaders,
                                                         std::vector<std::uint64_t> &offsets) {
    // Spans and resumes are kept in index order, whatever order parts of the file are walked in.
    const auto noteDamage = [this](const DamagedSpan &span) {
        damage_.insert(std::upper_bound(damage_.begin(), damage_.end(), span,
                                        [](const DamagedSpan &a, const DamagedSpan &b) {
                                            return a.framesBefore < b.framesBefore;
                                        }),
                       span);
    };
    std::uint32_t found = 0;
    while (found < limit) {
        found += scanRecords(limit - found, end, offsets, firstIndex + found);
        const std::uint64_t at = file_.tell();
        if (found >= limit || at >= end)
            break;
        std::uint64_t next;
        if (groupHeaders && recordBlockAt(at + 8, end)) {
            next = at + 8;
        } else {
            next = nextRecordBlock(at, end);
            if (next == kNoOffset) {
                // Bytes that hold no record up to the end; a block cut short by the end of the
                // file is what an interrupted write leaves, not damage.
                if (!(groupHeaders && at + 8 >= end) && !cutShortAt(at, end))
                    noteDamage({firstIndex + found, at, end});
                break;
            }
            noteDamage({firstIndex + found, at, next});
        }
        const std::pair<std::uint32_t, std::uint64_t> resume(firstIndex + found, next);
        resumes_.insert(std::upper_bound(resumes_.begin(), resumes_.end(), resume), resume);
        file_.seek(next);
    }
    return found;
}

void CaptureFileReader::enterRecord(std::uint32_t index) {
    stepIntoRecord(index);
    if (resumes_.empty() || index < resumes_.front().first || index > resumes_.back().first)
        return;
    const auto it = std::lower_bound(resumes_.begin(), resumes_.end(), index,
                                     [](const std::pair<std::uint32_t, std::uint64_t> &r,
                                        std::uint32_t i) { return r.first < i; });
    if (it != resumes_.end() && it->first == index)
        file_.seek(it->second);
}

void CaptureFileReader::reportDamage(const std::string &what) {
    if (damage_.empty() && what.empty())
        return;
    std::string detail = what;
    if (!damage_.empty())
        detail += (detail.empty() ? "" : "; ") + damageText(damage_, recordCount_);
    std::string text(kMsgCaptureDamaged);
    text.replace(text.find("%s"), 2, detail);
    messages_.show(text, kDamagedCaptureCaption, MessageIcon::Exclamation);
}

bool CaptureFileReader::skipRecord() {
    std::uint8_t head[13];
    std::uint64_t start = file_.tell();
    if (!file_.readExact(head, sizeof head)) {
        file_.seek(start);
        return false;
    }
    std::uint16_t length = readU16(head + 1);
    std::uint16_t dataLength = readU16(head + 11);
    if (length < 10 || length != dataLength + 10 || start + length + 5 > fileLength_) {
        file_.seek(start);
        return false;
    }
    file_.seek(start + length + 5);
    return true;
}

std::uint32_t CaptureFileReader::scanRecords(std::uint32_t limit, std::uint64_t endOffset,
                                             std::vector<std::uint64_t> &offsets,
                                             std::uint32_t firstIndex) {
    std::uint32_t found = 0;
    while (found < limit) {
        const std::uint64_t at = file_.tell();
        constexpr std::size_t kHeadSize = 13;
        const std::uint8_t *head = at + kHeadSize > endOffset ? nullptr : file_.peek(kHeadSize);
        if (!head)
            break;
        std::uint16_t length = readU16(head + 1);
        std::uint16_t dataLength = readU16(head + 11);
        if (length != dataLength + 10 || at + length + 5 > endOffset) {
            file_.seek(at);
            break;
        }
        if ((firstIndex + found) % kIndexStride == 0)
            offsets.push_back(at);
        file_.seek(at + length + 5);
        ++found;
    }
    return found;
}

std::int16_t CaptureFileReader::positionAt(std::uint32_t index) {
    std::uint32_t from;
    if (index >= nextIndex_ && index - nextIndex_ < kIndexStride && !positionLost_ &&
        walkable(nextIndex_, index)) {
        from = nextIndex_;
        file_.seek(nextOffset_);
    } else {
        std::uint32_t slot = index / kIndexStride;
        if (!ensureIndexed(index) || slot >= offsets_.size() || offsets_[slot] == kNoOffset)
            return kGoToUnreadable;
        from = slot * kIndexStride;
        file_.seek(offsets_[slot]);
    }
    while (from < index) {
        if (!skipRecord()) {
            messages_.error(kMsgLvtFileError);
            positionLost_ = true;
            return kGoToUnreadable;
        }
        ++from;
        enterRecord(from);
    }
    return kGoToOk;
}

std::uint64_t CaptureFileReader::endOfLastRecord() {
    if (recordCount_ == 0)
        return dataStart_;
    std::uint64_t end = 0;
    if (positionAt(recordCount_ - 1) == kGoToOk && skipRecord())
        end = file_.tell();
    positionLost_ = true;
    return end;
}

std::int16_t CaptureFileReader::goTo(std::uint32_t index) {
    if (firstAccess_) {
        info_.startMonth = info_.startYear = 0;
        if (open() != kOpenOk)
            return kGoToOpenFailed;
        firstAccess_ = false;
        buildIndex();
        file_.seek(dataStart_);
        enterRecord(0); // the first record may follow damaged bytes
        nextIndex_ = 0;
        nextOffset_ = file_.tell();
        positionLost_ = false;
        return kGoToOk;
    }
    if (!file_.isOpen())
        return kGoToOpenFailed;
    zeroRecordData();
    if (index >= recordCount_) {
        // A file without records still has its first block looked at, so that a damaged
        // block is reported as such.
        if (recordCount_ == 0 && index == 0) {
            file_.seek(dataStart_);
            std::uint16_t used = 0;
            readRecord(record_, used);
            positionLost_ = true;
        }
        return kGoToOutOfRange;
    }
    std::int16_t result = positionAt(index);
    if (result != kGoToOk)
        return result;
    std::uint16_t used = 0;
    if (!readRecord(record_, used)) {
        positionLost_ = true;
        return kGoToUnreadable;
    }
    nextIndex_ = index + 1;
    nextOffset_ = file_.tell();
    positionLost_ = false;
    enterRecord(nextIndex_);
    nextOffset_ = file_.tell();
    return kGoToOk;
}

} // namespace qv
