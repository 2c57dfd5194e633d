// The real-time link on its thread over a pseudo-terminal against the simulated tester: every
// frame the tester sends arrives once, in order, through lost and damaged frames.
#include "comm/LinkRunner.h"
#include "comm/LvtRealTimeLink.h"
#include "sim/LvtTester.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

using namespace qv;
using namespace qv::sim;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

class Collected : public RecordSink {
public:
    explicit Collected(RecordBufferPool &pool) : pool_(pool) {}
    void deliver(RecordBuffer *buffer) override {
        std::lock_guard lock(mutex_);
        contents_.emplace_back(buffer->content(), buffer->content() + buffer->length());
        pool_.give(buffer);
    }
    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return contents_.size();
    }
    std::vector<Bytes> contents() const {
        std::lock_guard lock(mutex_);
        return contents_;
    }

private:
    RecordBufferPool &pool_;
    mutable std::mutex mutex_;
    std::vector<Bytes> contents_;
};

// Records whose data counts up, 0x10 and 0xFA among them.
std::vector<Bytes> records(std::size_t count) {
    std::vector<Bytes> out;
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t length = 3 + n % 40;
        Bytes content = {0x12,
                         0x34,
                         0x56,
                         0x78,
                         1,
                         0,
                         static_cast<std::uint8_t>(n & 1),
                         12,
                         static_cast<std::uint8_t>(length),
                         0};
        for (std::size_t i = 0; i < length; ++i)
            content.push_back(static_cast<std::uint8_t>(n * 7 + i * 0x10));
        out.push_back(std::move(content));
    }
    return out;
}

struct Capture {
    Capture(LvtTesterSettings settings, std::size_t count)
        : sent(records(count)), simulator(std::make_unique<LvtTester>(settings, sent)), sink(pool),
          engine(pool, sink, timings()) {
        std::string error;
        EXPECT_TRUE(simulator.start(&error)) << error;
        EXPECT_EQ(port.openDevice(simulator.devicePath(), 256000, 8, Parity::None, 1, 4096, 4096),
                  kSerialOk);
    }
    static LinkTimings timings() {
        LinkTimings t;
        t.idleTick = 200ms; // the keepalive, shortened: the tester resends after 1.5 s
        return t;
    }
    std::vector<Bytes> sent;
    Simulator simulator;
    SerialPort port;
    RecordBufferPool pool;
    Collected sink;
    LvtRealTimeLink engine;
};

void runCapture(Capture &c, std::size_t count) {
    LinkRunner runner(c.port, c.engine, Capture::timings(), {});
    ASSERT_TRUE(runner.start());
    ASSERT_EQ(runner.call(LvtRealTimeLink::connectCommand(0, 0)), 0);
    ASSERT_EQ(runner.call(LvtRealTimeLink::startCommand({2026, 12, 9, 6, 0, 0})), 0);
    for (int i = 0; i < 30000 && c.sink.size() < count; ++i)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(runner.call(LvtRealTimeLink::stopCommand()), 0);
    runner.stop();
}

} // namespace

TEST(LvtRealTimeEndToEnd, EveryFrameOnceAndInOrderOverAPseudoTerminal) {
    for (const int window : {1, 3, 7}) {
        LvtTesterSettings settings;
        settings.window = window;
        const std::size_t count = window == 1 ? 300 : 3000;
        Capture c(settings, count);
        runCapture(c, count);
        EXPECT_EQ(c.sink.contents(), c.sent) << "window " << window;
        EXPECT_EQ(c.pool.freeCount(), c.pool.count() - 1) << "no buffer kept but the link's own";
    }
}

TEST(LvtRealTimeEndToEnd, LostAndDamagedFramesAreRecoveredByRejects) {
    LvtTesterSettings settings;
    settings.window = 7;
    settings.badCheck = 0.01;
    settings.lose = 0.01;
    settings.repeat = 0.01;
    settings.garbage = 0.01;
    settings.seed = 7;
    const std::size_t count = 3000;
    Capture c(settings, count);
    runCapture(c, count);
    const std::vector<Bytes> got = c.sink.contents();
    ASSERT_EQ(got.size(), c.sent.size()) << "nothing lost, nothing doubled";
    EXPECT_EQ(got, c.sent);
}

TEST(LvtRealTimeEndToEnd, AnOlderTesterAndOneThatStopsByItself) {
    LvtTesterSettings settings;
    settings.level = 17;
    settings.stopAfter = 50;
    settings.stopReason = 2;
    Capture c(settings, 100);
    std::mutex mutex;
    std::vector<int> errors;
    LinkRunner runner(c.port, c.engine, Capture::timings(), [&](LinkEvent e) {
        if (e.kind == LinkEvent::Kind::Message) {
            std::lock_guard lock(mutex);
            errors.push_back(e.code);
        }
    });
    ASSERT_TRUE(runner.start());
    ASSERT_EQ(runner.call(LvtRealTimeLink::connectCommand(0, 0)), 0);
    EXPECT_EQ(c.engine.level(), 17);
    ASSERT_EQ(runner.call(LvtRealTimeLink::startCommand({2026, 12, 9, 6, 0, 0})), 0);
    for (int i = 0; i < 10000; ++i) {
        {
            std::lock_guard lock(mutex);
            if (!errors.empty())
                break;
        }
        std::this_thread::sleep_for(1ms);
    }
    runner.stop();
    EXPECT_EQ(c.sink.size(), 50u);
    EXPECT_EQ(errors, std::vector<int>{258});
}
