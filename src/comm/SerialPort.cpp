#include "comm/SerialPort.h"

#include "comm/LineRate.h"
#include "comm/PortList.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/serial.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace qv {

namespace {

// Bytes taken from the driver in one go.
constexpr std::size_t kReadChunk = 4096;
// The longest a close waits for bytes still in the driver to leave.
constexpr std::chrono::milliseconds kCloseDrainLimit{500};

std::string errnoText(int error) {
    return std::strerror(error);
}

std::string baseName(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process named in a UUCP lock file for the device, when it is still alive and not us:
// "process 1234 (minicom)". Lock files hold the number as text, or as a binary int in old ones.
std::string uucpLockHolder(const std::string &device) {
    std::ifstream in("/var/lock/LCK.." + baseName(device), std::ios::binary);
    if (!in)
        return {};
    char buffer[64] = {};
    in.read(buffer, sizeof buffer - 1);
    const std::streamsize length = in.gcount();
    long pid = 0;
    if (length == 4 && (buffer[0] < '0' || buffer[0] > '9') && buffer[0] != ' ') {
        std::int32_t binary = 0;
        std::memcpy(&binary, buffer, 4);
        pid = binary;
    } else {
        pid = std::strtol(buffer, nullptr, 10);
    }
    if (pid <= 0 || pid == getpid())
        return {};
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return {};
    std::string text = "process " + std::to_string(pid);
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (comm && std::getline(comm, name) && !name.empty())
        text += " (" + name + ")";
    return text;
}

// The far end of a pseudo-terminal pair, which carries bytes at any rate but only as 8N1.
bool isPseudoTerminal(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return false;
    const unsigned major = ::major(info.st_rdev);
    return major >= 136 && major <= 143;
}

speed_t anyStandardRate() {
    return B9600;
}

} // namespace

int SerialRead::code() const {
    switch (status) {
    case Status::Ok:
        return static_cast<int>(count);
    case Status::NotOpen:
        return 1;
    case Status::Failed:
        return 9;
    case Status::TimedOut:
        return -9;
    }
    return 9;
}

SerialPort::SerialPort(SerialDevices devices) : devices_(std::move(devices)) {}

SerialPort::~SerialPort() {
    close();
}

int SerialPort::open(int port, std::uint32_t baud, int byteSize, Parity parity, int stopBits,
                     std::size_t inputQueue, std::size_t outputQueue) {
    if (port < 1 || port > kHighestPort) {
        lastError_ = "COM" + std::to_string(port) + " is not a port number (1 to " +
                     std::to_string(kHighestPort) + ")";
        return kSerialBadPort;
    }
    return openPath(devices_.devicePath(port), port, baud, byteSize, parity, stopBits, inputQueue,
                    outputQueue);
}

int SerialPort::openDevice(const std::string &path, std::uint32_t baud, int byteSize, Parity parity,
                           int stopBits, std::size_t inputQueue, std::size_t outputQueue) {
    return openPath(path, 0, baud, byteSize, parity, stopBits, inputQueue, outputQueue);
}

int SerialPort::openPath(const std::string &path, int portNumber, std::uint32_t baud, int byteSize,
                         Parity parity, int stopBits, std::size_t inputQueue,
                         std::size_t outputQueue) {
    close();
    lastError_.clear();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            lastError_ = path + " does not exist";
        else if (error == EACCES || error == EPERM)
            lastError_ = accessAdvice(path);
        else if (error == EBUSY)
            lastError_ = path + " is in use by another program";
        if (lastError_.empty())
            lastError_ = path + ": " + errnoText(error);
        return kSerialNoDevice;
    }
    auto refuse = [&](std::string why) {
        ::close(fd);
        lastError_ = std::move(why);
        return kSerialNoDevice;
    };
    if (!isatty(fd))
        return refuse(path + " is not a serial device");
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const std::string holder = uucpLockHolder(path);
        return refuse(path + " is in use by " + (holder.empty() ? "another program" : holder));
    }
    if (const std::string holder = uucpLockHolder(path); !holder.empty())
        return refuse(path + " is in use by " + holder);
    // Other programs that do not lock are kept out too (those without the right to override).
    ioctl(fd, TIOCEXCL);

    fd_ = fd;
    port_ = portNumber;
    device_ = path;
    lost_ = false;
    inputQueue_ = inputQueue;
    outputQueue_ = outputQueue;
    line_ = LineSettings{};
    line_.baud = baud;
    line_.byteSize = byteSize;
    line_.parity = parity;
    line_.stopBits = stopBits;
    tcflush(fd_, TCIOFLUSH);
    pending_.clear();
    pendingStart_ = 0;
    decoder_.reset();
    errors_ = 0;
    counters_.reset();

    const int code = configure();
    if (code != kSerialOk) {
        const std::string why = lastError_;
        close();
        lastError_ = why;
        return code;
    }
    // Counters read now, so that getErrors reports only what happens from here on.
    takeCounterErrors();
    return kSerialOk;
}

