#pragma once
// A simulated instrument on a pseudo-terminal pair: the program opens devicePath() as its serial
// port; the instrument answers on its own thread, through the fault injector. Everything each
// side sent is logged, and the line settings the program applied can be read back.
#include "sim/FaultInjector.h"
#include "sim/PtyPair.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace qv::sim {

// Where an instrument's answers go.
class SimOutput {
public:
    virtual ~SimOutput() = default;
    virtual void send(std::span<const std::uint8_t> bytes) = 0;
    void send(std::string_view text) {
        send(std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
    }
};

// The protocol side of a simulated instrument: bytes in, bytes out, woken at the times it asks.
class Instrument {
public:
    virtual ~Instrument() = default;
    virtual std::string name() const = 0;
    virtual void received(std::span<const std::uint8_t> bytes, SimTime now, SimOutput &out) = 0;
    virtual std::optional<SimTime> deadline() const { return std::nullopt; }
    virtual void timeout(SimTime now, SimOutput &out) { (void)now, (void)out; }
};

struct SimLogEntry {
    enum class From { Program, Instrument };
    SimTime at;
    From from;
    std::vector<std::uint8_t> bytes; // as sent, before the faults
};

class Simulator {
public:
    explicit Simulator(std::unique_ptr<Instrument> instrument, FaultSettings faults = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    // Creates the pair and starts serving; false with why in error.
    bool start(std::string *error = nullptr);
    void stop();
    const std::string &devicePath() const;
    LineSettingsSeen lineSettings() const;
    void setFaults(const FaultSettings &faults);
    // The instrument is unplugged: the program's device hangs up.
    void unplug();

    std::vector<SimLogEntry> log() const;
    // Every byte one side sent, joined.
    std::vector<std::uint8_t> sentBy(SimLogEntry::From from) const;
    // Called on the simulator's thread for each entry as it is logged, with the simulator
    // locked: the callback must not call the simulator.
    void onLog(std::function<void(const SimLogEntry &)> callback);
    // Runs fn on the simulator's thread's data while no exchange is in progress.
    void withInstrument(const std::function<void(Instrument &)> &fn);

private:
    void run();
    SimTime now() const;

    std::unique_ptr<Instrument> instrument_;
    std::unique_ptr<PtyPair> pair_;
    FaultInjector injector_;
    std::chrono::steady_clock::time_point epoch_;
    int wakeFd_ = -1;
    std::thread thread_;
    mutable std::mutex mutex_;
    bool stopping_ = false;
    bool unplug_ = false;
    std::vector<SimLogEntry> log_;
    std::function<void(const SimLogEntry &)> logCallback_;
};

} // namespace qv::sim
