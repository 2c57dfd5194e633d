#pragma once
// Long work of the core run from the windows: on a worker thread, with the event loop going on
// meanwhile. For its first moments only repaints and timers are handled, so that nothing the
// work borrows can be closed under it; work that lasts longer shows a modal progress dialog with
// Cancel, which stops it between two small steps.
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "base/BackgroundJob.h"

class QWidget;

namespace qv {

// Waits for a job while the event loop runs; the part of runInBackground that is no template.
class BackgroundWait : public QObject {
    Q_OBJECT
public:
    // How long work runs before its progress dialog shows.
    static constexpr int kDialogDelayMs = 300;

    BackgroundWait(QWidget *parent, QString title);
    // Returns once finished() holds. False when the user cancelled (cancel was then called).
    bool wait(const std::function<bool()> &finished,
              const std::function<JobControl::Progress()> &progress,
              const std::function<void()> &cancel);

private:
    QWidget *parent_;
    QString title_;
};

// Runs work(JobControl&) on a worker thread and returns its result; nothing when the user
// cancelled. work owns or copies what it reads: the source of a walk, never the document's.
template <class Work>
auto runInBackground(QWidget *parent, const QString &title, Work work)
    -> std::optional<decltype(work(std::declval<JobControl &>()))> {
    using Result = decltype(work(std::declval<JobControl &>()));
    BackgroundJob<Result> job(std::move(work));
    BackgroundWait waiter(parent, title);
    const bool completed = waiter.wait([&job] { return job.finished(); },
                                       [&job] { return job.progress(); }, [&job] { job.cancel(); });
    std::optional<Result> result = job.take();
    if (!completed)
        return std::nullopt;
    return result;
}

} // namespace qv
