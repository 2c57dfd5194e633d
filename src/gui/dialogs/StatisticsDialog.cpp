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

QWidget *tableTab(const StatisticsTable &table) {
    auto *widget = new QTableWidget(static_cast<int>(table.rows.size()),
                                    static_cast<int>(table.headings.size()));
    QStringList headings;
    for (const std::string &h : table.headings)
        headings << text(h);
    widget->setHorizontalHeaderLabels(headings);
    widget->setObjectName(QString::fromStdString(table.key));
    widget->verticalHeader()->hide();
    widget->verticalHeader()->setDefaultSectionSize(widget->fontMetrics().height() + 6);
    widget->setAlternatingRowColors(true);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int last = static_cast<int>(table.headings.size()) - 1;
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const StatisticsTable::Row &row = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < last && c < static_cast<int>(row.cells.size()); ++c)
            widget->setItem(r, c,
                            new QTableWidgetItem(text(row.cells[static_cast<std::size_t>(c)])));
        auto *count = new QTableWidgetItem(QString::number(row.count));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        widget->setItem(r, last, count);
    }
    widget->resizeColumnsToContents();
    // The widest name takes the room, the counts stay beside it.
    if (last > 0)
        widget->horizontalHeader()->setSectionResizeMode(last - 1, QHeaderView::Stretch);
    return widget;
}

} // namespace

StatisticsDialog::StatisticsDialog(const Statistics &s, const QString &title, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(tr("Statistics - %1").arg(title));
    tabs_ = new QTabWidget(this);
    auto *capture = new QWidget;
    auto *form = new QFormLayout(capture);
    form->addRow(tr("Frames"), new QLabel(QString::number(s.frames())));
    form->addRow(tr("First frame"), new QLabel(text(s.firstTime())));
    form->addRow(tr("Last frame"), new QLabel(text(s.lastTime())));
    form->addRow(tr("Time span"),
                 new QLabel(tr("%1 s").arg(static_cast<double>(s.spanMs()) / 1000.0, 0, 'f', 3)));
    form->addRow(tr("Frame rate"), new QLabel(tr("%1 frames/s").arg(s.frameRate(), 0, 'f', 3)));
    tabs_->addTab(capture, tr("Capture"));
    for (const StatisticsTable &table : s.tables())
        tabs_->addTab(tableTab(table), text(table.title));
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
