#include "analysis/CallFlow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/CallList.h"
#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/DecodedFrame.h"
#include "decode/SummaryColumn.h"

namespace qv {

namespace {

// The diagram's geometry, in SVG user units.
constexpr int kWidth = CallFlowLayout::width;
constexpr int kLeftX = CallFlowLayout::leftX;
constexpr int kRightX = CallFlowLayout::rightX;
constexpr int kTimeX = CallFlowLayout::timeX;
constexpr int kHeadY = CallFlowLayout::headY;
constexpr int kHeadHeight = CallFlowLayout::headHeight;
constexpr int kHeadWidth = CallFlowLayout::headWidth;
constexpr int kFirstRowY = CallFlowLayout::firstRowY;
constexpr int kRowHeight = CallFlowLayout::rowHeight;

bool given(const std::string &text) {
    return !text.empty() && text != "-" && text != "?";
}

class ArrowMaker {
public:
    explicit ArrowMaker(CDecoder &decoder) : decoder_(decoder) {}

    // The arrow of the decoder's current frame; false for a frame that gets none.
    bool make(std::uint32_t index, bool withLayer2, FlowArrow &out) {
        const DecodedFrame &f = decoder_.frame();
        if (decoder_.currentRecord().kind != kFrameRecord)
            return false;
        const int category = std::abs(decoder_.LayerCategory());
        const bool layer3 = (category == 3 || category == 4) && f.l3Kind != kL3TeiManagement;
        if (!layer3 && !withLayer2)
            return false;
        out = FlowArrow{};
        out.frame = index;
        out.direction = f.direction;
        out.layer2 = !layer3;
        column(SummaryColumn::Time, out.time);
        if (layer3)
            layer3Texts(f, out);
        else
            layer2Texts(f, out);
        return true;
    }

private:
    void column(SummaryColumn c, std::string &out) {
        decoder_.columnText(columnNumber(c), out, false);
    }

    void layer3Texts(const DecodedFrame &f, FlowArrow &out) {
        column(SummaryColumn::MessageType, out.label);
        std::string calling, called, cause, diagnostic, channel;
        column(SummaryColumn::Calling, calling);
        column(SummaryColumn::Called, called);
        column(SummaryColumn::Cause, cause);
        column(SummaryColumn::Diagnostic, diagnostic);
        column(SummaryColumn::Channel, channel);
        if (given(called)) {
            out.item = given(calling) ? calling + " -> " + called : called;
        } else if (given(cause)) {
            out.item = f.l3Kind == kL3CallControl && f.cause != 0
                           ? "cause " + std::to_string(f.cause) + " " + cause
                           : "cause " + cause;
            if (given(diagnostic))
                out.item += ", diag. " + diagnostic;
        } else if (given(channel)) {
            out.item = channel;
        }
    }

    void layer2Texts(const DecodedFrame &f, FlowArrow &out) {
        if (f.l3Kind == kL3TeiManagement) {
            column(SummaryColumn::MessageType, out.label);
            std::string ai;
            column(SummaryColumn::Ai, ai);
            if (given(ai))
                out.item = "Ai " + ai;
            return;
        }
        column(SummaryColumn::Type, out.label);
        if (f.format == kFormatS) {
            std::string nr;
            column(SummaryColumn::Nr, nr);
            if (given(nr))
                out.item = "N(R) " + nr;
        }
    }

    CDecoder &decoder_;
};

void nameSides(FrameSource &source, CallFlow &out) {
    if (source.decoderKind() == DecoderKind::V5) {
        out.leftName = "AN";
        out.rightName = "LE";
        out.leftRole = "access network";
        out.rightRole = "local exchange";
    }
}

// Text for SVG: markup characters and the tester's single-byte characters as references.
void appendEscaped(std::string &out, const std::string &text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (u < 0x20) {
                out += '?';
            } else if (u >= 0x80) {
                char ref[12];
                std::snprintf(ref, sizeof ref, "&#x%02X;", u);
                out += ref;
            } else {
                out += c;
            }
        }
    }
}

void appendText(std::string &out, int x, int y, const char *cls, const std::string &text,
                const char *anchor = nullptr) {
    out += "<text class=\"";
    out += cls;
    out += "\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"";
    if (anchor) {
        out += " text-anchor=\"";
        out += anchor;
        out += '"';
    }
    out += '>';
    appendEscaped(out, text);
    out += "</text>\n";
}

