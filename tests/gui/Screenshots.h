#pragma once
// Pictures of the windows the GUI tests drive: with QUORVANE_SCREENSHOTS=DIR set, each call
// writes DIR/NAME.png of the widget as it stands; without it nothing is written.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace qv::test {

inline void saveScreenshot(QWidget *widget, const char *name) {
    const QByteArray folder = qgetenv("QUORVANE_SCREENSHOTS");
    if (folder.isEmpty() || !widget)
        return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    // A window that chose its own size is shown at it; the others at the size they ask for.
    if (!widget->testAttribute(Qt::WA_Resized))
        widget->adjustSize();
    // A window never shown has not laid out its scroll areas for its size yet.
    if (!widget->isVisible() && widget->isWindow()) {
        widget->setAttribute(Qt::WA_DontShowOnScreen);
        widget->show();
    }
    QCoreApplication::processEvents();
    widget->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                        QString::fromLatin1(name) + QStringLiteral(".png"));
}

} // namespace qv::test
