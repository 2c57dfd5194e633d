#pragma once
// Frame prints drawn on pages (a printer or a PDF file) or written as a text file.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "capture/FramePrint.h"

class QPagedPaintDevice;

class QPrinter;
class QProgressDialog;
class QWidget;

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

// The progress of a print made in phases (building the lines, drawing the pages), each an equal
// part of a window-modal progress dialog that shows after 300 ms and can cancel the print.
class PrintProgress {
public:
    PrintProgress(QWidget *parent, const QString &label, int phases);
    ~PrintProgress();
    // The progress of phase 0, 1...: false once Cancel was pressed.
    WorkProgress phase(int phase);

private:
    std::unique_ptr<QProgressDialog> dialog_;
    int steps_; // of each phase
};

// Writes the print to a text file at path: the header, the comment and the print's lines, CR LF.
// False when the file cannot be written. May run on any thread; may throw std::bad_alloc.
bool writePrintText(const QString &path, const QStringList &fileHeader, const QString &comment,
                    const PrintDocument &print);

// Sends a print where request says: to a text file (the header, the comment and the print's
// lines, CR LF), or drawn on printer (none: a PDF file of request.path). False when the file or
// the printer cannot be opened (cannotOpen is called then) or progress stopped the drawing.
// Making the text may throw std::bad_alloc.
bool sendPrint(const PrintRequest &request, QPrinter *printer, const QString &path,
               const QStringList &fileHeader, const QString &comment, const PrintDocument &print,
               const WorkProgress &progress, const std::function<void()> &cannotOpen);

} // namespace qv
