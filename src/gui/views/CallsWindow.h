#pragma once
// The calls of the active capture as a table: choosing a call filters the capture window on its
// call reference, selects its first frame and opens its call flow.
#include <QPointer>
#include <QWidget>

#include <functional>

#include <optional>
#include <vector>

#include "analysis/CallFlow.h"
#include "analysis/CallList.h"

class QLabel;
class QTreeView;

namespace qv {

class CaptureWindow;
class CauseList;
class FlowWindow;
class UserMessages;

class CallsWindow : public QWidget {
    Q_OBJECT
public:
    // Lists every call of the window's whole capture, whatever its filters show; the calls are
    // found in the background.
    CallsWindow(CaptureWindow &capture, const CauseList *causes, UserMessages &messages,
                QWidget *parent = nullptr);
    // False when the user cancelled the search for the calls.
    bool complete() const { return complete_; }

    // Where the flow of a chosen call is shown; without it the flow is a window of its own.
    void setFlowHost(std::function<void(QWidget *)> host) { flowHost_ = std::move(host); }
    const QTreeView *table() const { return table_; }
    const std::vector<CallEntry> &calls() const { return calls_; }
    QString summaryText() const;
    // What a double-click on row does: the call-reference filter on the capture window (ISDN
    // calls), its first frame selected, and its flow opened. Answers the flow window.
    FlowWindow *chooseRow(int row);

private:
    QString cellText(const CallEntry &call, int column, bool v5) const;

    QPointer<CaptureWindow> capture_;
    const CauseList *causes_;
    UserMessages &messages_;
    std::vector<CallEntry> calls_;
    QTreeView *table_ = nullptr;
    std::function<void(QWidget *)> flowHost_;
    QLabel *summary_ = nullptr;
    bool complete_ = false;
};

// The calls of capture's whole capture, found in the background; nothing when cancelled.
std::optional<std::vector<CallEntry>> findCalls(CaptureWindow &capture);
// The flow of call in capture's capture, drawn in the background; empty when cancelled.
CallFlow callFlowOf(CaptureWindow &capture, const CallEntry &call, bool layer2);

} // namespace qv
