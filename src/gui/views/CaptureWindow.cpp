#include "views/CaptureWindow.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QToolTip>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include <utility>

#include "app/BackgroundWork.h"
#include "app/ColourTable.h"
#include "app/Settings.h"
#include "base/Numbers.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/DecodableObject.h"
#include "capture/FramePrint.h"
#include "capture/FrameSource.h"
#include "capture/SummaryFinder.h"
#include "decode/DetailTree.h"
#include "decode/HexaTrace.h"
#include "decode/SummaryFieldTable.h"
#include "dialogs/OffLineFilterCommands.h"
#include "filters/FilterFiles.h"
#include "filters/FilterLine.h"
#include "views/CommentWindow.h"
#include "views/FilterBar.h"
#include "views/FramePrinter.h"
#include "views/PrintDialog.h"
#include "views/SummaryModel.h"

namespace qv {

namespace {

constexpr int kOffsetRole = Qt::UserRole;
constexpr int kCountRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2; // what names the line from frame to frame
// Where an octet's text starts on its hexa trace line: "%04X:    ", then " XX" per octet; the
// ASCII text after the 48 columns of hex and a TAB.
constexpr int kHexColumn = 9;
constexpr int kAsciiColumn = 9 + 48 + 1;

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The summary's Home and End go between frames, not columns: with or without Ctrl they make the
// first or the last frame shown the selected one, with the Number column in view. Shift still
// stretches the selection to it.
class SummaryTable : public QTableView {
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action != MoveHome && action != MoveEnd)
            return QTableView::moveCursor(action, modifiers);
        QAbstractItemModel *rows = model();
        if (action == MoveEnd)
            while (rows->canFetchMore({}))
                rows->fetchMore({});
        if (rows->rowCount() == 0)
            return {};
        horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
        return rows->index(action == MoveHome ? 0 : rows->rowCount() - 1, 0);
    }

    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override {
        if (event && event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) &&
                !(key->modifiers() & Qt::ShiftModifier))
                return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        }
        return QTableView::selectionCommand(index, event);
    }
};

} // namespace

