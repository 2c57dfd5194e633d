// A link's events reach the window's thread in order while the link thread goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/LinkEvents.h"
#include "comm/LinkRunner.h"
#include "sim/EchoInstrument.h"
#include "sim/Simulator.h"

namespace qv {
namespace {

// Answers each command once its text has come back.
class EchoBack : public LinkEngine {
public:
    void start(LinkTime, LinkIo &) override {}
    void received(std::span<const std::uint8_t> bytes, LinkTime, LinkIo &io) override {
        got_.append(bytes.begin(), bytes.end());
        if (!want_.empty() && got_.size() >= want_.size()) {
            LinkEvent progress;
            progress.kind = LinkEvent::Kind::Progress;
            progress.text = got_;
            io.post(progress);
            io.finish(got_ == want_ ? 0 : 1);
            want_.clear();
        }
    }
    void lineErrors(unsigned, LinkTime, LinkIo &) override {}
    void command(const LinkCommand &command, LinkTime, LinkIo &io) override {
        want_ = command.text;
        got_.clear();
        io.send(want_);
    }
    void timeout(LinkTime, LinkIo &) override {}
    int abandon(LinkTime, LinkIo &) override { return 2; }
    std::optional<LinkTime> deadline() const override { return std::nullopt; }

private:
    std::string want_, got_;
};

} // namespace

TEST(LinkEvents, TheWindowGetsTheLinksEventsOnItsOwnThreadInOrder) {
    sim::Simulator simulator(std::make_unique<sim::EchoInstrument>());
    ASSERT_TRUE(simulator.start());
    SerialPort port;
    ASSERT_EQ(port.openDevice(simulator.devicePath(), 19200, 8, Parity::None, 1, 512, 512),
              kSerialOk);
    EchoBack engine;
    LinkEvents events;
    std::vector<std::string> seen;
    bool onOwnThread = true;
    QObject::connect(&events, &LinkEvents::received, [&](const LinkEvent &e) {
        onOwnThread = onOwnThread && QThread::currentThread() == qApp->thread();
        if (e.kind == LinkEvent::Kind::Progress)
            seen.push_back(e.text);
        else if (e.kind == LinkEvent::Kind::Finished)
            seen.push_back("finished " + std::to_string(e.commandId) + ": " +
                           std::to_string(e.code));
        else if (e.kind == LinkEvent::Kind::Ended)
            seen.push_back("ended");
    });
    {
        LinkRunner runner(port, engine, LinkTimings{}, events.sink());
        ASSERT_TRUE(runner.start());
        runner.submit({0, "one", 0});
        runner.submit({0, "two", 0});
        QElapsedTimer clock;
        clock.start();
        while (seen.size() < 4 && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        runner.stop();
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(onOwnThread);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"one", "finished 1: 0", "two", "finished 2: 0", "ended"}));
}

} // namespace qv
