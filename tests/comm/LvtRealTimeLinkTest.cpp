// The LVT real-time link under the fake clock: the tester's side is played by the test, frame by
// frame, and every frame the program sends is read back.
#include "comm/LvtRealTimeLink.h"
#include "support/LinkHarness.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;
using State = LvtRealTimeLink::State;

// Keeps each record's content and gives its buffer back.
class Records : public RecordSink {
public:
    explicit Records(RecordBufferPool &pool) : pool_(pool) {}
    void deliver(RecordBuffer *buffer) override {
        const std::uint16_t length = buffer->length();
        EXPECT_EQ(buffer->bytes[0], 1);
        EXPECT_EQ(buffer->bytes[6 + length] | (buffer->bytes[7 + length] << 8), length);
        contents.emplace_back(buffer->content(), buffer->content() + length);
        if (keep)
            kept.push_back(buffer);
        else
            pool_.give(buffer);
    }
    std::vector<Bytes> contents;
    std::vector<RecordBuffer *> kept;
    bool keep = false;

private:
    RecordBufferPool &pool_;
};

// A record's content: time, kind 1, status, direction, month, data length, data.
Bytes record(std::uint8_t marker, std::size_t dataLength = 3) {
    Bytes content = {0x12,
                     0x34,
                     0x56,
                     0x78,
                     1,
                     0,
                     1,
                     12,
                     static_cast<std::uint8_t>(dataLength),
                     static_cast<std::uint8_t>(dataLength >> 8)};
    for (std::size_t i = 0; i < dataLength; ++i)
        content.push_back(static_cast<std::uint8_t>(marker + i));
    return content;
}

Bytes connectAnswer(int level = 33, int window = 7, int model = 0, std::uint8_t flags = 0) {
    Bytes content(35, 0);
    content[2] = static_cast<std::uint8_t>(level);
    content[4] = static_cast<std::uint8_t>(window);
    content[5] = static_cast<std::uint8_t>(model);
    const std::string serial = "AB12345", first = "V09.02", second = "V05.02.001";
    std::copy(serial.begin(), serial.end(), content.begin() + 6);
    std::copy(first.begin(), first.end(), content.begin() + 13);
    std::copy(second.begin(), second.end(), content.begin() + 20);
    content[34] = flags;
    return content;
}

const Bytes kDate = {0xEA, 0x07, 12, 9, 10, 30, 5}; // 2026-12-09 10:30:05

// Frames the program sent, as the tester reads them: "RR3", "REJ0", "CONNECT", "START", "STOP".
std::vector<std::string> program(LinkHarness &link,
                                 std::vector<LinkFrameReader::Frame> *frames = nullptr) {
    const std::string sent = link.sent();
    LinkFrameReader reader;
    std::vector<std::string> names;
    for (LinkFrameReader::Frame &f :
         reader.feed(std::span(reinterpret_cast<const std::uint8_t *>(sent.data()), sent.size()))) {
        EXPECT_TRUE(f.checked);
        if (f.type == 0xF3)
            names.push_back("CONNECT");
        else if (f.type == 0xF7)
            names.push_back("START");
        else if (f.type == 0xFB)
            names.push_back("STOP");
        else if ((f.type & 0x1F) == 1)
            names.push_back("RR" + std::to_string(f.type >> 5));
        else if ((f.type & 0x1F) == 5)
            names.push_back("REJ" + std::to_string(f.type >> 5));
        else
            names.push_back("?");
        if (frames != nullptr)
            frames->push_back(std::move(f));
    }
    return names;
}

using Names = std::vector<std::string>;

struct Link {
    explicit Link(std::size_t buffers = 16) : pool(buffers), records(pool), engine(pool, records) {}
    RecordBufferPool pool;
    Records records;
    LvtRealTimeLink engine;
    LinkHarness link{engine};

