#pragma once
// The expert information of a capture: the warnings of the layer-2 link analysis as a list,
// with their severity as an icon and a colour; a double-click shows the frame in the capture
// window.
#include <QPointer>
#include <QWidget>

#include <vector>

#include "analysis/LinkAnalysis.h"

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

    const QTreeView *list() const { return list_; }
    QString summaryText() const;
    // Wide enough for the texts of the warnings.
    QSize sizeHint() const override { return {900, 400}; }
    // Shows the frame of row in the capture window, as a double-click on the row does.
    void activateRow(int row);

private:
    QPointer<CaptureWindow> capture_;
    std::vector<ExpertItem> items_;
    QTreeView *list_ = nullptr;
    QLabel *summary_ = nullptr;
    bool complete_ = false;
};

} // namespace qv
