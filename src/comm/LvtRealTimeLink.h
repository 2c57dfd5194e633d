#pragma once
// The real-time link of the LVT testers: the tester sends each frame it records as a numbered
// link frame, the program acknowledges them in windows of 1, 3 or 7, rejects what arrives
// damaged or out of order, and keeps the line alive with a receive-ready every second.
#include "comm/LinkEngine.h"
#include "comm/LinkTimings.h"
#include "comm/RecordBufferPool.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The codes of the real-time capture: the link's, the port's as the capture reports them, and
// the capture engine's.
enum RealTimeCode : int {
    kRtOk = 0,
    kRtStoppedByTester = 256, // 256 + the tester's reason: 257, 258, 259
    kRtTimeout = 512,
    kRtTooManyRetries = 513,
    kRtBadCheck = 514,
    kRtSequence = 515,
    kRtBadAcknowledgement = 516,
    kRtFrameTooLong = 517,
    kRtWrongVersion = 518,
    kRtBadWindow = 519,
    kRtBadContent = 520,
    kRtBadFrameType = 521,
    kRtMissingArgument = 522,
    kRtSecondStart = 523,
    kRtAlreadyRunning = 0x20B,
    kRtNoBuffer = 770,
    kRtCaptureFile = 772,
    kRtDiskFull = 773,
    kRtConsumer = 774,
    kRtV5NotReported = 1024,
    kRtPortNumber = 0xFFFF,
    kRtPortOpen = 0xFFFE,
    kRtPortTimeouts = 0xFFFD,
    kRtPortLine = 0xFFFC,
    kRtPortAccess = 0xFFFB,
};

// The message of a code followed by " (0x%04x)".
std::string realTimeErrorText(int code);

// One link frame: flag, type, content, check, flag; 0x10 and 0xFA inside escaped, except the
// first unescaped bytes (the type counted) that go out as they are. Returns the length written
// into out (cut short when out is too small).
std::size_t encodeLinkFrame(std::span<std::uint8_t> out, std::uint8_t type,
                            std::span<const std::uint8_t> content, std::size_t unescaped = 0);
std::vector<std::uint8_t> encodeLinkFrame(std::uint8_t type, std::span<const std::uint8_t> content);

// What the tester said of itself when it connected.
struct TesterIdentity {
    int model = 0; // 0 LVT-30, 1 LVT-60, 2 LVT-3
    std::string modelName;
    std::string serialNumber;  // content bytes 6 to 12
    std::string firstVersion;  // 13 to 18
    std::string secondVersion; // 20 to 29
    int protocolLevel = 33;
    int window = 1;
    std::uint8_t flags = 0; // the tester flags as kept for the level and model
    bool v5() const { return (flags & 2) != 0; }
    unsigned v5Setting() const { return flags >> 2; }
    bool bit0() const { return (flags & 1) != 0; }
};

// A date and time as the link carries it: year (u16), month, day, hour, minute, second.
struct LinkDateTime {
    std::uint16_t year = 0;
    std::uint8_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const LinkDateTime &) const = default;
};

// Reads link frames out of a byte stream as the far end does: the tester's side in the
// simulator, and the tests. Frames come whole, unescaped, with whether their check held.
class LinkFrameReader {
public:
    struct Frame {
        std::uint8_t type = 0;
        std::vector<std::uint8_t> content;
        bool checked = false;
    };
    // The longest content kept; a longer frame is dropped.
    static constexpr std::size_t kMaxContent = 1024;

    std::vector<Frame> feed(std::span<const std::uint8_t> bytes);

private:
    enum class State { Wait, Type, TypeEscape, Data, Escape };
    State state_ = State::Wait;
    Frame frame_;
    std::uint8_t check_ = 0;
};

class LvtRealTimeLink : public LinkEngine {
public:
    // Commands.
    static constexpr int kConnect = 1;
    static constexpr int kStart = 3;
    static constexpr int kStop = 5;
    // Events (LinkEvent::Kind::Data, code): bytes hold the answer's content.
    static constexpr int kConnected = 1; // the connect answer; done = the level, total = flags
    static constexpr int kStarted = 2;   // the start answer: the capture's start date and time
    static constexpr int kStopped = 3;   // a stop answer or the tester's stop: its end date
    // The link states.
    enum class State { Idle, Connecting, Connected, Starting, Running, Stopping };

