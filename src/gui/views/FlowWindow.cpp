#include "views/FlowWindow.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "base/FileReplace.h"

#include "decode/DecodedFrame.h"
#include "views/CaptureWindow.h"

namespace qv {

namespace {

using L = CallFlowLayout;

const QColor kInk(0x1f, 0x3a, 0x5f);
const QColor kLight(0x9a, 0xa5, 0xb1);
const QColor kBand(0xf2, 0xf5, 0xf9);
const QColor kSelected(0xff, 0xee, 0xb0);

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

QFont mono(int pixels, bool bold = false) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void arrowHead(QPainter &p, QPointF tip, bool rightwards, const QColor &colour) {
    const double dx = rightwards ? -9 : 9;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip.x() + dx, tip.y() - 4.5);
    head.lineTo(tip.x() + dx, tip.y() + 4.5);
    head.closeSubpath();
    p.fillPath(head, colour);
}

void centred(QPainter &p, int x, int baseline, const QString &text) {
    const int w = p.fontMetrics().horizontalAdvance(text);
    p.drawText(x - w / 2, baseline, text);
}

} // namespace

FlowCanvas::FlowCanvas(const CallFlow &flow, QWidget *parent) : QWidget(parent), flow_(flow) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

QSize FlowCanvas::sizeHint() const {
    return {L::width, L::height(static_cast<int>(flow_.arrows.size()))};
}

int FlowCanvas::arrowAt(int y) const {
    return L::rowAt(y, static_cast<int>(flow_.arrows.size()));
}

void FlowCanvas::setSelectedArrow(int arrow) {
    selected_ = arrow;
    update();
}

void FlowCanvas::mousePressEvent(QMouseEvent *event) {
    const int arrow = arrowAt(event->position().toPoint().y());
    if (arrow < 0)
        return;
    setSelectedArrow(arrow);
    emit arrowClicked(arrow);
}

void FlowCanvas::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const int rows = static_cast<int>(flow_.arrows.size());
    for (int i = 0; i < rows; ++i) {
        if (i == selected_)
            p.fillRect(0, L::rowY(i) - 20, L::width, L::rowHeight, kSelected);
        else if (i % 2 == 0)
            p.fillRect(0, L::rowY(i) - 20, L::width, L::rowHeight, kBand);
    }
    p.setPen(QColor(0x1a, 0x1a, 0x1a));
    p.setFont(mono(17, true));
    p.drawText(20, 30, latin1(flow_.title));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.setFont(mono(11));
    p.drawText(20, 52, latin1(flow_.subtitle));
    p.drawText(L::timeX, L::headY + 25, tr("Time"));
    const struct {
        int x;
        const std::string &name, &role;
    } heads[] = {{L::leftX, flow_.leftName, flow_.leftRole},
                 {L::rightX, flow_.rightName, flow_.rightRole}};
    for (const auto &h : heads) {
        const QRectF box(h.x - L::headWidth / 2.0, L::headY, L::headWidth, L::headHeight);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(0xe8, 0xee, 0xf6));
        p.drawRoundedRect(box, 4, 4);
        p.setFont(mono(15, true));
        centred(p, h.x, L::headY + 18, latin1(h.name));
        p.setPen(QColor(0x55, 0x55, 0x55));
        p.setFont(mono(10));
        centred(p, h.x, L::headY + 33, latin1(h.role));
        QPen lifeline(kInk, 1.2, Qt::CustomDashLine);
        lifeline.setDashPattern({5, 3.3});
        p.setPen(lifeline);
        p.drawLine(h.x, L::headY + L::headHeight, h.x, L::rowY(rows));
    }
    const int middle = (L::leftX + L::rightX) / 2;
    for (int i = 0; i < rows; ++i) {
        const FlowArrow &a = flow_.arrows[static_cast<std::size_t>(i)];
        const int y = L::rowY(i);
        const bool rightwards = a.direction == kDirectionTeNt;
        const QColor colour = a.layer2 ? kLight : kInk;
        p.setPen(QColor(0x33, 0x33, 0x33));
        p.setFont(mono(11));
        p.drawText(L::timeX, y + 4, latin1(a.time));
        p.setPen(QColor(0x77, 0x77, 0x77));
        p.setFont(mono(10));
        const QString number = QStringLiteral("#%1").arg(a.frame + 1);
        p.drawText(L::width - 16 - p.fontMetrics().horizontalAdvance(number), y + 4, number);
        QPen line(colour, a.layer2 ? 1.0 : 1.6);
        if (a.layer2)
            line.setDashPattern({4, 3});
        p.setPen(line);
        const int from = rightwards ? L::leftX : L::rightX, to = rightwards ? L::rightX : L::leftX;
        p.drawLine(from, y, to + (rightwards ? -8 : 8), y);
        arrowHead(p, QPointF(to, y), rightwards, colour);
        p.setPen(a.layer2 ? QColor(0x8a, 0x94, 0x9e) : QColor(0x10, 0x24, 0x3e));
        p.setFont(mono(a.layer2 ? 10 : 12, !a.layer2));
        centred(p, middle, y - 5, latin1(a.label));
        if (!a.item.empty()) {
            p.setPen(a.layer2 ? kLight : QColor(0x2d, 0x5d, 0x8a));
            p.setFont(mono(a.layer2 ? 10 : 11));
            centred(p, middle, y + 13, latin1(a.item));
        }
    }
}

