#include "views/PlmWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <new>

#include "base/UserMessages.h"
#include "plm/CPlm45Doc.h"
#include "plm/PlmColumns.h"
#include "views/FramePrinter.h"
#include "views/PlmFindDialog.h"
#include "views/PlmModel.h"
#include "views/RecordTable.h"

namespace qv {

namespace {

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PlmWindow *PlmWindow::open(const std::string &path, UserMessages &messages, PlmColumns &columns,
                           QWidget *parent) {
    auto document = std::make_unique<CPlm45Doc>(messages, plmWords());
    if (!document->Open(path))
        return nullptr;
    return new PlmWindow(messages, std::move(document), columns, parent);
}

PlmWindow::PlmWindow(UserMessages &messages, std::unique_ptr<CPlm45Doc> document,
                     PlmColumns &columns, QWidget *parent)
    : QWidget(parent), messages_(messages), document_(std::move(document)), columns_(columns) {
    model_ = new PlmModel(*document_, columns_, this);
    // Widths the user gives are the layout's widths from then on.
    table_ = newRecordTable(this, QStringLiteral("lines"), model_, [this](int section, int size) {
        if (sizing_)
            return;
        columns_.setWidth(model_->columnAt(section), size);
        emit columnWidthsChanged();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    setViewFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    updateTitle();
}

PlmWindow::~PlmWindow() = default;

const QAbstractItemModel *PlmWindow::lineModel() const {
    return model_;
}

int PlmWindow::shownWidth(int column) const {
    const int section = model_->sectionOf(column);
    return section < 0 ? -1 : table_->columnWidth(section);
}

void PlmWindow::applyWidths() {
    sizing_ = true;
    for (int section = 0; section < model_->columnCount(); ++section)
        table_->setColumnWidth(section, columns_.width(model_->columnAt(section)));
    sizing_ = false;
}

void PlmWindow::setViewFont(const QFont &font) {
    table_->setFont(font);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    applyWidths();
}

void PlmWindow::updateTitle() {
    setWindowTitle(QString::fromStdString(document_->pathName()) +
                   tr(" - Project %1").arg(document_->projectNumber(), 2, 10, QLatin1Char('0')));
}

void PlmWindow::refreshColumns() {
    const int line = currentLine();
    const int column = currentColumn();
    const std::vector<int> selected = selectedLines();
    sizing_ = true;
    model_->takeColumns();
    sizing_ = false;
    applyWidths();
    hitLine_ = hitColumn_ = -1;
    QItemSelectionModel *selection = table_->selectionModel();
    for (int row : selected)
        selection->select(model_->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (line < 0)
        return;
    // A current cell whose column is hidden now moves to the line's first column.
    const int section = std::max(model_->sectionOf(column), 0);
    selection->setCurrentIndex(model_->index(line, section), QItemSelectionModel::NoUpdate);
}

void PlmWindow::selectLine(int line) {
    if (line < 0 || line >= model_->rowCount())
        return;
    setCurrentCell(line, model_->columnAt(0));
}

void PlmWindow::setCurrentCell(int line, int column) {
    const QModelIndex index = model_->index(line, std::max(model_->sectionOf(column), 0));
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

std::vector<int> PlmWindow::selectedLines() const {
    std::vector<int> lines;
    for (const QModelIndex &row : table_->selectionModel()->selectedRows())
        lines.push_back(row.row());
    std::sort(lines.begin(), lines.end());
    return lines;
}

int PlmWindow::currentLine() const {
    const QModelIndex current = table_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int PlmWindow::currentColumn() const {
    const QModelIndex current = table_->selectionModel()->currentIndex();
    return current.isValid() ? model_->columnAt(current.column()) : -1;
}

PlmFindDialog *PlmWindow::showFindDialog() {
    if (!findDialog_) {
        findDialog_ = new PlmFindDialog(this);
        connect(findDialog_, &PlmFindDialog::findNext, this, [this] {
            runFind(findDialog_->text(), findDialog_->forward(), findDialog_->matchCase());
        });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
    return findDialog_;
}

int PlmWindow::findFrom(const std::string &text, int line, int toLine, bool forward, int column,
                        bool matchCase, int &foundLine, int &foundColumn) const {
    return document_->Find(text, line, toLine, forward, column, matchCase, columns_, foundLine,
                           foundColumn);
}

bool PlmWindow::runFind(const QString &text, bool forward, bool matchCase) {
    emit statusMessage(QString());
    const QByteArray bytes = text.toLatin1();
    const int last = document_->lineCount() - 1;
    // From the cell after the last hit, from the current cell, or from the end the find goes
    // away from.
    int line = currentLine();
    int column = currentColumn();
    const bool atEnd = line < 0;
    if (atEnd) {
        line = forward ? 0 : last;
        column = forward ? 0 : kPlmColumnCount - 1;
    } else if (line == hitLine_ && column == hitColumn_) {
        column += forward ? 1 : -1;
    }
    int foundLine = -1;
    int foundColumn = -1;
    int found = -1;
    // A character the tester cannot send is in none of its texts.
    if (!text.isEmpty() && QString::fromLatin1(bytes) == text) {
        const std::string wanted = bytes.toStdString();
        found = findFrom(wanted, line, forward ? last : 0, forward, column, matchCase, foundLine,
                         foundColumn);
        if (found < 0 && !atEnd) {
            emit statusMessage(forward
                                   ? tr("Reached the last line: the find went on from the first")
                                   : tr("Reached the first line: the find went on from the last"));
            found = findFrom(wanted, forward ? 0 : last, line, forward,
                             forward ? 0 : kPlmColumnCount - 1, matchCase, foundLine, foundColumn);
        }
    }
    if (found != 1) {
        messages_.show(tr("Cannot find the string '%1'").arg(text).toStdString(), kProgramCaption,
                       MessageIcon::Information);
        return false;
    }
    setCurrentCell(foundLine, foundColumn);
    hitLine_ = foundLine;
    hitColumn_ = foundColumn;
    return true;
}

bool PlmWindow::copySelection() {
    const std::vector<int> lines = selectedLines();
    if (lines.empty())
        return false;
    PlmCopy copy;
    if (!document_->Copy(lines, columns_, copy))
        return false;
    const QString text = latin1(copy.text);
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard)
        clipboard->setText(text);
    // Another program may hold the clipboard: what it holds afterwards tells.
    if (!clipboard || clipboard->text() != text) {
        messages_.error(kMsgPlmClipboardBusy);
        return false;
    }
    return true;
}

bool PlmWindow::saveAs(const std::string &path) {
    if (!document_->SaveAs(path))
        return false;
    updateTitle();
    return true;
}

bool PlmWindow::print(const std::vector<int> &lines, QPagedPaintDevice &device) {
    PrintDocument print;
    try {
        print = document_->Print(lines, columns_);
    } catch (const std::bad_alloc &) {
        messages_.error(kMsgPrintMemory);
        return false;
    }
    if (print.blocks.empty())
        return false;
    QPainter probe;
    if (!probe.begin(&device)) {
        messages_.error(kMsgPrintFileNotOpened);
        return false;
    }
    probe.end();
    return drawPrint(device, QString::fromStdString(document_->pathName()), {}, QString(), print,
                     true);
}

void PlmWindow::printWithDialog(QPrinter &printer) {
    const std::vector<int> selected = selectedLines();
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !selected.empty());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<int> lines = selected;
    if (printer.printRange() != QPrinter::Selection || lines.empty()) {
        lines.resize(static_cast<std::size_t>(document_->lineCount()));
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = static_cast<int>(i);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    print(lines, printer);
    QApplication::restoreOverrideCursor();
}

std::string PlmWindow::suggestedCopyName() const {
    return document_->pathName();
}

QString PlmWindow::copyFilter() const {
    return QString::fromLatin1(kPlmFileFilter);
}

} // namespace qv
