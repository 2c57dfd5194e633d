// The serial link on a pseudo-terminal against the echo instrument: how soon a vanished device
// is noticed and what the wait costs in processor time, a command's round trip through the link
// thread, and the bytes a port carries.
#include "comm/LinkRunner.h"
#include "sim/EchoInstrument.h"
#include "sim/Simulator.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <ctime>
#include <mutex>

namespace {

using namespace qv;
using namespace std::chrono;

// Sends the command's text and finishes when it comes back.
class EchoEngine : public LinkEngine {
public:
    void start(LinkTime, LinkIo &) override {}
    void received(std::span<const std::uint8_t> bytes, LinkTime, LinkIo &io) override {
        got_ += bytes.size();
        if (want_ > 0 && got_ >= want_) {
            want_ = 0;
            io.finish(0);
        }
    }
    void lineErrors(unsigned, LinkTime, LinkIo &) override {}
    void command(const LinkCommand &command, LinkTime, LinkIo &io) override {
        got_ = 0;
        want_ = command.text.size();
        io.send(command.text);
    }
    void timeout(LinkTime, LinkIo &) override {}
    int abandon(LinkTime, LinkIo &) override { return 1; }
    std::optional<LinkTime> deadline() const override { return std::nullopt; }

private:
    std::size_t got_ = 0, want_ = 0;
};

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Bench {
    Bench() : simulator(std::make_unique<sim::EchoInstrument>()) {
        simulator.start();
        port.openDevice(simulator.devicePath(), 115200, 8, Parity::None, 1, 4096, 4096);
    }
    sim::Simulator simulator;
    SerialPort port;
};

// From the unplug to the link's end; the processor time the whole process spent meanwhile.
void LostDeviceNoticed(benchmark::State &state) {
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        Bench bench;
        EchoEngine engine;
        std::mutex mutex;
        std::condition_variable ended;
        bool over = false;
        LinkRunner runner(bench.port, engine, LinkTimings{}, [&](LinkEvent e) {
            if (e.kind == LinkEvent::Kind::Ended) {
                std::lock_guard lock(mutex);
                over = true;
                ended.notify_all();
            }
        });
        runner.start();
        runner.call({0, "ready", 0});
        // Idle for a while first: an idle link must cost nothing either.
        std::this_thread::sleep_for(milliseconds(200));
        const double cpuBefore = processCpuSeconds();
        const auto start = steady_clock::now();
        bench.simulator.unplug();
        std::unique_lock lock(mutex);
        ended.wait_for(lock, seconds(5), [&] { return over; });
        const double seconds = duration<double>(steady_clock::now() - start).count();
        lock.unlock();
        std::this_thread::sleep_for(milliseconds(500)); // a spinning thread would show here
        cpu += processCpuSeconds() - cpuBefore;
        wall += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["noticed_ms"] = wall * 1000 / static_cast<double>(state.iterations());
    state.counters["cpu_ms_over_700ms"] = cpu * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(LostDeviceNoticed)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void CommandRoundTrip(benchmark::State &state) {
    Bench bench;
    EchoEngine engine;
    LinkRunner runner(bench.port, engine, LinkTimings{}, {});
    runner.start();
    const std::string text(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state)
        if (runner.call({0, text, 0}) != 0)
            state.SkipWithError("no echo");
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(CommandRoundTrip)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);

} // namespace
