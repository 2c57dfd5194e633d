#include "comm/LinkRunner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace qv {

namespace {

// What the link thread takes from the port in one read.
constexpr std::size_t kReadBuffer = 4096;
constexpr int kReadsPerRound = 16;
// A caller of call() waits this much beyond the command wait for the link thread to answer.
constexpr std::chrono::milliseconds kCallMargin{1000};

} // namespace

LinkRunner::LinkRunner(SerialPort &port, LinkEngine &engine, LinkTimings timings,
                       LinkEventSink sink)
    : port_(port), engine_(engine), timings_(timings), sink_(std::move(sink)) {}

LinkRunner::~LinkRunner() {
    stop();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

bool LinkRunner::start(std::string *error) {
    auto fail = [error](std::string why) {
        if (error != nullptr)
            *error = std::move(why);
        return false;
    };
    if (thread_.joinable())
        return fail("The link is already running");
    if (!port_.isOpen())
        return fail("The communication port is not open");
    if (wakeFd_ < 0)
        wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0)
        return fail(std::string("The event thread can not be created! (") + std::strerror(errno) +
                    ")");
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
        ended_ = false;
        running_ = true;
        endCode_ = kLinkStopped;
        endReason_.clear();
    }
    epoch_ = std::chrono::steady_clock::now();
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error &e) {
        std::lock_guard lock(mutex_);
        running_ = false;
        return fail(std::string("The event thread can not be created! (") + e.what() + ")");
    }
    return true;
}

LinkTime LinkRunner::now() const {
    return std::chrono::duration_cast<LinkTime>(std::chrono::steady_clock::now() - epoch_);
}

void LinkRunner::wake() {
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

std::uint64_t LinkRunner::submit(LinkCommand command) {
    std::uint64_t id = 0;
    bool refused = false;
    {
        std::lock_guard lock(mutex_);
        id = nextId_++;
        refused = !running_;
        if (!refused)
            inbox_.emplace_back(id, std::move(command));
    }
    if (refused) {
        LinkEvent event;
        event.kind = LinkEvent::Kind::Finished;
        event.commandId = id;
        const int code = endCode();
        event.code = code == kLinkStopped ? kLinkCancelled : code;
        event.text = "The link is closed";
        deliver(std::move(event));
        return id;
    }
    wake();
    return id;
}

int LinkRunner::call(LinkCommand command) {
    std::unique_lock lock(mutex_);
    if (!running_)
        return ended_ && endCode_ != kLinkStopped ? endCode_ : kLinkCancelled;
    const std::uint64_t id = nextId_++;
    awaited_.push_back(id);
    inbox_.emplace_back(id, std::move(command));
    lock.unlock();
    wake();
    lock.lock();
    const bool answered = finished_.wait_for(lock, timings_.commandWait + kCallMargin,
                                             [&] { return results_.count(id) != 0 || !running_; });
    std::erase(awaited_, id);
    if (!answered || results_.count(id) == 0)
        return ended_ && endCode_ != kLinkStopped ? endCode_ : kLinkCancelled;
    const int result = results_[id];
    results_.erase(id);
    return result;
}

void LinkRunner::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake();
    if (thread_.joinable())
        thread_.join();
}

bool LinkRunner::running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

int LinkRunner::endCode() const {
    std::lock_guard lock(mutex_);
    return endCode_;
}

std::string LinkRunner::endReason() const {
    std::lock_guard lock(mutex_);
    return endReason_;
}

void LinkRunner::deliver(LinkEvent event) {
    {
        std::lock_guard lock(mutex_);
        if (event.kind == LinkEvent::Kind::Finished &&
            std::find(awaited_.begin(), awaited_.end(), event.commandId) != awaited_.end()) {
            results_[event.commandId] = event.code;
            finished_.notify_all();
        }
        if (event.kind == LinkEvent::Kind::Ended) {
            ended_ = true;
            endCode_ = event.code;
            endReason_ = event.text;
        }
    }
    if (sink_)
        sink_(std::move(event));
}

void LinkRunner::run() {
    LinkDriver driver(engine_, port_, timings_, [this](LinkEvent e) { deliver(std::move(e)); });
    std::vector<std::uint8_t> buffer(kReadBuffer);
    // The port may already hold lost news (a device gone before the thread started).
    if (port_.lost())
        driver.deviceLost(port_.lastError(), now());
    else
        driver.start(now());
    bool morePending = false; // the last round stopped reading before the input was drained
    while (!driver.ended()) {
        std::vector<std::pair<std::uint64_t, LinkCommand>> commands;
        bool stopping = false;
        {
            std::lock_guard lock(mutex_);
            commands.swap(inbox_);
            stopping = stopRequested_;
        }
        if (stopping) {
            driver.stop(now());
            break;
        }
        for (auto &[id, command] : commands)
            driver.submit(std::move(command), now(), id);
        if (driver.ended())
            break;

        int timeout = morePending ? 0 : -1;
        if (const std::optional<LinkTime> due = driver.nextDeadline(); due && timeout != 0) {
            const auto left = (*due - now()).count();
            timeout = left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 60'000));
        }
        pollfd fds[2] = {{port_.descriptor(), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        const int ready = poll(fds, 2, timeout);
        if (morePending)
            fds[0].revents |= POLLIN; // bytes already taken from the driver wait in the port
        morePending = false;
        if (ready < 0 && errno != EINTR) {
            driver.deviceLost(std::string("Error when accessing the serial port (") +
                                  std::strerror(errno) + ")",
                              now());
            break;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0) {
            // A few reads at most before commands and deadlines get their turn again.
            for (int reads = 0; reads < kReadsPerRound; ++reads) {
                const SerialRead got = port_.read(buffer);
                if (!got.ok() || got.count == 0)
                    break;
                driver.received(std::span(buffer.data(), got.count), now());
                morePending = reads + 1 == kReadsPerRound;
            }
            if (const unsigned errors = port_.getErrors(); errors != 0)
                driver.lineErrors(errors, now());
            // A hang-up that reads as nothing is a device gone too: polling it again would
            // only spin.
            if (!port_.lost() && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 &&
                (fds[0].revents & POLLIN) == 0)
                driver.deviceLost(port_.device() + " hung up", now());
            if (port_.lost())
                driver.deviceLost(port_.lastError(), now());
        }
        driver.advance(now());
    }
    std::vector<std::pair<std::uint64_t, LinkCommand>> late;
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        late.swap(inbox_);
    }
    // Commands handed in as the link ended get their answer too.
    for (auto &[id, command] : late)
        driver.submit(std::move(command), now(), id);
    std::lock_guard lock(mutex_);
    finished_.notify_all();
}

} // namespace qv