CaptureWindow::CaptureWindow(std::unique_ptr<CDecodeDoc> document, SummaryFieldTable &columns,
                             const ColourTable &colours, bool showHexa, QWidget *parent)
    : QWidget(parent), document_(std::move(document)), columns_(columns), colours_(colours) {
    model_ = new SummaryModel(*document_, columns, colours, this);
    summary_ = new SummaryTable(this);
    summary_->setModel(model_);
    summary_->setSelectionBehavior(QAbstractItemView::SelectRows);
    summary_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    summary_->setShowGrid(false);
    summary_->verticalHeader()->hide();
    summary_->horizontalHeader()->setHighlightSections(false);
    // Widths the user gives are the table's widths from then on.
    // The last column takes the width left over, so that the rows use the window's width; that
    // width is the window's, not one the user gave the column.
    summary_->horizontalHeader()->setStretchLastSection(true);
    connect(summary_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (sizing_ || size <= 0 || section == model_->columnCount() - 1)
                    return;
                columns_.field(model_->summaryColumn(section)).width = size;
                emit columnWidthsChanged();
            });

    detail_ = new QTreeWidget(this);
    detail_->setHeaderHidden(true);
    detail_->setColumnCount(1);
    detail_->setUniformRowHeights(true);
    detail_->setIndentation(14);
    // Which parts the user closed stays from frame to frame.
    connect(detail_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) {
        if (!fillingDetail_)
            collapsed_.insert(item->data(0, kKeyRole).toString());
    });
    connect(detail_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (!fillingDetail_)
            collapsed_.remove(item->data(0, kKeyRole).toString());
    });
    hexa_ = new QPlainTextEdit(this);
    hexa_->setReadOnly(true);
    hexa_->setLineWrapMode(QPlainTextEdit::NoWrap);
    hexa_->setVisible(showHexa);
    setViewFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(detail_);
    lower->addWidget(hexa_);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 2);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(summary_);
    split->addWidget(lower);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    // A V5 capture decoded as ISDN shows frames of SAPI 63 and TEI 116 that mean little: the
    // window says why, and how to see its V5 messages.
    v5Hint_ = new QLabel(tr("This is a V5 capture, decoded here as ISDN. To decode its V5 "
                            "messages, check \"V5.1/V5.2 Encapsulated\" in Protocol Setup "
                            "(LVT-60)."),
                         this);
    v5Hint_->setObjectName(QStringLiteral("v5Hint"));
    v5Hint_->setWordWrap(true);
    v5Hint_->setContentsMargins(6, 4, 6, 4);
    v5Hint_->setAutoFillBackground(true);
    QPalette hintColours = v5Hint_->palette();
    hintColours.setColor(QPalette::Window, palette().color(QPalette::ToolTipBase));
    hintColours.setColor(QPalette::WindowText, palette().color(QPalette::ToolTipText));
    v5Hint_->setPalette(hintColours);
    showV5Hint();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    filterBar_ = new FilterBar(this);
    connect(filterBar_, &FilterBar::applyAsked, this,
            [this](const QString &line) { applyFilterLine(line); });
    connect(filterBar_, &FilterBar::profileChosen, this, [this](const QString &name) {
        FilterCriteria criteria;
        if (!FilterFiles(filterFolder_).Load(FilterKind::OffLine, name.toStdString(), criteria)) {
            filterBar_->showError(tr("The profile %1 cannot be read").arg(name));
            return;
        }
        applyOffLineCriteria(*document_, criteria, causes_);
    });
    filterBar_->showLine(latin1(filterLine(offLineCriteria(*document_))));
    // The find bar beside it: a text of the summary, Enter for the next row holding it.
    findEdit_ = new QLineEdit(this);
    findEdit_->setObjectName(QStringLiteral("findText"));
    findEdit_->setClearButtonEnabled(true);
    findEdit_->setPlaceholderText(tr("Find in the summary (F3, Shift+F3)"));
    findEdit_->setMinimumWidth(fontMetrics().horizontalAdvance(findEdit_->placeholderText()) + 40);
    auto *findLabel = new QLabel(tr("F&ind:"), this);
    findLabel->setBuddy(findEdit_);
    auto *previous = new QToolButton(this);
    previous->setObjectName(QStringLiteral("findPrevious"));
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Find the previous row holding the text (Shift+F3)"));
    auto *next = new QToolButton(this);
    next->setObjectName(QStringLiteral("findNext"));
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Find the next row holding the text (F3)"));
    connect(findEdit_, &QLineEdit::returnPressed, this, [this] { findText(true); });
    connect(next, &QToolButton::clicked, this, [this] { findText(true); });
    connect(previous, &QToolButton::clicked, this, [this] { findText(false); });
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 4, 0);
    top->setSpacing(4);
    top->addWidget(filterBar_, 3);
    top->addWidget(findLabel);
    top->addWidget(findEdit_, 1);
    top->addWidget(previous);
    top->addWidget(next);
    layout->addWidget(v5Hint_);
    layout->addLayout(top);
    layout->addWidget(split);

    watchSelection();
    updateTitle();
    // New filters change the rows; the document then shows its current frame again.
    document_->onFiltersApplied = [this] {
        model_->refilter();
        updateTitle();
        filterBar_->showLine(latin1(filterLine(offLineCriteria(*document_))));
        emit shownCountChanged();
    };
    document_->onFrameShown = [this](std::uint32_t frame, bool selectInSummary) {
        if (selectInSummary && static_cast<std::uint32_t>(selectedFrame()) != frame &&
            (!model_->decided(frame) || model_->rowOf(frame) >= 0))
            selectFrame(static_cast<int>(frame));
    };
    connect(detail_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!fillingDetail_)
            selectDetailRow(static_cast<int>(detailItems_.indexOf(item)));
    });
    // A click on an octet of the trace selects the field it belongs to.
    hexa_->viewport()->installEventFilter(this);
    // While the thumb is dragged a box beside it names the frame it stands for.
    summary_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    QScrollBar *bar = summary_->verticalScrollBar();
    connect(bar, &QScrollBar::sliderMoved, this, [this, bar](int value) {
        const QPoint at =
            bar->mapToGlobal(QPoint(-4, bar->height() * (value - bar->minimum()) /
                                            std::max(1, bar->maximum() - bar->minimum())));
        QToolTip::showText(at - QPoint(fontMetrics().horizontalAdvance(thumbText(value)) + 16, 0),
                           thumbText(value), bar);
    });
    connect(bar, &QScrollBar::sliderReleased, this, [] { QToolTip::hideText(); });
    finder_ = std::make_unique<SummaryFinder>(columns);
    summary_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(summary_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { summaryMenu(at); });
    detail_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(detail_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { detailMenu(at); });
    hexa_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(hexa_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { traceMenu(at); });
}

QString CaptureWindow::copyText(CopyFrom from) const {
    QStringList lines;
    switch (from) {
    case CopyFrom::Detail: {
        const QTreeWidgetItem *chosen = detail_->currentItem();
        const QStringList texts = detailTexts();
        if (!chosen)
            return texts.join(QLatin1Char('\n'));
        // The line and those under it, indented from the line's own depth.
        const int first = static_cast<int>(detailItems_.indexOf(chosen));
        const auto depthOf = [](const QString &text) {
            return static_cast<int>(text.size() - text.trimmed().size());
        };
        const int depth = depthOf(texts[first]);
        lines << texts[first].mid(depth);
        for (int i = first + 1; i < texts.size() && depthOf(texts[i]) > depth; ++i)
            lines << texts[i].mid(depth);
        break;
    }
    case CopyFrom::Trace: {
        const QString selected = hexa_->textCursor().selectedText();
        return selected.isEmpty()
                   ? hexa_->toPlainText()
                   : QString(selected).replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    case CopyFrom::Summary: {
        QStringList headings;
        for (int c = 0; c < model_->columnCount(); ++c)
            headings << model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        lines << headings.join(QLatin1Char('\t'));
        QModelIndexList rows = summary_->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
        for (const QModelIndex &row : rows) {
            QStringList cells;
            for (int c = 0; c < model_->columnCount(); ++c)
                cells << model_->index(row.row(), c).data().toString().trimmed();
            lines << cells.join(QLatin1Char('\t'));
        }
        break;
    }
    }
    return lines.join(QLatin1Char('\n'));
}

QString CaptureWindow::frameHex() const {
    const CDecoder *decoder = document_->decoder();
    if (!decoder)
        return {};
    QStringList octets;
    std::string hex, ascii;
    for (int line = 0; decoder->hexaLine(line, hex, ascii) > 0; ++line)
        octets << QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())).trimmed();
    return octets.join(QLatin1Char(' '));
}

