#include "capture/FramePrint.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "capture/CaptureFileReader.h"
#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/HexaTrace.h"
#include "decode/SummaryColumn.h"
#include "decode/SummaryFieldTable.h"

namespace qv {

namespace {

void pad(std::string &line, const std::string &cell, std::size_t width) {
    line += cell;
    line.append(width - std::min(width, cell.size()) + 1, ' ');
}

void trimRight(std::string &line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
}

} // namespace

PrintDocument buildPrint(FrameSource &source, const SummaryFieldTable &columns,
                         const PrintRange &range, PrintKind kind, const WorkProgress &progress) {
    PrintDocument print;
    if (!source.open() || source.frameCount() == 0)
        return print;
    CDecoder *decoder = &source.decoder();
    DecodableObject &capture = source.capture();
    const std::uint32_t last = std::min(range.last, source.frameCount() - 1);
    std::uint32_t previous = range.first;
    const std::vector<int> visible = columns.visibleColumnsInDisplayOrder();
    if (kind != PrintKind::Summary)
        print.title = kind == PrintKind::Detail ? "Detail print" : "Detail and hexa print";
    // Summary cells are gathered first: each column is as wide as its widest text.
    std::vector<std::vector<std::string>> cells;
    if (kind == PrintKind::Summary) {
        cells.emplace_back();
        for (int c : visible)
            cells.back().push_back(columns.field(c).title);
    }
    std::string cell;
    const std::uint64_t total = last >= range.first ? last - range.first + 1u : 0u;
    for (std::uint32_t frame = range.first; frame <= last; ++frame) {
        const std::uint64_t done = frame - range.first;
        if (progress && done % 256 == 0 && !progress(done, total)) {
            print.cancelled = true;
            return print;
        }
        // A frame the filters hide is not printed.
        if (!isShown(capture.decodeTo(previous, frame)))
            continue;
        previous = frame;
        PrintBlock block;
        block.frame = frame;
        if (kind == PrintKind::Summary) {
            cells.emplace_back();
            for (int c : visible) {
                if (c == 0) {
                    char number[16];
                    std::snprintf(number, sizeof number, "%05u", frame + 1);
                    cell = number;
                } else {
                    decoder->columnText(c, cell, false);
                }
                cells.back().push_back(cell);
            }
        } else {
            if (decoder->Format_Detail(DetailOptions{}) < 0)
                continue;
            std::string date, time, dir, status;
            decoder->columnText(columnNumber(SummaryColumn::Date), date, false);
            decoder->columnText(columnNumber(SummaryColumn::Time), time, false);
            decoder->directionText(dir, true);
            status = std::string(statusText(decoder->currentRecord()));
            const unsigned length = decoder->traceLength();
            char heading[512];
            if (!date.empty() && date != "-")
                std::snprintf(
                    heading, sizeof heading,
                    "Frame : %u   Dir : %s   Date : %s   Time : %s   Length : %u   FCS : %s",
                    frame + 1, dir.c_str(), date.c_str(), time.c_str(), length, status.c_str());
            else
                std::snprintf(heading, sizeof heading,
                              "Frame : %u   Dir : %s   Time : %s   Length : %u   FCS : %s",
                              frame + 1, dir.c_str(), time.c_str(), length, status.c_str());
            block.lines.push_back(heading);
            const auto lines = decoder->detailLines();
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const DetailLine &l = lines[i];
                std::string text = l.text;
                const bool label = l.kind == kDetailLabel || l.kind == kDetailSubLabel;
                if (label && i + 1 < lines.size())
                    text += lines[++i].text;
                const int indent = l.kind == kDetailSubLabel ? 4 : label ? 2 : 0;
                block.lines.push_back(std::string(static_cast<std::size_t>(indent), ' ') + text);
            }
            if (kind == PrintKind::DetailAndHexa) {
                block.lines.push_back("Hexadecimal Trace");
                const std::string trace = hexaTrace(*decoder, "\n");
                std::size_t at = 0;
                while (at < trace.size()) {
                    const std::size_t end = trace.find('\n', at);
                    block.lines.push_back(trace.substr(at, end - at));
                    at = end == std::string::npos ? trace.size() : end + 1;
                }
            }
            block.lines.push_back(std::string());
        }
        print.blocks.push_back(std::move(block));
    }
    if (kind == PrintKind::Summary) {
        std::vector<std::size_t> widths(visible.size(), 0);
        for (const auto &row : cells)
            for (std::size_t k = 0; k < row.size(); ++k)
                widths[k] = std::max(widths[k], row[k].size());
        // The heading goes first; each frame row fills the block made for its frame.
        std::vector<PrintBlock> blocks;
        blocks.reserve(cells.size());
        for (std::size_t r = 0; r < cells.size(); ++r) {
            // Laying out a long summary takes a while too: it may still be cancelled.
            if (progress && r % 4096 == 0 && !progress(total, total)) {
                print.blocks.clear();
                print.cancelled = true;
                return print;
            }
            PrintBlock block;
            block.frame = r == 0 ? 0 : print.blocks[r - 1].frame;
            std::string line;
            for (std::size_t k = 0; k < cells[r].size(); ++k)
                pad(line, cells[r][k], widths[k]);
            trimRight(line);
            block.lines.push_back(std::move(line));
            blocks.push_back(std::move(block));
        }
        print.blocks = std::move(blocks);
    }
    return print;
}

std::vector<std::string> fileHeaderLines(CDecodeDoc &document) {
    std::vector<std::string> lines;
    DecodableObject *decodable = document.decodable();
    CaptureFileReader *reader = decodable ? decodable->reader() : nullptr;
    if (!reader)
        return lines;
    const CaptureInfo &i = reader->info();
    lines.push_back("File : " + document.pathName());
    lines.push_back("Instrument : " + i.instrumentName);
    lines.push_back("Serial number : " + i.displaySerial());
    lines.push_back("Versions : " + i.firstVersion + " " + i.secondVersion);
    lines.push_back("Start : " + dateTimeText(i.start));
    lines.push_back("End : " + dateTimeText(i.end));
    lines.push_back("Frames : " + std::to_string(document.frameCount()));
    return lines;
}

std::string printText(const PrintDocument &print) {
    std::string text;
    if (!print.title.empty())
        text += print.title + "\r\n\r\n";
    for (const PrintBlock &block : print.blocks)
        for (const std::string &line : block.lines)
            text += line + "\r\n";
    return text;
}

std::string printDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d/%m/%Y", &local);
    return text;
}

} // namespace qv
