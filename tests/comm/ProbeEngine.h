#pragma once
// A small engine with the parts every instrument protocol has: a request, an answer awaited for
// a time, one retry, and a result. It sends the command's text with a CR and waits for the same
// line to come back.
#include "comm/LinkEngine.h"

namespace qv::test {

class ProbeEngine : public LinkEngine {
public:
    static constexpr int kCommandProbe = 1;
    static constexpr int kAnswered = 0;
    static constexpr int kNoAnswer = 1;
    static constexpr int kBusy = 2;
    static constexpr int kAbandoned = 512;

    explicit ProbeEngine(LinkTime wait = LinkTime(1000)) : wait_(wait) {}

    void start(LinkTime, LinkIo &io) override { io.purgeInput(); }
    void received(std::span<const std::uint8_t> bytes, LinkTime, LinkIo &io) override {
        if (!deadline_)
            return; // nothing asked: line noise
        line_.append(bytes.begin(), bytes.end());
        const std::size_t end = line_.find('\r');
        if (end == std::string::npos)
            return;
        const bool match = line_.substr(0, end) == request_;
        line_.erase(0, end + 1);
        if (!match)
            return;
        deadline_.reset();
        io.finish(kAnswered);
    }
    void lineErrors(unsigned, LinkTime, LinkIo &) override { line_.clear(); }
    void command(const LinkCommand &command, LinkTime now, LinkIo &io) override {
        if (command.code != kCommandProbe) {
            io.finish(kBusy);
            return;
        }
        request_ = command.text;
        retries_ = 0;
        line_.clear();
        io.send(request_ + "\r");
        deadline_ = now + wait_;
    }
    void timeout(LinkTime now, LinkIo &io) override {
        if (retries_ == 0) {
            ++retries_;
            io.post(message("No answer: sending again"));
            io.send(request_ + "\r");
            deadline_ = now + wait_;
            return;
        }
        deadline_.reset();
        io.post(message("No answer"));
        io.finish(kNoAnswer);
    }
    int abandon(LinkTime, LinkIo &) override {
        deadline_.reset();
        line_.clear();
        return kAbandoned;
    }
    std::optional<LinkTime> deadline() const override { return deadline_; }
    void stop(LinkTime, LinkIo &io) override { io.send(std::string_view("BYE\r")); }

private:
    static LinkEvent message(std::string text) {
        LinkEvent event;
        event.kind = LinkEvent::Kind::Message;
        event.text = std::move(text);
        return event;
    }

    LinkTime wait_;
    std::string request_;
    std::string line_;
    int retries_ = 0;
    std::optional<LinkTime> deadline_;
};

} // namespace qv::test
