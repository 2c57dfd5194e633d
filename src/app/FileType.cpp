#include "app/FileType.h"

namespace qv {

FileKind fileKindOf(int type) {
    if (type < 0)
        return FileKind::ScanFailed;
    switch (type) {
    case kTypeStoredCapture:
    case kTypeStoredCaptureAlt:
    case kTypeRealTimeCapture:
        return FileKind::Capture;
    case kTypeDru70:
        return FileKind::Dru70;
    case kTypePcapCapture:
    case kTypeTraceCapture:
        return FileKind::Imported;
    case kTypePlm45Project:
        return FileKind::Plm45;
    case kTypeNotLvt:
        return FileKind::NotLvt;
    default:
        return FileKind::TestResult;
    }
}

WorkingMode modeOfType(int type) {
    const FileKind kind = fileKindOf(type);
    return kind == FileKind::Capture || kind == FileKind::Dru70 || kind == FileKind::Imported
               ? WorkingMode::Examine
               : WorkingMode::ViewResults;
}

OpenDecision decideOpen(int type, OpenSource source) {
    OpenDecision decision;
    decision.kind = fileKindOf(type);
    decision.mode = modeOfType(type);
    if (decision.kind == FileKind::ScanFailed) {
        decision.refusal =
            source == OpenSource::RecentFile ? kMsgRecentTypeScanFailed : kMsgTypeScanFailed;
        return decision;
    }
    if (decision.kind == FileKind::NotLvt) {
        decision.refusal =
            source == OpenSource::CommandLine ? kMsgCommandLineNotLvt : kMsgNotAnLvtFile;
        return decision;
    }
    return decision;
}

} // namespace qv
