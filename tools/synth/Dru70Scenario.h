#pragma once
// The DRU-70 scenario of the synthesiser: a U-interface recording with every event the unit
// knows, in both time formats, over several groups, with a note.
#include <cstdint>
#include <string>
#include <vector>

#include "capture/Dru70Writer.h"

namespace qv::synth {

inline constexpr const char *kDru70Scenario = "dru70";

struct Dru70Scenario {
    Dru70FileDescription description;
    std::vector<Dru70EventRecord> events;
    std::string note;
};

// events = 0 takes the scenario's own size (250 events in groups of 100).
Dru70Scenario dru70Scenario(std::uint32_t events, std::uint32_t seed);
bool writeDru70File(const std::string &path, const Dru70Scenario &scenario, std::string &error);

} // namespace qv::synth