    void tester(std::uint8_t type, const Bytes &content) {
        link.feed(encodeLinkFrame(type, content));
    }
    void testerRecord(int ns, const Bytes &content) {
        tester(static_cast<std::uint8_t>(ns << 1), content);
    }
    // Connected and running with the given window.
    void run(int window) {
        link.start();
        const std::uint64_t connect = link.command(LvtRealTimeLink::connectCommand(0x21, 0x42));
        tester(0xF3, connectAnswer(33, window));
        ASSERT_EQ(link.result(connect), 0);
        const std::uint64_t start =
            link.command(LvtRealTimeLink::startCommand({2026, 12, 9, 10, 30, 5}));
        tester(0xF7, kDate);
        ASSERT_EQ(link.result(start), 0);
        ASSERT_EQ(engine.state(), State::Running);
        link.sent();
    }
    std::vector<int> errors() const {
        std::vector<int> codes;
        for (const LinkEvent &e : link.events)
            if (e.kind == LinkEvent::Kind::Message)
                codes.push_back(e.code);
        return codes;
    }
};

} // namespace

TEST(LvtRealTimeLink, ConnectStartAndStopAsTheTableHasThem) {
    Link l;
    l.link.start();
    // Idle: stop finishes at once, start and connect go out.
    EXPECT_EQ(l.link.result(l.link.command(LvtRealTimeLink::stopCommand())), 0);
    EXPECT_EQ(program(l.link), Names{});

    const std::uint64_t connect = l.link.command(LvtRealTimeLink::connectCommand(0x21, 0x42));
    std::vector<LinkFrameReader::Frame> frames;
    EXPECT_EQ(program(l.link, &frames), Names{"CONNECT"});
    ASSERT_EQ(frames[0].content.size(), 35u);
    EXPECT_EQ(frames[0].content[0], '!');
    EXPECT_EQ(frames[0].content[2], 33);
    EXPECT_EQ(frames[0].content[4], 3);
    EXPECT_EQ(frames[0].content[31], 0x21);
    EXPECT_EQ(frames[0].content[32], 0x42);
    EXPECT_EQ(l.engine.state(), State::Connecting);

    l.tester(0xF3, connectAnswer(33, 3, 1, 2));
    EXPECT_EQ(l.link.result(connect), 0);
    EXPECT_EQ(l.engine.state(), State::Connected);
    EXPECT_EQ(l.engine.window(), 3);
    const LinkEvent &connected = l.link.events.back().kind == LinkEvent::Kind::Finished
                                     ? l.link.events[l.link.events.size() - 2]
                                     : l.link.events.back();
    ASSERT_EQ(connected.code, LvtRealTimeLink::kConnected);
    const TesterIdentity who = LvtRealTimeLink::identityOf(connected.bytes, 33);
    EXPECT_EQ(who.modelName, "LVT-60");
    EXPECT_EQ(who.serialNumber, "AB12345");
    EXPECT_EQ(who.firstVersion, "V09.02");
    EXPECT_EQ(who.secondVersion, "V05.02.001");
    EXPECT_EQ(who.flags, 66) << "an LVT-60's flags below 4 get 64 added";
    EXPECT_EQ(connected.total, 66);

    const std::uint64_t start =
        l.link.command(LvtRealTimeLink::startCommand({2026, 12, 9, 10, 30, 5}));
    frames.clear();
    EXPECT_EQ(program(l.link, &frames), Names{"START"});
    EXPECT_EQ(frames[0].content, kDate) << "the year little-endian, then month to second";
    // A second start while one is under way is refused.
    l.tester(0xF7, kDate);
    EXPECT_EQ(l.link.result(start), 0);
    EXPECT_EQ(l.engine.state(), State::Running);
    EXPECT_EQ(l.link.result(l.link.command(LvtRealTimeLink::startCommand({}))), kRtSecondStart);
    EXPECT_EQ(l.link.result(l.link.command({LvtRealTimeLink::kConnect, "", 0})),
              kRtMissingArgument);

    const std::uint64_t stop = l.link.command(LvtRealTimeLink::stopCommand());
    frames.clear();
    EXPECT_EQ(program(l.link, &frames), Names{"STOP"});
    EXPECT_EQ(frames[0].content, Bytes(8, 0));
    Bytes stopAnswer = {0};
    stopAnswer.insert(stopAnswer.end(), kDate.begin(), kDate.end());
    l.tester(0xFB, stopAnswer);
    EXPECT_EQ(l.link.result(stop), 0);
    EXPECT_EQ(l.engine.state(), State::Idle);
    EXPECT_EQ(LvtRealTimeLink::dateOf(l.link.events[l.link.events.size() - 2].bytes),
              (LinkDateTime{2026, 12, 9, 10, 30, 5}));
}

