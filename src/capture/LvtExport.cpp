#include "capture/LvtExport.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/FileReplace.h"
#include "capture/CaptureFileReader.h"
#include "capture/FrameSource.h"

namespace qv {

namespace {

// An LVT-30 shows the serial typed on the tester ("AB123") as "AB-0123": the typed form back.
std::string typedLvt30Serial(const std::string &shown) {
    const std::size_t mark = shown.find("-0");
    if (shown.find('.') != std::string::npos || mark == std::string::npos ||
        shown.find_first_of("0123456789") < mark)
        return shown;
    return shown.substr(0, mark) + shown.substr(mark + 2);
}

} // namespace

StoredFileDescription copyDescription(CaptureFileReader &reader) {
    const CaptureInfo &info = reader.info();
    StoredFileDescription d;
    d.instrumentName = info.instrumentName;
    d.firstVersion = info.firstVersion;
    d.secondVersion = info.secondVersion;
    d.start = info.start;
    d.end = info.end;
    d.captureFlags = info.captureFlags;
    d.notes = reader.notes(false);
    const std::string &name = info.instrumentName;
    if (name.empty()) {
        // Without a name the dates open the block: nothing can take them for a name.
        d.identity = StoredIdentity::None;
    } else if (name.rfind("LVT-60", 0) == 0) {
        // "AB-0123": the two letters and the number.
        d.identity = StoredIdentity::Lvt60;
        const std::size_t dash = info.serialNumber.find('-');
        if (dash != std::string::npos) {
            for (std::size_t k = 0; k < dash && k < 2; ++k)
                d.serialPrefix[k] = info.serialNumber[k];
            d.serialValue = static_cast<std::uint16_t>(
                std::strtoul(info.serialNumber.c_str() + dash + 1, nullptr, 10));
        }
    } else if (name.rfind("KSM", 0) == 0) {
        d.identity = StoredIdentity::Ksm;
        for (std::size_t k = 0; k < 8 && 2 * k + 2 <= info.serialHex.size(); ++k)
            d.ksmSerial[k] = static_cast<std::uint8_t>(
                std::strtoul(info.serialHex.substr(2 * k, 2).c_str(), nullptr, 16));
    } else {
        d.identity = StoredIdentity::Lvt30;
        d.serialNumber = typedLvt30Serial(info.serialNumber);
    }
    return d;
}

LvtExportResult exportLvt(FrameSource &source, bool shownOnly, const std::string &path,
                          const WorkProgress &progress) {
    LvtExportResult result;
    if (!source.open()) {
        result.error = path + ": the capture cannot be read";
        return result;
    }
    result.total = source.frameCount();
    ReplacementFile replacement(path);
    if (!replacement.created()) {
        result.error = notWritten(path, replacement.error());
        return result;
    }
    CaptureFileReader &reader = *source.capture().reader();
    StoredFileWriter writer;
    bool ok = writer.create(replacement.path());
    const auto copy = [&](std::uint32_t n) {
        return reader.goTo(n) != kGoToOk || writer.append(reader.recordBuffer());
    };
    const FrameSource::CopyEnd end =
        ok ? source.copyShown(copy, progress, shownOnly) : FrameSource::CopyEnd::Failed;
    if ((result.cancelled = end == FrameSource::CopyEnd::Stopped)) {
        result.error = path + kExportStopped;
        return result;
    }
    ok = end == FrameSource::CopyEnd::Complete;
    result.frames = writer.recordCount();
    ok = writer.finish(copyDescription(reader)) && ok;
    if (ok && result.frames == 0) {
        result.error = path + ": no frame passes the filter; nothing written";
        return result;
    }
    if (!ok || !replacement.commit()) {
        result.error = notWritten(path, ok ? replacement.error() : writer.error());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qv
