#pragma once
// The call flow diagram of a call or of frames, drawn as the SVG writer lays it out: a click on
// an arrow selects its frame in the capture window; the diagram exports as SVG and PNG.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "analysis/CallFlow.h"

class QScrollArea;

namespace qv {

class CaptureWindow;

class FlowCanvas : public QWidget {
    Q_OBJECT
public:
    explicit FlowCanvas(const CallFlow &flow, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    // The arrow whose row holds y, or -1.
    int arrowAt(int y) const;
    int selectedArrow() const { return selected_; }
    void setSelectedArrow(int arrow);

signals:
    void arrowClicked(int arrow);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const CallFlow &flow_;
    int selected_ = -1;
};

class FlowWindow : public QWidget {
    Q_OBJECT
public:
    FlowWindow(CallFlow flow, CaptureWindow *capture, QWidget *parent = nullptr);

    const CallFlow &flow() const { return flow_; }
    FlowCanvas *canvas() const { return canvas_; }
    // Selects the frame of arrow in the capture window, as a click on it does.
    void activateArrow(int arrow);
    // The diagram as the SVG writer makes it, or as a picture of the canvas; false when the
    // file cannot be written.
    bool exportSvg(const QString &path) const;
    bool exportPng(const QString &path) const;

private:
    void askExport(bool svg);

    CallFlow flow_;
    QPointer<CaptureWindow> capture_;
    FlowCanvas *canvas_ = nullptr;
    QScrollArea *scroll_ = nullptr;
};

} // namespace qv