void CaptureWindow::copySelected() {
    const QWidget *focus = QApplication::focusWidget();
    const CopyFrom from =
        focus && (focus == detail_ || detail_->isAncestorOf(focus)) ? CopyFrom::Detail
        : focus && (focus == hexa_ || hexa_->isAncestorOf(focus))   ? CopyFrom::Trace
                                                                    : CopyFrom::Summary;
    QGuiApplication::clipboard()->setText(copyText(from));
}

std::string CaptureWindow::detailFilterTerm(const QTreeWidgetItem *item) const {
    const CDecoder *decoder = document_->decoder();
    if (!item || !decoder)
        return {};
    // The lines whose values the filter can select, by what they start with; a number's digits
    // stand for their element.
    QString text = item->text(0);
    if (text.startsWith(QLatin1String("Digits")) && item->parent())
        text = item->parent()->text(0);
    static constexpr std::pair<const char *, FrameValue> kFilterable[] = {
        {"Direction:", FrameValue::Direction},
        {"SAPI ", FrameValue::Sapi},
        {"TEI (", FrameValue::Tei},
        {"Call Reference Value:", FrameValue::CallRef},
        {"Message Type:", FrameValue::Message},
        {"Cause", FrameValue::Cause},
        {"Calling party number", FrameValue::Calling},
        {"Called party number", FrameValue::Called},
    };
    for (const auto &[start, value] : kFilterable)
        if (text.startsWith(QLatin1String(start)))
            return filterTermFor(value, decoder->frame(), decoder->LayerCategory());
    return {};
}

bool CaptureWindow::filterOnDetailLine(int row, bool add) {
    if (row < 0 || row >= detailItems_.size())
        return false;
    const std::string term = detailFilterTerm(detailItems_[row]);
    if (term.empty())
        return false;
    applyTerm(term, add);
    return true;
}

void CaptureWindow::applyTerm(const std::string &term, bool add) {
    if (term.empty())
        return;
    const std::string line =
        add ? withFilterTerm(filterLine(offLineCriteria(*document_)), term) : term;
    filterBar_->showLine(latin1(line));
    applyFilterLine(latin1(line));
}

void CaptureWindow::detailMenu(const QPoint &at) {
    QTreeWidgetItem *item = detail_->itemAt(at);
    if (item)
        detail_->setCurrentItem(item);
    QMenu menu(this);
    auto copy = [this](CopyFrom from, bool all) {
        if (all)
            detail_->setCurrentItem(nullptr);
        QGuiApplication::clipboard()->setText(copyText(from));
    };
    menu.addAction(tr("Copy"), this, [copy] { copy(CopyFrom::Detail, false); })
        ->setEnabled(item != nullptr);
    menu.addAction(tr("Copy All"), this, [copy] { copy(CopyFrom::Detail, true); });
    menu.addSeparator();
    const std::string term = detailFilterTerm(item);
    menu.addAction(tr("Filter on this value"), this, [this, term] { applyTerm(term, false); })
        ->setEnabled(!term.empty());
    menu.addAction(tr("Add to filter"), this, [this, term] { applyTerm(term, true); })
        ->setEnabled(!term.empty());
    menu.addSeparator();
    menu.addAction(tr("Expand All"), detail_, &QTreeWidget::expandAll);
    menu.addAction(tr("Collapse All"), detail_, &QTreeWidget::collapseAll);
    menu.exec(detail_->viewport()->mapToGlobal(at));
}

void CaptureWindow::traceMenu(const QPoint &at) {
    QMenu menu(this);
    menu.addAction(tr("Copy"), this,
                   [this] { QGuiApplication::clipboard()->setText(copyText(CopyFrom::Trace)); });
    menu.addAction(tr("Copy Octets as Hex"), this,
                   [this] { QGuiApplication::clipboard()->setText(frameHex()); });
    menu.exec(hexa_->viewport()->mapToGlobal(at));
}

void CaptureWindow::setFilterContext(const std::string &folder, const CauseList *causes,
                                     Settings *settings) {
    filterFolder_ = folder;
    causes_ = causes;
    settings_ = settings;
    filterBar_->setContext(folder, causes, settings);
}

