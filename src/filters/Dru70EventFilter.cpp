#include "filters/Dru70EventFilter.h"

namespace qv {

bool Dru70EventFilter::shows(Dru70EventGroup group) const {
    switch (group) {
    case Dru70EventGroup::Activation:
        return activation;
    case Dru70EventGroup::PowerSupply:
        return powerSupply;
    case Dru70EventGroup::Error:
        return error;
    case Dru70EventGroup::Eoc:
        return eoc;
    }
    return true;
}

} // namespace qv
