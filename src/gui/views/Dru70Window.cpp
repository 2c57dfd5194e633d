#include "views/Dru70Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "app/ColourTable.h"
#include "capture/CDru70Doc.h"
#include "capture/Dru70Columns.h"
#include "capture/Dru70Print.h"
#include "dialogs/Dru70FilterSheet.h"
#include "views/CommentWindow.h"
#include "views/Dru70EventModel.h"
#include "views/Dru70FindDialog.h"
#include "views/FramePrinter.h"
#include "views/PrintDialog.h"
#include "views/RecordTable.h"

namespace qv {

namespace {

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Dru70Window *Dru70Window::open(const std::string &path, UserMessages &messages,
                               DocumentStatus *status, const Registration &registration,
                               Dru70Columns &columns, const ColourTable &colours, bool startOnLast,
                               QWidget *parent) {
    auto documentMessages = std::make_unique<Dru70Messages>(messages);
    auto document = std::make_unique<CDru70Doc>(*documentMessages, status, registration);
    if (!document->Open(path, startOnLast))
        return nullptr;
    return new Dru70Window(std::move(documentMessages), std::move(document), columns, colours,
                           parent);
}

Dru70Window::Dru70Window(std::unique_ptr<Dru70Messages> messages,
                         std::unique_ptr<CDru70Doc> document, Dru70Columns &columns,
                         const ColourTable &colours, QWidget *parent)
    : QWidget(parent), messages_(std::move(messages)), document_(std::move(document)),
      columns_(columns), colours_(colours) {
    model_ = new Dru70EventModel(*document_, *messages_, columns_, colours_, this);
    // Widths the user gives are the layout's widths from then on.
    table_ = newRecordTable(this, QStringLiteral("events"), model_, [this](int section, int size) {
        if (sizing_)
            return;
        columns_.setWidth(model_->columnAt(section), size);
        emit columnWidthsChanged();
    });
    table_->setShowGrid(false);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table_->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);

    finder_ = std::make_unique<Dru70Finder>(*document_->reader(), columns_);
    setViewFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    watchSelection();
    updateTitle();
    selectEvent(document_->currentEvent());
}

Dru70Window::~Dru70Window() {
    comment_.destroy(this);
}

UserMessages &Dru70Window::user() {
    return messages_->user();
}

const QAbstractItemModel *Dru70Window::eventModel() const {
    return model_;
}

int Dru70Window::shownWidth(int column) const {
    const int section = model_->sectionOf(column);
    return section < 0 ? -1 : table_->columnWidth(section);
}

void Dru70Window::watchSelection() {
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    document_->goToEvent(model_->eventAt(current.row()));
            });
}

void Dru70Window::applyWidths() {
    sizing_ = true;
    for (int section = 0; section < model_->columnCount(); ++section)
        table_->setColumnWidth(section, columns_.width(model_->columnAt(section)));
    sizing_ = false;
}

void Dru70Window::setViewFont(const QFont &font) {
    table_->setFont(font);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    applyWidths();
}

