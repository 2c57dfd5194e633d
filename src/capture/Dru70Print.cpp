#include "capture/Dru70Print.h"

#include <algorithm>

#include "capture/Dru70Decode.h"

namespace qv {

PrintDocument buildDru70Print(CDru70Decode &reader, const std::vector<int> &columns,
                              const std::vector<std::string> &titles,
                              const std::vector<Dru70PrintRange> &ranges,
                              const WorkProgress &progress) {
    PrintDocument print;
    const std::uint32_t count = reader.RecordCount();
    // Cells are gathered first: each column is as wide as its widest text.
    std::vector<std::vector<std::string>> rows;
    std::vector<std::uint32_t> events;
    rows.push_back(titles);
    rows.back().resize(columns.size());
    std::uint64_t total = 0;
    for (const Dru70PrintRange &range : ranges)
        if (range.first < count && range.first <= range.last)
            total += std::min(range.last, count - 1) - range.first + 1u;
    std::uint64_t done = 0;
    for (const Dru70PrintRange &range : ranges) {
        if (range.first >= count)
            continue;
        const std::uint32_t last = std::min(range.last, count - 1);
        for (std::uint32_t event = range.first; event <= last; ++event, ++done) {
            if (progress && done % 256 == 0 && !progress(done, total)) {
                print.cancelled = true;
                return print;
            }
            if (reader.Fetch(event, event) != kDruFetchShown)
                continue;
            std::vector<std::string> &cells = rows.emplace_back();
            for (int column : columns)
                cells.push_back(reader.Cell(column));
            events.push_back(event);
        }
    }
    std::vector<std::size_t> widths(columns.size(), 0);
    for (const auto &row : rows)
        for (std::size_t k = 0; k < row.size(); ++k)
            widths[k] = std::max(widths[k], row[k].size());
    print.blocks.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        PrintBlock block;
        block.frame = r == 0 ? 0 : events[r - 1];
        std::string line;
        for (std::size_t k = 0; k < rows[r].size(); ++k) {
            line += rows[r][k];
            if (k + 1 < rows[r].size())
                line.append(widths[k] - rows[r][k].size() + 1, ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        block.lines.push_back(std::move(line));
        print.blocks.push_back(std::move(block));
    }
    return print;
}

std::vector<Dru70PrintRange> dru70Runs(const std::vector<std::uint32_t> &events) {
    std::vector<Dru70PrintRange> runs;
    for (std::uint32_t event : events) {
        if (!runs.empty() && runs.back().last + 1 == event)
            runs.back().last = event;
        else
            runs.push_back({event, event});
    }
    return runs;
}

} // namespace qv
