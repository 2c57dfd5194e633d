#pragma once
// Builders for capture files used by the reader tests.
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "base/UserMessages.h"
#include "capture/CaptureFileOpener.h"
#include "capture/CaptureWriters.h"
#include "decode/LvtRecord.h"
#include "support/TempDir.h"

namespace qv::test {

// A frame whose octets and time tell which record it is.
inline LvtRecord numberedRecord(std::uint32_t n) {
    LvtRecord r;
    r.blockType = 1;
    r.kind = kFrameRecord;
    r.status = n % 7;
    r.direction = n % 2;
    r.month = 5;
    r.setTime(1 + n % 28, n % 24, n % 60, n % 60, n % 1000);
    r.dataLength = static_cast<std::uint16_t>(3 + n % 40);
    for (std::uint16_t i = 0; i < r.dataLength; ++i)
        r.data[i] = static_cast<std::uint8_t>(n >> (8 * (i % 4)));
    return r;
}

// A capture opened the way a document opens it: reader by first byte, then the first goTo.
struct OpenedCapture {
    RecordingUserMessages messages;
    std::unique_ptr<CaptureFileReader> reader;
    explicit OpenedCapture(const std::string &path, Registration registration = {}) {
        reader = CaptureFileOpener(path, false, messages, registration).createReader();
        if (reader)
            reader->goTo(0);
    }
};

// The reader's current record is numberedRecord(n), octet for octet.
inline void expectRecord(const CaptureFileReader &reader, std::uint32_t n) {
    LvtRecord expected = numberedRecord(n);
    const LvtRecord &got = reader.recordBuffer();
    ASSERT_EQ(got.dataLength, expected.dataLength) << "record " << n;
    EXPECT_EQ(got.timeHigh, expected.timeHigh) << "record " << n;
    EXPECT_EQ(got.timeLow, expected.timeLow) << "record " << n;
    EXPECT_EQ(got.status, expected.status) << "record " << n;
    EXPECT_EQ(got.direction, expected.direction) << "record " << n;
    EXPECT_EQ(got.data, expected.data) << "record " << n; // bytes beyond the length are zero
    EXPECT_EQ(got.blockLength, expected.dataLength + 10) << "record " << n;
}

inline void writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline StoredFileDescription lvt30Description() {
    StoredFileDescription d;
    d.identity = StoredIdentity::Lvt30;
    d.serialNumber = "AB123";
    d.firstVersion = "V2.10";
    d.secondVersion = "B1.04";
    d.start = {12, 3, 2026, 10, 15, 2};
    d.end = {12, 3, 2026, 11, 0, 59};
    return d;
}

inline std::string writeStored(const std::string &path, std::uint32_t count,
                               const StoredFileDescription &d = lvt30Description()) {
    StoredFileWriter w;
    w.create(path);
    for (std::uint32_t i = 0; i < count; ++i)
        w.append(numberedRecord(i));
    w.finish(d);
    return path;
}

inline RealTimeFileDescription realTimeDescription() {
    RealTimeFileDescription d;
    d.instrumentName = "LVT-30";
    d.serialNumber = "AB-0123";
    d.firstVersion = "V2.10";
    d.secondVersion = "B1.04";
    d.start = {31, 12, 2025, 23, 59, 0};
    d.end = {1, 1, 2026, 0, 10, 0};
    return d;
}

inline std::string writeRealTime(const std::string &path, std::uint32_t count,
                                 const std::string &notes = {}) {
    RealTimeFileWriter w;
    w.create(path, realTimeDescription());
    for (std::uint32_t i = 0; i < count; ++i)
        w.append(numberedRecord(i));
    w.close(notes);
    return path;
}

} // namespace qv::test
