// An engine under the fake clock: every wait runs in no time, and the transcript shows what went
// on the line and what the owner heard.
#include "comm/ProbeEngine.h"
#include "support/LinkHarness.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;
using namespace std::chrono_literals;

namespace {

LinkCommand probe(std::string text) {
    return {ProbeEngine::kCommandProbe, std::move(text), 0};
}

} // namespace

TEST(LinkDriver, AnswerRetryAndNoAnswerRunUnderTheFakeClock) {
    ProbeEngine engine(1000ms);
    LinkHarness link(engine);
    link.start();
    EXPECT_EQ(link.port().inputPurges, 1);

    // Answered at once, in two pieces, with noise before it.
    std::uint64_t id = link.command(probe("AT"));
    EXPECT_EQ(link.sent(), "AT\r");
    link.feed("garbage\rA");
    EXPECT_FALSE(link.result(id));
    link.feed("T\r");
    EXPECT_EQ(link.result(id), ProbeEngine::kAnswered);

    // The first request lost: sent again after the wait, then answered.
    id = link.command(probe("ATI"));
    EXPECT_EQ(link.sent(), "ATI\r");
    link.advance(999ms);
    EXPECT_EQ(link.sent(), "");
    link.advance(1ms);
    EXPECT_EQ(link.sent(), "ATI\r");
    link.feed("ATI\r");
    EXPECT_EQ(link.result(id), ProbeEngine::kAnswered);

    // Nobody there: one retry, then no answer, two seconds after the request.
    id = link.command(probe("ATZ"));
    link.advance(10s);
    EXPECT_EQ(link.sent(), "ATZ\rATZ\r");
    EXPECT_EQ(link.result(id), ProbeEngine::kNoAnswer);
    EXPECT_EQ(link.messages(), (std::vector<std::string>{"No answer: sending again",
                                                         "No answer: sending again", "No answer"}));
    EXPECT_FALSE(link.driver().nextDeadline()) << "nothing left to wait for";
}

TEST(LinkDriver, CommandsRunOneAfterTheOtherAndAnOverdueOneIsStoppedFirst) {
    ProbeEngine engine(3000ms); // two waits of 3 s outlast the 4 s a command may take
    LinkHarness link(engine);
    link.start();
    const std::uint64_t first = link.command(probe("ONE"));
    const std::uint64_t second = link.command(probe("TWO"));
    EXPECT_EQ(link.sent(), "ONE\r") << "the second waits for the first";

    link.advance(3000ms);
    EXPECT_EQ(link.sent(), "ONE\r");
    link.advance(999ms);
    EXPECT_FALSE(link.result(first));
    link.advance(1ms);
    EXPECT_EQ(link.result(first), ProbeEngine::kAbandoned);
    EXPECT_EQ(link.sent(), "TWO\r") << "the next command starts once the first is stopped";

    // The first command's answer, late: it does not answer the second.
    link.feed("ONE\r");
    EXPECT_FALSE(link.result(second));
    link.feed("TWO\r");
    EXPECT_EQ(link.result(second), ProbeEngine::kAnswered);

    // The results came in the order of the commands.
    std::vector<std::uint64_t> order;
    for (const LinkEvent &e : link.events)
        if (e.kind == LinkEvent::Kind::Finished)
            order.push_back(e.commandId);
    EXPECT_EQ(order, (std::vector<std::uint64_t>{first, second}));
}

TEST(LinkDriver, StopEndsWaitingCommandsAndAFailedWriteEndsTheLink) {
    ProbeEngine engine;
    {
        LinkHarness link(engine);
        link.start();
        const std::uint64_t running = link.command(probe("A"));
        const std::uint64_t waiting = link.command(probe("B"));
        link.stop();
        EXPECT_EQ(link.sent(), "A\rBYE\r") << "the engine says goodbye on the line";
        EXPECT_EQ(link.result(running), kLinkCancelled);
        EXPECT_EQ(link.result(waiting), kLinkCancelled);
        ASSERT_FALSE(link.events.empty());
        EXPECT_EQ(link.events.back().kind, LinkEvent::Kind::Ended);
        EXPECT_EQ(link.events.back().code, kLinkStopped);
        // A command after the end is answered at once.
        EXPECT_EQ(link.result(link.command(probe("C"))), kLinkCancelled);
    }
    {
        LinkHarness link(engine);
        link.start();
        link.port().failWrites = true;
        const std::uint64_t id = link.command(probe("A"));
        EXPECT_EQ(link.result(id), kLinkWriteFailed);
        EXPECT_TRUE(link.driver().ended());
        EXPECT_EQ(link.driver().endReason(), "Error when accessing the serial port");
    }
}

TEST(LinkDriver, LineErrorsReachTheOwnerAndTheEngine) {
    ProbeEngine engine;
    LinkHarness link(engine);
    link.start();
    const std::uint64_t id = link.command(probe("X"));
    link.feed("X");
    link.lineErrors(kLineFraming | kLineOverrun);
    link.feed("\r"); // what came before the error was thrown away
    EXPECT_FALSE(link.result(id));
    link.feed("X\r");
    EXPECT_EQ(link.result(id), ProbeEngine::kAnswered);
    const auto it = std::find_if(link.events.begin(), link.events.end(), [](const LinkEvent &e) {
        return e.kind == LinkEvent::Kind::LineErrors;
    });
    ASSERT_NE(it, link.events.end());
    EXPECT_EQ(it->code, static_cast<int>(kLineFraming | kLineOverrun));
    EXPECT_EQ(it->text, "framing error, overrun");
}
