#include "dialogs/StatisticsDialog.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/Statistics.h"

namespace qv {

namespace {

// The words of the statistics that are the same in every capture: table titles, column
// headings, layers and protocols. Anything else (message names, cause texts) stays as decoded.
constexpr const char *kWords[] = {
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Frames per layer"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer-2 frame types"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer-3 messages"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Causes"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Data links"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Directions"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Errors"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Frames"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Type"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Protocol"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Message"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Cause"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Text"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Direction"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Error"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Unknown"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 1 events"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 2 only"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 3 call control"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 3 X.25"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 3 TEI management"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Layer 3 V5"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Not decoded (bad status)"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "TEI management"),
    QT_TRANSLATE_NOOP("qv::StatisticsDialog", "Call control"),
};

QString text(const std::string &s) {
    for (const char *word : kWords)
        if (s == word)
            return QCoreApplication::translate("qv::StatisticsDialog", word);
    return QString::fromStdString(s);
}

const StatisticsTable kEmptyTable{};

QString percent(std::uint64_t count, std::uint64_t total) {
    return total == 0
               ? QString()
               : QStringLiteral("%1 %").arg(
                     100.0 * static_cast<double>(count) / static_cast<double>(total), 0, 'f', 1);
}

std::uint64_t totalOf(const StatisticsTable &table) {
    std::uint64_t total = 0;
    for (const StatisticsTable::Row &row : table.rows)
        total += row.count;
    return total;
}

// A table with its counts and their shares; with shown, the displayed frames' counts and shares
// beside them, row by row.
QWidget *tableTab(const StatisticsTable &table, const StatisticsTable *shown) {
    const int names = static_cast<int>(table.headings.size()) - 1;
    QStringList headings;
    for (int c = 0; c < names; ++c)
        headings << text(table.headings[static_cast<std::size_t>(c)]);
    headings << text(table.headings.back()) << QStringLiteral("%");
    if (shown)
        headings << StatisticsDialog::tr("Displayed") << QStringLiteral("%");
    auto *widget =
        new QTableWidget(static_cast<int>(table.rows.size()), static_cast<int>(headings.size()));
    widget->setHorizontalHeaderLabels(headings);
    widget->setObjectName(QString::fromStdString(table.key));
    widget->verticalHeader()->hide();
    widget->verticalHeader()->setDefaultSectionSize(widget->fontMetrics().height() + 6);
    widget->setAlternatingRowColors(true);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const std::uint64_t total = totalOf(table);
    const std::uint64_t shownTotal = shown ? totalOf(*shown) : 0;
    auto number = [](const QString &value) {
        auto *item = new QTableWidgetItem(value);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const StatisticsTable::Row &row = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < names && c < static_cast<int>(row.cells.size()); ++c)
            widget->setItem(r, c,
                            new QTableWidgetItem(text(row.cells[static_cast<std::size_t>(c)])));
        widget->setItem(r, names, number(QString::number(row.count)));
        widget->setItem(r, names + 1, number(percent(row.count, total)));
        if (shown) {
            std::uint64_t count = 0;
            for (const StatisticsTable::Row &other : shown->rows)
                if (other.cells == row.cells)
                    count = other.count;
            widget->setItem(r, names + 2, number(QString::number(count)));
            widget->setItem(r, names + 3, number(percent(count, shownTotal)));
        }
    }
    widget->resizeColumnsToContents();
    // The widest name takes the room, the counts stay beside it.
    if (names > 0)
        widget->horizontalHeader()->setSectionResizeMode(names - 1, QHeaderView::Stretch);
    return widget;
}

} // namespace

StatisticsDialog::StatisticsDialog(const Statistics &s, const QString &title, QWidget *parent,
                                   const Statistics *shown)
    : QDialog(parent) {
    setWindowTitle(tr("Statistics - %1").arg(title));
    tabs_ = new QTabWidget(this);
    auto *capture = new QWidget;
    auto *form = new QFormLayout(capture);
    form->addRow(tr("Frames"), new QLabel(QString::number(s.frames())));
    if (shown)
        form->addRow(tr("Displayed"), new QLabel(tr("%1 (%2 of all frames)")
                                                     .arg(shown->frames())
                                                     .arg(percent(shown->frames(), s.frames()))));
    form->addRow(tr("First frame"), new QLabel(text(s.firstTime())));
    form->addRow(tr("Last frame"), new QLabel(text(s.lastTime())));
    form->addRow(tr("Time span"),
                 new QLabel(tr("%1 s").arg(static_cast<double>(s.spanMs()) / 1000.0, 0, 'f', 3)));
    form->addRow(tr("Frame rate"), new QLabel(tr("%1 frames/s").arg(s.frameRate(), 0, 'f', 3)));
    tabs_->addTab(capture, tr("Capture"));
    const std::vector<StatisticsTable> shownTables =
        shown ? shown->tables() : std::vector<StatisticsTable>{};
    for (const StatisticsTable &table : s.tables()) {
        const StatisticsTable *same = nullptr;
        for (const StatisticsTable &other : shownTables)
            if (other.key == table.key)
                same = &other;
        tabs_->addTab(tableTab(table, shown ? (same ? same : &kEmptyTable) : nullptr),
                      text(table.title));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    // Every tab's title in sight.
    const QMargins margins = layout->contentsMargins();
    resize(std::max(sizeHint().width(),
                    tabs_->tabBar()->sizeHint().width() + margins.left() + margins.right() + 8),
           std::max(sizeHint().height(), 460));
}

} // namespace qv