bool CaptureWindow::applyFilterLine(const QString &line) {
    const QByteArray text = line.trimmed().toLatin1();
    const FilterLineResult read = parseFilterLine(text.toStdString(), causes_);
    if (!read.criteria) {
        const QString term = latin1(read.error.term);
        QString why;
        switch (read.error.kind) {
        case FilterLineError::UnknownKey:
            why = tr("Unknown key in \"%1\"").arg(term);
            break;
        case FilterLineError::BadValue:
            why = tr("Value not allowed in \"%1\"").arg(term);
            break;
        case FilterLineError::NoValue:
            why = tr("No value in \"%1\": write key=value").arg(term);
            break;
        case FilterLineError::OpenQuote:
            why = tr("A quote is not closed in \"%1\"").arg(term);
            break;
        case FilterLineError::NeedsLayer2:
            why =
                tr("\"%1\" applies to layer 2: show layer 2 too (layer=2 or layer=2,3)").arg(term);
            break;
        case FilterLineError::Repeated:
            why = tr("\"%1\" gives a key a second time").arg(term);
            break;
        }
        filterBar_->showError(why);
        emit statusMessage(why);
        return false;
    }
    // What the line cannot say (set in the filter sheet) stays as it is.
    FilterCriteria criteria = *read.criteria;
    const FilterCriteria current = offLineCriteria(*document_);
    criteria.l3Address = current.l3Address;
    criteria.nuiSet = current.nuiSet;
    if (settings_ && !text.isEmpty())
        settings_->rememberFilterLine(text.toStdString());
    if (criteria == current) {
        filterBar_->showLine(latin1(filterLine(current)));
        return true;
    }
    applyOffLineCriteria(*document_, criteria, causes_);
    return true;
}

std::string CaptureWindow::cellFilterTerm(int section) const {
    // The summary columns whose values the filter can select.
    static constexpr std::pair<int, FrameValue> kFilterable[] = {
        {SummaryFieldTable::kDirectionColumn, FrameValue::Direction},
        {4, FrameValue::Layer},
        {5, FrameValue::Sapi},
        {8, FrameValue::Tei},
        {26, FrameValue::CallRef},
        {28, FrameValue::Message},
        {29, FrameValue::Calling},
        {30, FrameValue::Called},
        {35, FrameValue::Cause},
    };
    const int column = model_->summaryColumn(section);
    const CDecoder *decoder = document_->decoder();
    if (!decoder)
        return {};
    for (const auto &[filterable, value] : kFilterable)
        if (filterable == column)
            return filterTermFor(value, decoder->frame(), decoder->LayerCategory());
    return {};
}

bool CaptureWindow::filterOnCell(int row, int section, bool add) {
    if (row < 0 || row >= model_->rowCount() || section < 0 || section >= model_->columnCount())
        return false;
    selectFrame(static_cast<int>(model_->frameAt(row)));
    const std::string term = cellFilterTerm(section);
    if (term.empty())
        return false;
    const std::string line =
        add ? withFilterTerm(filterLine(offLineCriteria(*document_)), term) : term;
    filterBar_->showLine(latin1(line));
    return applyFilterLine(latin1(line));
}

void CaptureWindow::summaryMenu(const QPoint &at) {
    const QModelIndex index = summary_->indexAt(at);
    QMenu menu(this);
    if (index.isValid()) {
        // The row under the pointer becomes the current one, as a click would make it.
        if (!summary_->selectionModel()->isRowSelected(index.row(), {}))
            selectFrame(static_cast<int>(model_->frameAt(index.row())));
        const bool filterable = !cellFilterTerm(index.column()).empty();
        const int row = index.row(), section = index.column();
        menu.addAction(tr("Filter on this value"), this,
                       [this, row, section] { filterOnCell(row, section, false); })
            ->setEnabled(filterable);
        menu.addAction(tr("Add to filter"), this,
                       [this, row, section] { filterOnCell(row, section, true); })
            ->setEnabled(filterable);
    }
    if (document_->filtersActive())
        menu.addAction(tr("Clear filter"), this, [this] { applyFilterLine(QString()); });
    if (index.isValid()) {
        menu.addSeparator();
        menu.addAction(tr("Copy"), this, [this] {
            QGuiApplication::clipboard()->setText(copyText(CopyFrom::Summary));
        });
    }
    if (!menu.isEmpty())
        menu.exec(summary_->viewport()->mapToGlobal(at));
}

QList<int> CaptureWindow::selectDetailRow(int row) {
    QTreeWidgetItem *item = row >= 0 && row < detailItems_.size() ? detailItems_[row] : nullptr;
    if (item && detail_->currentItem() != item) {
        fillingDetail_ = true;
        detail_->setCurrentItem(item);
        fillingDetail_ = false;
    }
    return item ? markOctets(item->data(0, kOffsetRole).toInt(), item->data(0, kCountRole).toInt())
                : markOctets(-1, 0);
}

int CaptureWindow::selectOctet(int octet) {
    // The field that says most about the octet: the fewest octets, the first of as few.
    int best = -1;
    int bestCount = 0;
    for (int row = 0; row < detailItems_.size(); ++row) {
        const QTreeWidgetItem *item = detailItems_[row];
        const int offset = item->data(0, kOffsetRole).toInt();
        const int count = item->data(0, kCountRole).toInt();
        if (offset < 0 || count <= 0 || octet < offset || octet >= offset + count)
            continue;
        if (best < 0 || count < bestCount) {
            best = row;
            bestCount = count;
        }
    }
    if (best < 0)
        return -1;
    // Its branch opens, so that it can be seen.
    for (QTreeWidgetItem *parent = detailItems_[best]->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    selectDetailRow(best);
    detail_->scrollToItem(detailItems_[best]);
    return best;
}

bool CaptureWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == hexa_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *click = static_cast<QMouseEvent *>(event);
        const QTextCursor at = hexa_->cursorForPosition(click->position().toPoint());
        const int column = at.positionInBlock();
        const int line = at.blockNumber();
        int inLine = -1;
        if (column >= kHexColumn && column < kHexColumn + 48)
            inLine = (column - kHexColumn) / 3;
        else if (column >= kAsciiColumn && column < kAsciiColumn + 16)
            inLine = column - kAsciiColumn;
        if (inLine >= 0)
            selectOctet(line * 16 + inLine);
    }
    return QWidget::eventFilter(watched, event);
}