void appendHead(std::string &out, int x, const std::string &name, const std::string &role) {
    out += "<rect class=\"head\" x=\"" + std::to_string(x - kHeadWidth / 2) + "\" y=\"" +
           std::to_string(kHeadY) + "\" width=\"" + std::to_string(kHeadWidth) + "\" height=\"" +
           std::to_string(kHeadHeight) + "\" rx=\"4\"/>\n";
    appendText(out, x, kHeadY + 18, "headname", name, "middle");
    appendText(out, x, kHeadY + 33, "headrole", role, "middle");
}

} // namespace

bool buildFrameFlow(FrameSource &source, const std::vector<std::uint32_t> &frames,
                    const FlowOptions &options, CallFlow &out) {
    out = CallFlow{};
    nameSides(source, out);
    if (!source.open())
        return false;
    ArrowMaker maker(source.decoder());
    for (const std::uint32_t n : frames) {
        FlowArrow arrow;
        if (source.decodeAt(n) && maker.make(n, options.layer2, arrow))
            out.arrows.push_back(std::move(arrow));
    }
    if (!frames.empty()) {
        out.title = "Frames " + std::to_string(frames.front() + 1) + " to " +
                    std::to_string(frames.back() + 1);
        out.subtitle = std::to_string(out.arrows.size()) + " frames shown";
    }
    return true;
}

bool buildCallFlow(FrameSource &source, const CallEntry &call, const FlowOptions &options,
                   CallFlow &out) {
    std::vector<std::uint32_t> frames;
    if (!options.layer2) {
        frames = call.frames;
    } else {
        // The layer-2 frames of the call's link, and the TEI management, within the call.
        if (!source.open())
            return false;
        CDecoder *decoder = &source.decoder();
        const std::uint8_t sapi = call.x25 ? 16 : 0;
        for (std::uint32_t n = call.firstFrame; n <= call.lastFrame; ++n) {
            if (std::binary_search(call.frames.begin(), call.frames.end(), n)) {
                frames.push_back(n);
                continue;
            }
            if (!source.decodeAt(n))
                continue;
            const DecodedFrame &f = decoder->frame();
            const int category = std::abs(decoder->LayerCategory());
            const bool ownLink = category == 2 && f.sapi == sapi && f.tei == call.tei;
            if (decoder->currentRecord().kind == kFrameRecord &&
                (ownLink || f.l3Kind == kL3TeiManagement))
                frames.push_back(n);
        }
    }
    if (!buildFrameFlow(source, frames, options, out))
        return false;
    const std::string calling = call.calling.empty() ? "?" : call.calling;
    const std::string called = call.called.empty() ? "?" : call.called;
    out.title = "Call " + std::to_string(call.number) + ": " + calling + " -> " + called;
    char reference[24];
    std::snprintf(reference, sizeof reference, call.x25 ? "LCN 0x%03X" : "call ref. 0x%02X",
                  call.callRef);
    std::string s = call.x25 ? "X.25" : "ISDN";
    s += ", TEI " + std::to_string(call.tei) + ", " + reference;
    if (!call.bearer.empty() && call.bearer != "-")
        s += ", " + call.bearer;
    if (call.channel)
        s += ", B" + std::to_string(call.channel);
    s += " | " + callTimeText(call.start) + ", " + callDurationText(call.durationMs()) + ", " +
         std::string(callPhaseText(call.phase));
    if (call.ending != CallEnd::Released && call.ending != CallEnd::Open)
        s += " (" + std::string(callEndText(call.ending)) + ")";
    if (call.hasCause)
        s += ", cause " + std::to_string(call.cause) + " " + call.causeText;
    out.subtitle = s;
    return true;
}