TEST(LvtRealTimeLink, TheTestersLevelAndItsFlags) {
    // A tester at level 17 is asked again at 17.
    Link old;
    old.link.start();
    const std::uint64_t id = old.link.command(LvtRealTimeLink::connectCommand(0, 0));
    old.link.sent();
    old.tester(0xF3, connectAnswer(17, 1));
    std::vector<LinkFrameReader::Frame> frames;
    EXPECT_EQ(program(old.link, &frames), Names{"CONNECT"});
    EXPECT_EQ(frames[0].content[2], 17);
    EXPECT_FALSE(old.link.result(id));
    old.tester(0xF3, connectAnswer(17, 1, 1, 3));
    EXPECT_EQ(old.link.result(id), 0);
    EXPECT_EQ(old.engine.level(), 17);
    EXPECT_EQ(LvtRealTimeLink::identityOf(connectAnswer(17, 1, 1, 3), 17).flags, 0);

    struct Case {
        int model;
        std::uint8_t raw, kept;
    };
    for (const Case c : {Case{0, 0x07, 1}, Case{1, 0x06, 6}, Case{1, 0x02, 66}, Case{2, 0xFF, 0}}) {
        const TesterIdentity who =
            LvtRealTimeLink::identityOf(connectAnswer(33, 7, c.model, c.raw), 33);
        EXPECT_EQ(who.flags, c.kept) << c.model;
    }
    const TesterIdentity v5 = LvtRealTimeLink::identityOf(connectAnswer(33, 7, 1, 0x0E), 33);
    EXPECT_TRUE(v5.v5());
    EXPECT_EQ(v5.v5Setting(), 3u);
    EXPECT_FALSE(v5.bit0());

    // A level the program does not speak, a window it does not know, an answer of the wrong
    // size: retried once, then 513 and the stop request; the first error is the result.
    struct Bad {
        Bytes answer;
        int code;
    };
    Bytes shortAnswer = connectAnswer();
    shortAnswer.pop_back();
    for (const Bad &bad :
         {Bad{connectAnswer(40), kRtWrongVersion}, Bad{connectAnswer(33, 4), kRtBadWindow},
          Bad{shortAnswer, kRtBadContent}}) {
        Link l;
        l.link.start();
        const std::uint64_t c = l.link.command(LvtRealTimeLink::connectCommand(0, 0));
        l.link.sent();
        l.tester(0xF3, bad.answer);
        EXPECT_EQ(program(l.link), Names{"CONNECT"}) << bad.code;
        l.tester(0xF3, bad.answer);
        EXPECT_EQ(program(l.link), Names{"STOP"});
        EXPECT_EQ(l.engine.state(), State::Stopping);
        l.tester(0xFB, Bytes(8, 0));
        EXPECT_EQ(l.link.result(c), bad.code);
        EXPECT_EQ(l.errors(), (std::vector<int>{bad.code, bad.code, kRtTooManyRetries}));
    }
}

