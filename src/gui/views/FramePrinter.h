#pragma once
// Frame prints drawn on pages (a printer or a PDF file) or written as a text file.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "capture/FramePrint.h"

class QPagedPaintDevice;

namespace qv {

enum class PrintOutput { Printer, Pdf, Text };

inline constexpr const char *kMsgPrintFileNotOpened = "The printing file can not be opened";

struct PrintRequest {
    PrintKind kind = PrintKind::Summary;
    PrintChoice choice = PrintChoice::All;
    std::uint32_t from = 1, to = 1; // 1-based, for Range
    bool fileHeader = false;
    bool comment = false;
    bool formatDocument = true; // the page header and footer
    PrintOutput output = PrintOutput::Pdf;
    QString path; // the PDF or text file
};

// The pages of a print: each page's lines, with the page number and sheet of its footer.
struct PrintPage {
    QStringList lines;
    int page = 1;
    int sheet = 0; // 0: no frame goes on over it; 1, 2...: the sheets of a frame that does
};

// Lays the print out on pages of linesPerPage lines: a frame's lines stay on one page where
// they fit; a frame longer than a page goes on over sheets of the same page number. The
// first page starts with the comment box's lines when there is a comment.
std::vector<PrintPage> paginate(const QStringList &opening, const PrintDocument &print,
                                int linesPerPage);
// "page %d" or "page %d.%d".
QString pageFooterText(const PrintPage &page);

// Draws the pages on device: the header (path left, date right, a line under both) and the
// footer ("Vennmark" left, the page right, a line above both) when formatDocument is set, the
// comment in a framed box inset 20 units from the margins.
// progress hears of every page and may stop the drawing; false when it did.
bool drawPrint(QPagedPaintDevice &device, const QString &path, const QStringList &fileHeader,
               const QString &comment, const PrintDocument &print, bool formatDocument,
               const WorkProgress &progress = {});

} // namespace qv
