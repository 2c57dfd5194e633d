#pragma once
// One serial port, opened for the exclusive use of this program, set to raw mode and the line
// settings of an instrument. The operations and their result codes are the ones every serial link
// builds on; the codes are kept small and signed as their callers expect, but a failed read never
// passes for a byte count (SerialRead says which it is).
#include "comm/LineErrors.h"
#include "comm/LinkPort.h"
#include "comm/ParmrkDecoder.h"
#include "comm/SerialSettings.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The results of open and configure.
enum SerialOpenCode : int {
    kSerialOk = 0,
    kSerialBadPort = -1,     // port number outside 1 to 32; configure: the port is not open
    kSerialNoDevice = -2,    // the device could not be opened (missing, in use, not allowed)
    kSerialTimeouts = -3,    // the time-outs were refused
    kSerialLineRefused = -4, // the line settings were refused
};

// The results of write.
enum SerialWriteCode : int {
    kWriteOk = 0,
    kWriteNotOpen = -1,
    kWriteTooLong = -5, // more than the output queue given at open: nothing is sent
    kWriteNothing = -6, // nothing to write
    kWriteNoEvent = -7, // kept for callers that tell it apart; never given here
    kWriteFailed = -8,  // the write failed or did not complete in time
};

// The outcome of a read: a byte count, or why there is none.
struct SerialRead {
    enum class Status { Ok, NotOpen, Failed, TimedOut };
    Status status = Status::Ok;
    std::size_t count = 0;

    bool ok() const { return status == Status::Ok; }
    // The code callers of the port's read know: the count on success, else 1 (not open), 9
    // (failed at once) or -9 (did not complete in time).
    int code() const;
};

// How the line is set up. Open sets rate, byte size, parity and stop bits; a link may change the
// rest before it calls configure() again.
struct LineSettings {
    std::uint32_t baud = 9600;
    int byteSize = 8;
    Parity parity = Parity::None;
    int stopBits = 1;
    bool parityCheck = true;   // characters failing the parity check are marked as errors
    bool xonXoff = false;      // software flow control both ways; 0x11 and 0x13 are then taken
    bool hardwareFlow = false; // output held while CTS is low
};

class SerialPort : public LinkPort {
public:
    static constexpr int kHighestPort = SerialDevices::kHighestPort;

    // devices: where COM1..COM32 are on this machine.
    explicit SerialPort(SerialDevices devices = {});
    ~SerialPort() override;
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    // Opens COM<port>. 0 on success, else a SerialOpenCode; lastError() says why for a user.
    int open(int port, std::uint32_t baud, int byteSize, Parity parity, int stopBits,
             std::size_t inputQueue, std::size_t outputQueue);
    // The same on a device named by its path; port() is then 0.
    int openDevice(const std::string &path, std::uint32_t baud, int byteSize, Parity parity,
                   int stopBits, std::size_t inputQueue, std::size_t outputQueue);
    // Applies lineSettings() to the open port: 0, -1 (not open), -3 or -4.
    int configure();
    void close();

    // The line errors since the last call (LineError flags), then forgotten.
    unsigned getErrors();
    void purgeInput() override;
    void purgeOutput() override;
    std::size_t inputCount();
    std::size_t outputCount();

    int writeByte(std::uint8_t byte);
    // The text's bytes up to its first zero byte.
    int writeText(std::string_view text);
    // The buffer's bytes; an empty buffer is "nothing to write".
    int write(std::span<const std::uint8_t> bytes);
    // Reads what is waiting, at most maximum bytes, without waiting. The bytes come as they were
    // sent: line-error marks are taken out and counted for getErrors().
    SerialRead read(std::span<std::uint8_t> buffer);
    // Appends count bytes (0: all waiting) to text.
    SerialRead readText(std::string &text, std::size_t count);

    // DTR and RTS where the driver has them; false when it has not (a pseudo-terminal).
    bool setDtr(bool on);
    bool setRts(bool on);
    // The modem lines (TIOCM_* flags), or nothing when the driver has none.
    std::optional<int> modemLines() const;

    bool isOpen() const { return fd_ >= 0; }
    // The open port number, 0 when closed or opened by device path.
    int port() const { return port_; }
    const std::string &device() const { return device_; }
    // The device is gone (a USB adapter pulled, the other end of a pseudo-terminal closed).
    bool lost() const { return lost_; }
    // What went wrong last, for a user: "/dev/ttyUSB0 is in use by process 1234 (minicom)".
    const std::string &lastError() const { return lastError_; }
    LineSettings &lineSettings() { return line_; }
    const LineSettings &lineSettings() const { return line_; }
    std::size_t inputQueue() const { return inputQueue_; }
    std::size_t outputQueue() const { return outputQueue_; }
    // The descriptor, for a runner's poll(); -1 when closed.
    int descriptor() const { return fd_; }
    // The device path COM<port> stands for.
    std::string devicePath(int port) const { return devices_.devicePath(port); }

    // LinkPort: the runner's side.
    bool send(std::span<const std::uint8_t> bytes) override;
    void setDtrLine(bool on) override { setDtr(on); }

private:
    int openPath(const std::string &path, int portNumber, std::uint32_t baud, int byteSize,
                 Parity parity, int stopBits, std::size_t inputQueue, std::size_t outputQueue);
    bool fill();
    void markLost(const char *what, int error);
    unsigned takeCounterErrors();

    SerialDevices devices_;
    int fd_ = -1;
    int port_ = 0;
    std::string device_;
    bool lost_ = false;
    std::string lastError_;
    LineSettings line_;
    std::size_t inputQueue_ = 0;
    std::size_t outputQueue_ = 0;
    std::chrono::milliseconds writeWaitPerByte_{20};
    ParmrkDecoder decoder_;
    std::vector<std::uint8_t> pending_; // decoded bytes not yet read
    std::size_t pendingStart_ = 0;
    unsigned errors_ = 0;
    struct Counters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    };
    std::optional<Counters> counters_; // the driver's error counters, where it keeps them
};

} // namespace qv
