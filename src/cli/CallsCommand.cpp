// The call list on the command line: one line (or object) per ISDN call and X.25 virtual call.
#include "CallsCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "CliEnvironment.h"
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

void jsonField(std::string &out, const char *key, std::string_view text, bool first = false) {
    if (!first)
        out += ',';
    appendJsonString(out, key);
    out += ':';
    appendJsonString(out, text);
}

void jsonNumber(std::string &out, const char *key, long long value) {
    out += ',';
    appendJsonString(out, key);
    out += ':';
    out += std::to_string(value);
}

void jsonObject(std::string &out, const CallEntry &c, bool v5) {
    out += '{';
    jsonField(out, "type", c.x25 ? "X.25" : "ISDN", true);
    jsonNumber(out, "call", c.number);
    jsonNumber(out, "tei", c.tei);
    jsonNumber(out, c.x25 ? "lcn" : "callRef", c.callRef);
    if (!c.x25)
        jsonNumber(out, "callRefFlag", c.callRefFlag);
    jsonField(out, "origin", sideText(c.origin, v5));
    jsonField(out, "calling", c.calling);
    jsonField(out, "called", c.called);
    if (!c.x25) {
        jsonField(out, "sending", c.overlapDigits ? "overlap" : "en-bloc");
        jsonNumber(out, "overlapDigits", c.overlapDigits);
        jsonField(out, "bearer", c.bearer);
    }
    jsonNumber(out, "channel", c.channel);
    jsonField(out, "start", callTimeText(c.start));
    jsonField(out, "end", callTimeText(c.end));
    jsonNumber(out, "durationMs", c.durationMs());
    jsonNumber(out, "connectedMs", c.connectedMs());
    jsonField(out, "state", callPhaseText(c.phase));
    out += ",\"answered\":";
    out += c.answered ? "true" : "false";
    jsonField(out, "ending", callEndText(c.ending));
    jsonField(out, "clearedBy", sideText(c.clearedBy, v5));
    if (c.hasCause) {
        jsonNumber(out, "cause", c.cause);
        jsonField(out, "causeText", c.causeText);
    }
    if (c.hasDiagnostic) {
        jsonNumber(out, "diagnostic", c.diagnostic);
        jsonField(out, "diagnosticText", c.diagnosticText);
    }
    jsonNumber(out, "firstFrame", c.firstFrame + 1LL);
    jsonNumber(out, "lastFrame", c.lastFrame + 1LL);
    jsonNumber(out, "frames", c.frameCount);
    if (c.x25)
        jsonNumber(out, "dataPackets", c.dataPackets);
    out += "}\n";
}

} // namespace

int calls(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &path = args[0];
    Format format = Format::Text;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--format" && i + 1 < args.size()) {
            if (!parseFormat(args[++i], format)) {
                std::fprintf(stderr, "calls: --format takes text, csv or json\n");
                return kRefused;
            }
        } else if (!skipEnvironmentOption(args, i)) {
            return unknownArgument("calls", a);
        }
    }
    OpenedCapture opened;
    if (const int status = opened.open(args, path); status != kDone)
        return status;
    std::vector<CallEntry> list;
    const bool read = withProgress("calls", [&](const WorkProgress &progress) {
        return buildCallList(opened.source(), list, progress);
    });
    if (!read) {
        std::fprintf(stderr, "%s: the frames cannot be read\n", path.c_str());
        return kFailed;
    }
    const bool v5 = opened.decodable().decoderKind() == DecoderKind::V5;
    std::string out;
    if (format != Format::Json) {
        const char separator = format == Format::Csv ? ',' : '\t';
        for (std::size_t k = 0; k < std::size(kTitles); ++k) {
            if (k)
                out += separator;
            out += kTitles[k];
        }
        out += '\n';
        for (const CallEntry &c : list) {
            const std::vector<std::string> row = cells(c, v5);
            for (std::size_t k = 0; k < row.size(); ++k) {
                if (k)
                    out += separator;
                if (format == Format::Csv)
                    appendCsvCell(out, row[k]);
                else
                    out += row[k];
            }
            out += '\n';
        }
    } else {
        for (const CallEntry &c : list)
            jsonObject(out, c, v5);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

} // namespace qv::cli
