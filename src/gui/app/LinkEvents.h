#pragma once
// The events of a serial link, brought to the thread of the window that owns the link: the link
// thread hands them over and goes on at once, the window receives them from its event loop in
// the order they were posted.
#include <QObject>

#include "comm/LinkDriver.h"

namespace qv {

class LinkEvents : public QObject {
    Q_OBJECT
public:
    explicit LinkEvents(QObject *parent = nullptr) : QObject(parent) {}

    // The sink to give the link. The link must be stopped before this object goes: events
    // posted and not yet delivered are then dropped with it.
    LinkEventSink sink();

signals:
    void received(const qv::LinkEvent &event);
};

} // namespace qv