QList<int> CaptureWindow::markOctets(int offset, int count) {
    QList<QTextEdit::ExtraSelection> marks;
    QList<int> marked;
    QTextCharFormat format;
    format.setBackground(palette().highlight());
    format.setForeground(palette().highlightedText());
    QTextDocument *text = hexa_->document();
    for (int k = 0; offset >= 0 && k < count; ++k) {
        const int octet = offset + k;
        const QTextBlock block = text->findBlockByNumber(octet / 16);
        if (!block.isValid() || block.length() <= kAsciiColumn + octet % 16)
            break; // past the end of the trace
        marked << octet;
        for (const auto &[column, width] : {std::pair{kHexColumn + 3 * (octet % 16) + 1, 2},
                                            std::pair{kAsciiColumn + octet % 16, 1}}) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.cursor.setPosition(block.position() + column);
            mark.cursor.setPosition(block.position() + column + width, QTextCursor::KeepAnchor);
            mark.format = format;
            marks << mark;
        }
    }
    hexa_->setExtraSelections(marks);
    traceMark_ = marked.isEmpty() ? -1 : marked.front();
    if (!marks.isEmpty())
        hexa_->setTextCursor(QTextCursor(marks.front().cursor.block()));
    return marked;
}

void CaptureWindow::sizeColumns() {
    sizing_ = true;
    // Columns as wide as their texts, and never narrower than the table's width in characters.
    summary_->resizeColumnsToContents();
    const int charWidth = QFontMetrics(summary_->font()).horizontalAdvance(QLatin1Char('0'));
    for (int section = 0; section < model_->columnCount(); ++section) {
        const int column = model_->summaryColumn(section);
        const int least = charWidth * (SummaryFieldTable::defaultChars(column) + 2);
        if (summary_->columnWidth(section) < least)
            summary_->setColumnWidth(section, least);
    }
    sizing_ = false;
}

void CaptureWindow::setViewFont(const QFont &font) {
    summary_->setFont(font);
    summary_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    detail_->setFont(font);
    hexa_->setFont(font);
    // The trace is as wide as its lines: offset, sixteen octets and their text, which the TAB
    // before it sets one blank apart.
    const QFontMetrics metrics(font);
    hexa_->setTabStopDistance(2 * metrics.horizontalAdvance(QLatin1Char(' ')));
    hexa_->setMinimumWidth(
        metrics.horizontalAdvance(QString(kAsciiColumn + 16 + 1, QLatin1Char('0'))) +
        hexa_->verticalScrollBar()->sizeHint().width() + 4 * hexa_->frameWidth() +
        static_cast<int>(hexa_->document()->documentMargin() * 2));
    sizeColumns();
}

void CaptureWindow::showV5Hint() {
    const DecodableObject *capture = document_->decodable();
    v5Hint_->setVisible(capture && capture->isV5Capture() &&
                        capture->decoderKind() != DecoderKind::V5);
}

void CaptureWindow::decodingChanged() {
    showV5Hint();
    refreshSummary();
}

void CaptureWindow::setHexaShown(bool shown) {
    hexa_->setVisible(shown);
}

void CaptureWindow::watchSelection() {
    connect(summary_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                // A row chosen now replaces one still waiting for the scan.
                pendingFrame_ = -1;
                showFrame(static_cast<int>(model_->frameAt(current.row())));
            });
    connect(model_, &FilteredRowsModel::scanAdvanced, this, [this] {
        if (pendingFrame_ >= 0 && model_->decided(static_cast<std::uint32_t>(pendingFrame_))) {
            const int frame = static_cast<int>(pendingFrame_);
            pendingFrame_ = -1;
            selectFrame(frame);
        }
        emit shownCountChanged();
    });
    emit shownCountChanged();
}

QString CaptureWindow::shownCountText() const {
    const QLocale locale;
    const QString text = tr("Displayed %1 of %2")
                             .arg(locale.toString(model_->rowCount()),
                                  locale.toString(static_cast<qulonglong>(model_->totalItems())));
    if (!model_->scanning())
        return text;
    return tr("%1 (scanning... %2%)").arg(text).arg(static_cast<int>(model_->scanFraction() * 100));
}

bool CaptureWindow::scanning() const {
    return model_->scanning();
}

