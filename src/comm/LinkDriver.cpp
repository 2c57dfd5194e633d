#include "comm/LinkDriver.h"

#include <algorithm>

namespace qv {

LinkDriver::LinkDriver(LinkEngine &engine, LinkPort &port, LinkTimings timings, LinkEventSink sink)
    : engine_(engine), port_(port), timings_(timings), sink_(std::move(sink)) {}

void LinkDriver::start(LinkTime now) {
    now_ = now;
    engine_.start(now, *this);
    startCommands(now);
}

void LinkDriver::received(std::span<const std::uint8_t> bytes, LinkTime now) {
    if (ended_ || bytes.empty())
        return;
    now_ = now;
    engine_.received(bytes, now, *this);
    startCommands(now);
}

void LinkDriver::lineErrors(unsigned errors, LinkTime now) {
    if (ended_ || errors == 0)
        return;
    now_ = now;
    LinkEvent event;
    event.kind = LinkEvent::Kind::LineErrors;
    event.code = static_cast<int>(errors);
    event.text = describeLineErrors(errors);
    post(std::move(event));
    engine_.lineErrors(errors, now, *this);
    startCommands(now);
}

std::uint64_t LinkDriver::submit(LinkCommand command, LinkTime now, std::uint64_t id) {
    if (id == 0)
        id = nextId_++;
    now_ = now;
    if (ended_) {
        LinkEvent event;
        event.kind = LinkEvent::Kind::Finished;
        event.commandId = id;
        event.code = endCode_ == kLinkStopped ? kLinkCancelled : endCode_;
        event.text = endReason_.empty() ? "The link is closed" : endReason_;
        sink_(std::move(event));
        return id;
    }
    queue_.push_back({id, std::move(command)});
    startCommands(now);
    return id;
}

void LinkDriver::startCommands(LinkTime now) {
    if (starting_)
        return; // a command that finishes inside command() starts the next from the loop below
    starting_ = true;
    while (!ended_ && !current_ && !queue_.empty()) {
        current_ = std::move(queue_.front());
        queue_.pop_front();
        currentLimit_ = now + timings_.commandWait;
        const LinkCommand command = current_->command;
        engine_.command(command, now, *this);
    }
    starting_ = false;
}

void LinkDriver::advance(LinkTime now) {
    now_ = now;
    if (ended_)
        return;
    if (current_ && now >= currentLimit_) {
        const std::uint64_t id = current_->id;
        const int result = engine_.abandon(now, *this);
        if (current_ && current_->id == id) {
            current_.reset();
            LinkEvent event;
            event.kind = LinkEvent::Kind::Finished;
            event.commandId = id;
            event.code = result;
            sink_(std::move(event));
        }
    }
    if (const std::optional<LinkTime> due = engine_.deadline(); !ended_ && due && now >= *due)
        engine_.timeout(now, *this);
    startCommands(now);
}

void LinkDriver::stop(LinkTime now) {
    now_ = now;
    if (ended_)
        return;
    engine_.stop(now, *this);
    end(kLinkStopped, {});
}

void LinkDriver::deviceLost(std::string reason, LinkTime now) {
    now_ = now;
    end(kLinkDeviceLost, std::move(reason));
}

std::optional<LinkTime> LinkDriver::nextDeadline() const {
    if (ended_)
        return std::nullopt;
    std::optional<LinkTime> due = engine_.deadline();
    if (current_ && (!due || currentLimit_ < *due))
        due = currentLimit_;
    return due;
}

void LinkDriver::send(std::span<const std::uint8_t> bytes) {
    if (ended_ || bytes.empty())
        return;
    if (!port_.send(bytes))
        end(kLinkWriteFailed, "Error when accessing the serial port");
}

void LinkDriver::post(LinkEvent event) {
    sink_(std::move(event));
}

void LinkDriver::finish(int result) {
    if (!current_)
        return; // nothing asked for: an engine finishing its own work
    LinkEvent event;
    event.kind = LinkEvent::Kind::Finished;
    event.commandId = current_->id;
    event.code = result;
    current_.reset();
    sink_(std::move(event));
}

void LinkDriver::end(int code, std::string reason) {
    if (ended_)
        return;
    ended_ = true;
    endCode_ = code;
    endReason_ = std::move(reason);
    // Commands still waiting end with the link, so that no caller waits for nothing.
    std::deque<Queued> left = std::move(queue_);
    queue_.clear();
    if (current_)
        left.push_front(std::move(*current_));
    current_.reset();
    for (const Queued &queued : left) {
        LinkEvent event;
        event.kind = LinkEvent::Kind::Finished;
        event.commandId = queued.id;
        event.code = code == kLinkStopped ? kLinkCancelled : code;
        event.text = endReason_.empty() ? "The link was stopped" : endReason_;
        sink_(std::move(event));
    }
    LinkEvent event;
    event.kind = LinkEvent::Kind::Ended;
    event.code = code;
    event.text = endReason_;
    sink_(std::move(event));
}

} // namespace qv
