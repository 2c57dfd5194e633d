#pragma once
// The simplest instrument: every byte the program sends comes back as it was sent.
#include "sim/Simulator.h"

namespace qv::sim {

class EchoInstrument : public Instrument {
public:
    std::string name() const override { return "echo"; }
    void received(std::span<const std::uint8_t> bytes, SimTime, SimOutput &out) override {
        out.send(bytes);
    }
};

} // namespace qv::sim
