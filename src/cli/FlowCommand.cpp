// The call flow on the command line: the diagram of one call of the call list, or of a range of
// frames, written as SVG, or printed as text lines.
#include "FlowCommand.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "CliEnvironment.h"
#include "analysis/CallFlow.h"
#include "analysis/CallList.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

// "A-B", 1-based and inclusive, A <= B.
bool parseRange(const std::string &text, std::uint32_t &from, std::uint32_t &to) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return false;
    return parseNumber(text.substr(0, dash), from) && parseNumber(text.substr(dash + 1), to) &&
           from >= 1 && from <= to;
}

} // namespace

int flow(const std::vector<std::string> &args) {
    if (args.empty())
        return kBadUsage;
    const std::string &path = args[0];
    std::uint32_t call = 0, from = 0, to = 0;
    std::string svg;
    FlowOptions options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--layer2") {
            options.layer2 = true;
        } else if (a == "--svg" && hasValue) {
            svg = args[++i];
        } else if (a == "--call" && hasValue) {
            if (!parseNumber(args[++i], call) || call == 0) {
                std::fprintf(stderr,
                             "flow: --call takes a call number from 1, as calls lists it\n");
                return kRefused;
            }
        } else if (a == "--frames" && hasValue) {
            if (!parseRange(args[++i], from, to)) {
                std::fprintf(stderr, "flow: --frames takes A-B, frame numbers from 1\n");
                return kRefused;
            }
        } else if (!skipEnvironmentOption(args, i)) {
            return unknownArgument("flow", a);
        }
    }
    if ((call == 0) == (from == 0)) {
        std::fprintf(stderr, "flow: give either --call N or --frames A-B\n");
        return kRefused;
    }
    OpenedCapture opened;
    if (const int status = opened.open(args, path); status != kDone)
        return status;
    DecodableObject &decodable = opened.decodable();
    CallFlow diagram;
    if (call != 0) {
        std::vector<CallEntry> list;
        const bool read = withProgress("flow", [&](const WorkProgress &progress) {
            return buildCallList(opened.source(), list, progress);
        });
        if (!read)
            return kFailed;
        if (call > list.size()) {
            if (list.empty())
                std::fprintf(stderr, "Call %u is not in the capture: it holds no call\n", call);
            else
                std::fprintf(stderr, "Call %u is not in the capture: it holds calls 1 to %zu\n",
                             call, list.size());
            return kFailed;
        }
        if (!buildCallFlow(opened.source(), list[call - 1], options, diagram))
            return kFailed;
    } else {
        if (to > decodable.frameCount()) {
            std::fprintf(stderr, "Frame %u is not in the capture: it holds frames 1 to %u\n", to,
                         decodable.frameCount());
            return kFailed;
        }
        std::vector<std::uint32_t> frames;
        for (std::uint32_t n = from; n <= to; ++n)
            frames.push_back(n - 1);
        if (!buildFrameFlow(opened.source(), frames, options, diagram))
            return kFailed;
    }
    if (svg.empty()) {
        const std::string text = callFlowText(diagram);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kDone;
    }
    const std::string document = callFlowSvg(diagram);
    std::ofstream file(svg, std::ios::binary | std::ios::trunc);
    if (!file || !file.write(document.data(), static_cast<std::streamsize>(document.size()))) {
        std::fprintf(stderr, "%s: cannot be written\n", svg.c_str());
        return kFailed;
    }
    std::printf("%s: %zu arrows\n", svg.c_str(), diagram.arrows.size());
    return kDone;
}

} // namespace qv::cli