int SerialPort::configure() {
    if (!isOpen())
        return kSerialBadPort;
    if (writeWaitPerByte_.count() <= 0) {
        lastError_ = device_ + ": no time allowed for writes";
        return kSerialTimeouts;
    }
    if (line_.byteSize < 5 || line_.byteSize > 8 || (line_.stopBits != 1 && line_.stopBits != 2) ||
        line_.baud == 0) {
        lastError_ = device_ + ": " + std::to_string(line_.baud) + " baud, " +
                     std::to_string(line_.byteSize) + " data bits and " +
                     std::to_string(line_.stopBits) + " stop bits cannot be set";
        return kSerialLineRefused;
    }
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) {
        lastError_ = device_ + ": " + errnoText(errno);
        return kSerialLineRefused;
    }
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation, no signals.
    cfmakeraw(&settings);
    settings.c_cflag |= CREAD | CLOCAL;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    settings.c_cflag |= kSizes[line_.byteSize - 5];
    if (line_.parity != Parity::None)
        settings.c_cflag |= PARENB | (line_.parity == Parity::Odd ? PARODD : 0);
    if (line_.stopBits == 2)
        settings.c_cflag |= CSTOPB;
    if (line_.hardwareFlow)
        settings.c_cflag |= CRTSCTS;
    // Errors are marked in the input (FF 00 c, FF 00 00 for a break; a data FF comes doubled).
    settings.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | ISTRIP | IXON | IXOFF | IXANY | INPCK);
    settings.c_iflag |= PARMRK;
    if (line_.parityCheck && line_.parity != Parity::None)
        settings.c_iflag |= INPCK;
    if (line_.xonXoff) {
        settings.c_iflag |= IXON | IXOFF;
        settings.c_cc[VSTART] = 0x11;
        settings.c_cc[VSTOP] = 0x13;
    }
    // With a minimum of one byte, a read that finds nothing says so (EAGAIN), and a read of
    // nothing at all means the line hung up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, anyStandardRate());
    cfsetospeed(&settings, anyStandardRate());
    // A driver may take part of the settings and say nothing of the rest: what was asked is
    // checked in what the driver now holds.
    termios applied{};
    const bool set = tcsetattr(fd_, TCSANOW, &settings) == 0 && tcgetattr(fd_, &applied) == 0;
    const tcflag_t frame = CSIZE | PARENB | PARODD | CSTOPB;
    if (!set || (applied.c_cflag & frame) != (settings.c_cflag & frame)) {
        lastError_ = device_ + " refuses " + std::to_string(line_.byteSize) + " data bits" +
                     (line_.parity == Parity::None   ? " without parity"
                      : line_.parity == Parity::Even ? " with even parity"
                                                     : " with odd parity");
        if (isPseudoTerminal(fd_))
            lastError_ += "; a pseudo-terminal carries 8 data bits without parity only";
        else if (!set)
            lastError_ += ": " + errnoText(errno);
        return kSerialLineRefused;
    }
    if (!setLineRate(fd_, line_.baud)) {
        lastError_ =
            device_ + " refuses " + std::to_string(line_.baud) + " baud: " + errnoText(errno);
        return kSerialLineRefused;
    }
    return kSerialOk;
}

void SerialPort::close() {
    if (fd_ < 0)
        return;
    // The last bytes written (a link's stop request) are given the time to leave, within the
    // write rule's limit, before what is left either way is thrown away.
    if (!lost_) {
        const std::size_t waiting = outputCount();
        const auto limit = std::chrono::steady_clock::now() +
                           std::min<std::chrono::milliseconds>(
                               writeWaitPerByte_ * static_cast<long>(waiting), kCloseDrainLimit);
        while (outputCount() > 0 && std::chrono::steady_clock::now() < limit)
            usleep(1000);
    }
    tcflush(fd_, TCIOFLUSH);
    // The exclusive mark stays on the terminal until its last close; another holder of the
    // terminal (the far side of a pseudo-terminal pair) must not keep us out next time.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    port_ = 0;
    pending_.clear();
    pendingStart_ = 0;
    decoder_.reset();
}

void SerialPort::markLost(const char *what, int error) {
    lost_ = true;
    lastError_ = device_ + " is gone (" + what + (error != 0 ? ": " + errnoText(error) : "") +
                 "); check the cable or the USB adapter";
}

unsigned SerialPort::takeCounterErrors() {
    serial_icounter_struct now{};
    if (fd_ < 0 || ioctl(fd_, TIOCGICOUNT, &now) != 0)
        return 0; // a driver without counters: the marks in the input are all there is
    const Counters current{now.frame, now.overrun, now.parity, now.brk, now.buf_overrun};
    unsigned errors = 0;
    if (counters_) {
        if (current.frame != counters_->frame)
            errors |= kLineFraming;
        if (current.parity != counters_->parity)
            errors |= kLineParity;
        if (current.brk != counters_->brk)
            errors |= kLineBreak;
        if (current.overrun != counters_->overrun || current.bufOverrun != counters_->bufOverrun)
            errors |= kLineOverrun;
    }
    counters_ = current;
    return errors;
}