TEST(LvtRealTimeLink, RequestsAreResentThreeTimesThenGivenUp) {
    Link l;
    l.link.start();
    const std::uint64_t id = l.link.command(LvtRealTimeLink::connectCommand(0, 0));
    EXPECT_EQ(program(l.link), Names{"CONNECT"});
    for (int second = 1; second <= 3; ++second) {
        l.link.advance(1000ms);
        EXPECT_EQ(program(l.link), Names{"CONNECT"}) << second;
    }
    // The command's own wait (4 s) runs out with the fourth second: 512, and the tester is
    // told to stop.
    l.link.advance(1000ms);
    EXPECT_EQ(l.link.result(id), kRtTimeout);
    EXPECT_EQ(program(l.link), Names{"STOP"});
    // The stop is resent three times too, then the link gives up.
    l.link.advance(3000ms);
    EXPECT_EQ(program(l.link), (Names{"STOP", "STOP", "STOP"}));
    l.link.advance(1000ms);
    EXPECT_EQ(l.engine.state(), State::Idle);
    EXPECT_EQ(l.errors().back(), kRtTooManyRetries);
    EXPECT_FALSE(l.link.driver().nextDeadline());
}

TEST(LvtRealTimeLink, EscapedBytesAreStoredAsSentAndCheckedAsReceived) {
    Link l;
    l.run(1);
    Bytes content = record(0x0E, 6); // data 0E 0F 10 11 12 13
    content.push_back(0);
    content[8] = 7;
    content[10 + 6] = 0xFA;
    const Bytes frame = encodeLinkFrame(0, content);
    EXPECT_EQ(std::count(frame.begin(), frame.end(), 0x10), 2) << "0x10 and 0xFA go escaped";
    l.link.feed(frame);
    ASSERT_EQ(l.records.contents.size(), 1u);
    EXPECT_EQ(l.records.contents[0], content);
    EXPECT_EQ(program(l.link), Names{"RR1"}) << "window 1: every frame acknowledged";

    // The same frame with its check computed without the escapes is refused.
    Bytes wrong = frame;
    std::uint8_t plain = 0x02;
    for (std::uint8_t b : content)
        plain ^= b;
    wrong[wrong.size() - 2] = plain; // the check byte (not escaped here)
    l.link.feed(wrong);
    EXPECT_EQ(l.records.contents.size(), 1u);
    EXPECT_EQ(l.errors(), (std::vector<int>{kRtBadCheck}));
}

TEST(LvtRealTimeLink, WindowsAcknowledgeEverySecondAndEverySixthFrame) {
    struct Case {
        int window;
        Names acks;
    };
    const Case cases[] = {
        {1, {"RR1", "RR2", "RR3", "RR4", "RR5", "RR6", "RR7", "RR0", "RR1", "RR2", "RR3", "RR4"}},
        {3, {"RR2", "RR4", "RR6", "RR0", "RR2", "RR4"}},
        {7, {"RR6", "RR4"}},
    };
    for (const Case &c : cases) {
        Link l;
        l.run(c.window);
        Names acks;
        for (int n = 0; n < 12; ++n) {
            l.testerRecord(n % 8, record(static_cast<std::uint8_t>(n)));
            for (const std::string &name : program(l.link))
                acks.push_back(name);
        }
        EXPECT_EQ(acks, c.acks) << "window " << c.window;
        EXPECT_EQ(l.records.contents.size(), 12u);
        EXPECT_EQ(l.records.contents[11], record(11));
    }
}

