#include "capture/Dru70Events.h"

namespace qv {

namespace {

// By code, from 1.
constexpr Dru70EventInfo kEvents[] = {
    {"U Deactivated", "U interface inactive.", 0, false, Dru70EventGroup::Activation},
    {"U Activated", "U interface active, but not the S interface.", 0, false,
     Dru70EventGroup::Activation},
    {"U and S Activated", "U and S interfaces are both inactive.", 0, false,
     Dru70EventGroup::Activation},
    {"Loop req. B1", "The network requests to loop-back the B1 channel.", 1, true,
     Dru70EventGroup::Eoc},
    {"Loop req. B2", "The network requests to loop-back the B2 channel.", 1, true,
     Dru70EventGroup::Eoc},
    {"Loop req. 2B+D", "The network requests to loop-back the D and B channels.", 1, true,
     Dru70EventGroup::Eoc},
    {"Hold State",
     "The network requests to maintain active all ongoing maintenance operations (loops, etc.).", 1,
     true, Dru70EventGroup::Eoc},
    {"Return To Normal",
     "The network requests to stop all ongoing maintenance operations (loops, etc.).", 1, true,
     Dru70EventGroup::Eoc},
    {"Request Corrupted CRC",
     "The network requests the NT1 to send frames with errors (incorrect CRC).", 1, true,
     Dru70EventGroup::Eoc},
    {"Notify Corrupted CRC",
     "The network notifies the NT1 that it is going to send frames with an incorrect CRC.", 1, true,
     Dru70EventGroup::Eoc},
    {"Unknown EOC Command", "Non-standard EOC command.", 1, true, Dru70EventGroup::Eoc},
    {"Hold State",
     "The NT1 indicates that it has received an EOC command with an incorrect address.", 2, true,
     Dru70EventGroup::Eoc},
    {"Return To Normal", "The NT1 confirms that it has returned to its normal operating state.", 2,
     true, Dru70EventGroup::Eoc},
    {"Request Corrupted CRC",
     "The NT1 requests the network to send frames with errors (incorrect CRC).", 2, true,
     Dru70EventGroup::Eoc},
    {"Notify Corrupted CRC",
     "The NT1 notifies the network that it is going to send frames with an incorrect CRC.", 2, true,
     Dru70EventGroup::Eoc},
    {"Unknown EOC Command", "Non-standard EOC command.", 2, true, Dru70EventGroup::Eoc},
    {"Unable to comply",
     "The NT1 has not been able to execute a maintenance command sent by the network.", 2, true,
     Dru70EventGroup::Eoc},
    {"Loop ack. B1", "The NT1 acknowledges the loop-back in the B1 channel.", 2, true,
     Dru70EventGroup::Eoc},
    {"Loop ack. B2", "The NT1 acknowledges the loop-back in the B2 channel.", 2, true,
     Dru70EventGroup::Eoc},
    {"Loop ack. 2B+D", "The NT1 acknowledges the loop-back in the D and B channels.", 2, true,
     Dru70EventGroup::Eoc},
    {"NEBE/FEBE", "Transmission errors in both direction between the DRU-70 and the network.", 1,
     false, Dru70EventGroup::Error},
    {"NEBE/FEBE", "Transmission errors in both directions between the NT1 and DRU-70.", 2, false,
     Dru70EventGroup::Error},
    {"FEBE", "Transmission error in the NT1 to network direction.", 1, false,
     Dru70EventGroup::Error},
    {"FEBE", "Transmission error in the central office to NT1 direction.", 2, false,
     Dru70EventGroup::Error},
    {"NEBE",
     "Transmission error between the DRU-70 and the network in the network to NT1 direction.", 1,
     false, Dru70EventGroup::Error},
    {"NEBE", "Transmission error between the NT1 and the DRU-70 in the NT1 to network direction.",
     2, false, Dru70EventGroup::Error},
    {"AIB=0", "Failure or interruption of an intermediate transmission system.", 1, false,
     Dru70EventGroup::Eoc},
    {"AIB=1", "All intermediate transmission systems are OK.", 1, false, Dru70EventGroup::Eoc},
    {"All Power Normal",
     "Primary and back-up battery (if provided) power supplies are both normal.", 2, false,
     Dru70EventGroup::PowerSupply},
    {"Secondary Power Out",
     "Primary power is normal, but the back-up battery (if provided) is marginal, unavailable, or "
     "has failed.",
     2, false, Dru70EventGroup::PowerSupply},
    {"Primary Power Out",
     "Primary power is marginal or has failed. Back-up battery (if provided) is normal.", 2, false,
     Dru70EventGroup::PowerSupply},
    {"Dying Gasp", "The NT1 is no longer powered and may shortly cease normal operation.", 2, false,
     Dru70EventGroup::PowerSupply},
};

} // namespace

const Dru70EventInfo *dru70Event(int code) {
    if (code < kDru70FirstCode || code > kDru70LastCode)
        return nullptr;
    return &kEvents[code - kDru70FirstCode];
}

} // namespace qv
