#pragma once
// What stands between a simulated instrument and the program: lost, corrupted, repeated and late
// bytes, the pace of a real line, an instrument gone quiet or deaf. Random faults come from a
// seeded generator, so that a failing run can be repeated.
#include <chrono>
#include <cstdint>
#include <deque>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace qv::sim {

using SimTime = std::chrono::microseconds;

struct FaultSettings {
    double drop = 0;                    // chance that a byte is lost
    double corrupt = 0;                 // chance that a byte arrives with one bit flipped
    double duplicate = 0;               // chance that a byte arrives twice
    std::chrono::milliseconds delay{0}; // every byte arrives this much later
    std::uint32_t baud = 0;             // 0: bytes arrive at once; else one byte per ten bit times
    bool paceAtLineRate = false;        // pace at the rate the program set on its side of the line
    bool silent = false;                // the instrument's bytes never reach the program
    bool deaf = false;                  // the program's bytes never reach the instrument
    bool bothWays = false;              // drop, corrupt and duplicate the program's bytes too
    std::uint32_t seed = 1;

    // "drop 0.2%, delay 50 ms, 19200 baud"; "none" when nothing is set.
    std::string describe() const;
};

class FaultInjector {
public:
    explicit FaultInjector(FaultSettings settings = {});
    void setSettings(const FaultSettings &settings);
    const FaultSettings &settings() const { return settings_; }

    // Bytes the instrument sends at now: queued with the time each reaches the program.
    // lineRate: the rate the program set, for paceAtLineRate.
    void toProgram(std::span<const std::uint8_t> bytes, SimTime now, std::uint32_t lineRate = 0);
    // The bytes due at now, in order; removed from the queue.
    std::vector<std::uint8_t> dueToProgram(SimTime now);
    // When the next queued byte is due, or SimTime::max() when none is queued.
    SimTime nextDue() const;
    // The program's bytes as the instrument receives them.
    std::vector<std::uint8_t> fromProgram(std::span<const std::uint8_t> bytes);

private:
    void mangle(std::uint8_t byte, std::vector<std::uint8_t> &out);

    FaultSettings settings_;
    std::mt19937 random_;
    struct Timed {
        SimTime at;
        std::uint8_t byte;
    };
    std::deque<Timed> queue_;
    SimTime lastDue_{0};
};

} // namespace qv::sim
