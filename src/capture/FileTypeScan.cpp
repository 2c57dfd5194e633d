#include "capture/FileTypeScan.h"
#include "capture/Gzip.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "base/BufferedFile.h"
#include "base/ByteOrder.h"
#include "capture/CaptureWriters.h"
#include "capture/Dru70Events.h"
#include "capture/PcapFormat.h"
#include "capture/TraceImport.h"
#include "decode/LvtRecord.h"

namespace qv {

namespace {

constexpr std::size_t kMarkerLength = 24;
constexpr std::size_t kRecordHeadSize = 13;   // type, length, then the record content to D
constexpr std::size_t kRecordDataOffset = 13; // from the block's type byte

struct StoredLayout {
    bool found = false;            // at least one record block
    std::uint64_t firstRecord = 0; // offsets of the type bytes
    std::uint64_t lastRecord = 0;
    std::uint16_t firstDataLength = 0;
    std::uint16_t lastDataLength = 0;
    std::uint64_t informationBlock = 0;
};

// Steps over the record blocks the way the capture reader indexes them; false on a read error.
bool walkRecords(BufferedFile &file, std::uint64_t size, StoredLayout &layout) {
    std::uint64_t at = 0;
    while (at + kRecordHeadSize <= size) {
        file.seek(at);
        const std::uint8_t *head = file.peek(kRecordHeadSize);
        if (!head)
            return false;
        const std::uint16_t length = readU16(head + 1);
        const std::uint16_t dataLength = readU16(head + 11);
        if (length != dataLength + 10u || at + length + 5 > size)
            break;
        if (!layout.found) {
            layout.found = true;
            layout.firstRecord = at;
            layout.firstDataLength = dataLength;
        }
        layout.lastRecord = at;
        layout.lastDataLength = dataLength;
        at += length + 5u;
    }
    layout.informationBlock = at;
    return true;
}

// The record's data byte at offset, or 0 when the record is shorter.
std::uint8_t dataByte(BufferedFile &file, std::uint64_t record, std::uint16_t dataLength,
                      std::size_t offset) {
    if (offset >= dataLength)
        return 0;
    file.seek(record + kRecordDataOffset + offset);
    std::uint8_t value = 0;
    return file.readU8(value) ? value : 0;
}

int storedFileType(BufferedFile &file, std::uint64_t size) {
    StoredLayout layout;
    if (!walkRecords(file, size, layout))
        return kTypeUnreadable;
    if (!layout.found)
        return kTypeNotLvt;
    // The identification opens the information block's content: "LVT-60", or a monitor ("KSM")
    // whose identification is present and therefore carries a hardware number.
    std::uint8_t identification[7] = {};
    file.seek(layout.informationBlock + 3);
    file.read(identification, sizeof identification);
    std::size_t letterAt = 0;
    if (std::memcmp(identification, "LVT-60", 6) == 0)
        letterAt = 11;
    else if (std::memcmp(identification, "KSM", 3) == 0 && identification[6] != 0)
        letterAt = 36;
    if (layout.firstDataLength <= kMaxRecordData)
        return kTypeStoredCapture;
    switch (dataByte(file, layout.firstRecord, layout.firstDataLength, letterAt)) {
    case 'A':
        return kTypeSupplementaryServiceTest;
    case 'S':
        return kTypeServiceTest;
    case 'C':
        return kTypeBChannelTest;
    default:
        break;
    }
    switch (dataByte(file, layout.lastRecord, layout.lastDataLength, letterAt)) {
    case 'E':
        return kTypeBerTest;
    case 'D':
        return kTypeX25DTest;
    case 'B':
        return kTypeX25BTest;
    default:
        return kTypeStoredCapture;
    }
}

int capturedType(const std::uint8_t *head, std::size_t count) {
    if (isPcapMagic(head, count))
        return kTypePcapCapture;
    return traceFormatOf(head, count) != TraceFormat::None ? kTypeTraceCapture : kTypeNotLvt;
}

// A capture of another tool, told by its first bytes (gzip-compressed or not); not an LVT file
// otherwise.
int importedType(BufferedFile &file, std::uint64_t size, const std::string &path) {
    std::uint8_t head[32] = {};
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(size, sizeof head));
    file.seek(0);
    if (!file.readExact(head, count))
        return kTypeNotLvt;
    std::size_t known = count;
    if (isGzip(head, count))
        known = gunzippedHead(path, head, sizeof head);
    return capturedType(head, known);
}

} // namespace

bool isPlm45ProjectName(const std::string &path) {
    // The file's own name: a capture kept in a folder called "site.plm" is still a capture.
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    return name.find(".plm") != std::string_view::npos ||
           name.find(".PLM") != std::string_view::npos;
}

int scanFileType(const std::string &path) {
    if (isPlm45ProjectName(path))
        return kTypePlm45Project;
    BufferedFile file;
    if (!file.open(path))
        return kTypeUnreadable;
    const std::uint64_t size = file.size();
    std::uint8_t first = 0;
    if (size == 0)
        return kTypeNotLvt;
    if (!file.readU8(first))
        return kTypeUnreadable;
    if (first == '#') {
        char marker[kMarkerLength] = {};
        file.seek(0);
        if (!file.readExact(marker, kMarkerLength))
            return kTypeNotLvt;
        if (std::memcmp(marker, kRealTimeMarker, kMarkerLength) == 0)
            return kTypeRealTimeCapture;
        if (std::memcmp(marker, kDru70Marker, kMarkerLength) == 0)
            return kTypeDru70;
        return kTypeNotLvt;
    }
    if (first != 1)
        return importedType(file, size, path);
    const int stored = storedFileType(file, size);
    return stored == kTypeNotLvt ? importedType(file, size, path) : stored;
}

std::string_view fileTypeText(int type) {
    constexpr std::string_view kTexts[] = {
        "",
        "Automatic service test",
        "Automatic supplementary service test",
        "ISDN BER G.821 test",
        "X.25 test in the D channel",
        "X.25 test in a B channel",
        "stored capture",
        "stored capture",
        "not an LVT file",
        "B-channel test",
        "PLM-45 project",
        "real-time capture",
        "DRU-70 event file",
        "pcap capture",
        "I4B or EyeSDN trace",
    };
    return type > 0 && type < static_cast<int>(std::size(kTexts)) ? kTexts[type] : "";
}

} // namespace qv
