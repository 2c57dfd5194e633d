#pragma once
// The link thread: runs one engine on an open serial port until the owner stops it or the
// device goes away. The owner hands commands in from any thread and never waits on the port;
// events reach it through the sink, called on the link thread (the GUI queues them to its own
// thread, the command line handles them where they come).
#include "comm/LinkDriver.h"
#include "comm/SerialPort.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {

class LinkRunner {
public:
    // port must be open; it and engine belong to the caller and must outlive the runner. Until
    // the runner stops, only the link thread touches them.
    LinkRunner(SerialPort &port, LinkEngine &engine, LinkTimings timings, LinkEventSink sink);
    ~LinkRunner();
    LinkRunner(const LinkRunner &) = delete;
    LinkRunner &operator=(const LinkRunner &) = delete;

    // Starts the link thread; false (and why in error) when it cannot run.
    bool start(std::string *error = nullptr);
    // Hands a command to the link thread and returns at once with its id.
    std::uint64_t submit(LinkCommand command);
    // Hands a command in and waits for its result, at most the command wait and a margin: for
    // callers that may block (the command line, worker threads), never the GUI thread.
    int call(LinkCommand command);
    // Stops the engine, ends the thread and waits for it. The port stays open for the owner.
    void stop();
    bool running() const;
    // Why the link ended, once it has (kLinkStopped, kLinkDeviceLost ...).
    int endCode() const;
    std::string endReason() const;

private:
    void run();
    void wake();
    LinkTime now() const;
    void deliver(LinkEvent event);

    SerialPort &port_;
    LinkEngine &engine_;
    LinkTimings timings_;
    LinkEventSink sink_;
    std::chrono::steady_clock::time_point epoch_;
    int wakeFd_ = -1;
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::vector<std::pair<std::uint64_t, LinkCommand>> inbox_;
    std::map<std::uint64_t, int> results_; // of the commands a caller of call() waits for
    std::vector<std::uint64_t> awaited_;
    std::uint64_t nextId_ = 1;
    bool stopRequested_ = false;
    bool running_ = false;
    bool ended_ = false;
    int endCode_ = kLinkStopped;
    std::string endReason_;
};

} // namespace qv
