#pragma once
// The statistics of a capture in a dialog: the capture's span and rate, then one tab per table
// (layers, frame types, messages, causes, data links, directions, errors), each count with its
// share of the table; under filters, the frames displayed beside all frames.
#include <QDialog>

class QTabWidget;

namespace qv {

class Statistics;

class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    // shown: the statistics of the frames the filters display, when they hide some.
    StatisticsDialog(const Statistics &statistics, const QString &title, QWidget *parent = nullptr,
                     const Statistics *shown = nullptr);

    const QTabWidget *tabs() const { return tabs_; }
    // Room for every tab's title and the widest table.
    QSize sizeHint() const override { return {760, 420}; }

private:
    QTabWidget *tabs_ = nullptr;
};

} // namespace qv
