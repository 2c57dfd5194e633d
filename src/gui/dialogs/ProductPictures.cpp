#include "dialogs/ProductPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/Settings.h"

namespace qv {

namespace {

// The instruments come in four shapes; each product gives its shape a colour and a size.
enum class Shape { HandheldTester, LineMonitor, LineMeasurement, ProtocolMonitor };

struct PictureStyle {
    int product;
    Shape shape;
    QRgb body;
    QRgb accent;
    int size; // 0 compact, 1 standard, 2 large: screen, keys and sockets grow with it
};

constexpr PictureStyle kStyles[] = {
    {0, Shape::LineMonitor, 0xff4a5560, 0xfff0a030, 1},
    {1, Shape::HandheldTester, 0xff2f6f73, 0xff8fd3c7, 0},
    {2, Shape::HandheldTester, 0xff2d4f86, 0xff9cc2f0, 1},
    {3, Shape::HandheldTester, 0xff5a3d7a, 0xffc7a6ea, 2},
    {4, Shape::LineMeasurement, 0xffb5651d, 0xfff4d29c, 1},
    {5, Shape::ProtocolMonitor, 0xff3c4a3e, 0xff9fd49a, 0},
    {6, Shape::ProtocolMonitor, 0xff2e3b4e, 0xff8fb8e8, 2},
};

const PictureStyle *styleOf(int product) {
    for (const PictureStyle &style : kStyles)
        if (style.product == product)
            return &style;
    return nullptr;
}

QColor shade(QRgb rgb, int factor) {
    return factor >= 100 ? QColor(rgb).lighter(factor) : QColor(rgb).darker(200 - factor);
}

// A body with a soft top light and a darker rim.
void drawBody(QPainter &p, const QRectF &rect, qreal radius, QRgb colour) {
    QLinearGradient light(rect.topLeft(), rect.bottomLeft());
    light.setColorAt(0, shade(colour, 135));
    light.setColorAt(1, shade(colour, 90));
    p.setPen(QPen(shade(colour, 60), 1.2));
    p.setBrush(light);
    p.drawRoundedRect(rect, radius, radius);
}

// A display with a few lines of trace on it.
void drawScreen(QPainter &p, const QRectF &rect, QRgb glow, int lines) {
    p.setPen(QPen(QColor(20, 24, 28), 1.5));
    p.setBrush(QColor(28, 40, 34));
    p.drawRoundedRect(rect, 2, 2);
    const QRectF inner = rect.adjusted(3, 3, -3, -3);
    p.setPen(QPen(QColor(glow), 1.2));
    const qreal step = inner.height() / (lines + 1);
    for (int i = 1; i <= lines; ++i) {
        const qreal y = inner.top() + i * step;
        const qreal end = inner.left() + inner.width() * (0.45 + 0.5 * ((i * 37) % 10) / 10.0);
        p.drawLine(QPointF(inner.left(), y), QPointF(end, y));
    }
}

// A pulse train, as the testers show a frame on their display.
void drawPulses(QPainter &p, const QRectF &rect, QRgb glow) {
    p.setPen(QPen(QColor(20, 24, 28), 1.5));
    p.setBrush(QColor(28, 40, 34));
    p.drawRoundedRect(rect, 2, 2);
    const QRectF inner = rect.adjusted(4, 5, -4, -5);
    QPainterPath trace;
    const qreal high = inner.top() + inner.height() * 0.25;
    const qreal low = inner.top() + inner.height() * 0.75;
    trace.moveTo(inner.left(), low);
    const int pulses = 6;
    const qreal w = inner.width() / (pulses * 2);
    for (int i = 0; i < pulses * 2; ++i) {
        const qreal x = inner.left() + i * w;
        const qreal y = (i % 2 == 0) == (i % 3 != 0) ? high : low;
        trace.lineTo(x, y);
        trace.lineTo(x + w, y);
    }
    p.setPen(QPen(QColor(glow), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

void drawKeys(QPainter &p, const QRectF &area, int columns, int rows, QRgb accent) {
    const qreal w = area.width() / columns;
    const qreal h = area.height() / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF key(area.left() + c * w + 1.2, area.top() + r * h + 1.2, w - 2.4, h - 2.4);
            const bool function = r == 0;
            p.setPen(QPen(QColor(30, 30, 30, 160), 0.8));
            p.setBrush(function ? QColor(accent) : QColor(232, 232, 226));
            p.drawRoundedRect(key, 1.5, 1.5);
        }
}

void drawLed(QPainter &p, const QPointF &at, qreal radius, const QColor &colour) {
    p.setPen(QPen(colour.darker(170), 0.8));
    p.setBrush(colour);
    p.drawEllipse(at, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(at - QPointF(radius * 0.35, radius * 0.35), radius * 0.35, radius * 0.35);
}

// A line cord leaving a socket, drawn as a gentle curve.
void drawCord(QPainter &p, const QPointF &from, const QPointF &to, const QColor &colour) {
    QPainterPath cord(from);
    cord.cubicTo(from + QPointF(0, -10), to + QPointF(0, 10), to);
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cord);
}

void drawSocket(QPainter &p, const QRectF &rect) {
    p.setPen(QPen(QColor(25, 25, 25), 1));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(rect);
    p.setBrush(QColor(200, 170, 60));
    p.setPen(Qt::NoPen);
    p.drawRect(rect.adjusted(rect.width() * 0.3, rect.height() * 0.55, -rect.width() * 0.3, -1));
}

void drawHandheldTester(QPainter &p, const PictureStyle &style) {
    // Compact, standard and large testers: the larger one has the wider screen and more keys.
    const qreal width = 46 + style.size * 6;
    const qreal height = 74 + style.size * 6;
    const QRectF body((100 - width) / 2, 100 - height - 6, width, height);
    drawCord(p, QPointF(body.center().x() - 6, body.top()), QPointF(body.center().x() - 16, 4),
             QColor(70, 70, 70));
    if (style.size == 2)
        drawCord(p, QPointF(body.center().x() + 8, body.top()), QPointF(body.right(), 6),
                 QColor(180, 60, 50));
    drawBody(p, body, 7, style.body);
    const QRectF screen(body.left() + 6, body.top() + 8, body.width() - 12, height * 0.3);
    drawPulses(p, screen, style.accent);
    const QRectF keys(body.left() + 6, screen.bottom() + 6, body.width() - 12,
                      body.bottom() - screen.bottom() - 14);
    drawKeys(p, keys, 3 + (style.size > 0 ? 1 : 0), 4 + (style.size == 2 ? 1 : 0), style.accent);
    drawLed(p, QPointF(body.right() - 7, body.top() + 4.5), 1.8, QColor(80, 220, 90));
}

void drawLineMonitor(QPainter &p, const PictureStyle &style) {
    // An inline monitor: the line goes in at one side and out at the other, the lamps say what
    // the line is doing.
    const QRectF body(14, 34, 72, 40);
    drawCord(p, QPointF(body.left() + 8, body.top()), QPointF(4, 10), QColor(70, 70, 70));
    drawCord(p, QPointF(body.right() - 8, body.top()), QPointF(96, 10), QColor(70, 70, 70));
    drawBody(p, body, 5, style.body);
    drawSocket(p, QRectF(body.left() + 4, body.top() - 5, 8, 6));
    drawSocket(p, QRectF(body.right() - 12, body.top() - 5, 8, 6));
    const QRectF label(body.left() + 6, body.top() + 7, body.width() - 12, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(style.accent));
    p.drawRoundedRect(label, 2, 2);
    const QColor lamps[] = {QColor(80, 220, 90), QColor(80, 220, 90), QColor(250, 190, 40),
                            QColor(230, 60, 50)};
    for (int i = 0; i < 4; ++i)
        drawLed(p, QPointF(body.left() + 14 + i * 15, body.bottom() - 11), 3.2, lamps[i]);
}

void drawLineMeasurement(QPainter &p, const PictureStyle &style) {
    // A measuring set: a meter with its needle, a range knob and two test leads with clips.
    const QRectF body(22, 20, 56, 72);
    drawCord(p, QPointF(body.left() + 12, body.top()), QPointF(8, 4), QColor(200, 40, 40));
    drawCord(p, QPointF(body.right() - 12, body.top()), QPointF(92, 4), QColor(30, 30, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(4, 2, 8, 4));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(88, 2, 8, 4));
    drawBody(p, body, 8, style.body);
    const QRectF meter(body.left() + 6, body.top() + 7, body.width() - 12, 28);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(250, 246, 232));
    p.drawRoundedRect(meter, 3, 3);
    const QPointF pivot(meter.center().x(), meter.bottom() - 3);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.drawArc(QRectF(pivot.x() - 19, pivot.y() - 19, 38, 38), 30 * 16, 120 * 16);
    p.setPen(QPen(QColor(200, 40, 40), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, pivot + QPointF(11, -16));
    const QPointF knob(body.center().x(), body.bottom() - 18);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(style.accent));
    p.drawEllipse(knob, 10, 10);
    p.setPen(QPen(QColor(30, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(knob, knob + QPointF(5, -6));
}

void drawProtocolMonitor(QPainter &p, const PictureStyle &style) {
    // A desk monitor: a wide display above a key row, line sockets on its front.
    const qreal width = 78 + style.size * 5;
    const QRectF body((100 - width) / 2, 24, width, 58);
    drawBody(p, body, 5, style.body);
    const QRectF screen(body.left() + 6, body.top() + 6, body.width() - 12, 28);
    drawScreen(p, screen, style.accent, 4);
    drawKeys(p, QRectF(body.left() + 6, screen.bottom() + 4, body.width() * 0.55, 9), 6, 1,
             style.accent);
    const int sockets = style.size == 2 ? 4 : 2;
    for (int i = 0; i < sockets; ++i)
        drawSocket(p, QRectF(body.right() - 10 - i * 9, screen.bottom() + 4, 7, 7));
    // The feet of a desk unit.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(body.left() + 6, body.bottom(), 10, 3));
    p.drawRect(QRectF(body.right() - 16, body.bottom(), 10, 3));
}

} // namespace

QPixmap productPicture(int product, int side) {
    const PictureStyle *style = styleOf(product);
    if (!style || side <= 0)
        return {};
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 100.0, side / 100.0);
    switch (style->shape) {
    case Shape::HandheldTester:
        drawHandheldTester(p, *style);
        break;
    case Shape::LineMonitor:
        drawLineMonitor(p, *style);
        break;
    case Shape::LineMeasurement:
        drawLineMeasurement(p, *style);
        break;
    case Shape::ProtocolMonitor:
        drawProtocolMonitor(p, *style);
        break;
    }
    return picture;
}

int productOfToolbarImage(int image) {
    for (const ProductInfo &product : kProducts)
        if (product.toolbarImage == image)
            return product.value;
    return -1;
}

} // namespace qv
