// The call list on the command line: one line (or object) per ISDN call and X.25 virtual call.
#include "CallsCommand.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "analysis/CallList.h"
#include "base/Numbers.h"
#include "capture/CDecodeDoc.h"
#include "decode/CDecoder.h"
#include "decode/DecodedFrame.h"

namespace qv::cli {

namespace {

constexpr const char *kTitles[] = {
    "Call",       "Type",    "TEI",        "Ref",   "Origin",   "Calling", "Called",   "Sending",
    "Bearer",     "Channel", "Start",      "End",   "Duration", "State",   "Answered", "Ending",
    "Cleared by", "Cause",   "Diagnostic", "First", "Last",     "Frames",  "Data"};

std::string sideText(std::uint8_t direction, bool v5) {
    if (direction == 0)
        return "-";
    if (direction == kDirectionTeNt)
        return v5 ? "AN" : "TE";
    return v5 ? "LE" : "NT";
}

std::string hexText(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string orDash(const std::string &text) {
    return text.empty() ? "-" : text;
}

std::string numberedText(bool has, std::uint32_t number, const std::string &text) {
    if (!has)
        return "-";
    std::string out = std::to_string(number);
    if (!text.empty() && text != "-") {
        out += ' ';
        out += text;
    }
    return out;
}

// The cells of a call in the order of kTitles.
std::vector<std::string> cells(const CallEntry &c, bool v5) {
    const std::string channel = c.channel ? "B" + std::to_string(c.channel) : "-";
    const std::string sending = c.x25 ? "-" : c.overlapDigits ? "overlap" : "en-bloc";
    return {std::to_string(c.number),
            c.x25 ? "X.25" : "ISDN",
            c.tei == kAnyTei ? "127" : std::to_string(c.tei),
            c.x25 ? hexText(c.callRef, 3) : hexText(c.callRef, c.callRef > 0x7F ? 4 : 2),
            sideText(c.origin, v5),
            orDash(c.calling),
            orDash(c.called),
            sending,
            c.x25 ? "-" : orDash(c.bearer),
            channel,
            callTimeText(c.start),
            callTimeText(c.end),
            callDurationText(c.durationMs()),
            std::string(callPhaseText(c.phase)),
            c.answered ? "yes" : "no",
            std::string(callEndText(c.ending)),
            sideText(c.clearedBy, v5),
            numberedText(c.hasCause, c.cause, c.causeText),
            numberedText(c.hasDiagnostic, c.diagnostic, c.diagnosticText),
            std::to_string(c.firstFrame + 1),
            std::to_string(c.lastFrame + 1),
            std::to_string(c.frameCount),
            c.x25 ? std::to_string(c.dataPackets) : "-"};
}

struct CallsOptions {
    std::string file;
    EnvironmentOptions environment;
    Format format = Format::Text;
};

int calls(const CallsOptions &o) {
    const std::string &path = o.file;
    OpenedCapture opened;
    if (const int status = opened.open(o.environment, path); status != kDone)
        return status;
    const bool v5 = opened.decodable().decoderKind() == DecoderKind::V5;
    // Each call is written as soon as it and the calls before it have ended, so that a capture
    // of any length takes little memory.
    std::optional<TableWriter> table;
    const auto openTable = [&] {
        if (!table)
            table.emplace(o.format,
                          std::vector<std::string>(std::begin(kTitles), std::end(kTitles)));
    };
    const bool read = withProgress("calls", [&](const WorkProgress &progress) {
        return streamCallList(
            opened.source(),
            [&](CallEntry &&c) {
                openTable();
                table->row(cells(c, v5));
            },
            progress);
    });
    if (!read) {
        std::fprintf(stderr, "%s: the frames cannot be read\n", path.c_str());
        return kFailed;
    }
    openTable();
    return kDone;
}

} // namespace

void addCallsCommand(Commands &commands) {
    auto o = commands.options<CallsOptions>();
    CLI::App *c = commands.add("calls", "The ISDN calls and X.25 virtual calls of a capture.",
                               kAnalysisGroup, [o] { return calls(*o); });
    addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
    addFormatOption(*c, o->format);
    addEnvironmentOptions(*c, o->environment);
}

} // namespace qv::cli