std::string callFlowSvg(const CallFlow &flow) {
    const int rows = static_cast<int>(flow.arrows.size());
    const int bottom = CallFlowLayout::rowY(rows);
    const int height = CallFlowLayout::height(rows);
    std::string out;
    out.reserve(1024 + flow.arrows.size() * 700);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(kWidth) +
           " " + std::to_string(height) + "\">\n";
    out += "<defs>\n"
           "<marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"6\" "
           "markerHeight=\"6\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" "
           "fill=\"#1f3a5f\"/></marker>\n"
           "<marker id=\"head2\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"7\" "
           "markerHeight=\"7\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" "
           "fill=\"#9aa5b1\"/></marker>\n"
           "<style>\n"
           "text { font-family: 'DejaVu Sans Mono', 'Courier New', monospace; }\n"
           ".title { font-size: 17px; font-weight: bold; fill: #1a1a1a; }\n"
           ".subtitle { font-size: 11px; fill: #444; }\n"
           ".head { fill: #e8eef6; stroke: #1f3a5f; stroke-width: 1.5; }\n"
           ".headname { font-size: 15px; font-weight: bold; fill: #1f3a5f; }\n"
           ".headrole { font-size: 10px; fill: #555; }\n"
           ".lifeline { stroke: #1f3a5f; stroke-width: 1.2; stroke-dasharray: 6 4; }\n"
           ".band { fill: #f2f5f9; }\n"
           ".time { font-size: 11px; fill: #333; }\n"
           ".frame { font-size: 10px; fill: #777; }\n"
           ".arrow { stroke: #1f3a5f; stroke-width: 1.6; }\n"
           ".arrow.l2 { stroke: #9aa5b1; stroke-width: 1; stroke-dasharray: 4 3; }\n"
           ".label { font-size: 12px; font-weight: bold; fill: #10243e; }\n"
           ".label.l2 { font-size: 10px; font-weight: normal; fill: #8a949e; }\n"
           ".item { font-size: 11px; fill: #2d5d8a; }\n"
           ".item.l2 { font-size: 10px; fill: #9aa5b1; }\n"
           "</style>\n</defs>\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(kWidth) + "\" height=\"" +
           std::to_string(height) + "\" fill=\"#ffffff\"/>\n";
    appendText(out, 20, 30, "title", flow.title);
    appendText(out, 20, 52, "subtitle", flow.subtitle);
    appendText(out, kTimeX, kHeadY + 25, "time", "Time");
    for (int i = 0; i < rows; i += 2)
        out += "<rect class=\"band\" x=\"0\" y=\"" +
               std::to_string(kFirstRowY + i * kRowHeight - 20) + "\" width=\"" +
               std::to_string(kWidth) + "\" height=\"" + std::to_string(kRowHeight) + "\"/>\n";
    appendHead(out, kLeftX, flow.leftName, flow.leftRole);
    appendHead(out, kRightX, flow.rightName, flow.rightRole);
    for (const int x : {kLeftX, kRightX})
        out += "<line class=\"lifeline\" x1=\"" + std::to_string(x) + "\" y1=\"" +
               std::to_string(kHeadY + kHeadHeight) + "\" x2=\"" + std::to_string(x) + "\" y2=\"" +
               std::to_string(bottom) + "\"/>\n";
    const int middle = (kLeftX + kRightX) / 2;
    for (int i = 0; i < rows; ++i) {
        const FlowArrow &a = flow.arrows[static_cast<std::size_t>(i)];
        const int y = kFirstRowY + i * kRowHeight;
        const bool rightwards = a.direction == kDirectionTeNt;
        const char *l2 = a.layer2 ? " l2" : "";
        appendText(out, kTimeX, y + 4, "time", a.time);
        appendText(out, kWidth - 16, y + 4, "frame", "#" + std::to_string(a.frame + 1), "end");
        out += "<line class=\"arrow" + std::string(l2) + "\" data-frame=\"" +
               std::to_string(a.frame + 1) + "\" x1=\"" +
               std::to_string(rightwards ? kLeftX : kRightX) + "\" y1=\"" + std::to_string(y) +
               "\" x2=\"" + std::to_string(rightwards ? kRightX : kLeftX) + "\" y2=\"" +
               std::to_string(y) + "\" marker-end=\"url(#" + (a.layer2 ? "head2" : "head") +
               ")\"/>\n";
        appendText(out, middle, y - 5, (std::string("label") + l2).c_str(), a.label, "middle");
        if (!a.item.empty())
            appendText(out, middle, y + 13, (std::string("item") + l2).c_str(), a.item, "middle");
    }
    out += "</svg>\n";
    return out;
}

std::string callFlowText(const CallFlow &flow) {
    std::string out;
    for (const FlowArrow &a : flow.arrows) {
        out += a.time;
        out += '\t';
        out += std::to_string(a.frame + 1);
        out += '\t';
        out += flow.leftName;
        out += a.direction == kDirectionTeNt ? " --> " : " <-- ";
        out += flow.rightName;
        out += '\t';
        out += a.label;
        out += '\t';
        out += a.item;
        out += '\n';
    }
    return out;
}

} // namespace qv