unsigned SerialPort::getErrors() {
    const unsigned counted = takeCounterErrors();
    unsigned errors = errors_;
    if (counted != 0) {
        // The counters tell framing from parity, which the marks cannot.
        if ((errors & (kLineFraming | kLineParity)) != 0)
            errors &= ~static_cast<unsigned>(kLineFraming | kLineParity);
        errors |= counted;
    }
    errors_ = 0;
    return errors;
}

void SerialPort::purgeInput() {
    if (!isOpen())
        return;
    tcflush(fd_, TCIFLUSH);
    pending_.clear();
    pendingStart_ = 0;
    decoder_.reset();
}

void SerialPort::purgeOutput() {
    if (isOpen())
        tcflush(fd_, TCOFLUSH);
}

std::size_t SerialPort::inputCount() {
    if (!isOpen())
        return 0;
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0)
        waiting = 0;
    return pending_.size() - pendingStart_ + static_cast<std::size_t>(waiting);
}

std::size_t SerialPort::outputCount() {
    if (!isOpen())
        return 0;
    int waiting = 0;
    if (ioctl(fd_, TIOCOUTQ, &waiting) != 0 || waiting < 0)
        return 0;
    return static_cast<std::size_t>(waiting);
}

int SerialPort::writeByte(std::uint8_t byte) {
    return write(std::span(&byte, 1));
}

int SerialPort::writeText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return write(std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
}

int SerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen())
        return kWriteNotOpen;
    if (bytes.empty())
        return kWriteNothing;
    if (bytes.size() > outputQueue_)
        return kWriteTooLong;
    if (lost_)
        return kWriteFailed;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point limit =
        Clock::now() + writeWaitPerByte_ * static_cast<long>(bytes.size());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            if (errno == EIO || errno == ENXIO || errno == ENODEV)
                markLost("write failed", errno);
            else
                lastError_ = device_ + ": " + errnoText(errno);
            return kWriteFailed;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit - Clock::now());
        if (left.count() <= 0) {
            lastError_ = device_ + ": the line did not take the bytes in time (flow control?)";
            return kWriteFailed;
        }
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return kWriteFailed;
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            markLost("hung up", 0);
            return kWriteFailed;
        }
    }
    return kWriteOk;
}

// Takes what the driver holds into the decoded bytes; false when the device is gone.
bool SerialPort::fill() {
    std::uint8_t raw[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(fd_, raw, sizeof raw);
        if (n > 0) {
            if (pendingStart_ > 0 && pendingStart_ == pending_.size()) {
                pending_.clear();
                pendingStart_ = 0;
            }
            const unsigned charError =
                line_.parity != Parity::None && line_.parityCheck ? kLineParity : kLineFraming;
            errors_ |=
                decoder_.feed(std::span(raw, static_cast<std::size_t>(n)), pending_, charError);
            if (static_cast<std::size_t>(n) < sizeof raw)
                return true;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return true;
        // A terminal that reads end of file, or EIO, has lost its device.
        markLost(n == 0 ? "end of input" : "read failed", n == 0 ? 0 : errno);
        return false;
    }
}

SerialRead SerialPort::read(std::span<std::uint8_t> buffer) {
    if (!isOpen())
        return {SerialRead::Status::NotOpen, 0};
    if (lost_)
        return {SerialRead::Status::Failed, 0};
    if (pending_.size() - pendingStart_ < buffer.size() && !fill() &&
        pending_.size() == pendingStart_)
        return {SerialRead::Status::Failed, 0};
    const std::size_t count = std::min(buffer.size(), pending_.size() - pendingStart_);
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pendingStart_), count,
                buffer.begin());
    pendingStart_ += count;
    if (pendingStart_ == pending_.size()) {
        pending_.clear();
        pendingStart_ = 0;
    }
    return {SerialRead::Status::Ok, count};
}

SerialRead SerialPort::readText(std::string &text, std::size_t count) {
    if (count == 0)
        count = inputCount();
    if (count == 0)
        return {isOpen() ? SerialRead::Status::Ok : SerialRead::Status::NotOpen, 0};
    std::vector<std::uint8_t> buffer(count);
    const SerialRead result = read(buffer);
    if (result.ok())
        text.append(reinterpret_cast<const char *>(buffer.data()), result.count);
    return result;
}

bool SerialPort::setDtr(bool on) {
    int flag = TIOCM_DTR;
    return isOpen() && ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &flag) == 0;
}

bool SerialPort::setRts(bool on) {
    int flag = TIOCM_RTS;
    return isOpen() && ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &flag) == 0;
}

std::optional<int> SerialPort::modemLines() const {
    int lines = 0;
    if (!isOpen() || ioctl(fd_, TIOCMGET, &lines) != 0)
        return std::nullopt;
    return lines;
}

bool SerialPort::send(std::span<const std::uint8_t> bytes) {
    // A runner's sends are not bound by the output queue given at open: long packets go out in
    // pieces of that size.
    const std::size_t piece = std::max<std::size_t>(outputQueue_, 1);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        if (write(bytes.subspan(at, std::min(piece, bytes.size() - at))) != kWriteOk)
            return false;
    return true;
}

} // namespace qv
