#pragma once
// What a print of DRU-70 events holds, as lines of text: a heading of the shown columns' titles,
// then a line per event the event filter shows, each column as wide as its widest text. The
// page layout belongs to whoever draws the lines (FramePrinter).
#include <cstdint>
#include <string>
#include <vector>

#include "capture/FramePrint.h"

namespace qv {

class CDru70Decode;

// Events first to last, both counted from 0.
struct Dru70PrintRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

// The shown events of ranges, in the columns given (titles in the same order). progress, when
// given, hears of every 256th event and may cancel the build. The caller keeps the reader's
// current event (a Dru70Aside).
PrintDocument buildDru70Print(CDru70Decode &reader, const std::vector<int> &columns,
                              const std::vector<std::string> &titles,
                              const std::vector<Dru70PrintRange> &ranges,
                              const WorkProgress &progress = {});

// The runs of consecutive events in a sorted list of events.
std::vector<Dru70PrintRange> dru70Runs(const std::vector<std::uint32_t> &events);

} // namespace qv