TEST(LvtRealTimeLink, RepeatsLossAndDamage) {
    Link l;
    l.run(3);
    l.testerRecord(0, record(0));
    l.testerRecord(1, record(1));
    EXPECT_EQ(program(l.link), Names{"RR2"});
    // The acknowledgement was lost: the tester sends frame 1 again.
    l.testerRecord(1, record(1));
    EXPECT_EQ(program(l.link), Names{"RR2"});
    EXPECT_EQ(l.records.contents.size(), 2u) << "not stored twice";

    // Frame 2 lost: 3 is out of order, rejected once; 4 while the reject is pending is not.
    l.testerRecord(3, record(3));
    EXPECT_EQ(program(l.link), Names{"REJ2"});
    l.testerRecord(4, record(4));
    EXPECT_EQ(program(l.link), Names{});
    // The tester goes back to 2.
    for (int n : {2, 3, 4})
        l.testerRecord(n, record(static_cast<std::uint8_t>(n)));
    EXPECT_EQ(program(l.link), (Names{"RR4"}));
    ASSERT_EQ(l.records.contents.size(), 5u);
    for (std::uint8_t n = 0; n < 5; ++n)
        EXPECT_EQ(l.records.contents[n], record(n)) << "in order, once each";

    // A bad check is rejected and recovered.
    Bytes damaged = encodeLinkFrame(5 << 1, record(5));
    damaged[4] ^= 0x01;
    l.link.feed(damaged);
    EXPECT_EQ(program(l.link), Names{"REJ5"});
    l.testerRecord(5, record(5));
    EXPECT_EQ(l.records.contents.back(), record(5));
    // A data length that does not match the frame.
    Bytes lying = record(6);
    lying[8] = 9;
    l.testerRecord(6, lying);
    EXPECT_EQ(program(l.link), (Names{"RR6", "REJ6"})) << "5 acknowledged, 6 refused";
    EXPECT_EQ(l.errors(), (std::vector<int>{kRtSequence, kRtSequence, kRtBadCheck, kRtBadContent}));
}

TEST(LvtRealTimeLink, TheThirdRejectStopsTheCapture) {
    Link l;
    l.run(7);
    for (int round = 0; round < 3; ++round) {
        l.testerRecord(5, record(5));               // never the expected 0
        l.link.feed(Bytes{0xFA, 0x01, 0x01, 0xFA}); // a tester RR(0): the pending reject again
    }
    // The first reject, its repeat for the tester's poll, then the stop instead of a third.
    EXPECT_EQ(program(l.link), (Names{"REJ0", "REJ0", "STOP"}));
    EXPECT_EQ(l.engine.state(), State::Stopping);
    // A frame accepted between two rejects starts the count again.
    Link m;
    m.run(7);
    for (int n = 0; n < 6; ++n) {
        m.testerRecord((n + 1) % 8, record(1)); // one ahead: rejected
        m.testerRecord(n % 8, record(static_cast<std::uint8_t>(n)));
        m.testerRecord((n + 1) % 8, record(static_cast<std::uint8_t>(n + 1)));
        ++n;
    }
    EXPECT_EQ(m.engine.state(), State::Running);
    EXPECT_EQ(m.records.contents.size(), 6u);
}

TEST(LvtRealTimeLink, TenSilentSecondsThenTheCaptureStopsWith512) {
    Link l;
    l.run(7);
    l.testerRecord(0, record(0));
    Names sent;
    for (int second = 1; second <= 10; ++second) {
        l.link.advance(1000ms);
        for (const std::string &name : program(l.link))
            sent.push_back(name + "@" + std::to_string(second));
    }
    EXPECT_EQ(sent, (Names{"RR1@1", "RR1@2", "RR1@3", "RR1@4", "RR1@5", "RR1@6", "RR1@7", "RR1@8",
                           "RR1@9", "RR1@10"}));
    l.link.advance(1000ms);
    EXPECT_EQ(program(l.link), Names{"STOP"});
    ASSERT_FALSE(l.errors().empty());
    EXPECT_EQ(l.errors().back(), kRtTimeout);
    const auto message = std::find_if(l.link.events.rbegin(), l.link.events.rend(),
                                      [](const LinkEvent &e) { return e.code == kRtTimeout; });
    EXPECT_EQ(message->text, "No answer from the remote equipment - Time out happened:\n check if "
                             "the equipment is in Remote mode (0x0200)");
    // A frame in time resets the count.
    Link m;
    m.run(7);
    m.link.advance(9000ms);
    m.testerRecord(0, record(0));
    m.link.advance(9000ms);
    EXPECT_EQ(m.engine.state(), State::Running);
}

