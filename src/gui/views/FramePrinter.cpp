#include "views/FramePrinter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

#include "base/FileReplace.h"

namespace qv {

namespace {

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::vector<PrintPage> paginate(const QStringList &opening, const PrintDocument &print,
                                int linesPerPage) {
    linesPerPage = std::max(linesPerPage, 1);
    std::vector<PrintPage> pages(1);
    int page = 1;
    auto newPage = [&](bool continuing) {
        PrintPage next;
        if (continuing) {
            // The page the frame started on becomes its sheet 1.
            if (pages.back().sheet == 0)
                pages.back().sheet = 1;
            next.page = pages.back().page;
            next.sheet = pages.back().sheet + 1;
        } else {
            next.page = ++page;
        }
        pages.push_back(next);
    };
    auto room = [&] { return linesPerPage - static_cast<int>(pages.back().lines.size()); };
    auto put = [&](const QStringList &block) {
        const int size = static_cast<int>(block.size());
        // A frame that does not fit what is left of the page starts on a fresh one: whole
        // there, or over sheets of its own.
        if (size > room() && !pages.back().lines.isEmpty())
            newPage(false);
        for (const QString &line : block) {
            if (room() == 0)
                newPage(true);
            pages.back().lines << line;
        }
    };
    put(opening);
    QStringList block;
    for (const PrintBlock &b : print.blocks) {
        block.clear();
        for (const std::string &line : b.lines)
            block << latin1(line);
        put(block);
    }
    return pages;
}

QString pageFooterText(const PrintPage &page) {
    return page.sheet == 0 ? QStringLiteral("page %1").arg(page.page)
                           : QStringLiteral("page %1.%2").arg(page.page).arg(page.sheet);
}

bool drawPrint(QPagedPaintDevice &device, const QString &path, const QStringList &fileHeader,
               const QString &comment, const PrintDocument &print, bool formatDocument,
               const WorkProgress &progress) {
    QPainter painter(&device);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(8.5);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = metrics.lineSpacing();
    const QRect page = painter.viewport();
    const int margin = lineHeight;
    const int headerHeight = formatDocument ? 2 * lineHeight : 0;
    const QRect body(page.left() + margin, page.top() + margin + headerHeight,
                     page.width() - 2 * margin, page.height() - 2 * margin - 2 * headerHeight);
    const int linesPerPage = std::max(1, body.height() / lineHeight);

    QStringList opening = fileHeader;
    if (!opening.isEmpty())
        opening << QString();
    if (!print.title.empty())
        opening << latin1(print.title) << QString();
    const int commentFirst = static_cast<int>(opening.size());
    QStringList commentLines;
    if (!comment.isEmpty()) {
        commentLines = comment.split(QLatin1Char('\n'));
        // The box stays on the first page.
        while (commentFirst + commentLines.size() + 2 > linesPerPage && !commentLines.isEmpty())
            commentLines.removeLast();
        opening << QString();
        for (const QString &line : commentLines)
            opening << QStringLiteral("  ") + line;
        opening << QString() << QString();
    }
    const std::vector<PrintPage> pages = paginate(opening, print, linesPerPage);
    const QString date = QString::fromStdString(printDate());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (progress && !progress(p, pages.size()))
            return false;
        if (p > 0)
            device.newPage();
        if (formatDocument) {
            const int top = page.top() + margin;
            painter.drawText(QRect(body.left(), top, body.width(), lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, path);
            painter.drawText(QRect(body.left(), top, body.width(), lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter, date);
            painter.drawLine(body.left(), top + lineHeight + 2, body.right(), top + lineHeight + 2);
            const int bottom = page.bottom() - margin - lineHeight;
            painter.drawLine(body.left(), bottom - 2, body.right(), bottom - 2);
            painter.drawText(QRect(body.left(), bottom, body.width(), lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromLatin1(kPrintFooterName));
            painter.drawText(QRect(body.left(), bottom, body.width(), lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter, pageFooterText(pages[p]));
        }
        int y = body.top();
        for (const QString &line : pages[p].lines) {
            painter.drawText(body.left(), y + metrics.ascent(), line);
            y += lineHeight;
        }
        if (p == 0 && !commentLines.isEmpty()) {
            // The comment's box, inset 20 units from the margins.
            const int inset = 20 * device.logicalDpiX() / 254; // 20 tenths of a millimetre
            const QRect box(body.left() + inset, body.top() + commentFirst * lineHeight,
                            body.width() - 2 * inset,
                            (static_cast<int>(commentLines.size()) + 2) * lineHeight);
            painter.drawRect(box);
        }
    }
    return true;
}

PrintProgress::PrintProgress(QWidget *parent, const QString &label, int phases)
    : dialog_(std::make_unique<QProgressDialog>(
          label, QCoreApplication::translate("qv::PrintProgress", "Cancel"), 0, 1000, parent)),
      steps_(1000 / std::max(1, phases)) {
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(300);
}

PrintProgress::~PrintProgress() = default;

WorkProgress PrintProgress::phase(int phase) {
    return [dialog = dialog_.get(), base = phase * steps_, steps = steps_](std::uint64_t done,
                                                                           std::uint64_t total) {
        dialog->setValue(base + static_cast<int>(total ? done * steps / total : 0));
        return !dialog->wasCanceled();
    };
}

bool writePrintText(const QString &path, const QStringList &fileHeader, const QString &comment,
                    const PrintDocument &print) {
    std::string text;
    for (const QString &line : fileHeader)
        text += line.toLatin1().toStdString() + "\r\n";
    if (!comment.isEmpty())
        text += "\r\n" +
                QString(comment)
                    .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
                    .toLatin1()
                    .toStdString() +
                "\r\n\r\n";
    text += printText(print);
    return replaceFile(path.toStdString(), text) == FileReplaceResult::Done;
}

bool sendPrint(const PrintRequest &request, QPrinter *printer, const QString &path,
               const QStringList &fileHeader, const QString &comment, const PrintDocument &print,
               const WorkProgress &progress, const std::function<void()> &cannotOpen) {
    if (request.output == PrintOutput::Text) {
        if (writePrintText(request.path, fileHeader, comment, print))
            return true;
        cannotOpen();
        return false;
    }
    std::unique_ptr<QPrinter> own;
    if (request.output == PrintOutput::Pdf || !printer) {
        own = std::make_unique<QPrinter>(QPrinter::HighResolution);
        own->setOutputFormat(QPrinter::PdfFormat);
        own->setOutputFileName(request.path);
        printer = own.get();
    }
    QPainter probe;
    if (!probe.begin(printer)) {
        cannotOpen();
        return false;
    }
    probe.end();
    return drawPrint(*printer, path, fileHeader, comment, print, request.formatDocument, progress);
}

} // namespace qv
