#include "app/BackgroundWork.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace qv {

namespace {

// The event loop runs in steps this long between two looks at the job.
constexpr int kPollMs = 20;
constexpr int kSteps = 1000;

} // namespace

BackgroundWait::BackgroundWait(QWidget *parent, QString title)
    : parent_(parent), title_(std::move(title)) {}

bool BackgroundWait::wait(const std::function<bool()> &finished,
                          const std::function<JobControl::Progress()> &progress,
                          const std::function<void()> &cancel) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> dialog;
    bool cancelled = false;
    while (!finished()) {
        if (!dialog && clock.elapsed() >= kDialogDelayMs) {
            dialog = std::make_unique<QProgressDialog>(title_, tr("Cancel"), 0, kSteps, parent_);
            dialog->setWindowTitle(title_);
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            dialog->show();
        }
        // The dialog's Cancel button, Escape and closing the dialog all cancel it.
        if (dialog && !cancelled && dialog->wasCanceled()) {
            cancelled = true;
            cancel();
            dialog->setLabelText(tr("Stopping..."));
            dialog->show();
        }
        if (dialog && !cancelled) {
            const JobControl::Progress now = progress();
            dialog->setValue(static_cast<int>(now.fraction * kSteps));
            if (!now.text.empty())
                dialog->setLabelText(QString::fromStdString(now.text));
        }
        // Until the dialog stands in the way, and again while the work stops, no input reaches
        // the windows: the work may read what a click could close.
        QEventLoop loop;
        QTimer::singleShot(kPollMs, &loop, &QEventLoop::quit);
        loop.exec(dialog && !cancelled ? QEventLoop::AllEvents
                                       : QEventLoop::ExcludeUserInputEvents);
    }
    return !cancelled;
}

} // namespace qv
