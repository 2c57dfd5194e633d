#include "synth/Scenario.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "base/FileReplace.h"
#include "capture/CaptureWriters.h"
#include "synth/Traffic.h"

namespace qv::synth {

namespace {

struct Name {
    const char *text;
    int value;
};
constexpr Name kKinds[] = {{"frame", 1}, {"l1", 0}, {"overflow", 0x81}, {"overflow2", 0x82}};
constexpr Name kStatuses[] = {{"good", 0},     {"bad", 1},   {"aborted", 2}, {"truncated", 3},
                              {"overflow", 4}, {"short", 5}, {"error", 6}};
constexpr Name kDirections[] = {{"te", 1}, {"nt", 0}};

template <std::size_t N> bool lookup(const std::string &word, const Name (&table)[N], int &value) {
    for (const Name &n : table)
        if (word == n.text) {
            value = n.value;
            return true;
        }
    auto [p, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && p == word.data() + word.size() && value >= 0 && value <= 255;
}

bool number(std::string_view text, int &value) {
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && p == text.data() + text.size();
}

bool parseLine(const std::string &line, LvtRecord &r, int &year, std::string &why) {
    std::istringstream in(line);
    std::string date, time, kind, status, direction;
    if (!(in >> date >> time >> kind >> status >> direction)) {
        why = "expected: date time kind status direction [octets]";
        return false;
    }
    int day = 0, month = 0, h = 0, mi = 0, s = 0, ms = 0;
    year = 0;
    std::size_t slash1 = date.find('/'), slash2 = date.find('/', slash1 + 1);
    std::string_view d(date);
    if (slash1 == std::string::npos || !number(d.substr(0, slash1), day) ||
        !number(d.substr(slash1 + 1,
                         slash2 == std::string::npos ? std::string::npos : slash2 - slash1 - 1),
                month) ||
        (slash2 != std::string::npos && !number(d.substr(slash2 + 1), year)) || day < 1 ||
        day > 31 || month < 1 || month > 12) {
        why = "bad date '" + date + "' (DD/MM or DD/MM/YYYY)";
        return false;
    }
    char tail = 0;
    if (std::sscanf(time.c_str(), "%2d:%2d:%2d.%3d%c", &h, &mi, &s, &ms, &tail) != 4 || h < 0 ||
        h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59 || ms < 0 || ms > 999) {
        why = "bad time '" + time + "' (HH:MM:SS.mmm)";
        return false;
    }
    int k = 0, st = 0, dir = 0;
    if (!lookup(kind, kKinds, k)) {
        why = "bad kind '" + kind + "'";
        return false;
    }
    if (!lookup(status, kStatuses, st)) {
        why = "bad status '" + status + "'";
        return false;
    }
    if (!lookup(direction, kDirections, dir) || (direction != "te" && direction != "nt")) {
        why = "bad direction '" + direction + "' (te or nt)";
        return false;
    }
    r = LvtRecord{};
    r.blockType = 1;
    r.kind = static_cast<std::uint8_t>(k);
    r.status = static_cast<std::uint8_t>(st);
    r.direction = static_cast<std::uint8_t>(dir);
    r.month = static_cast<std::uint8_t>(month);
    r.setTime(day, h, mi, s, ms);
    std::string octet;
    while (in >> octet) {
        int value = 0;
        auto [p, ec] = std::from_chars(octet.data(), octet.data() + octet.size(), value, 16);
        if (octet.size() > 2 || ec != std::errc() || p != octet.data() + octet.size()) {
            why = "bad octet '" + octet + "'";
            return false;
        }
        if (r.dataLength == kMaxRecordData) {
            why = "more than 272 octets";
            return false;
        }
        r.data[r.dataLength++] = static_cast<std::uint8_t>(value);
    }
    return true;
}

CaptureDateTime dateTimeOf(const LvtRecord &r, std::uint16_t year) {
    return {static_cast<std::uint16_t>(r.day()),
            r.month,
            year,
            static_cast<std::uint16_t>(r.hour()),
            static_cast<std::uint16_t>(r.minute()),
            static_cast<std::uint16_t>(r.second())};
}

CaptureDateTime startOf(std::uint16_t year) {
    return {12, 3, year, 9, 30, 0};
}

void calls(Traffic &t, int count) {
    const char *numbers[] = {"0301234567", "0897654321", "0401112233", "069555777"};
    for (int i = 0; i < count; ++i) {
        std::uint8_t tei = static_cast<std::uint8_t>(64 + i % 3);
        t.call(tei, static_cast<std::uint8_t>(1 + i % 127), numbers[i % 4], numbers[(i + 1) % 4],
               i % 3 == 1, i % 4 != 3);
        t.advance(2000 + t.random()() % 8000);
    }
}

void errors(Traffic &t) {
    t.frame(Side::Te, {0x02, 0x83, 0x01, 0x05}, 1);
    t.frame(Side::Nt, {0x00, 0x81}, 2);
    t.frame(Side::Te, {0x02, 0x81, 0x00, 0x00, 0x08}, 3);
    t.frame(Side::Nt, {0x02}, 5);
    t.frame(Side::Te, {0x02, 0x81, 0x01, 0x00}, 6);
    t.frame(Side::Nt, {0x02, 0x81, 0x01}, 4);
    t.overflowMark(0x81);
    t.overflowMark(0x82);
    // FRMR with its three information octets, XID, DM, and an over-long UI frame.
    t.frame(Side::Nt, {0x02, 0x81, 0x87, 0x00, 0x04, 0x02, 0x01});
    t.frame(Side::Te, {0x00, 0x81, 0xAF, 0x82, 0x80, 0x00});
    t.frame(Side::Nt, {0x00, 0x81, 0x1F});
    std::vector<std::uint8_t> longUi(272, 0x55);
    longUi[0] = 0x02;
    longUi[1] = 0xFF;
    longUi[2] = 0x03;
    t.frame(Side::Nt, longUi);
    for (std::uint8_t code : {4, 11, 5, 12, 18, 19, 20})
        t.layer1(code);
}

// Hands the records made so far to sink, up to frames in all; false once no more are wanted.
bool drain(Traffic &t, std::uint64_t frames, std::uint64_t &handed, const RecordSink &sink) {
    for (const LvtRecord &r : t.records()) {
        if (handed >= frames || !sink(r))
            return false;
        ++handed;
    }
    t.records().clear();
    return handed < frames;
}

void mix(Traffic &t, std::uint32_t frames, const RecordSink &sink) {
    auto &rng = t.random();
    std::uint8_t cref = 1;
    std::uint64_t handed = 0;
    // The records go to sink a few thousand at a time, so that any size takes little memory.
    constexpr std::size_t kBatch = 4096;
    while (handed + t.records().size() < frames) {
        switch (rng() % 10) {
        case 0:
            t.teiAssignment(static_cast<std::uint8_t>(64 + rng() % 60));
            break;
        case 1:
            t.establish(0, static_cast<std::uint8_t>(64 + rng() % 4));
            break;
        case 2:
        case 3:
        case 4: {
            // Drawn one at a time: the order in which arguments are evaluated differs between
            // compilers, and the same seed must give the same capture whatever built it.
            const auto tei = static_cast<std::uint8_t>(64 + rng() % 4);
            const bool overlap = rng() % 4 == 0;
            const bool answered = rng() % 5 != 0;
            t.call(tei, cref, "0301234567", "0897654321", overlap, answered);
            cref = static_cast<std::uint8_t>(cref % 127 + 1);
            break;
        }
        case 5: {
            const auto tei = static_cast<std::uint8_t>(70 + rng() % 2);
            const auto lcn = static_cast<std::uint16_t>(1 + rng() % 30);
            t.x25Call(tei, lcn, 1 + static_cast<int>(rng() % 6));
            break;
        }
        case 6: {
            const auto tei = static_cast<std::uint8_t>(64 + rng() % 4);
            t.supervisory(0, tei, Side::Te, rng() % 2 ? 0x05 : 0x09, false);
            break;
        }
        case 7:
            t.layer1(static_cast<std::uint8_t>(rng() % 25));
            break;
        default:
            t.supervisory(0, static_cast<std::uint8_t>(64 + rng() % 4), Side::Nt, 0x01, true);
            t.supervisory(0, static_cast<std::uint8_t>(64 + rng() % 4), Side::Te, 0x01, false);
            break;
        }
        // Big gaps now and then so that a long capture runs over days and months.
        t.advance(static_cast<std::uint32_t>(rng() % 100 == 0 ? 3600000 * (1 + rng() % 12)
                                                              : rng() % 3000));
        if (t.records().size() >= kBatch && !drain(t, frames, handed, sink))
            return;
    }
    drain(t, frames, handed, sink);
}

} // namespace

bool parseScenarioText(std::string_view text, ParsedScenario &out, std::string &error) {
    out = {};
    std::size_t lineNumber = 0, pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        line.erase(std::find(line.begin(), line.end(), '#'), line.end());
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        LvtRecord r;
        int year = 0;
        std::string why;
        if (!parseLine(line, r, year, why)) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
        if (out.records.empty() && year > 0 && year < 65536)
            out.year = static_cast<std::uint16_t>(year);
        out.records.push_back(r);
    }
    return true;
}

bool isBuiltinScenario(std::string_view name) {
    return std::find(std::begin(kBuiltinScenarios), std::end(kBuiltinScenarios), name) !=
           std::end(kBuiltinScenarios);
}

std::vector<LvtRecord> builtinScenario(std::string_view name, std::uint32_t frames,
                                       std::uint32_t seed) {
    std::vector<LvtRecord> out;
    streamBuiltinScenario(name, frames, seed, [&out](const LvtRecord &r) {
        out.push_back(r);
        return true;
    });
    return out;
}

bool streamBuiltinScenario(std::string_view name, std::uint32_t frames, std::uint32_t seed,
                           const RecordSink &sink) {
    Traffic t(seed, startOf(kScenarioStartYear));
    if (name == "mix") {
        mix(t, frames != 0 ? frames : 10000, sink);
        return true;
    }
    if (name == "demo") {
        t.layer1(0);
        t.layer1(1);
        t.layer1(2);
        t.teiAssignment(64);
        t.establish(0, 64);
        calls(t, 3);
        t.teiAssignment(70);
        t.establish(16, 70);
        t.x25Call(70, 5, 4);
        t.supervisory(0, 64, Side::Te, 0x05, false);
        t.supervisory(0, 64, Side::Te, 0x01, false);
        errors(t);
        t.v5Traffic();
        calls(t, 2);
        t.release(0, 64);
        t.layer1(3);
    } else if (name == "calls") {
        t.teiAssignment(64);
        t.teiAssignment(65);
        t.teiAssignment(66);
        t.establish(0, 64);
        t.establish(0, 65);
        t.establish(0, 66);
        calls(t, 12);
    } else if (name == "x25") {
        t.teiAssignment(70);
        t.establish(16, 70);
        t.x25Restart(70);
        for (int i = 0; i < 4; ++i)
            t.x25Call(70, static_cast<std::uint16_t>(1 + i), 6);
    } else if (name == "v5") {
        for (int i = 0; i < 4; ++i)
            t.v5Traffic();
    } else if (name == "errors") {
        t.establish(0, 64);
        errors(t);
    } else {
        return false;
    }
    std::uint64_t handed = 0;
    drain(t, frames != 0 ? frames : ~0ull, handed, sink);
    return true;
}

bool writeCaptureStream(const std::string &path, Layout layout, std::uint16_t startYear,
                        std::uint8_t captureFlags,
                        const std::function<void(const RecordSink &)> &produce,
                        std::uint64_t &records, std::string &error) {
    records = 0;
    const int failure = writeReplacing(path, [&](const std::string &file) {
        DateTracker dates;
        CaptureDateTime start{}, end{};
        StoredFileDescription stored;
        stored.identity = StoredIdentity::Lvt30;
        stored.serialNumber = "QV123";
        stored.firstVersion = "V3.02";
        stored.secondVersion = "B2.10";
        stored.captureFlags = captureFlags;
        RealTimeFileDescription realTime;
        realTime.instrumentName = "LVT-30";
        realTime.serialNumber = "QV-0123";
        realTime.firstVersion = "V3.02";
        realTime.secondVersion = "B2.10";
        realTime.captureFlags = captureFlags;
        StoredFileWriter storedWriter;
        RealTimeFileWriter realTimeWriter;
        // The real-time layout carries the start in its first block: the file is made with the
        // first record.
        bool ok = layout == Layout::RealTime || storedWriter.create(file);
        produce([&](const LvtRecord &r) {
            if (records == 0) {
                dates.start(r.month, startYear);
                start = dateTimeOf(r, startYear);
                realTime.start = start;
                if (layout == Layout::RealTime)
                    ok = realTimeWriter.create(file, realTime);
            }
            dates.dateText(r);
            end = dateTimeOf(r, dates.year());
            ok = ok &&
                 (layout == Layout::Stored ? storedWriter.append(r) : realTimeWriter.append(r));
            ++records;
            return ok;
        });
        if (layout == Layout::Stored) {
            stored.start = start;
            stored.end = end;
            return storedWriter.finish(stored) && ok;
        }
        if (records == 0)
            ok = realTimeWriter.create(file, realTime);
        realTimeWriter.setEnd(end);
        return realTimeWriter.close() && ok;
    });
    if (failure != 0)
        error = notWritten(path, failure);
    return failure == 0;
}

bool writeCapture(const std::string &path, Layout layout, const std::vector<LvtRecord> &records,
                  std::uint16_t startYear, std::string &error, std::uint8_t captureFlags) {
    std::uint64_t written = 0;
    return writeCaptureStream(
        path, layout, startYear, captureFlags,
        [&](const RecordSink &sink) {
            for (const LvtRecord &r : records)
                if (!sink(r))
                    return;
        },
        written, error);
}

std::uint8_t scenarioCaptureFlags(std::string_view name) {
    return name == "v5" ? static_cast<std::uint8_t>(0x02 | (16 << 2)) : 0;
}

} // namespace qv::synth
