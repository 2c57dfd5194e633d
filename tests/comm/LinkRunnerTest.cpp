// The same engine as under the fake clock, now on its own thread over a pseudo-terminal, against
// the echo instrument and its faults.
#include "comm/LinkRunner.h"
#include "comm/ProbeEngine.h"
#include "sim/EchoInstrument.h"
#include "sim/Simulator.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace qv;
using namespace qv::sim;
using namespace qv::test;
using namespace std::chrono_literals;

namespace {

// Keeps the events the link thread posts and lets the test wait for one.
class EventLog {
public:
    LinkEventSink sink() {
        return [this](LinkEvent e) {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(e));
            changed_.notify_all();
        };
    }
    // Waits (generously: this is no timing test) for an event of kind.
    std::optional<LinkEvent> waitFor(LinkEvent::Kind kind, std::uint64_t id = 0) {
        std::unique_lock lock(mutex_);
        std::optional<LinkEvent> found;
        changed_.wait_for(lock, 20s, [&] {
            for (const LinkEvent &e : events_)
                if (e.kind == kind && (id == 0 || e.commandId == id)) {
                    found = e;
                    return true;
                }
            return false;
        });
        return found;
    }
    std::vector<std::string> messages() {
        std::lock_guard lock(mutex_);
        std::vector<std::string> texts;
        for (const LinkEvent &e : events_)
            if (e.kind == LinkEvent::Kind::Message)
                texts.push_back(e.text);
        return texts;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<LinkEvent> events_;
};

struct EchoBench {
    EchoBench() : simulator(std::make_unique<EchoInstrument>()) {
        std::string error;
        EXPECT_TRUE(simulator.start(&error)) << error;
        EXPECT_EQ(port.openDevice(simulator.devicePath(), 19200, 8, Parity::None, 1, 4096, 4096),
                  kSerialOk)
            << port.lastError();
    }
    Simulator simulator;
    SerialPort port;
};

LinkCommand probe(std::string text) {
    return {ProbeEngine::kCommandProbe, std::move(text), 0};
}

std::string text(const std::vector<std::uint8_t> &bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(LinkRunner, TheProbeEngineRunsUnchangedAgainstTheEchoInstrument) {
    EchoBench bench;
    ProbeEngine engine(200ms);
    EventLog events;
    LinkRunner runner(bench.port, engine, LinkTimings{}, events.sink());
    std::string error;
    ASSERT_TRUE(runner.start(&error)) << error;

    EXPECT_EQ(runner.call(probe("HELLO")), ProbeEngine::kAnswered);
    const std::uint64_t id = runner.submit(probe("AGAIN"));
    const auto done = events.waitFor(LinkEvent::Kind::Finished, id);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->code, ProbeEngine::kAnswered);
    EXPECT_EQ(bench.simulator.lineSettings().describe(), "19200 8N1, raw");

    // The instrument goes quiet: the engine's retry, then its verdict.
    FaultSettings silent;
    silent.silent = true;
    bench.simulator.setFaults(silent);
    EXPECT_EQ(runner.call(probe("ANYONE")), ProbeEngine::kNoAnswer);
    EXPECT_EQ(events.messages(),
              (std::vector<std::string>{"No answer: sending again", "No answer"}));
    EXPECT_EQ(text(bench.simulator.sentBy(SimLogEntry::From::Program)),
              "HELLO\rAGAIN\rANYONE\rANYONE\r");

    // The first request is lost on the way, the retry gets through.
    FaultSettings lossy;
    lossy.deaf = true;
    bench.simulator.setFaults(lossy);
    const std::uint64_t lost = runner.submit(probe("RETRY"));
    for (int i = 0; i < 2000 && bench.simulator.sentBy(SimLogEntry::From::Program).size() < 30; ++i)
        std::this_thread::sleep_for(1ms);
    bench.simulator.setFaults({});
    const auto retried = events.waitFor(LinkEvent::Kind::Finished, lost);
    ASSERT_TRUE(retried);
    EXPECT_EQ(retried->code, ProbeEngine::kAnswered);

    runner.stop();
    EXPECT_FALSE(runner.running());
    EXPECT_EQ(runner.endCode(), kLinkStopped);
    EXPECT_TRUE(bench.port.isOpen()) << "the port stays with its owner";
    EXPECT_EQ(runner.call(probe("LATE")), kLinkCancelled);
}

TEST(LinkRunner, ALongBurstArrivesWholeWhileCommandsKeepTheirTurn) {
    EchoBench bench;
    ProbeEngine engine(2000ms);
    LinkRunner runner(bench.port, engine, LinkTimings{}, {});
    ASSERT_TRUE(runner.start());
    // Far more than the link thread reads in one round: the rest waits in the port, and must
    // be read without a byte more arriving.
    EXPECT_EQ(runner.call(probe(std::string(300000, 'x'))), ProbeEngine::kAnswered);
    EXPECT_EQ(runner.call(probe("after")), ProbeEngine::kAnswered);
}

TEST(LinkRunner, AnUnpluggedDeviceEndsTheLinkWithItsReasonAndNoSpin) {
    EchoBench bench;
    ProbeEngine engine(200ms);
    EventLog events;
    LinkRunner runner(bench.port, engine, LinkTimings{}, events.sink());
    ASSERT_TRUE(runner.start());
    ASSERT_EQ(runner.call(probe("PING")), ProbeEngine::kAnswered);
    FaultSettings silent;
    silent.silent = true;
    bench.simulator.setFaults(silent);
    const std::uint64_t pending = runner.submit(probe("NEVER"));
    std::this_thread::sleep_for(20ms);

    bench.simulator.unplug();
    const auto ended = events.waitFor(LinkEvent::Kind::Ended);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->code, kLinkDeviceLost);
    EXPECT_EQ(ended->text.rfind(bench.simulator.devicePath() + " is gone", 0), 0u) << ended->text;
    const auto cancelled = events.waitFor(LinkEvent::Kind::Finished, pending);
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->code, kLinkDeviceLost);
    // The thread has ended by itself rather than polling a hung-up device.
    for (int i = 0; i < 2000 && runner.running(); ++i)
        std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(runner.running());
    EXPECT_EQ(runner.call(probe("AFTER")), kLinkDeviceLost);
}

TEST(LinkRunner, ThePortCanBeClosedAndOpenedAgainWhileTheInstrumentStays) {
    EchoBench bench;
    ProbeEngine engine(200ms);
    for (int round = 0; round < 3; ++round) {
        if (!bench.port.isOpen())
            ASSERT_EQ(bench.port.openDevice(bench.simulator.devicePath(), 9600, 8, Parity::None, 1,
                                            512, 1280),
                      kSerialOk)
                << bench.port.lastError();
        LinkRunner runner(bench.port, engine, LinkTimings{}, {});
        ASSERT_TRUE(runner.start());
        EXPECT_EQ(runner.call(probe("ROUND" + std::to_string(round))), ProbeEngine::kAnswered);
        runner.stop();
        bench.port.close();
    }
}