    static constexpr int kProtocolLevel = 33; // "!"
    static constexpr int kMaxTimeouts = 10;
    static constexpr int kMaxResends = 3;
    static constexpr int kMaxRejects = 3;

    LvtRealTimeLink(RecordBufferPool &pool, RecordSink &sink, LinkTimings timings = {});
    ~LvtRealTimeLink() override;

    // The commands, with what they carry: the real-time filter's two bytes of the connect
    // request, and the PC's date and time for the start request.
    static LinkCommand connectCommand(std::uint8_t filter1, std::uint8_t filter2);
    static LinkCommand startCommand(const LinkDateTime &now);
    static LinkCommand stopCommand();

    // The identity of a connect answer's content (35 bytes) at the level the link ran at.
    static TesterIdentity identityOf(std::span<const std::uint8_t> content, int level);
    static LinkDateTime dateOf(std::span<const std::uint8_t> bytes);

    // LinkEngine
    void start(LinkTime now, LinkIo &io) override;
    void received(std::span<const std::uint8_t> bytes, LinkTime now, LinkIo &io) override;
    void lineErrors(unsigned errors, LinkTime now, LinkIo &io) override;
    void command(const LinkCommand &command, LinkTime now, LinkIo &io) override;
    void timeout(LinkTime now, LinkIo &io) override;
    int abandon(LinkTime now, LinkIo &io) override;
    std::optional<LinkTime> deadline() const override;
    void stop(LinkTime now, LinkIo &io) override;

    // For tests and statistics, read on the link thread or once it has ended.
    State state() const { return state_; }
    int expected() const { return expected_; }
    int window() const { return window_; }
    int level() const { return level_; }
    std::uint64_t framesAccepted() const { return accepted_; }
    std::uint64_t errorsSeen() const { return errors_; }

private:
    enum class Receive { Wait, Type, TypeEscape, Data, Escape };

    void receiveByte(std::uint8_t byte, LinkIo &io);
    void storeByte(std::uint8_t byte, LinkIo &io);
    void dispatch(LinkIo &io);
    void onRecord(int ns, std::uint16_t length, LinkIo &io);
    void onConnectAnswer(std::uint16_t length, LinkIo &io);
    void onStartAnswer(std::uint16_t length, LinkIo &io);
    void onStop(std::uint16_t length, LinkIo &io);
    void onReceiveReady(int nr, LinkIo &io);
    void onReject(int nr, LinkIo &io);
    void frameError(int code, LinkIo &io);
    void badAnswer(int code, LinkIo &io);

    void sendFrame(std::uint8_t type, std::span<const std::uint8_t> content, LinkIo &io,
                   std::size_t unescaped = 0);
    void sendAcknowledgement(bool reject, LinkIo &io);
    void sendReject(LinkIo &io);
    void sendConnect(LinkIo &io);
    void sendStop(LinkIo &io);
    void resendLast(LinkIo &io);
    void error(int code, LinkIo &io);
    void finishCommand(LinkIo &io);
    void setState(State state) { state_ = state; }

    RecordBufferPool &pool_;
    RecordSink &sink_;
    LinkTimings timings_;

    // Receiving.
    Receive receive_ = Receive::Wait;
    std::uint8_t type_ = 0;
    std::uint8_t check_ = 0;
    std::size_t count_ = 0; // bytes stored for the frame, its check byte included
    RecordBuffer *buffer_ = nullptr;
    bool dropping_ = false; // the frame has no buffer: its bytes are skipped

    // The last frame sent, for resending.
    std::array<std::uint8_t, 512> sent_{};
    std::size_t sentLength_ = 0;

    State state_ = State::Idle;
    int level_ = kProtocolLevel;
    int window_ = 1;
    int countdown_ = 0;
    int expected_ = 0;
    int timeouts_ = 0;
    int resends_ = 0;
    int badAnswers_ = 0;
    int rejectsSent_ = 0;
    bool rejectPending_ = false;
    bool commandPending_ = false;
    int firstError_ = 0;
    std::uint8_t filter1_ = 0, filter2_ = 0;
    std::array<std::uint8_t, 7> startDate_{};
    LinkTime lastActivity_{0};
    std::uint64_t accepted_ = 0;
    std::uint64_t errors_ = 0;
};

} // namespace qv
