#include "comm/LvtRealTimeLink.h"

#include <cstdio>

namespace qv {

namespace {

constexpr std::uint8_t kFlag = 0xFA;
constexpr std::uint8_t kEscape = 0x10;
constexpr std::uint8_t kConnectType = 0xF3;
constexpr std::uint8_t kStartType = 0xF7;
constexpr std::uint8_t kStopType = 0xFB;
constexpr std::uint8_t kReceiveReady = 1;
constexpr std::uint8_t kReject = 5;
constexpr std::size_t kConnectLength = 35;
constexpr std::size_t kDateLength = 7;
constexpr std::size_t kStopLength = 8;
// A record's content: time (4), kind, status, direction, month, data length (2), data.
constexpr std::size_t kRecordHeader = 10;
constexpr std::size_t kMaxRecordContent = kRecordHeader + 272;

struct CodeText {
    int first, last;
    const char *text;
};
constexpr CodeText kCodeTexts[] = {
    {kRtPortNumber, kRtPortNumber, "Wrong port number !"},
    {kRtPortOpen, kRtPortOpen,
     "Error when initialising the serial port\nIt may be already used by another application"},
    {kRtPortLine, kRtPortTimeouts,
     "Error when initialising the serial port !\nCheck the configuration of the port"},
    {0xFFF7, kRtPortAccess, "Error when accessing the serial port"},
    {256, 257, "Error from the remote equipment"},
    {259, 259, "Error from the remote equipment"},
    {258, 258, "Capture stopped by the user on the remote equipment"},
    {kRtTimeout, kRtTimeout,
     "No answer from the remote equipment - Time out happened:\n check if the equipment is in "
     "Remote mode"},
    {kRtTooManyRetries, kRtTooManyRetries,
     "No answer from the remote equipment - Too many retries:\n check if the equipment is in "
     "Remote mode"},
    {kRtWrongVersion, kRtWrongVersion, "Remote protocol: wrong version on the remote equipment"},
    {kRtMissingArgument, kRtSecondStart, "Error when starting the capture"},
    {kRtBadCheck, kRtFrameTooLong, "Incorrect frame received from the remote equipment"},
    {kRtBadWindow, kRtBadFrameType, "Incorrect frame received from the remote equipment"},
    {768, kRtNoBuffer, "Insufficient ressources\nLeave other applications"},
    {0x3003, 0x3003, "Insufficient ressources\nLeave other applications"},
    {kRtCaptureFile, kRtCaptureFile,
     "Error when opening the default capture file (rtcapt.lvt)\nIt may be already used in "
     "Examine : Close it"},
    {kRtDiskFull, kRtDiskFull, "Insufficient disk space to store capture frames"},
};

std::string text(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t count) {
    std::string out;
    for (std::size_t i = from; i < from + count && i < bytes.size() && bytes[i] != 0; ++i)
        out += static_cast<char>(bytes[i]);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

std::size_t encodeLinkFrame(std::span<std::uint8_t> out, std::uint8_t type,
                            std::span<const std::uint8_t> content, std::size_t unescaped) {
    std::size_t at = 0;
    std::uint8_t check = 0;
    auto put = [&](std::uint8_t byte) {
        if (at < out.size())
            out[at++] = byte;
    };
    auto putEscaped = [&](std::uint8_t byte) {
        if (byte == kEscape || byte == kFlag) {
            put(kEscape);
            check ^= kEscape;
            byte = static_cast<std::uint8_t>(byte - 16);
        }
        put(byte);
        check ^= byte;
    };
    put(kFlag);
    for (std::size_t i = 0; i <= content.size(); ++i) {
        const std::uint8_t byte = i == 0 ? type : content[i - 1];
        if (i < unescaped) {
            put(byte);
            check ^= byte;
        } else {
            putEscaped(byte);
        }
    }
    const std::uint8_t sum = check;
    putEscaped(sum);
    put(kFlag);
    return at;
}

std::vector<std::uint8_t> encodeLinkFrame(std::uint8_t type,
                                          std::span<const std::uint8_t> content) {
    std::vector<std::uint8_t> out(2 * content.size() + 6);
    out.resize(encodeLinkFrame(out, type, content, 0));
    return out;
}

std::vector<LinkFrameReader::Frame> LinkFrameReader::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Frame> frames;
    auto store = [this](std::uint8_t byte) {
        if (frame_.content.size() > kMaxContent)
            state_ = State::Wait;
        else
            frame_.content.push_back(byte);
    };
    for (const std::uint8_t byte : bytes) {
        switch (state_) {
        case State::Wait:
            if (byte == kFlag)
                state_ = State::Type;
            break;
        case State::Type:
            if (byte == kFlag)
                break;
            frame_ = Frame{};
            check_ = byte;
            frame_.type = byte;
            state_ = byte == kEscape ? State::TypeEscape : State::Data;
            break;
        case State::TypeEscape:
            check_ ^= byte;
            frame_.type = byte == kEscape ? kEscape : static_cast<std::uint8_t>(byte + 16);
            state_ = State::Data;
            break;
        case State::Data:
            if (byte == kFlag) {
                state_ = State::Type;
                if (frame_.content.empty())
                    break; // no check byte: not a frame
                frame_.content.pop_back();
                frame_.checked = check_ == 0 || check_ == 16 || check_ == 234;
                frames.push_back(std::move(frame_));
                frame_ = Frame{};
                break;
            }
            check_ ^= byte;
            if (byte == kEscape)
                state_ = State::Escape;
            else
                store(byte);
            break;
        case State::Escape:
            check_ ^= byte;
            state_ = State::Data;
            store(byte == kEscape ? kEscape : static_cast<std::uint8_t>(byte + 16));
            break;
        }
    }
    return frames;
}

std::string realTimeErrorText(int code) {
    const char *message = "Error during capture";
    for (const CodeText &entry : kCodeTexts)
        if (code >= entry.first && code <= entry.last) {
            message = entry.text;
            break;
        }
    char number[16];
    std::snprintf(number, sizeof number, " (0x%04x)", static_cast<unsigned>(code) & 0xFFFFu);
    return message + std::string(number);
}

LvtRealTimeLink::LvtRealTimeLink(RecordBufferPool &pool, RecordSink &sink, LinkTimings timings)
    : pool_(pool), sink_(sink), timings_(timings) {}

LvtRealTimeLink::~LvtRealTimeLink() {
    pool_.give(buffer_);
}

LinkCommand LvtRealTimeLink::connectCommand(std::uint8_t filter1, std::uint8_t filter2) {
    return {kConnect, std::string{static_cast<char>(filter1), static_cast<char>(filter2)}, 0};
}

LinkCommand LvtRealTimeLink::startCommand(const LinkDateTime &now) {
    const char bytes[] = {static_cast<char>(now.year & 0xFF), static_cast<char>(now.year >> 8),
                          static_cast<char>(now.month),       static_cast<char>(now.day),
                          static_cast<char>(now.hour),        static_cast<char>(now.minute),
                          static_cast<char>(now.second)};
    return {kStart, std::string(bytes, sizeof bytes), 0};
}

LinkCommand LvtRealTimeLink::stopCommand() {
    return {kStop, {}, 0};
}

TesterIdentity LvtRealTimeLink::identityOf(std::span<const std::uint8_t> content, int level) {
    TesterIdentity identity;
    if (content.size() < kConnectLength)
        return identity;
    static constexpr const char *kModels[] = {"LVT-30", "LVT-60", "LVT-3"};
    identity.model = content[5];
    identity.modelName = content[5] < std::size(kModels) ? kModels[content[5]] : "";
    identity.serialNumber = text(content, 6, 7);
    identity.firstVersion = text(content, 13, 6);
    identity.secondVersion = text(content, 20, 10);
    identity.protocolLevel = level;
    identity.window = content[4];
    const std::uint8_t raw = content[34];
    if (level == kProtocolLevel) {
        if (identity.model == 0)
            identity.flags = raw & 1;
        else if (identity.model == 1)
            identity.flags = raw < 4 ? static_cast<std::uint8_t>(raw + 64) : raw;
    }
    return identity;
}

LinkDateTime LvtRealTimeLink::dateOf(std::span<const std::uint8_t> bytes) {
    LinkDateTime date;
    if (bytes.size() < kDateLength)
        return date;
    date.year = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    date.month = bytes[2];
    date.day = bytes[3];
    date.hour = bytes[4];
    date.minute = bytes[5];
    date.second = bytes[6];
    return date;
}

void LvtRealTimeLink::start(LinkTime now, LinkIo &) {
    lastActivity_ = now;
    receive_ = Receive::Wait;
}

void LvtRealTimeLink::received(std::span<const std::uint8_t> bytes, LinkTime now, LinkIo &io) {
    lastActivity_ = now;
    for (const std::uint8_t byte : bytes)
        receiveByte(byte, io);
}

void LvtRealTimeLink::lineErrors(unsigned, LinkTime, LinkIo &) {
    // A character received in error stays in the frame; the frame's check refuses it.
}

void LvtRealTimeLink::receiveByte(std::uint8_t byte, LinkIo &io) {
    switch (receive_) {
    case Receive::Wait:
        if (byte == kFlag)
            receive_ = Receive::Type;
        return;
    case Receive::Type:
        if (byte == kFlag)
            return; // flags between frames
        check_ = byte;
        count_ = 0;
        dropping_ = false;
        if (byte == kEscape) {
            receive_ = Receive::TypeEscape;
            return;
        }
        type_ = byte;
        receive_ = Receive::Data;
        return;
    case Receive::TypeEscape:
        check_ ^= byte;
        type_ = byte == kEscape ? kEscape : static_cast<std::uint8_t>(byte + 16);
        receive_ = Receive::Data;
        return;
    case Receive::Data:
        if (byte == kFlag) {
            // The closing flag may open the next frame as well.
            receive_ = Receive::Type;
            if (!dropping_)
                dispatch(io);
            return;
        }
        check_ ^= byte;
        if (byte == kEscape)
            receive_ = Receive::Escape;
        else
            storeByte(byte, io);
        return;
    case Receive::Escape:
        check_ ^= byte;
        receive_ = Receive::Data;
        storeByte(byte == kEscape ? kEscape : static_cast<std::uint8_t>(byte + 16), io);
        return;
    }
}

void LvtRealTimeLink::storeByte(std::uint8_t byte, LinkIo &io) {
    if (dropping_)
        return;
    if (buffer_ == nullptr) {
        buffer_ = pool_.take();
        if (buffer_ == nullptr) {
            dropping_ = true;
            error(kRtNoBuffer, io);
            return;
        }
    }
    if (count_ >= RecordBuffer::kMaxReceived) {
        dropping_ = true;
        receive_ = Receive::Wait;
        error(kRtFrameTooLong, io);
        return;
    }
    buffer_->bytes[RecordBuffer::kContentOffset + count_++] = byte;
}

void LvtRealTimeLink::dispatch(LinkIo &io) {
    const bool checked = check_ == 0 || check_ == 16 || check_ == 234;
    const std::uint16_t length = count_ > 0 ? static_cast<std::uint16_t>(count_ - 1) : 0;
    const bool isRecord = (type_ & 0x01) == 0 && (type_ & 0x10) == 0;
    const bool isAnswer = type_ == kConnectType || type_ == kStartType;
    if (!checked || count_ == 0) {
        if (isRecord && state_ == State::Running)
            frameError(kRtBadCheck, io);
        else if (isAnswer && (state_ == State::Connecting || state_ == State::Starting))
            badAnswer(kRtBadCheck, io);
        else
            error(kRtBadCheck, io);
        return;
    }
    if (isRecord) {
        if (state_ == State::Running)
            onRecord((type_ >> 1) & 7, length, io);
        return;
    }
    switch (type_) {
    case kConnectType:
        if (state_ == State::Connecting)
            onConnectAnswer(length, io);
        return;
    case kStartType:
        if (state_ == State::Starting)
            onStartAnswer(length, io);
        return;
    case kStopType:
        onStop(length, io);
        return;
    default:
        break;
    }
    if ((type_ & 0x1F) == kReceiveReady) {
        if (state_ == State::Running)
            onReceiveReady(type_ >> 5, io);
    } else if ((type_ & 0x1F) == kReject) {
        if (state_ == State::Running)
            onReject(type_ >> 5, io);
    } else {
        error(kRtBadFrameType, io);
    }
}

void LvtRealTimeLink::onRecord(int ns, std::uint16_t length, LinkIo &io) {
    if (ns != expected_) {
        // A number behind the window is a frame accepted before whose acknowledgement was lost:
        // it is acknowledged again. Any other is out of order.
        if ((ns - expected_ + 8) % 8 > window_)
            sendAcknowledgement(false, io);
        else
            frameError(kRtSequence, io);
        return;
    }
    const std::uint8_t *content = buffer_->content();
    if (length < kRecordHeader || length > kMaxRecordContent ||
        static_cast<std::uint16_t>(content[8] | (content[9] << 8)) != length - kRecordHeader) {
        frameError(kRtBadContent, io);
        return;
    }
    expected_ = (expected_ + 1) % 8;
    rejectPending_ = false;
    rejectsSent_ = 0;
    timeouts_ = 0;
    ++accepted_;
    if (countdown_ <= 1) {
        sendAcknowledgement(false, io);
        countdown_ = window_ - 1;
    } else {
        --countdown_;
    }
    buffer_->markRecord(length);
    RecordBuffer *record = buffer_;
    buffer_ = nullptr;
    sink_.deliver(record);
}

void LvtRealTimeLink::onConnectAnswer(std::uint16_t length, LinkIo &io) {
    if (length != kConnectLength) {
        badAnswer(kRtBadContent, io);
        return;
    }
    const std::uint8_t *content = buffer_->content();
    const int level = content[2];
    if (level != level_) {
        if (level == 17 || level == 18) {
            // An older tester: asked again at its own level.
            level_ = level;
            resends_ = 0;
            sendConnect(io);
        } else {
            badAnswer(kRtWrongVersion, io);
        }
        return;
    }
    const int window = content[4];
    if (window != 1 && window != 3 && window != 7) {
        badAnswer(kRtBadWindow, io);
        return;
    }
    window_ = window;
    countdown_ = window - 1;
    expected_ = 0;
    const TesterIdentity identity = identityOf(std::span(content, length), level_);
    LinkEvent event;
    event.kind = LinkEvent::Kind::Data;
    event.code = kConnected;
    event.done = level_;
    event.total = identity.flags;
    event.bytes.assign(content, content + length);
    io.post(std::move(event));
    setState(State::Connected);
    finishCommand(io);
}

void LvtRealTimeLink::onStartAnswer(std::uint16_t length, LinkIo &io) {
    if (length != kDateLength) {
        badAnswer(kRtBadContent, io);
        return;
    }
    LinkEvent event;
    event.kind = LinkEvent::Kind::Data;
    event.code = kStarted;
    event.bytes.assign(buffer_->content(), buffer_->content() + length);
    io.post(std::move(event));
    expected_ = 0;
    countdown_ = window_ - 1;
    timeouts_ = 0;
    rejectsSent_ = 0;
    rejectPending_ = false;
    setState(State::Running);
    finishCommand(io);
}

void LvtRealTimeLink::onStop(std::uint16_t length, LinkIo &io) {
    if (state_ == State::Idle)
        return;
    LinkEvent event;
    event.kind = LinkEvent::Kind::Data;
    event.code = kStopped;
    if (length >= kStopLength)
        event.bytes.assign(buffer_->content() + 1, buffer_->content() + kStopLength);
    if (state_ == State::Stopping) {
        io.post(std::move(event));
        setState(State::Idle);
        finishCommand(io);
        return;
    }
    // The tester stopped on its own; the owner decides what follows.
    const int reason = length > 0 ? buffer_->content()[0] : 0;
    error(kRtStoppedByTester + (reason >= 1 && reason <= 3 ? reason : 0), io);
    io.post(std::move(event));
}

void LvtRealTimeLink::onReceiveReady(int nr, LinkIo &io) {
    if (nr != 0)
        error(kRtBadAcknowledgement, io);
    if (rejectPending_)
        sendReject(io);
    else
        sendAcknowledgement(false, io);
}

void LvtRealTimeLink::onReject(int nr, LinkIo &io) {
    if (nr != 0)
        error(kRtBadAcknowledgement, io);
    sendAcknowledgement(false, io);
}

void LvtRealTimeLink::frameError(int code, LinkIo &io) {
    error(code, io);
    if (rejectPending_)
        return;
    rejectPending_ = true;
    sendReject(io);
}

void LvtRealTimeLink::sendReject(LinkIo &io) {
    // Every reject since the last frame accepted counts, whatever made it go: a tester that
    // cannot bring the expected frame in three tries is stopped.
    if (++rejectsSent_ < kMaxRejects)
        sendAcknowledgement(true, io);
    else
        sendStop(io);
}

void LvtRealTimeLink::badAnswer(int code, LinkIo &io) {
    error(code, io);
    if (++badAnswers_ < 2) {
        resendLast(io);
        return;
    }
    error(kRtTooManyRetries, io);
    sendStop(io);
}

void LvtRealTimeLink::error(int code, LinkIo &io) {
    ++errors_;
    if (firstError_ == 0)
        firstError_ = code;
    LinkEvent event;
    event.kind = LinkEvent::Kind::Message;
    event.code = code;
    event.text = realTimeErrorText(code);
    io.post(std::move(event));
}

void LvtRealTimeLink::finishCommand(LinkIo &io) {
    if (!commandPending_)
        return;
    commandPending_ = false;
    io.finish(firstError_);
}

void LvtRealTimeLink::sendFrame(std::uint8_t type, std::span<const std::uint8_t> content,
                                LinkIo &io, std::size_t unescaped) {
    sentLength_ = encodeLinkFrame(sent_, type, content, unescaped);
    io.send(std::span<const std::uint8_t>(sent_.data(), sentLength_));
}

void LvtRealTimeLink::sendAcknowledgement(bool reject, LinkIo &io) {
    const auto type =
        static_cast<std::uint8_t>(expected_ * 32 + (reject ? kReject : kReceiveReady));
    // An acknowledgement is never resent as "the last frame": a request may still be waiting.
    const std::array<std::uint8_t, 512> keep = sent_;
    const std::size_t keepLength = sentLength_;
    sendFrame(type, {}, io);
    sent_ = keep;
    sentLength_ = keepLength;
}

void LvtRealTimeLink::sendConnect(LinkIo &io) {
    std::array<std::uint8_t, kConnectLength> content{};
    content[0] = '!';
    content[2] = static_cast<std::uint8_t>(level_);
    content[4] = 3;
    content[31] = filter1_;
    content[32] = filter2_;
    // The fixed part goes out as it is; only the check byte is escaped.
    sendFrame(kConnectType, content, io, 1 + kConnectLength);
}

void LvtRealTimeLink::sendStop(LinkIo &io) {
    const std::array<std::uint8_t, kStopLength> content{};
    resends_ = 0;
    setState(State::Stopping);
    sendFrame(kStopType, content, io);
}

void LvtRealTimeLink::resendLast(LinkIo &io) {
    if (sentLength_ > 0)
        io.send(std::span<const std::uint8_t>(sent_.data(), sentLength_));
}

void LvtRealTimeLink::command(const LinkCommand &command, LinkTime now, LinkIo &io) {
    lastActivity_ = now;
    commandPending_ = true;
    firstError_ = 0;
    badAnswers_ = 0;
    resends_ = 0;
    switch (command.code) {
    case kConnect:
        if (command.text.size() < 2) {
            firstError_ = kRtMissingArgument;
            finishCommand(io);
        } else if (state_ != State::Idle) {
            firstError_ = kRtSecondStart;
            finishCommand(io);
        } else {
            filter1_ = static_cast<std::uint8_t>(command.text[0]);
            filter2_ = static_cast<std::uint8_t>(command.text[1]);
            level_ = kProtocolLevel;
            setState(State::Connecting);
            sendConnect(io);
        }
        return;
    case kStart:
        if (command.text.size() < kDateLength) {
            firstError_ = kRtMissingArgument;
            finishCommand(io);
        } else if (state_ != State::Idle && state_ != State::Connected) {
            firstError_ = kRtSecondStart;
            finishCommand(io);
        } else {
            for (std::size_t i = 0; i < kDateLength; ++i)
                startDate_[i] = static_cast<std::uint8_t>(command.text[i]);
            setState(State::Starting);
            sendFrame(kStartType, startDate_, io);
        }
        return;
    case kStop:
        if (state_ == State::Idle)
            finishCommand(io);
        else
            sendStop(io);
        return;
    default:
        firstError_ = kRtMissingArgument;
        finishCommand(io);
        return;
    }
}

void LvtRealTimeLink::timeout(LinkTime now, LinkIo &io) {
    lastActivity_ = now;
    switch (state_) {
    case State::Connecting:
    case State::Starting:
    case State::Stopping:
        if (resends_ < kMaxResends) {
            ++resends_;
            resendLast(io);
            return;
        }
        error(kRtTooManyRetries, io);
        if (state_ == State::Stopping) {
            // The tester does not answer the stop either: the link is given up.
            setState(State::Idle);
            finishCommand(io);
        } else {
            sendStop(io);
        }
        return;
    case State::Running:
        if (++timeouts_ <= kMaxTimeouts) {
            if (rejectPending_)
                sendReject(io);
            else
                sendAcknowledgement(false, io);
            return;
        }
        error(kRtTimeout, io);
        sendStop(io);
        return;
    default:
        return;
    }
}

int LvtRealTimeLink::abandon(LinkTime now, LinkIo &io) {
    lastActivity_ = now;
    commandPending_ = false;
    if (state_ == State::Connecting || state_ == State::Starting)
        sendStop(io);
    else if (state_ == State::Stopping)
        setState(State::Idle);
    return kRtTimeout;
}

std::optional<LinkTime> LvtRealTimeLink::deadline() const {
    if (state_ == State::Idle || state_ == State::Connected)
        return std::nullopt;
    return lastActivity_ + timings_.idleTick;
}

void LvtRealTimeLink::stop(LinkTime, LinkIo &io) {
    // The owner leaves: the tester is told to stop sending.
    if (state_ != State::Idle)
        sendStop(io);
}

} // namespace qv
