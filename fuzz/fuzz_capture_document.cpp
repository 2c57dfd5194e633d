// Opens arbitrary bytes as a capture document, with either first byte, and walks its frames
// the way the summary does: every frame decoded, its default columns and its detail made. A
// small capture is also exported to a stored capture and to pcap, and each copy must read back
// as the records it was made of.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/CaptureFileOpener.h"
#include "capture/CaptureFileReader.h"
#include "capture/FrameSource.h"
#include "capture/LvtExport.h"
#include "capture/PcapExport.h"
#include "capture/PcapImport.h"

namespace {

bool sameFrame(const qv::LvtRecord &a, const qv::LvtRecord &b) {
    return a.dataLength == b.dataLength &&
           std::equal(a.data.begin(), a.data.begin() + a.dataLength, b.data.begin()) &&
           (a.direction != 0) == (b.direction != 0);
}

// A time of day that names one instant: a real month, day, hour, minute, second, millisecond.
bool validTime(const qv::LvtRecord &r) {
    return r.month >= 1 && r.month <= 12 && r.day() >= 1 && r.day() <= 28 && r.hour() < 24 &&
           r.minute() < 60 && r.second() < 60 && r.millisecond() < 1000;
}

// Every record a capture of at most 300 offers, as read.
std::vector<qv::LvtRecord> readableRecords(qv::CaptureFileReader &reader, std::uint32_t count) {
    std::vector<qv::LvtRecord> records;
    for (std::uint32_t n = 0; n < count; ++n)
        if (reader.goTo(n) == qv::kGoToOk)
            records.push_back(reader.recordBuffer());
    return records;
}

void checkStoredCopy(qv::CDecodeDoc &doc, const std::vector<qv::LvtRecord> &records) {
    const std::string out = (qv::fuzz::scratchFolder() / "copy.lvt").string();
    const qv::LvtExportResult result = qv::exportLvt(*qv::FrameSource::of(doc), false, out);
    if (!result.ok) {
        std::remove(out.c_str());
        return;
    }
    qv::RecordingUserMessages quiet;
    auto copy = qv::CaptureFileOpener(out, false, quiet, {}).createReader();
    if (!copy || copy->goTo(0) != qv::kGoToOk || result.frames != records.size() ||
        copy->recordCount() != records.size())
        __builtin_trap();
    for (std::uint32_t n = 0; n < records.size(); ++n) {
        if (copy->goTo(n) != qv::kGoToOk)
            __builtin_trap();
        const qv::LvtRecord &a = records[n];
        const qv::LvtRecord &b = copy->recordBuffer();
        if (!sameFrame(a, b) || a.kind != b.kind || a.status != b.status ||
            a.timeHigh != b.timeHigh || a.timeLow != b.timeLow)
            __builtin_trap();
    }
    std::remove(out.c_str());
}

void checkPcapCopy(qv::CDecodeDoc &doc, const std::vector<qv::LvtRecord> &records) {
    const std::string out = (qv::fuzz::scratchFolder() / "copy.pcap").string();
    const qv::PcapExportResult result = qv::exportPcap(*qv::FrameSource::of(doc), false, out);
    if (!result.ok) {
        std::remove(out.c_str());
        return;
    }
    // The frames the copy holds, each with the year the export gives it: records carry their
    // month only, and the year runs on from the capture's start at each turn of the year.
    std::vector<std::pair<const qv::LvtRecord *, std::int64_t>> frames;
    std::int64_t year = doc.decodable()->captureStartYear();
    unsigned previousMonth = doc.decodable()->captureStartMonth();
    for (const qv::LvtRecord &r : records) {
        if (r.month == 1 && previousMonth == 12)
            ++year;
        else if (r.month == 12 && previousMonth == 1)
            --year;
        previousMonth = r.month;
        if (r.kind == qv::kFrameRecord && r.status == 0)
            frames.emplace_back(&r, year);
    }
    qv::PcapRecordSource copy;
    if (!copy.open(out) || result.frames != frames.size())
        __builtin_trap();
    qv::LvtRecord r;
    qv::CaptureDateTime time;
    // pcap counts seconds from 1970 in 32 bits: only a time it can hold comes back the same.
    for (const auto &[expected, frameYear] : frames)
        if (copy.next(r, time) != qv::ImportedFrames::Next::Record || !sameFrame(*expected, r) ||
            (frameYear >= 1971 && frameYear <= 2105 && validTime(*expected) &&
             (r.timeHigh != expected->timeHigh || r.timeLow != expected->timeLow ||
              r.month != expected->month || time.year != frameYear)))
            __builtin_trap();
    if (copy.next(r, time) != qv::ImportedFrames::Next::End)
        __builtin_trap();
    std::remove(out.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string path = (qv::fuzz::scratchFolder() / "document.lvt").string();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    const char first = (data[0] & 1) ? '#' : 0x01;
    std::fwrite(&first, 1, 1, f);
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);

    qv::RecordingUserMessages messages;
    qv::DecoderServices services;
    qv::CDecodeDoc doc(messages, services);
    qv::CaptureOpenOptions options;
    options.v5Decoding = (data[0] & 2) != 0;
    options.captureMode = (data[0] & 4) != 0;
    if (doc.openCapture(path, options)) {
        qv::DecodableObject &d = *doc.decodable();
        std::string text;
        std::uint32_t previous = 0;
        for (std::uint32_t n = 0; n < doc.frameCount() && n < 400; ++n) {
            if (d.decodeTo(previous, n) == qv::WalkAnswer::Hidden)
                continue;
            previous = n;
            for (int column : {0, 1, 2, 3, 4, 5, 16, 28, 29, 30, 35, 37, 38})
                d.decoder()->columnText(column, text, false);
            d.decoder()->Format_Detail(qv::DetailOptions{});
        }
        doc.goToFrame(doc.frameCount() - 1);
        doc.goToFrame(doc.frameCount());
        qv::PrintRange range;
        doc.printRange(qv::PrintChoice::Range, 1, doc.frameCount(), range);
        if ((data[0] & 8) && doc.frameCount() <= 300) {
            const std::vector<qv::LvtRecord> records =
                readableRecords(*d.reader(), doc.frameCount());
            checkStoredCopy(doc, records);
            checkPcapCopy(doc, records);
        }
    }
    std::remove(path.c_str());
    return 0;
}
