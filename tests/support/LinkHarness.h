#pragma once
// Runs a link engine with a fake port and a fake clock: what the engine sends, the events it
// posts and the commands' results go into one transcript, and time moves only when the test
// says so, so that a ten-second time-out takes no time at all.
#include "comm/LinkDriver.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qv::test {

// A port that keeps what is written to it.
class FakePort : public LinkPort {
public:
    bool send(std::span<const std::uint8_t> bytes) override {
        if (failWrites)
            return false;
        sent.insert(sent.end(), bytes.begin(), bytes.end());
        return true;
    }
    void purgeInput() override { ++inputPurges; }
    void purgeOutput() override { ++outputPurges; }
    void setDtrLine(bool on) override { dtr = on; }

    std::vector<std::uint8_t> sent;
    int inputPurges = 0;
    int outputPurges = 0;
    bool dtr = false;
    bool failWrites = false;
};

class LinkHarness {
public:
    explicit LinkHarness(LinkEngine &engine, LinkTimings timings = {})
        : driver_(engine, port_, timings, [this](LinkEvent e) { events.push_back(std::move(e)); }) {
    }

    void start() { driver_.start(now_); }
    void feed(std::string_view bytes) {
        driver_.received(
            std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()), now_);
    }
    void feed(const std::vector<std::uint8_t> &bytes) { driver_.received(bytes, now_); }
    void lineErrors(unsigned errors) { driver_.lineErrors(errors, now_); }
    std::uint64_t command(LinkCommand command) { return driver_.submit(std::move(command), now_); }
    // Moves the clock forward by step, firing every deadline on the way at its own time.
    void advance(LinkTime step) {
        const LinkTime target = now_ + step;
        for (int guard = 0; guard < 100000; ++guard) {
            const std::optional<LinkTime> due = driver_.nextDeadline();
            if (!due || *due > target)
                break;
            now_ = std::max(now_, *due);
            driver_.advance(now_);
        }
        now_ = target;
        driver_.advance(now_);
    }
    void stop() { driver_.stop(now_); }

    // What the engine wrote since the last call, as text.
    std::string sent() {
        std::string text(port_.sent.begin(), port_.sent.end());
        port_.sent.clear();
        return text;
    }
    // The result of command id, or nothing while it runs.
    std::optional<int> result(std::uint64_t id) const {
        for (const LinkEvent &e : events)
            if (e.kind == LinkEvent::Kind::Finished && e.commandId == id)
                return e.code;
        return std::nullopt;
    }
    // The texts of the Message events, in order.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const LinkEvent &e : events)
            if (e.kind == LinkEvent::Kind::Message)
                texts.push_back(e.text);
        return texts;
    }

    LinkTime now() const { return now_; }
    FakePort &port() { return port_; }
    LinkDriver &driver() { return driver_; }
    std::vector<LinkEvent> events;

private:
    FakePort port_;
    LinkTime now_{0};
    LinkDriver driver_;
};

} // namespace qv::test
