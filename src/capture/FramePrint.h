#pragma once
// What a print of frames holds, as lines of text: the summary print (a heading of the visible
// column titles, then a row per frame with the number as "%05d"), and the detail print (per
// frame its heading line, its detail lines and, for the detail and hexa print, its trace).
// The page layout (header, footer, sheets) belongs to whoever draws the lines.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/BackgroundJob.h"
#include "capture/CDecodeDoc.h"

namespace qv {

class FrameSource;
class SummaryFieldTable;

enum class PrintKind { Summary, Detail, DetailAndHexa };

inline constexpr const char *kPrintFooterName = "Vennmark";

struct PrintBlock {
    std::uint32_t frame = 0;        // 0-based; the heading of a summary print has none
    std::vector<std::string> lines; // a frame's lines are kept on one sheet where they fit
};

struct PrintDocument {
    std::string title; // "Detail print", "Detail and hexa print", or empty
    std::vector<PrintBlock> blocks;
    bool cancelled = false; // the progress callback asked to stop
};

inline constexpr const char *kMsgPrintMemory =
    "Insufficient memory to print frames\nPlease decrease the number of frames";

// The frames of range in the given kind. Frames the document cannot show are left out.
// progress, when given, hears of every 256th frame and may cancel the build.
PrintDocument buildPrint(FrameSource &source, const SummaryFieldTable &columns,
                         const PrintRange &range, PrintKind kind,
                         const WorkProgress &progress = {});
// The capture's identification, printed first when File Header is chosen.
std::vector<std::string> fileHeaderLines(CDecodeDoc &document);
// The whole print as text, for printing to a file: title, blocks, CR LF line ends.
std::string printText(const PrintDocument &print);
// "%d/%m/%Y" of today, as the page header shows it.
std::string printDate();

} // namespace qv