void CaptureWindow::refreshSummary() {
    const bool hadCurrent = summary_->selectionModel()->currentIndex().isValid();
    const int current = selectedFrame();
    const std::vector<std::uint32_t> selected = selectedFrames();
    // The rows keep their texts and colours once made: a new model makes them again.
    SummaryModel *old = model_;
    QItemSelectionModel *oldSelection = summary_->selectionModel();
    model_ = new SummaryModel(*document_, columns_, colours_, this);
    sizing_ = true;
    summary_->setModel(model_);
    sizing_ = false;
    delete oldSelection;
    delete old;
    watchSelection();
    sizeColumns();
    // Under filters the rows come from a scan: rows it has found keep their selection, and the
    // current frame is selected again once the scan reaches it.
    for (std::uint32_t frame : selected)
        if (const int row = model_->rowOf(frame); row >= 0)
            summary_->selectionModel()->select(
                model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!hadCurrent)
        return;
    if (!model_->decided(static_cast<std::uint32_t>(current))) {
        pendingFrame_ = current;
        return;
    }
    const int row = model_->rowOf(static_cast<std::uint32_t>(current));
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    summary_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select |
                                                           QItemSelectionModel::Rows);
    summary_->scrollTo(index);
}

QString CaptureWindow::thumbText(int value) const {
    // One scroll step per row: the value is the top row's frame index.
    const int rows = model_->rowCount();
    const int row = rows == 0 ? 0 : std::clamp(value, 0, rows - 1);
    return tr("Frame %1").arg(model_->frameAt(row) + 1);
}

void CaptureWindow::goToTypedFrame() {
    const int count = static_cast<int>(document_->frameCount());
    if (count == 0)
        return;
    bool ok = false;
    const int number = QInputDialog::getInt(this, tr("Go to Frame"), tr("Frame number:"),
                                            selectedFrame() + 1, 1, count, 1, &ok);
    if (ok)
        goToFrameNumber(number);
}

void CaptureWindow::goToFrameNumber(int number) {
    const auto frame = static_cast<std::uint32_t>(number - 1);
    if (model_->decided(frame) && model_->rowOf(frame) >= 0) {
        selectFrame(static_cast<int>(frame));
        return;
    }
    // Hidden by the filters, or not reached by the scan yet: the document knows, and asks
    // whether to go to the nearest frame shown. A frame the scan has yet to reach is selected
    // when it does.
    if (document_->reachFrame(frame, false))
        selectFrame(static_cast<int>(document_->currentFrame()));
}

void CaptureWindow::updateTitle() {
    QString title = QString::fromStdString(document_->pathName());
    if (document_->filtersActive())
        title += tr(" - Active Filters ");
    setWindowTitle(title);
}

QString CaptureWindow::findInTrace(const QString &text, bool hexadecimal, bool forward,
                                   UserMessages &messages) {
    auto show = [&](const char *message, MessageIcon icon) {
        messages.show(message, kProgramCaption, icon);
        return QString::fromLatin1(message);
    };
    std::vector<std::uint8_t> pattern;
    if (hexadecimal) {
        std::optional<std::vector<std::uint8_t>> octets =
            parseHexOctets(text.toLatin1().toStdString());
        if (!octets)
            return show(kMsgWrongHexValue, MessageIcon::Exclamation);
        pattern = std::move(*octets);
    } else {
        const QByteArray bytes = text.toLatin1();
        pattern.assign(bytes.begin(), bytes.end());
    }
    const CDecoder *decoder = document_->decoder();
    const int from = traceMark_ < 0 ? (forward ? 0 : 1 << 20) : traceMark_ + (forward ? 1 : -1);
    const int at =
        decoder && !pattern.empty()
            ? findOctets(decoder->traceData(), decoder->traceLength(), pattern, from, forward)
            : -1;
    if (at < 0)
        return show(hexadecimal ? kMsgHexNotFound : kMsgAsciiNotFound, MessageIcon::Information);
    markOctets(at, static_cast<int>(pattern.size()));
    traceMark_ = at;
    // A hit is told in the status bar, so that the dialog keeps the focus.
    const QString found = QString::fromLatin1(hexadecimal ? kMsgHexFound : kMsgAsciiFound);
    emit statusMessage(found);
    return found;
}

std::vector<std::uint32_t> CaptureWindow::selectedFrames() const {
    std::vector<std::uint32_t> frames;
    for (const QModelIndex &row : summary_->selectionModel()->selectedRows())
        frames.push_back(model_->frameAt(row.row()));
    std::sort(frames.begin(), frames.end());
    return frames;
}

