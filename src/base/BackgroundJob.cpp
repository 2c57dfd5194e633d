#include "base/BackgroundJob.h"

namespace qv {

bool JobControl::update(std::uint64_t done, std::uint64_t total) {
    const double fraction =
        total == 0 ? 0.0 : static_cast<double>(done < total ? done : total) / total;
    {
        std::lock_guard lock(mutex_);
        progress_.fraction = fraction;
    }
    return !cancelled();
}

void JobControl::setText(std::string text) {
    std::lock_guard lock(mutex_);
    progress_.text = std::move(text);
}

JobControl::Progress JobControl::snapshot() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

} // namespace qv
