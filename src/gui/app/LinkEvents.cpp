#include "app/LinkEvents.h"

namespace qv {

LinkEventSink LinkEvents::sink() {
    return [this](LinkEvent event) {
        QMetaObject::invokeMethod(
            this, [this, event = std::move(event)] { emit received(event); }, Qt::QueuedConnection);
    };
}

} // namespace qv
