#pragma once
// Runs one engine between a port and an owner, on whatever clock it is given: the link thread's
// in LinkRunner, a test's in the engine tests. It keeps the owner's commands in order, gives each
// the command wait, and stops a command that outlives it before the next one starts.
#include "comm/LinkEngine.h"
#include "comm/LinkPort.h"
#include "comm/LinkTimings.h"

#include <deque>
#include <functional>
#include <optional>

namespace qv {

// The reasons the driver itself ends a link (an engine's own reasons are positive).
enum LinkEndCode : int {
    kLinkStopped = 0,      // the owner stopped it
    kLinkDeviceLost = -1,  // the device went away
    kLinkWriteFailed = -2, // the port did not take the bytes
    kLinkCancelled = -3,   // a command's result when the link stopped before it was done
};

using LinkEventSink = std::function<void(LinkEvent)>;

class LinkDriver : private LinkIo {
public:
    LinkDriver(LinkEngine &engine, LinkPort &port, LinkTimings timings, LinkEventSink sink);

    void start(LinkTime now);
    void received(std::span<const std::uint8_t> bytes, LinkTime now);
    void lineErrors(unsigned errors, LinkTime now);
    // Queues a command; it reaches the engine when the commands before it are done. Returns its
    // id (the one given, or the next of the driver's own), which its Finished event carries.
    std::uint64_t submit(LinkCommand command, LinkTime now, std::uint64_t id = 0);
    // Fires what is due at now: the engine's deadline, a command's wait.
    void advance(LinkTime now);
    // The owner stops the link.
    void stop(LinkTime now);
    // The port says its device is gone.
    void deviceLost(std::string reason, LinkTime now);

    // The earliest time advance() has something to do.
    std::optional<LinkTime> nextDeadline() const;
    bool ended() const { return ended_; }
    int endCode() const { return endCode_; }
    const std::string &endReason() const { return endReason_; }
    const LinkTimings &timings() const { return timings_; }

private:
    // LinkIo
    void send(std::span<const std::uint8_t> bytes) override;
    void post(LinkEvent event) override;
    void finish(int result) override;
    void end(int code, std::string reason) override;
    void purgeInput() override { port_.purgeInput(); }
    void purgeOutput() override { port_.purgeOutput(); }
    void setDtr(bool on) override { port_.setDtrLine(on); }

    struct Queued {
        std::uint64_t id;
        LinkCommand command;
    };
    void startCommands(LinkTime now);

    LinkEngine &engine_;
    LinkPort &port_;
    LinkTimings timings_;
    LinkEventSink sink_;
    std::deque<Queued> queue_;
    std::optional<Queued> current_;
    LinkTime currentLimit_{0};
    std::uint64_t nextId_ = 1;
    bool starting_ = false;
    bool ended_ = false;
    int endCode_ = kLinkStopped;
    std::string endReason_;
    LinkTime now_{0};
};

} // namespace qv