bool CaptureWindow::print(const PrintRequest &request, UserMessages &messages, QPrinter *printer) {
    // The frames: one range, or the runs of the selection.
    std::vector<PrintRange> ranges;
    if (request.choice == PrintChoice::Selection) {
        for (std::uint32_t frame : selectedFrames()) {
            if (!ranges.empty() && ranges.back().last + 1 == frame)
                ranges.back().last = frame;
            else
                ranges.push_back({frame, frame});
        }
    } else {
        PrintRange range;
        if (!document_->printRange(request.choice, request.from, request.to, range))
            return false;
        ranges.push_back(range);
    }
    if (ranges.empty())
        return false;
    QStringList header;
    if (request.fileHeader)
        for (const std::string &line : fileHeaderLines(*document_))
            header << latin1(line);
    QString comment;
    if (request.comment) {
        // The comment being edited, else the capture's notes without the generated default.
        if (comment_.window())
            comment = comment_.window()->text();
        else if (DecodableObject *decodable = document_->decodable())
            comment = latin1(decodable->notes(false)).remove(QLatin1Char('\r'));
    }
    // Building and drawing a large print takes a while: both show their progress and can be
    // cancelled, and a cancelled print says nothing more. The lines are made in the background
    // from a source of their own, and a text file is written there too; pages are drawn here.
    struct Built {
        PrintDocument print;
        bool outOfMemory = false;
        bool written = false;
    };
    const bool toText = request.output == PrintOutput::Text;
    const std::optional<Built> built = runInBackground(
        this, tr("Printing frames..."),
        [setup = FrameSource::setupOf(*document_), &columns = columns_, ranges, kind = request.kind,
         toText, path = request.path, header, comment](JobControl &control) mutable {
            Built out;
            FrameSource source(std::move(setup));
            try {
                for (const PrintRange &range : ranges) {
                    PrintDocument part =
                        buildPrint(source, columns, range, kind, control.progress());
                    if (part.cancelled)
                        return out;
                    out.print.title = part.title;
                    // A summary's column heading is printed once.
                    const std::size_t skip =
                        kind == PrintKind::Summary && !out.print.blocks.empty() ? 1 : 0;
                    out.print.blocks.insert(
                        out.print.blocks.end(),
                        std::make_move_iterator(part.blocks.begin() +
                                                std::min(skip, part.blocks.size())),
                        std::make_move_iterator(part.blocks.end()));
                }
                if (toText && !control.cancelled()) {
                    out.written = writePrintText(path, header, comment, out.print);
                    // A long print is let go here rather than by the window's thread.
                    out.print = PrintDocument{};
                }
            } catch (const std::bad_alloc &) {
                out = Built{};
                out.outOfMemory = true;
            }
            return out;
        });
    if (!built)
        return false;
    if (built->outOfMemory) {
        messages.show(kMsgPrintMemory, kErrorMessageCaption, MessageIcon::Error);
        return false;
    }
    auto cannotOpen = [&messages] {
        messages.show(kMsgPrintFileNotOpened, kErrorMessageCaption, MessageIcon::Error);
    };
    if (toText) {
        if (!built->written)
            cannotOpen();
        return built->written;
    }
    PrintProgress progress(this, tr("Printing frames..."), 1);
    return sendPrint(request, printer, QString::fromStdString(document_->pathName()), header,
                     comment, built->print, progress.phase(0), cannotOpen);
}