TEST(LvtRealTimeLink, TheTestersOwnStopAndItsAcknowledgements) {
    for (const auto &[reason, code] :
         {std::pair{1, 257}, std::pair{2, 258}, std::pair{3, 259}, std::pair{9, 256}}) {
        Link l;
        l.run(7);
        Bytes stop = {static_cast<std::uint8_t>(reason)};
        stop.insert(stop.end(), kDate.begin(), kDate.end());
        l.tester(0xFB, stop);
        EXPECT_EQ(l.errors(), (std::vector<int>{code}));
        EXPECT_EQ(l.engine.state(), State::Running) << "the owner decides what follows";
        EXPECT_EQ(l.link.events.back().code, LvtRealTimeLink::kStopped);
        EXPECT_EQ(LvtRealTimeLink::dateOf(l.link.events.back().bytes).second, 5);
    }
    EXPECT_EQ(realTimeErrorText(258),
              "Capture stopped by the user on the remote equipment (0x0102)");

    Link l;
    l.run(3);
    l.tester(0x01, {});        // RR, N(R) 0: answered with the expected number
    l.tester(0x05, {});        // REJ, N(R) 0: the same
    l.tester(0x21, {});        // RR with N(R) 1: error 516
    l.tester(0x0B | 0x10, {}); // no such frame: 521
    EXPECT_EQ(program(l.link), (Names{"RR0", "RR0", "RR0"}));
    EXPECT_EQ(l.errors(), (std::vector<int>{kRtBadAcknowledgement, kRtBadFrameType}));
}

TEST(LvtRealTimeLink, ReceivingNeverGrowsAndRefusesWhatDoesNotFit) {
    // Two buffers: the third record waiting for one is not stored.
    Link l(2);
    l.records.keep = true;
    l.run(7);
    EXPECT_EQ(l.pool.freeCount(), 1u) << "the link holds one for the next frame";
    l.testerRecord(0, record(0));
    l.testerRecord(1, record(1));
    l.testerRecord(2, record(2));
    EXPECT_EQ(l.records.contents.size(), 2u);
    EXPECT_EQ(l.errors(), (std::vector<int>{kRtNoBuffer}));
    for (RecordBuffer *b : l.records.kept)
        l.pool.give(b);

    // A content of 302 bytes or more.
    Link big;
    big.run(7);
    big.testerRecord(0, Bytes(400, 0x55));
    EXPECT_EQ(big.errors(), (std::vector<int>{kRtFrameTooLong}));
    big.testerRecord(0, record(0));
    EXPECT_EQ(big.records.contents.size(), 1u) << "the next frame is read again";

    // Garbage, flags and noise between frames are skipped.
    Link noisy;
    noisy.run(7);
    noisy.link.feed(Bytes{0x00, 0x55, 0xFA, 0xFA, 0xFA});
    noisy.testerRecord(0, record(0));
    EXPECT_EQ(noisy.records.contents.size(), 1u);
}

TEST(LvtRealTimeLink, TheMessagesOfTheCodes) {
    struct Case {
        int code;
        const char *text;
    };
    const Case cases[] = {
        {0xFFFF, "Wrong port number ! (0xffff)"},
        {0xFFFE, "Error when initialising the serial port\nIt may be already used by another "
                 "application (0xfffe)"},
        {0xFFFC, "Error when initialising the serial port !\nCheck the configuration of the port "
                 "(0xfffc)"},
        {0xFFF8, "Error when accessing the serial port (0xfff8)"},
        {518, "Remote protocol: wrong version on the remote equipment (0x0206)"},
        {518 + 1, "Incorrect frame received from the remote equipment (0x0207)"},
        {0x3003, "Insufficient ressources\nLeave other applications (0x3003)"},
        {772, "Error when opening the default capture file (rtcapt.lvt)\nIt may be already used "
              "in Examine : Close it (0x0304)"},
        {773, "Insufficient disk space to store capture frames (0x0305)"},
        {1, "Error during capture (0x0001)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(realTimeErrorText(c.code), c.text);
}
