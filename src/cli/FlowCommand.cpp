// The call flow on the command line: the diagram of one call of the call list, or of a range of
// frames, written as SVG, or printed as text lines.
#include "FlowCommand.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "CliEnvironment.h"
#include "analysis/CallFlow.h"
#include "analysis/CallList.h"
#include "base/FileReplace.h"
#include "capture/CDecodeDoc.h"

namespace qv::cli {

namespace {

struct FlowCommandOptions {
    std::string file;
    EnvironmentOptions environment;
    std::uint32_t call = 0;
    NumberRange frames;
    bool layer2 = false;
    std::string svg;
};

int flow(const FlowCommandOptions &o) {
    const std::string &path = o.file;
    const std::uint32_t call = o.call, from = o.frames.from, to = o.frames.to;
    const std::string &svg = o.svg;
    FlowOptions options;
    options.layer2 = o.layer2;
    if ((call == 0) == (from == 0)) {
        std::fprintf(stderr, "flow: give either --call N or --frames A-B\n");
        return kBadUsage;
    }
    OpenedCapture opened;
    if (const int status = opened.open(o.environment, path); status != kDone)
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
    if (replaceFile(svg, document) != FileReplaceResult::Done) {
        std::fprintf(stderr, "%s\n", notWritten(svg, errno).c_str());
        return kFailed;
    }
    std::printf("%s: %zu arrows\n", svg.c_str(), diagram.arrows.size());
    return kDone;
}

} // namespace

void addFlowCommand(Commands &commands) {
    auto o = commands.options<FlowCommandOptions>();
    CLI::App *c = commands.add("flow", "The call flow of a call, or of frames A to B.",
                               kAnalysisGroup, [o] { return flow(*o); });
    c->footer("As text lines (time, frame, arrow, message, its key item), or as SVG with --svg.");
    addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
    CLI::Option *call = c->add_option("--call", o->call, "the call, numbered as calls lists it")
                            ->check(numberIn(1, 0xFFFFFFFFu))
                            ->type_name("N");
    addRangeOption(*c, "--frames", o->frames, "the frames A to B (from 1)", false)->excludes(call);
    c->add_flag("--layer2", o->layer2, "the layer-2 frames of the call too");
    c->add_option("--svg", o->svg, "write the diagram as SVG to OUT")->type_name("OUT");
    addEnvironmentOptions(*c, o->environment);
}

} // namespace qv::cli
