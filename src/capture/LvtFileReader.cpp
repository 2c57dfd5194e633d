#include "capture/LvtFileReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/FileUpdate.h"
#include "capture/CaptureWriters.h"
#include "capture/NotesText.h"

namespace qv {

namespace {

std::vector<std::string> words(const std::uint8_t *bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size && bytes[i] != 0; ++i)
        text.push_back(static_cast<char>(bytes[i]));
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        std::size_t end = pos;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        if (end > pos)
            out.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

// "AB123" is shown "AB-0123": the letters, "-0", then the rest of the first five characters.
std::string lvt30Serial(const std::string &serial) {
    if (serial.find('.') != std::string::npos)
        return serial;
    std::string five = serial.substr(0, 5);
    std::size_t digit = 0;
    while (digit < five.size() && !std::isdigit(static_cast<unsigned char>(five[digit])))
        ++digit;
    return five.substr(0, digit) + "-0" + five.substr(digit);
}

} // namespace

CaptureInfo LvtFileReader::parseInformationBlock(const std::vector<std::uint8_t> &content,
                                                 std::string *notesText) {
    std::vector<std::uint8_t> c(content.begin(),
                                content.begin() + std::min(content.size(), kStoredInfoMaxSize));
    std::size_t realSize = c.size();
    c.resize(std::max<std::size_t>(c.size(), 128), 0); // fields of a short block read as zero
    CaptureInfo info;
    std::size_t i = 0;
    bool oldLayout = true;
    if (std::memcmp(c.data(), "LVT-60", 6) == 0) {
        info.instrumentName = "LVT-60";
        std::string prefix;
        for (int b = 7; b <= 8; ++b)
            if (c[b] != 0)
                prefix.push_back(static_cast<char>(c[b]));
        std::uint16_t number = readU16(c.data() + 9);
        if (number != 0) {
            const char *pad = number < 10 ? "-000" : number < 100 ? "-00" : "-0";
            info.serialNumber = prefix + pad + std::to_string(number);
        }
        i = 11;
        oldLayout = false;
    } else if (std::memcmp(c.data(), "LVT-30", 6) == 0) {
        if (c[6] != 0) {
            std::vector<std::string> w = words(c.data(), 36);
            if (w.size() > 0)
                info.instrumentName = w[0];
            if (w.size() > 1)
                info.serialNumber = lvt30Serial(w[1]);
            if (w.size() > 2)
                info.firstVersion = w[2];
            if (w.size() > 3)
                info.secondVersion = w[3];
            i = 36;
        } else {
            i = 6;
        }
    } else if (std::memcmp(c.data(), "KSM", 3) == 0) {
        if (c[6] != 0) {
            std::vector<std::string> w = words(c.data(), 28);
            if (w.size() > 0)
                info.instrumentName = w[0];
            if (w.size() > 1)
                info.firstVersion = w[1];
            if (w.size() > 2)
                info.secondVersion = w[2];
            char hex[17];
            for (int b = 0; b < 8; ++b)
                std::snprintf(hex + 2 * b, 3, "%.2X", c[28 + b]);
            info.serialHex = hex;
            i = 36;
        } else {
            i = 6;
        }
    }
    info.start = readDateTime(c.data() + i);
    info.end = readDateTime(c.data() + i + 12);
    std::size_t j = i + 29 + (oldLayout ? 1 : 0);
    std::size_t k = j + 7 + (oldLayout ? 1 : 0);
    info.captureFlags = c[k];
    if (notesText) {
        notesText->clear();
        if (realSize > 84 && c[76] == 3 && c[79] == 0) {
            for (std::size_t p = 84; p < realSize && c[p] != 0; ++p)
                notesText->push_back(static_cast<char>(c[p]));
        }
    }
    return info;
}

void LvtFileReader::buildIndex() {
    offsets_.clear();
    resumes_.clear();
    damage_.clear();
    // The information block ends the file, its length repeated in the file's last two bytes:
    // found from there, it bounds the records, and damage among them is stepped over.
    std::uint16_t trailer = 0;
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    if (fileLength_ >= 5) {
        file_.seek(fileLength_ - 2);
        file_.readU16(trailer);
    }
    const std::uint64_t infoAt = fileLength_ >= trailer + 5u ? fileLength_ - trailer - 5u : 0;
    file_.seek(infoAt);
    const bool framed = fileLength_ >= trailer + 5u && trailer >= 10 && file_.readU8(type) &&
                        type == 1 && file_.readU16(length) && length == trailer;
    infoFramed_ = framed && !recordBlockAt(infoAt, fileLength_);
    if (infoFramed_) {
        file_.seek(0);
        recordCount_ = scanRecordsAcrossDamage(0xFFFFFFFFu, infoAt, 0, false);
        infoOffset_ = infoAt;
    } else {
        // A file cut short: the block after the records is the information block, whatever it
        // holds.
        file_.seek(0);
        recordCount_ = scanRecords(0xFFFFFFFFu, fileLength_ - 1, offsets_, 0);
        infoOffset_ = file_.tell();
    }
    readInfo();
    file_.seek(0);
    reportDamage();
}

void LvtFileReader::readInfo() {
    file_.seek(infoOffset_);
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    if (!file_.readU8(type) || !file_.readU16(length))
        return;
    std::vector<std::uint8_t> content(std::min<std::size_t>(length, kStoredInfoMaxSize));
    content.resize(file_.read(content.data(), content.size()));
    informationBlockFound(content, length);
}

void LvtFileReader::informationBlockFound(const std::vector<std::uint8_t> &content,
                                          std::uint16_t length) {
    // The block that ends a well-framed file is the information block, and no other.
    if (infoFramed_ && infoRead_)
        return;
    rawInfo_.assign(content.begin(),
                    content.begin() + std::min(content.size(), kStoredInfoMaxSize));
    infoLength_ = length;
    std::uint16_t keptDay = info_.start.day;
    bool damaged = infoRead_ && keptDay == 0xFFFF;
    info_ = parseInformationBlock(rawInfo_, &infoNotes_);
    if (damaged)
        info_.start.day = 0xFFFF;
    infoRead_ = true;
}

bool LvtFileReader::captureFlags(CaptureFlags &flags) const {
    if (!infoRead_)
        return false;
    flags = decodeCaptureFlags(info_.captureFlags);
    return true;
}

std::string LvtFileReader::defaultNotesText() const {
    NotesTextFields fields;
    fields.info = &info_;
    fields.registration = &registration_;
    fields.realTime = false;
    return buildDefaultNotesText(fields);
}

bool LvtFileReader::setNotes(const std::string &text) {
    writeError_ = 0;
    // The block is rewritten only where it is known to be the information block: framed by its
    // lengths at the end of the file. Anything else could be records of a damaged file.
    if (!infoRead_ || !infoFramed_ || text.size() > kMaxStoredNotes || path_.empty())
        return false;
    std::vector<std::uint8_t> block;
    appendNotesBlock(block, text);
    const std::size_t newLength = std::max<std::size_t>(infoLength_, text.size() + 87);
    std::vector<std::uint8_t> raw = rawInfo_;
    raw.resize(std::max(raw.size(), kStoredNotesOffset + block.size()), 0);
    std::copy(block.begin(), block.end(), raw.begin() + kStoredNotesOffset);
    std::vector<std::uint8_t> lengthBytes(2);
    writeU16(lengthBytes.data(), static_cast<std::uint16_t>(newLength));
    // The block's length goes last: until then the file reads with the old one.
    FileUpdate update;
    update.write(infoOffset_ + 3, raw);
    update.write(infoOffset_ + 3 + newLength, lengthBytes);
    update.write(infoOffset_ + 1, lengthBytes);
    const bool ok = update.apply(path_);
    file_.invalidate();
    fileLength_ = file_.size();
    if (!ok) {
        writeError_ = update.error();
        return false;
    }
    rawInfo_.assign(raw.begin(), raw.begin() + std::min(raw.size(), kStoredInfoMaxSize));
    infoLength_ = static_cast<std::uint16_t>(newLength);
    infoNotes_ = text;
    rememberNotes(text);
    return true;
}

} // namespace qv
