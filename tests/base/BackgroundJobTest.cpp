// Work on a thread of its own: its result taken once, its progress read while it runs, and a
// cancel that the work sees, from its owner or from the job's end of life.
#include "base/BackgroundJob.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace qv {
namespace {

using namespace std::chrono_literals;

// Loops until cancelled, telling its progress; answers how many rounds it made.
int untilCancelled(JobControl &control) {
    int rounds = 0;
    while (control.update(static_cast<std::uint64_t>(rounds % 100), 100)) {
        ++rounds;
        std::this_thread::sleep_for(1ms);
    }
    return rounds;
}

template <class Job> void waitUntilFinished(Job &job) {
    for (int k = 0; k < 5000 && !job.finished(); ++k)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(job.finished());
}

TEST(BackgroundJob, TheResultIsDeliveredOnceAfterTheWorkReturned) {
    BackgroundJob<std::string> job([](JobControl &control) {
        control.setText("counting");
        control.update(3, 4);
        return std::string("done");
    });
    waitUntilFinished(job);
    const JobControl::Progress progress = job.progress();
    EXPECT_DOUBLE_EQ(progress.fraction, 0.75);
    EXPECT_EQ(progress.text, "counting");
    EXPECT_EQ(job.take(), std::optional<std::string>("done"));
    EXPECT_EQ(job.take(), std::nullopt) << "a result is delivered once";
}

TEST(BackgroundJob, CancelIsSeenByTheWork) {
    BackgroundJob<int> job(untilCancelled);
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(job.finished());
    EXPECT_EQ(job.take(), std::nullopt) << "no result while the work runs";
    job.cancel();
    waitUntilFinished(job);
    EXPECT_TRUE(job.cancelled());
    EXPECT_GT(job.take().value_or(0), 0);
}

TEST(BackgroundJob, AJobDestroyedWhileItRunsStopsItsWorkFirst) {
    bool returned = false;
    {
        BackgroundJob<int> job([&returned](JobControl &control) {
            const int rounds = untilCancelled(control);
            returned = true;
            return rounds;
        });
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(returned) << "the work has returned before the job is gone";
}

TEST(JobControl, ProgressStaysWithinTheWholeAndAnEmptyTotalIsNoProgress) {
    JobControl control;
    EXPECT_TRUE(control.update(7, 5));
    EXPECT_DOUBLE_EQ(control.snapshot().fraction, 1.0);
    EXPECT_TRUE(control.update(1, 0));
    EXPECT_DOUBLE_EQ(control.snapshot().fraction, 0.0);
    control.cancel();
    EXPECT_FALSE(control.update(1, 2));
    EXPECT_FALSE(control.progress()(1, 2)) << "the walks of the core see the cancel too";
}

} // namespace
} // namespace qv