void CaptureWindow::printWithDialog(UserMessages &messages, QPrinter &printer) {
    PrintDialog dialog(PrintSubject::Frames, document_->frameCount(), document_->currentFrame(),
                       !selectedFrames().empty(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintRequest request = dialog.request();
    if (request.output == PrintOutput::Printer) {
        QPrintDialog choose(&printer, this);
        if (choose.exec() != QDialog::Accepted)
            return;
        print(request, messages, &printer);
        return;
    }
    print(request, messages);
}

CommentWindow *CaptureWindow::openComment() {
    return comment_.open(this, childHost_, [this](QWidget *parent) {
        CommentText text{
            document_->commentForEditor(), CommentWindow::kMaxCharacters, false,
            [this](const std::string &stored) { return document_->saveComment(stored); }};
        return new CommentWindow(std::move(text), CommentWindow::tr("Comment for ") + windowTitle(),
                                 parent);
    });
}

void CaptureWindow::closeEvent(QCloseEvent *event) {
    event->setAccepted(comment_.close(this));
}

int CaptureWindow::selectedFrame() const {
    const QModelIndex current = summary_->selectionModel()->currentIndex();
    return current.isValid() ? static_cast<int>(model_->frameAt(current.row())) : 0;
}

QString CaptureWindow::findText(bool forward) {
    const QString text = findEdit_->text().trimmed();
    if (text.isEmpty())
        return QString();
    FindQuery query;
    query.criterion = FindCriterion::SummaryText;
    query.text = text.toLatin1().toStdString();
    query.forward = forward;
    // Without a place for the boxes, they are kept and shown by nobody.
    static RecordingUserMessages unseen;
    return runFind(query, findMessages_ ? *findMessages_ : unseen);
}

QString CaptureWindow::findAgain(bool forward, UserMessages &messages) {
    if (!lastFind_)
        return QString();
    FindQuery query = *lastFind_;
    query.forward = forward;
    return runFind(query, messages);
}

QString CaptureWindow::runFind(const FindQuery &query, UserMessages &messages) {
    lastFind_ = query;
    using State = SummaryFinder::State;
    SummaryFinder &finder = *finder_;
    auto show = [&](const std::string &text) {
        messages.show(text, kProgramCaption, MessageIcon::Information);
        return QString::fromStdString(text);
    };
    // Find Next pressed again while a find runs.
    if (finding_)
        return QString();
    finding_ = true;
    emit statusMessage(QString::fromLatin1(kMsgFindRunning));
    // The search, wraps included, reads a source of its own; the hit is shown here.
    FrameSource source(FrameSource::setupOf(*document_));
    const std::uint32_t from = static_cast<std::uint32_t>(selectedFrame());
    bool started = false;
    bool refused = false;
    auto search = [&](JobControl &control) {
        if (!started) {
            if (!source.open())
                return State::Failed;
            started = true;
            if (!finder.start(source.capture(), query, from)) {
                refused = true;
                return finder.state();
            }
        }
        const std::uint32_t count = source.frameCount();
        std::uint64_t searched = 0;
        while (finder.step() == State::Running) {
            searched += kFindSliceFrames;
            if (!control.update(searched, count)) {
                finder.stop();
                break;
            }
        }
        return finder.state();
    };
    QString shown;
    for (;;) {
        const std::optional<State> state = runInBackground(this, tr("Find"), search);
        if (!state || *state == State::Idle)
            break;
        if (*state == State::ReachedEnd) {
            if (messages.ask(finder.text(), kProgramCaption, MessageButtons::YesNo,
                             MessageAnswer::Yes) != MessageAnswer::Yes) {
                finder.stop();
                break;
            }
            finder.wrap();
            continue;
        }
        if (*state == State::Found) {
            // A hit is told in the status bar: no box to click away, and the find dialog keeps
            // the focus for the next Find Next.
            document_->goToFrame(finder.hit().frame, true);
            selectFrame(static_cast<int>(finder.hit().frame));
            shown = QString::fromStdString(finder.text());
            break;
        }
        shown = show(refused || started ? finder.text() : std::string(kMsgFindError));
        break;
    }
    finding_ = false;
    emit statusMessage(finder.state() == State::Found ? shown : QString());
    return shown;
}

CaptureWindow::~CaptureWindow() {
    comment_.destroy(this);
}

void CaptureWindow::selectFrame(int frame) {
    if (frame < 0)
        return;
    if (!model_->decided(static_cast<std::uint32_t>(frame))) {
        // The detail shows it now, the summary when the scan has found its row.
        showFrame(frame);
        pendingFrame_ = frame;
        return;
    }
    const int row = model_->rowOf(static_cast<std::uint32_t>(frame));
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    summary_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    summary_->scrollTo(index);
}

const QAbstractItemModel *CaptureWindow::summaryModel() const {
    return model_;
}

QStringList CaptureWindow::detailTexts() const {
    QStringList texts;
    for (const QTreeWidgetItem *item : detailItems_) {
        int depth = 0;
        for (const QTreeWidgetItem *up = item->parent(); up; up = up->parent())
            ++depth;
        texts << QString(2 * depth, QLatin1Char(' ')) + item->text(0);
    }
    return texts;
}

QString CaptureWindow::hexaText() const {
    return hexa_->toPlainText();
}

void CaptureWindow::showFrame(int frame) {
    fillingDetail_ = true;
    detail_->clear();
    detailItems_.clear();
    fillingDetail_ = false;
    hexa_->clear();
    traceMark_ = -1;
    if (!document_->goToFrame(static_cast<std::uint32_t>(frame)))
        return;
    CDecoder &decoder = *document_->decoder();
    if (decoder.Format_Detail(DetailOptions{}) < 0)
        return;
    const DetailTree tree(decoder.detailLines());
    fillingDetail_ = true;
    QFont bold = detail_->font();
    bold.setBold(true);
    // A bad frame says so in red, whatever the colours.
    const bool bad = badFrame(decoder);
    const std::function<void(std::size_t, QTreeWidgetItem *, const QString &)> add =
        [&](std::size_t node, QTreeWidgetItem *parent, const QString &parentKey) {
            for (const std::size_t child : tree[node].children) {
                const DetailNode &n = tree[child];
                auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(detail_);
                item->setText(0, latin1(tree.text(child)));
                item->setData(0, kOffsetRole, n.offset);
                item->setData(0, kCountRole, static_cast<int>(n.bytes));
                const QString key = parentKey + QLatin1Char('/') +
                                    latin1(n.isHeading()           ? n.heading
                                           : tree.isElement(child) ? n.value
                                                                   : n.field);
                item->setData(0, kKeyRole, key);
                if (n.isHeading())
                    item->setFont(0, bold);
                if (colours_.usesColours()) {
                    const Rgb &rgb = colours_.textColour(n.colour);
                    item->setForeground(0, QColor(rgb.red, rgb.green, rgb.blue));
                }
                if (bad && (n.field == "Decode Status" || n.field == "Frame Check Sequence (FCS)"))
                    item->setForeground(0, QColor(0xC0, 0, 0));
                detailItems_.push_back(item);
                add(child, item, key);
                item->setExpanded(!collapsed_.contains(key));
            }
        };
    add(DetailTree::kRoot, nullptr, QString());
    fillingDetail_ = false;
    hexa_->setPlainText(QString::fromLatin1(hexaTrace(decoder, "\n").c_str()));
}

std::string CaptureWindow::suggestedCopyName() const {
    return document_->pathName();
}

QString CaptureWindow::copyFilter() const {
    return QCoreApplication::translate("qv::MainWindow", "LVT-30/60 files(*.lvt);;All files (*)");
}

bool CaptureWindow::saveCopy(const std::string &path, UserMessages &) {
    return document_->saveAs(path);
}

void CaptureWindow::editFilters(const std::string &filterFolder, const CauseList *causes,
                                UserMessages &messages) {
    editOffLineFilters(*document_, filterFolder, causes, messages, this);
}

bool CaptureWindow::showFramePanes() {
    document_->showFrameStatus(document_->currentFrame());
    return true;
}

} // namespace qv
