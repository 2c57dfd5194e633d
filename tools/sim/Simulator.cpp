#include "sim/Simulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace qv::sim {

namespace {

// The simulator's longest sleep: changed faults and stop requests wake it anyway.
constexpr SimTime kLongestWait = std::chrono::milliseconds(500);

class Collect : public SimOutput {
public:
    void send(std::span<const std::uint8_t> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> bytes_;
};

} // namespace

Simulator::Simulator(std::unique_ptr<Instrument> instrument, FaultSettings faults)
    : instrument_(std::move(instrument)), injector_(faults) {}

Simulator::~Simulator() {
    stop();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

bool Simulator::start(std::string *error) {
    pair_ = PtyPair::create(error);
    if (!pair_)
        return false;
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        if (error != nullptr)
            *error = std::string("no event: ") + std::strerror(errno);
        return false;
    }
    epoch_ = std::chrono::steady_clock::now();
    thread_ = std::thread([this] { run(); });
    return true;
}

void Simulator::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
    if (thread_.joinable())
        thread_.join();
}

const std::string &Simulator::devicePath() const {
    static const std::string none;
    return pair_ ? pair_->slavePath() : none;
}

LineSettingsSeen Simulator::lineSettings() const {
    return pair_ ? pair_->lineSettings() : LineSettingsSeen{};
}

void Simulator::setFaults(const FaultSettings &faults) {
    std::lock_guard lock(mutex_);
    injector_.setSettings(faults);
}

void Simulator::unplug() {
    {
        std::lock_guard lock(mutex_);
        unplug_ = true;
    }
    const std::uint64_t one = 1;
    if (wakeFd_ >= 0) [[maybe_unused]]
        const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    // Wait until the thread has closed the master, so that the caller may count from here.
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (!pair_->masterOpen() || !thread_.joinable())
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::vector<SimLogEntry> Simulator::log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::uint8_t> Simulator::sentBy(SimLogEntry::From from) const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> bytes;
    for (const SimLogEntry &entry : log_)
        if (entry.from == from)
            bytes.insert(bytes.end(), entry.bytes.begin(), entry.bytes.end());
    return bytes;
}

void Simulator::onLog(std::function<void(const SimLogEntry &)> callback) {
    std::lock_guard lock(mutex_);
    logCallback_ = std::move(callback);
}

void Simulator::withInstrument(const std::function<void(Instrument &)> &fn) {
    std::lock_guard lock(mutex_);
    fn(*instrument_);
}

SimTime Simulator::now() const {
    return std::chrono::duration_cast<SimTime>(std::chrono::steady_clock::now() - epoch_);
}

void Simulator::run() {
    std::uint8_t buffer[4096];
    std::vector<std::uint8_t> unsent;
    for (;;) {
        SimTime wait = kLongestWait;
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            if (unplug_) {
                pair_->closeMaster();
                return;
            }
            const SimTime t = now();
            if (const SimTime due = injector_.nextDue(); due != SimTime::max())
                wait = std::min(wait, std::max(SimTime(0), due - t));
            if (const std::optional<SimTime> due = instrument_->deadline())
                wait = std::min(wait, std::max(SimTime(0), *due - t));
        }
        const short events = unsent.empty() ? POLLIN : static_cast<short>(POLLIN | POLLOUT);
        pollfd fds[2] = {{pair_->master(), events, 0}, {wakeFd_, POLLIN, 0}};
        const int timeout = static_cast<int>((wait.count() + 999) / 1000);
        if (poll(fds, 2, timeout) < 0 && errno != EINTR)
            return;
        if ((fds[1].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        std::lock_guard lock(mutex_);
        const SimTime t = now();
        Collect out;
        auto logEntry = [&](SimLogEntry::From from, std::vector<std::uint8_t> bytes) {
            log_.push_back({t, from, std::move(bytes)});
            if (logCallback_)
                logCallback_(log_.back());
        };
        if ((fds[0].revents & POLLIN) != 0) {
            const ssize_t n = ::read(pair_->master(), buffer, sizeof buffer);
            if (n > 0) {
                const std::span<const std::uint8_t> got(buffer, static_cast<std::size_t>(n));
                logEntry(SimLogEntry::From::Program, {got.begin(), got.end()});
                const std::vector<std::uint8_t> heard = injector_.fromProgram(got);
                if (!heard.empty())
                    instrument_->received(heard, t, out);
            }
        }
        if (const std::optional<SimTime> due = instrument_->deadline(); due && t >= *due)
            instrument_->timeout(t, out);
        if (!out.bytes_.empty()) {
            logEntry(SimLogEntry::From::Instrument, out.bytes_);
            const std::uint32_t rate =
                injector_.settings().paceAtLineRate ? pair_->lineSettings().baud : 0;
            injector_.toProgram(out.bytes_, t, rate);
        }
        const std::vector<std::uint8_t> due = injector_.dueToProgram(now());
        unsent.insert(unsent.end(), due.begin(), due.end());
        // What the program does not take yet waits here, as bytes wait on a line whose receiver
        // is slow; the simulator goes on reading meanwhile, so that neither side blocks the other.
        std::size_t written = 0;
        while (written < unsent.size()) {
            const ssize_t n =
                ::write(pair_->master(), unsent.data() + written, unsent.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            else if (n < 0 && errno == EINTR)
                continue;
            else
                break;
        }
        unsent.erase(unsent.begin(), unsent.begin() + static_cast<std::ptrdiff_t>(written));
    }
}

} // namespace qv::sim