void Dru70Window::remake(const std::function<void()> &change) {
    const bool hadCurrent = table_->selectionModel()->currentIndex().isValid();
    const std::uint32_t current = document_->currentEvent();
    const std::vector<std::uint32_t> selected = selectedEvents();
    sizing_ = true;
    change();
    sizing_ = false;
    applyWidths();
    QItemSelectionModel *selection = table_->selectionModel();
    for (std::uint32_t event : selected)
        if (const int row = model_->rowOf(event); row >= 0)
            selection->select(model_->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!hadCurrent)
        return;
    // A current event the rows no longer hold gives way to the nearest one they do.
    const int row = model_->nearestRow(current);
    if (row < 0) {
        document_->showEventStatus(document_->eventCount());
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    selection->setCurrentIndex(index, model_->eventAt(row) == current
                                          ? QItemSelectionModel::Select | QItemSelectionModel::Rows
                                          : QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

void Dru70Window::refreshColumns() {
    remake([this] {
        model_->takeColumns();
        foundEvent_ = -1;
    });
}

void Dru70Window::refreshRows() {
    model_->refreshRows();
}

void Dru70Window::updateTitle() {
    QString title = QString::fromStdString(document_->pathName());
    if (document_->reader() && document_->reader()->filter().IsActive())
        title += tr(" - Active Filters ");
    setWindowTitle(title);
}

void Dru70Window::selectEvent(std::uint32_t event) {
    const int row = model_->rowOf(event);
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

std::uint32_t Dru70Window::currentEvent() const {
    return document_->currentEvent();
}

std::vector<std::uint32_t> Dru70Window::selectedEvents() const {
    std::vector<std::uint32_t> events;
    for (const QModelIndex &row : table_->selectionModel()->selectedRows())
        events.push_back(model_->eventAt(row.row()));
    std::sort(events.begin(), events.end());
    return events;
}

bool Dru70Window::showFramePanes() {
    document_->showEventStatus(document_->currentEvent());
    return true;
}

bool Dru70Window::eventFilter(QObject *watched, QEvent *event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        findStopRequested_ = true;
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

Dru70FindDialog *Dru70Window::showFindDialog() {
    if (!findDialog_) {
        findDialog_ = new Dru70FindDialog(this);
        connect(findDialog_, &Dru70FindDialog::findNext, this, [this] {
            if (const std::optional<Dru70FindQuery> query = findDialog_->query())
                runFind(*query);
        });
    }
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
    return findDialog_;
}

QString Dru70Window::runFind(const Dru70FindQuery &query) {
    using State = Dru70Finder::State;
    // Find Next pressed again while a find runs (events are handled between slices).
    if (finding_ || !finder_->start(query, currentEvent()))
        return QString();
    finding_ = true;
    findStopRequested_ = false;
    emit statusMessage(tr("Press ESCAPE to stop the find function"));
    State state = State::Idle;
    {
        // The search reads every event it passes; the current one stays current meanwhile.
        Dru70Aside aside(*document_->reader(), *messages_);
        for (;;) {
            state = finder_->step();
            if (state == State::Running) {
                // Between slices the window takes its events: repaints, and Escape.
                QApplication::processEvents();
                if (findStopRequested_) {
                    finder_->stop();
                    state = State::Idle;
                    break;
                }
                continue;
            }
            if (state == State::ReachedEnd) {
                const QString question =
                    query.forward ? tr("Program has reached the last frame!\nDo you want to go to "
                                       "the first frame?")
                                  : tr("Program has reached the first frame!\nDo you want to go to "
                                       "the last frame?");
                if (user().ask(question.toStdString(), kProgramCaption, MessageButtons::YesNo,
                               MessageAnswer::Yes) != MessageAnswer::Yes) {
                    finder_->stop();
                    state = State::Idle;
                    break;
                }
                finder_->wrap();
                continue;
            }
            break;
        }
    }
    finding_ = false;
    emit statusMessage(QString());
    const bool byText = !query.text.empty();
    QString shown;
    if (state == State::Found) {
        selectEvent(finder_->hitEvent());
        foundEvent_ = finder_->hitEvent();
        model_->markFound(foundEvent_, finder_->hitColumn());
        const int hits = finder_->hits();
        if (byText)
            shown = hits == 1   ? tr("String found once")
                    : hits == 2 ? tr("String found twice")
                                : tr("String found %1 times").arg(hits);
        else
            shown = hits == 1   ? tr("Event found once")
                    : hits == 2 ? tr("Event found twice")
                                : tr("Event found %1 times").arg(hits);
    } else if (state == State::NotFound) {
        shown = byText ? tr("String not found!") : tr("Event not found!");
    }
    if (!shown.isEmpty())
        user().show(shown.toStdString(), kProgramCaption, MessageIcon::Information);
    return shown;
}

void Dru70Window::applyFilter(const Dru70EventFilter &filter) {
    remake([this, &filter] {
        document_->setFilter(filter);
        model_->refilter();
        foundEvent_ = -1;
    });
    updateTitle();
}

bool Dru70Window::editFilter(const std::string &filterFolder) {
    const CDru70Decode *reader = document_->reader();
    Dru70FilterSheet sheet(reader ? reader->filter() : Dru70EventFilter{},
                           FilterFiles(filterFolder), user(), this);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    applyFilter(sheet.filter());
    return true;
}

void Dru70Window::goToTypedEvent() {
    const std::uint32_t count = document_->eventCount();
    if (count == 0)
        return;
    bool ok = false;
    const int number =
        QInputDialog::getInt(this, tr("Go to Frame"), tr("Frame number:"),
                             static_cast<int>(std::min<std::uint32_t>(currentEvent() + 1, INT_MAX)),
                             1, static_cast<int>(std::min<std::uint32_t>(count, INT_MAX)), 1, &ok);
    if (ok)
        goToEventNumber(static_cast<std::uint32_t>(number));
}

void Dru70Window::goToEventNumber(std::uint32_t number) {
    if (number == 0 || number > document_->eventCount())
        return;
    const std::uint32_t event = number - 1;
    if (model_->rowOf(event) >= 0) {
        selectEvent(event);
        return;
    }
    if (user().ask(tr("This frame is suppressed by filtering\nDo you want to reach the nearest "
                      "frame")
                       .toStdString(),
                   kProgramCaption, MessageButtons::YesNo,
                   MessageAnswer::Yes) != MessageAnswer::Yes)
        return;
    if (const int row = model_->nearestRow(event); row >= 0)
        selectEvent(model_->eventAt(row));
}

bool Dru70Window::saveAs(const std::string &path) {
    if (!document_->saveAs(path))
        return false;
    updateTitle();
    if (comment_.window())
        comment_.window()->setWindowTitle(QString::fromStdString(document_->commentTitle()));
    return true;
}

QStringList Dru70Window::fileHeaderLines() const {
    QStringList lines;
    const CDru70Decode *reader = document_->reader();
    if (!reader)
        return lines;
    const CaptureInfo &i = reader->info();
    lines << tr("File : %1").arg(QString::fromStdString(document_->pathName()))
          << tr("Instrument : %1").arg(latin1(i.instrumentName))
          << tr("Serial number : %1").arg(latin1(i.displaySerial()))
          << tr("Versions : %1 %2").arg(latin1(i.firstVersion), latin1(i.secondVersion))
          << tr("Start : %1").arg(latin1(dateTimeText(i.start)))
          << tr("End : %1").arg(latin1(dateTimeText(i.end)))
          << tr("Events : %1").arg(document_->eventCount());
    return lines;
}

bool Dru70Window::print(const PrintRequest &request, QPrinter *printer) {
    CDru70Decode *reader = document_->reader();
    const std::uint32_t count = document_->eventCount();
    if (!reader || count == 0)
        return false;
    std::vector<Dru70PrintRange> ranges;
    switch (request.choice) {
    case PrintChoice::Selection:
        ranges = dru70Runs(selectedEvents());
        break;
    case PrintChoice::All:
        ranges.push_back({0, count - 1});
        break;
    case PrintChoice::CurrentToEnd:
        ranges.push_back({std::min(currentEvent(), count - 1), count - 1});
        break;
    case PrintChoice::Range:
        if (request.from < 1 || request.from > request.to || request.to > count) {
            user().show(tr("The events to print are numbered from 1 to %1, the first not after "
                           "the last.")
                            .arg(count)
                            .toStdString(),
                        kProgramCaption, MessageIcon::Exclamation);
            return false;
        }
        ranges.push_back({request.from - 1, request.to - 1});
        break;
    }
    if (ranges.empty())
        return false;

    // Building and drawing a large print takes a while: both show their progress and can be
    // cancelled, and a cancelled print says nothing more.
    PrintProgress progress(this, tr("Printing events..."), 2);
    const std::vector<int> columns = columns_.shownInDisplayOrder();
    std::vector<std::string> titles;
    for (int column : columns)
        titles.push_back(dru70ColumnTitle(column).toLatin1().toStdString());
    PrintDocument print;
    try {
        Dru70Aside aside(*reader, *messages_);
        print = buildDru70Print(*reader, columns, titles, ranges, progress.phase(0));
    } catch (const std::bad_alloc &) {
        user().error(tr("Insufficient memory to print frames\nPlease decrease the number of "
                        "frames")
                         .toStdString());
        return false;
    }
    if (print.cancelled)
        return false;

    const QStringList header = request.fileHeader ? fileHeaderLines() : QStringList();
    QString comment;
    if (request.comment) {
        // The comment being edited, else the file's note without the one made for it.
        if (comment_.window())
            comment = comment_.window()->text();
        else
            comment = latin1(reader->ReadNote(false)).remove(QLatin1Char('\r'));
    }
    return sendPrint(request, printer, QString::fromStdString(document_->pathName()), header,
                     comment, print, progress.phase(1), [this] {
                         user().error(tr("The printing file can not be opened").toStdString());
                     });
}

void Dru70Window::printWithDialog(QPrinter &printer) {
    PrintDialog dialog(PrintSubject::Events, document_->eventCount(), currentEvent(),
                       !selectedEvents().empty(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PrintRequest request = dialog.request();
    if (request.output == PrintOutput::Printer) {
        QPrintDialog choose(&printer, this);
        if (choose.exec() != QDialog::Accepted)
            return;
        print(request, &printer);
        return;
    }
    print(request);
}

CommentWindow *Dru70Window::openComment() {
    return comment_.open(this, childHost_, [this](QWidget *parent) {
        CommentText text{
            document_->commentForEditor(), static_cast<int>(CDru70Decode::kMaxNote), true,
            [this](const std::string &stored) { return document_->saveComment(stored); }};
        return new CommentWindow(std::move(text), QString::fromStdString(document_->commentTitle()),
                                 parent);
    });
}

void Dru70Window::closeEvent(QCloseEvent *event) {
    event->setAccepted(comment_.close(this));
}

std::string Dru70Window::suggestedCopyName() const {
    return document_->pathName();
}

QString Dru70Window::copyFilter() const {
    return QCoreApplication::translate("qv::MainWindow", "DRU-70 files(*.dru)");
}

} // namespace qv
