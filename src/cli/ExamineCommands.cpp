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

namespace qv::cli {

namespace {

// Output through one large buffer: the summary of a big capture is millions of lines.
class Output {
public:
    Output() { buffer_.reserve(1 << 20); }
    ~Output() { flush(); }
    void put(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= (1 << 20))
            flush();
    }
    void put(char c) { buffer_.push_back(c); }
    void flush() {
        if (!buffer_.empty())
            std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

private:
    std::string buffer_;
};

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

void csvCell(Output &out, const std::string &cell) {
    bool plain = true;
    for (char c : cell)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    if (plain) {
        out.put(cell);
        return;
    }
    out.put('"');
    for (char c : cell) {
        if (c == '"')
            out.put('"');
        out.put(c);
    }
    out.put('"');
}

void jsonString(Output &out, std::string_view text) {
    out.put('"');
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.put('\\');
            out.put(c);
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out.put(escape);
        } else if (u >= 0x80) {
            // Capture texts are single-byte: keep JSON valid UTF-8.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out.put(escape);
        } else {
            out.put(c);
        }
    }
    out.put('"');
}

} // namespace

int summary(const std::vector<std::string> &args) {
    // args: FILE [options]
    if (args.empty())
        return 2;
    std::string path = args[0], columnSpec = "default";
    Format format = Format::Text;
    bool longForm = false;
    FilterOptions filterOptions;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--long") {
            longForm = true;
        } else if (a == "--v5") {
        } else if ((a == "--columns" || a == "--format" || a == "--home" || a == "--protocol") &&
                   i + 1 < args.size()) {
            const std::string &v = args[++i];
            if (a == "--columns") {
                columnSpec = v;
            } else if (a == "--format" && !parseFormat(v, format)) {
                return kBadUsage;
            }
        } else if (filterOptions.take(args, i) != FilterOptions::Take::Taken &&
                   a.rfind("--home=", 0) != 0) {
            return unknownArgument("summary", a);
        }
    }
    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, args); status != kDone)
        return status;
    const Environment &env = capture.env;
    std::vector<int> columns;
    if (!parseColumns(columnSpec, env.columns, columns)) {
        std::fprintf(stderr, "--columns takes default, all or column numbers 0..42\n");
        return 2;
    }
    std::vector<std::string> titles;
    for (int c : columns)
        titles.emplace_back(env.columns.field(c).title);

    if (const int status = capture.open(path); status != kDone)
        return status;
    CDecodeDoc &doc = *capture.doc;
    Output out;
    if (format != Format::Json) {
        for (std::size_t k = 0; k < titles.size(); ++k) {
            if (k)
                out.put(format == Format::Csv ? ',' : '\t');
            format == Format::Csv ? csvCell(out, titles[k]) : out.put(titles[k]);
        }
        out.put('\n');
    }
    DecodableObject &decodable = *doc.decodable();
    CDecoder &decoder = *decodable.decoder();
    std::string cell;
    ShownFrames shown(decodable);
    for (std::uint32_t n = 0; shown.next(n);) {
        if (format == Format::Json)
            out.put('{');
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const int column = columns[k];
            summaryCellText(decoder, column, n, cell, longForm);
            switch (format) {
            case Format::Text:
                if (k)
                    out.put('\t');
                out.put(cell);
                break;
            case Format::Csv:
                if (k)
                    out.put(',');
                csvCell(out, cell);
                break;
            case Format::Json:
                if (k)
                    out.put(',');
                jsonString(out, titles[k]);
                out.put(':');
                jsonString(out, cell);
                break;
            }
        }
        out.put(format == Format::Json ? "}\n" : "\n");
    }
    return 0;
}

int detail(const std::vector<std::string> &args) {
    if (args.empty())
        return 2;
    std::string path = args[0];
    std::uint32_t frame = 0;
    bool hexa = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--hexa")
            hexa = true;
        else if (a == "--v5")
            continue;
        else if (a == "--frame" && i + 1 < args.size()) {
            if (!parseNumber(args[++i], frame))
                return 2;
        } else if ((a == "--home" || a == "--protocol") && i + 1 < args.size())
            ++i;
        else if (a.rfind("--home=", 0) != 0)
            return 2;
    }
    if (frame == 0)
        return 2;
    Environment env;
    if (!loadEnvironment(env, args))
        return 2;
    CDecodeDoc doc(env.messages, env.context.services());
    if (!openDocument(env, doc, path))
        return 1;
    if (frame > doc.frameCount()) {
        std::fprintf(stderr, "Frame %u is not in the capture: it holds frames 1 to %u\n", frame,
                     doc.frameCount());
        return 1;
    }
    if (!doc.goToFrame(frame - 1, false)) {
        std::fprintf(stderr, "Frame %u cannot be shown\n", frame);
        return 1;
    }
    CDecoder &decoder = *doc.decoder();
    if (decoder.Format_Detail(DetailOptions{}) < 0)
        return 1;
    Output out;
    for (const DetailLine &line : decoder.detailLines()) {
        char kind[8];
        std::snprintf(kind, sizeof kind, "%d\t", static_cast<int>(line.kind));
        out.put(kind);
        out.put(line.text);
        out.put('\n');
    }
    if (hexa) {
        out.put('\n');
        out.put(hexaTrace(decoder, "\n"));
    }
    return 0;
}

int find(const std::vector<std::string> &args) {
    if (args.empty())
        return 2;
    std::string path = args[0];
    FindRequest request;
    bool haveCriterion = false, detailText = false, all = false, haveFrom = false;
    std::uint32_t from = 0;
    std::string text;
    FilterOptions filterOptions(FilterOptions::Use::Find);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--detail")
            detailText = true;
        else if (a == "--backward")
            request.step = -1;
        else if (a == "--case")
            request.matchCase = true;
        else if (a == "--all")
            all = true;
        else if (a == "--v5")
            continue;
        else if ((a == "--text" || a == "--message") && hasValue && !haveCriterion) {
            text = args[++i];
            request.criterion =
                a == "--text" ? FindCriterion::SummaryText : FindCriterion::MessageType;
            haveCriterion = true;
        } else if (a == "--cause" && hasValue && !haveCriterion) {
            if (!parseNumber(args[++i], request.cause))
                return 2;
            request.criterion = FindCriterion::Cause;
            haveCriterion = true;
        } else if (a == "--from" && hasValue) {
            if (!parseNumber(args[++i], from) || from == 0)
                return 2;
            haveFrom = true;
        } else if ((a == "--home" || a == "--protocol") && hasValue) {
            ++i;
        } else if (filterOptions.take(args, i) != FilterOptions::Take::Taken &&
                   a.rfind("--home=", 0) != 0) {
            return unknownArgument("find", a);
        }
    }
    if (!haveCriterion || (detailText && request.criterion != FindCriterion::SummaryText))
        return 2;
    if (detailText)
        request.criterion = FindCriterion::DetailText;
    if (!request.matchCase)
        for (char &c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    request.text = text;

    FilteredCapture capture;
    if (const int status = capture.prepare(filterOptions, args); status != kDone)
        return status;
    if (const int status = capture.open(path); status != kDone)
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
            std::printf("Find error!\n");
            return 1;
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
        return 1;
    }
    if (hits == 1)
        std::printf("%s once\n", foundText);
    else if (hits == 2)
        std::printf("%s twice\n", foundText);
    else
        std::printf("%s %ld %s\n", foundText, hits, "times");
    return 0;
}

} // namespace qv::cli
