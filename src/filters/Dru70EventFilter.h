#pragma once
// The DRU-70's off-line filter: one flag per group of events ("Display frames with").
namespace qv {

enum class Dru70EventGroup { Activation, PowerSupply, Error, Eoc };

struct Dru70EventFilter {
    bool activation = true;
    bool powerSupply = true;
    bool error = true;
    bool eoc = true;

    bool operator==(const Dru70EventFilter &) const = default;

    // True when an event of group is shown.
    bool shows(Dru70EventGroup group) const;
    bool IsActive() const { return !activation || !powerSupply || !error || !eoc; }
};

} // namespace qv