FlowWindow::FlowWindow(CallFlow flow, CaptureWindow *capture, QWidget *parent)
    : QWidget(parent, Qt::Window), flow_(std::move(flow)), capture_(capture) {
    setWindowTitle(tr("Call Flow - %1").arg(latin1(flow_.title)));
    canvas_ = new FlowCanvas(flow_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setBackgroundRole(QPalette::Base);
    auto *svg = new QPushButton(tr("Export &SVG..."), this);
    auto *png = new QPushButton(tr("Export &PNG..."), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(svg);
    buttons->addWidget(png);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addLayout(buttons);
    connect(canvas_, &FlowCanvas::arrowClicked, this, &FlowWindow::activateArrow);
    connect(svg, &QPushButton::clicked, this, [this] { askExport(true); });
    connect(png, &QPushButton::clicked, this, [this] { askExport(false); });
    // The whole width of the diagram, and its whole height up to that of a common screen.
    const QMargins margins = layout->contentsMargins();
    const int frame = 2 * scroll_->frameWidth();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int height = canvas_->sizeHint().height() + frame + margins.top() + margins.bottom() +
                       std::max(layout->spacing(), 0) + buttons->sizeHint().height();
    resize(L::width + frame + bar + margins.left() + margins.right(), std::clamp(height, 320, 760));
}

void FlowWindow::activateArrow(int arrow) {
    if (arrow < 0 || arrow >= static_cast<int>(flow_.arrows.size()))
        return;
    canvas_->setSelectedArrow(arrow);
    if (capture_)
        capture_->selectFrame(
            static_cast<int>(flow_.arrows[static_cast<std::size_t>(arrow)].frame));
}

bool FlowWindow::exportSvg(const QString &path) const {
    return replaceFile(path.toStdString(), callFlowSvg(flow_)) == FileReplaceResult::Done;
}

bool FlowWindow::exportPng(const QString &path) const {
    FlowCanvas picture(flow_);
    QImage image(picture.sizeHint(), QImage::Format_RGB32);
    image.fill(Qt::white);
    picture.render(&image);
    return writeReplacing(path.toStdString(), [&image](const std::string &file) {
               return image.save(QString::fromStdString(file), "PNG");
           }) == 0;
}

void FlowWindow::askExport(bool svg) {
    const QString path = QFileDialog::getSaveFileName(
        this, svg ? tr("Export as SVG") : tr("Export as PNG"), QString(),
        svg ? tr("SVG pictures (*.svg)") : tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (!(svg ? exportSvg(path) : exportPng(path)))
        setWindowTitle(windowTitle() + tr(" - the file cannot be written"));
}

} // namespace qv
