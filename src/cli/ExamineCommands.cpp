// The Examine commands of quorvane-cli: the frame summary, the detail of one frame and the
// search over frames, all through the capture document the desktop program uses.
#include "ExamineCommands.h"

#include "CliEnvironment.h"
#include "FilterOptions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "decode/HexaTrace.h"
#include "decode/SummaryCells.h"
#include "decode/SummaryFieldTable.h"

#include "DetailFormats.h"
#include "TableWriter.h"

namespace qv::cli {

namespace {

bool parseColumns(const std::string &spec, const SummaryFieldTable &table, std::vector<int> &out) {
    if (spec == "default") {
        out = table.visibleColumnsInDisplayOrder();
        return true;
    }
    if (spec == "all") {
        out = table.columnsInDisplayOrder();
        return true;
    }
    out.clear();
    std::size_t at = 0;
    while (at <= spec.size()) {
        const std::size_t comma = std::min(spec.find(',', at), spec.size());
        std::uint32_t column = 0;
        if (!parseNumber(spec.substr(at, comma - at), column) || column >= kSummaryColumnCount)
            return false;
        out.push_back(static_cast<int>(column));
        at = comma + 1;
    }
    return !out.empty();
}

struct SummaryOptions {
    std::string file;
    EnvironmentOptions environment;
    std::string columns = "default";
    Format format = Format::Text;
    bool longForm = false;
    FilterOptions filter;
};

int summary(const SummaryOptions &o) {
    FilteredCapture capture;
    if (const int status = capture.prepare(o.filter, o.environment); status != kDone)
        return status;
    const Environment &env = capture.env;
    std::vector<int> columns;
    if (!parseColumns(o.columns, env.columns, columns)) {
        std::fprintf(stderr, "summary: --columns takes default, all or column numbers 0..42\n");
        return kBadUsage;
    }
    std::vector<std::string> titles;
    for (int c : columns)
        titles.emplace_back(env.columns.field(c).title);
    if (const int status = capture.open(o.file); status != kDone)
        return status;
    DecodableObject &decodable = *capture.doc->decodable();
    CDecoder &decoder = *decodable.decoder();
    TableWriter table(o.format, titles);
    std::string cell;
    ShownFrames shown(decodable);
    for (std::uint32_t n = 0; shown.next(n);) {
        for (const int column : columns) {
            summaryCellText(decoder, column, n, cell, o.longForm);
            table.cell(cell);
        }
        table.endRow();
    }
    return kDone;
}

enum class DetailFormat { Tree, Json, Lines };

struct DetailCommandOptions {
    std::string file;
    EnvironmentOptions environment;
    NumberRange frames;
    bool all = false;
    bool hexa = false;
    DetailFormat format = DetailFormat::Tree;
};

// The detail of frames from to to (1-based), written as they are decoded.
bool writeDetails(CDecodeDoc &doc, const DetailCommandOptions &o, std::uint32_t from,
                  std::uint32_t to, const WorkProgress &progress) {
    CDecoder &decoder = *doc.decoder();
    const bool several = from != to;
    std::string out;
    if (o.format == DetailFormat::Json)
        out += "[";
    for (std::uint32_t frame = from; frame <= to; ++frame) {
        if (progress && !progress(frame - from, to - from + 1))
            return false;
        if (!doc.goToFrame(frame - 1, false) || decoder.Format_Detail(DetailOptions{}) < 0) {
            std::fflush(stdout);
            std::fprintf(stderr, "Frame %u cannot be shown\n", frame);
            return false;
        }
        const std::span<const DetailLine> lines = decoder.detailLines();
        switch (o.format) {
        case DetailFormat::Tree:
            if (several)
                out += (frame == from ? "" : "\n") + ("Frame " + std::to_string(frame)) + "\n";
            out += detailTree(lines);
            break;
        case DetailFormat::Lines:
            if (several && frame != from)
                out += '\n';
            out += detailLines(lines);
            break;
        case DetailFormat::Json: {
            nlohmann::ordered_json document;
            document["frame"] = frame;
            document["nodes"] = detailJson(lines);
            if (o.hexa)
                document["hexa"] = hexaTrace(decoder, "\n");
            out += (frame == from ? "\n" : ",\n") + document.dump(-1, ' ', true);
            break;
        }
        }
        if (o.hexa && o.format != DetailFormat::Json) {
            out += '\n';
            out += hexaTrace(decoder, "\n");
        }
        if (out.size() >= (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    if (o.format == DetailFormat::Json)
        out += "\n]\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return true;
}

int detail(const DetailCommandOptions &o) {
    if (o.all == o.frames.given()) {
        std::fprintf(stderr, "detail: give either --frame N (or A-B) or --all\n");
        return kBadUsage;
    }
    Environment env;
    if (!loadEnvironment(env, o.environment))
        return kBadUsage;
    CDecodeDoc doc(env.messages, env.context.services());
    if (!openDocument(env, doc, o.file))
        return kFailed;
    const std::uint32_t count = doc.frameCount();
    const std::uint32_t from = o.all ? 1 : o.frames.from, to = o.all ? count : o.frames.to;
    if (count == 0 || to > count) {
        std::fprintf(stderr, "Frame %u is not in the capture: it holds frames 1 to %u\n",
                     count == 0 ? from : to, count);
        return kFailed;
    }
    const bool written = withProgress("detail", [&](const WorkProgress &progress) {
        return writeDetails(doc, o, from, to, progress);
    });
    return written ? kDone : kFailed;
}

struct FindOptions {
    std::string file;
    EnvironmentOptions environment;
    std::string text, message;
    std::uint32_t cause = 0;
    bool causeGiven = false, detailText = false, backward = false, matchCase = false, all = false;
    std::uint32_t from = 0;
    FilterOptions filter;
};

int find(const FindOptions &o) {
    if (o.text.empty() && o.message.empty() && !o.causeGiven) {
        std::fprintf(stderr, "find: give --text S, --message NAME or --cause N\n");
        return kBadUsage;
    }
    FindRequest request;
    std::string text = o.text.empty() ? o.message : o.text;
    request.criterion = o.causeGiven         ? FindCriterion::Cause
                        : !o.message.empty() ? FindCriterion::MessageType
                        : o.detailText       ? FindCriterion::DetailText
                                             : FindCriterion::SummaryText;
    request.cause = o.cause;
    request.step = o.backward ? -1 : 1;
    request.matchCase = o.matchCase;
    const bool all = o.all, haveFrom = o.from != 0;
    std::uint32_t from = o.from;
    if (!request.matchCase)
        for (char &c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    request.text = text;

    FilteredCapture capture;
    if (const int status = capture.prepare(o.filter, o.environment); status != kDone)
        return status;
    if (const int status = capture.open(o.file); status != kDone)
        return status;
    const Environment &env = capture.env;
    CDecodeDoc &doc = *capture.doc;
    const std::uint32_t count = doc.frameCount();
    if (!haveFrom)
        from = request.step > 0 ? 1 : count;
    if (from > count) {
        std::fprintf(stderr, "Frame %u is not in the capture: it holds frames 1 to %u\n", from,
                     count);
        return 1;
    }
    request.firstFrame = from - 1;
    request.lastFrame = request.step > 0 ? count - 1 : 0;
    request.startPosition = request.step > 0 ? 0 : 1 << 20;

    std::vector<SearchColumn> columns;
    for (int c : env.columns.visibleColumnsInDisplayOrder())
        columns.push_back({c, env.columns.field(c).position});

    const char *foundText = request.criterion == FindCriterion::Cause         ? "Cause number found"
                            : request.criterion == FindCriterion::MessageType ? "Message found"
                                                                              : "String found";
    const char *notFoundText = request.criterion == FindCriterion::Cause ? "Cause number not found!"
                               : request.criterion == FindCriterion::MessageType
                                   ? "Message not found!"
                                   : "String not found!";
    long hits = 0;
    CDecoder &decoder = *doc.decoder();
    for (;;) {
        FindResult result;
        const int r = decoder.search(request, columns, result);
        if (r == kFindDecodeFailed) {
            std::fprintf(stderr, "Find error!\n");
            return kFailed;
        }
        if (r != kFindFound)
            break;
        ++hits;
        const bool perFrame = request.criterion == FindCriterion::MessageType ||
                              request.criterion == FindCriterion::Cause;
        if (perFrame)
            std::printf("%u\n", result.frame + 1);
        else
            std::printf("%u\t%d\n", result.frame + 1, result.position);
        if (!all)
            break;
        // Go on after the hit: within the same frame for the text criteria, else from the next.
        if (perFrame) {
            if (result.frame == request.lastFrame)
                break;
            request.firstFrame = result.frame + static_cast<std::uint32_t>(request.step);
            request.startAfter = false;
            request.startPosition = request.step > 0 ? 0 : 1 << 20;
        } else {
            request.firstFrame = result.frame;
            request.startPosition = result.position;
            request.startAfter = true;
        }
    }
    if (hits == 0) {
        std::printf("%s\n", notFoundText);
        return kFailed;
    }
    if (hits == 1)
        std::printf("%s once\n", foundText);
    else if (hits == 2)
        std::printf("%s twice\n", foundText);
    else
        std::printf("%s %ld %s\n", foundText, hits, "times");
    return 0;
}

} // namespace

void addExamineCommands(Commands &commands) {
    {
        auto o = commands.options<SummaryOptions>();
        CLI::App *c = commands.add("summary", "The summary of the frames, one row a frame.",
                                   kAnalysisGroup, [o] { return summary(*o); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
        c->add_option("--columns", o->columns,
                      "default (the columns the settings show), all, or column numbers 0..42 "
                      "separated by commas")
            ->type_name("default|all|N,N,...");
        addFormatOption(*c, o->format);
        c->add_flag("--long", o->longForm, "long texts (message names in full ...)");
        addEnvironmentOptions(*c, o->environment);
        o->filter.attach(*c);
    }
    {
        auto o = commands.options<DetailCommandOptions>();
        CLI::App *c = commands.add("detail", "The decoded fields of frames.", kAnalysisGroup,
                                   [o] { return detail(*o); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
        addRangeOption(*c, "--frame", o->frames, "the frame, or frames A to B (from 1)", true);
        c->add_flag("--all", o->all, "every frame of the capture");
        c->add_option_function<std::string>(
             "--format",
             [o](const std::string &name) {
                 o->format = name == "json"    ? DetailFormat::Json
                             : name == "lines" ? DetailFormat::Lines
                                               : DetailFormat::Tree;
             },
             "tree: indented, one field a line; json: a nested document with the octets of "
             "each field; lines: \"kind TAB text\" as the decoder gives them")
            ->check(oneOf({"tree", "json", "lines"}))
            ->type_name("tree|json|lines");
        c->add_flag("--hexa", o->hexa, "the hexa trace of the frame after its fields");
        addEnvironmentOptions(*c, o->environment);
    }
    {
        auto o = commands.options<FindOptions>();
        CLI::App *c = commands.add("find", "The frames that hold a text, a message or a cause.",
                                   kAnalysisGroup, [o] { return find(*o); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
        CLI::Option *text =
            c->add_option("--text", o->text, "a text of the summary (of the detail with --detail)")
                ->type_name("S");
        CLI::Option *message =
            c->add_option("--message", o->message, "a message type, by its short name")
                ->type_name("NAME");
        CLI::Option *cause = c->add_option_function<std::uint32_t>(
                                  "--cause",
                                  [o](std::uint32_t n) {
                                      o->cause = n;
                                      o->causeGiven = true;
                                  },
                                  "a cause number (decimal)")
                                 ->check(numberIn(0, 127))
                                 ->type_name("N");
        text->excludes(message)->excludes(cause);
        message->excludes(cause);
        c->add_flag("--detail", o->detailText, "look for --text in the detail")->needs(text);
        c->add_option("--from", o->from,
                      "the frame to start from (default: the first, or the last "
                      "with --backward)")
            ->check(numberIn(1, 0xFFFFFFFFu))
            ->type_name("N");
        c->add_flag("--backward", o->backward, "search towards the first frame");
        c->add_flag("--case", o->matchCase, "match case");
        c->add_flag("--all", o->all, "every hit, not only the first");
        addEnvironmentOptions(*c, o->environment);
        o->filter.attach(*c, FilterOptions::Use::Find);
    }
}

} // namespace qv::cli
