#pragma once
// The calls of the active capture as a table: choosing a call filters the capture window on its
// call reference, selects its first frame and opens its call flow.
#include <QPointer>
#include <QWidget>

#include <vector>

#include "analysis/CallFlow.h"
#include "analysis/CallList.h"

class QLabel;
class QTreeWidget;

namespace qv {

class CaptureWindow;
class CauseList;
class FlowWindow;
class UserMessages;

class CallsWindow : public QWidget {
    Q_OBJECT
public:
    // Lists every call of the window's whole capture, whatever its filters show.
    CallsWindow(CaptureWindow &capture, const CauseList *causes, UserMessages &messages,
                QWidget *parent = nullptr);

    const QTreeWidget *table() const { return table_; }
    const std::vector<CallEntry> &calls() const { return calls_; }
    QString summaryText() const;
    // What a double-click on row does: the call-reference filter on the capture window (ISDN
    // calls), its first frame selected, and its flow opened. Answers the flow window.
    FlowWindow *chooseRow(int row);

private:
    QPointer<CaptureWindow> capture_;
    const CauseList *causes_;
    UserMessages &messages_;
    std::vector<CallEntry> calls_;
    QTreeWidget *table_ = nullptr;
    QLabel *summary_ = nullptr;
};

// The flow of call in capture's document, with the capture window's frame decoded again after.
CallFlow callFlowOf(CaptureWindow &capture, const CallEntry &call, bool layer2);

} // namespace qv
