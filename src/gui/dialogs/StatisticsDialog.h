#pragma once
// The statistics of a capture in a dialog: the capture's span and rate, then one tab per table
// (layers, frame types, messages, causes, data links, directions, errors).
#include <QDialog>

class QTabWidget;

namespace qv {

class Statistics;

class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    StatisticsDialog(const Statistics &statistics, const QString &title, QWidget *parent = nullptr);

    const QTabWidget *tabs() const { return tabs_; }
    // Room for every tab's title and the widest table.
    QSize sizeHint() const override { return {760, 420}; }

private:
    QTabWidget *tabs_ = nullptr;
};

} // namespace qv
