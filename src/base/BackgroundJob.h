#pragma once
// Long work on a thread of its own: a walk over a whole capture, an export, a print, a find. The
// work reports how far it has come and looks for a cancel between small steps; whoever started
// it polls progress, may cancel, and takes the result once the work has ended. The GUI polls from
// a timer and the command line from its main thread, so neither waits on the work unless it
// chooses to.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace qv {

// Told how far a long piece of work has come (done of total); false stops it.
using WorkProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The state a job shares between its worker and its owner.
class JobControl {
public:
    struct Progress {
        double fraction = 0; // 0..1
        std::string text;
    };

    // Called by the work; false once a cancel was asked for, and the work should return then.
    bool update(std::uint64_t done, std::uint64_t total);
    void setText(std::string text);
    bool cancelled() const { return cancel_.load(std::memory_order_relaxed); }
    // The progress as a WorkProgress for the walks of the core.
    WorkProgress progress() {
        return [this](std::uint64_t done, std::uint64_t total) { return update(done, total); };
    }

    void cancel() { cancel_.store(true, std::memory_order_relaxed); }
    Progress snapshot() const;

private:
    mutable std::mutex mutex_;
    Progress progress_;
    std::atomic<bool> cancel_{false};
};

// Runs work(control) on a worker thread from construction on. The destructor cancels and joins,
// so a job never outlives the objects its work borrows when it is destroyed before them.
template <class Result> class BackgroundJob {
public:
    // work: a callable Result(JobControl&), moved onto the worker (it may own what it walks).
    template <class Work>
    explicit BackgroundJob(Work work)
        : thread_([this, work = std::move(work)]() mutable {
              Result result = work(control_);
              {
                  std::lock_guard lock(mutex_);
                  result_ = std::move(result);
              }
              done_.store(true, std::memory_order_release);
          }) {}
    ~BackgroundJob() {
        control_.cancel();
        if (thread_.joinable())
            thread_.join();
    }
    BackgroundJob(const BackgroundJob &) = delete;
    BackgroundJob &operator=(const BackgroundJob &) = delete;

    void cancel() { control_.cancel(); }
    bool cancelled() const { return control_.cancelled(); }
    bool finished() const { return done_.load(std::memory_order_acquire); }
    JobControl::Progress progress() const { return control_.snapshot(); }
    // Blocks until the work has returned.
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }
    // The work's result, once: empty before the work has returned and after the first take.
    std::optional<Result> take() {
        if (!finished())
            return std::nullopt;
        wait();
        std::lock_guard lock(mutex_);
        return std::exchange(result_, std::nullopt);
    }

private:
    JobControl control_;
    std::mutex mutex_;
    std::optional<Result> result_;
    std::atomic<bool> done_{false};
    std::thread thread_; // last: it starts once everything above is in place
};

} // namespace qv
