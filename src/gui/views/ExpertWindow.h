#pragma once
// The expert information of a capture: the findings of the analysis grouped by kind, each group
// with its count and worst severity, each finding with its severity as an icon and a colour;
// the list sorts by any column and shows the findings of a chosen severity and above, and a
// double-click shows the finding's frame in the capture window.
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QWidget>

#include <vector>

#include "analysis/LinkAnalysis.h"

class QComboBox;
class QLabel;
class QTreeView;

namespace qv {

class CaptureWindow;

class ExpertWindow : public QWidget {
    Q_OBJECT
public:
    // Analyses the whole capture of the window, whatever its filters show.
    // The analysis runs in the background.
    explicit ExpertWindow(CaptureWindow &capture, QWidget *parent = nullptr);
    // False when the user cancelled the analysis.
    bool complete() const { return complete_; }

    QTreeView *list() const { return list_; }
    QString summaryText() const;
    // Wide enough for the texts of the warnings.
    QSize sizeHint() const override { return {900, 400}; }
    // Shows the frame of finding number item (in frame order) in the capture window, as a
    // double-click on its row does.
    void activateRow(int item);
    // The findings shown: 0 all, 1 warnings and errors, 2 errors only.
    QComboBox *severityChoice() const { return severity_; }

private:
    // The findings of a severity and above, under their groups.
    class SeverityFilter : public QSortFilterProxyModel {
    public:
        explicit SeverityFilter(QObject *parent) : QSortFilterProxyModel(parent) {
            setRecursiveFilteringEnabled(true);
        }
        void setLeast(Severity least);

    protected:
        bool filterAcceptsRow(int row, const QModelIndex &parent) const override;

    private:
        Severity least_ = Severity::Note;
    };

    QPointer<CaptureWindow> capture_;
    std::vector<ExpertItem> items_;
    QTreeView *list_ = nullptr;
    QLabel *summary_ = nullptr;
    QComboBox *severity_ = nullptr;
    SeverityFilter *shown_ = nullptr;
    bool complete_ = false;
};

} // namespace qv
