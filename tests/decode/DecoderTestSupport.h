#pragma once
// A decoder over records held in memory, and builders for the frames the tests decode.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "base/UserMessages.h"
#include "decode/CISDN.h"
#include "decode/SummaryColumn.h"
#include "decode/SummaryFieldTable.h"
#include "support/Pinned.h"

namespace qv::test {

enum class Dir { TeNt, NtTe };

inline LvtRecord frameRecord(Dir dir, std::initializer_list<std::uint8_t> octets,
                             std::uint8_t status = 0) {
    LvtRecord r;
    r.kind = kFrameRecord;
    r.status = status;
    r.direction = dir == Dir::TeNt ? 1 : 0;
    r.month = 3;
    r.setTime(12, 9, 30, 0, 0);
    for (std::uint8_t o : octets)
        r.data[r.dataLength++] = o;
    return r;
}

inline LvtRecord longFrame(Dir dir, std::vector<std::uint8_t> head, std::uint16_t length) {
    LvtRecord r = frameRecord(dir, {});
    for (std::uint16_t i = 0; i < length; ++i)
        r.data[i] = i < head.size() ? head[i] : 0x55;
    r.dataLength = length;
    return r;
}

inline LvtRecord layer1Record(std::uint8_t event, Dir dir = Dir::TeNt) {
    LvtRecord r;
    r.kind = kLayer1Event;
    r.status = event;
    r.direction = dir == Dir::TeNt ? 1 : 0;
    r.month = 3;
    return r;
}

inline LvtRecord overflowRecord(std::uint8_t status) {
    LvtRecord r;
    r.kind = kOverflowMark;
    r.status = status;
    r.direction = 1;
    r.month = 3;
    return r;
}

// A record as a case file describes it: "frame te|nt [status N] octets", "l1 te|nt event" or
// "overflow status", the octets in hexadecimal.
inline LvtRecord describedRecord(const std::string &description) {
    std::istringstream in(description);
    std::string kind, word;
    int number = 0;
    in >> kind;
    if (kind == "overflow" && in >> number)
        return overflowRecord(static_cast<std::uint8_t>(number));
    in >> word;
    const Dir dir = word == "nt" ? Dir::NtTe : Dir::TeNt;
    if (kind == "l1" && in >> number)
        return layer1Record(static_cast<std::uint8_t>(number), dir);
    EXPECT_EQ(kind, "frame") << description;
    LvtRecord r = frameRecord(dir, {});
    while (in >> word) {
        if (word == "status" && in >> number)
            r.status = static_cast<std::uint8_t>(number);
        else
            r.data[r.dataLength++] = static_cast<std::uint8_t>(std::stoul(word, nullptr, 16));
    }
    return r;
}

// Serves records from memory; every record passes.
class MemoryHost : public DecoderHost {
public:
    std::vector<LvtRecord> records;
    RecordingUserMessages recorded;
    CDecoder *decoder = nullptr;

    int readRecord(std::uint32_t index, LvtRecord &target) override {
        if (index >= records.size())
            return -4;
        target = records[index];
        return 0;
    }
    int positionOn(std::uint32_t index) override {
        if (!decoder || index >= records.size())
            return 1;
        return decoder->Decode_Frame(index) < 0 ? 1 : 0;
    }
    std::uint16_t captureStartYear() const override { return 2026; }
    std::uint16_t captureStartMonth() const override { return 3; }
    int decodingLanguage() const override { return language; }
    UserMessages &messages() override { return recorded; }
    int language = 0;
};

// A decoder over one record at a time.
struct Decoded {
    explicit Decoded(const LvtRecord &record, int language = 0) {
        host.language = language;
        host.records = {record};
        decoder = std::make_unique<CISDN>(host, services);
        host.decoder = decoder.get();
        status = decoder->Decode_Frame(0);
    }
    std::string column(SummaryColumn which, bool longForm = false) {
        std::string text;
        decoder->columnText(columnNumber(which), text, longForm);
        return text;
    }
    const DecodedFrame &frame() const { return decoder->frame(); }

    MemoryHost host;
    DecoderServices services;
    std::unique_ptr<CISDN> decoder;
    int status = 0;
};

// Every column that shows more than "-", as "title: text", followed by " | " and the long form
// where that differs.
inline std::vector<std::string> shownColumns(CDecoder &decoder) {
    std::vector<std::string> shown;
    for (int c = 1; c < kSummaryColumnCount; ++c) {
        std::string text, longForm;
        decoder.columnText(c, text, false);
        decoder.columnText(c, longForm, true);
        if (text == "-" && longForm == "-")
            continue;
        shown.push_back(std::string(SummaryFieldTable::title(c, 0)) + ": " + text);
        if (longForm != text)
            shown.back() += " | " + longForm;
    }
    return shown;
}

// The columns of each frame of a case file, decoded as RecordDecoder decodes a record.
template <class RecordDecoder> void expectColumns(const std::string &file) {
    PinnedTexts pinned(file);
    for (const PinnedTexts::Case &c : pinned.cases()) {
        RecordDecoder d(describedRecord(c.input.at(0)));
        ASSERT_EQ(d.status, 0) << c.name;
        pinned.expect(c.name, shownColumns(*d.decoder));
    }
}

// The detail lines as a reader takes them in: a label line and the value line under it as one
// entry ("3 Direction : TE->NT"), every other line as its kind and text.
inline std::vector<std::string> detailEntries(std::span<const DetailLine> lines,
                                              std::size_t from = 0) {
    std::vector<std::string> out;
    for (std::size_t k = from; k < lines.size(); ++k) {
        std::string entry = std::to_string(lines[k].kind) + " " + lines[k].text;
        const bool label = lines[k].text.size() >= 3 &&
                           lines[k].text.compare(lines[k].text.size() - 3, 3, " : ") == 0;
        if (label && k + 1 < lines.size() && lines[k + 1].kind == lines[k].kind + 1)
            entry += lines[++k].text;
        out.push_back(entry);
    }
    return out;
}

} // namespace qv::test
