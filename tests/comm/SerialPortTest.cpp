// The serial port on a pseudo-terminal pair: the program's side is the port under test, the
// master stands for the instrument.
#include "comm/SerialPort.h"
#include "comm/LineRate.h"
#include "sim/PtyPair.h"
#include "support/ReadFd.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <iomanip>
#include <numeric>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qv;
using namespace qv::sim;
using qv::test::readFd;

namespace {

std::unique_ptr<PtyPair> makePair() {
    std::string error;
    auto pair = PtyPair::create(&error);
    EXPECT_TRUE(pair) << error;
    return pair;
}

std::vector<std::uint8_t> readPort(SerialPort &port, std::size_t count) {
    std::vector<std::uint8_t> got;
    std::uint8_t buffer[300];
    for (int idle = 0; got.size() < count && idle < 500;) {
        const SerialRead r = port.read(buffer);
        EXPECT_TRUE(r.ok());
        if (!r.ok())
            break;
        if (r.count == 0) {
            ++idle;
            usleep(1000);
            continue;
        }
        got.insert(got.end(), buffer, buffer + r.count);
    }
    return got;
}

int openAt(SerialPort &port, const std::string &path, std::uint32_t baud = 19200) {
    return port.openDevice(path, baud, 8, Parity::None, 1, 4096, 4096);
}

} // namespace

TEST(SerialPort, PortNumbersOutsideOneTo32AreRefusedBeforeAnyDevice) {
    SerialDevices devices;
    SerialPort port(devices);
    for (const int number : {0, 33, -1}) {
        EXPECT_EQ(port.open(number, 9600, 8, Parity::None, 1, 512, 1280), kSerialBadPort) << number;
        EXPECT_FALSE(port.isOpen());
    }
    EXPECT_EQ(port.lastError(), "COM-1 is not a port number (1 to 32)");
    // configure and the I/O of a closed port
    EXPECT_EQ(port.configure(), kSerialBadPort);
    EXPECT_EQ(port.writeText("x"), kWriteNotOpen);
    std::uint8_t buffer[4];
    const SerialRead r = port.read(buffer);
    EXPECT_EQ(r.status, SerialRead::Status::NotOpen);
    EXPECT_EQ(r.code(), 1);
    EXPECT_EQ(port.inputCount(), 0u);
}

TEST(SerialPort, MissingBusyAndNonSerialDevicesGiveMinusTwoWithTheReason) {
    SerialDevices devices;
    devices.setConfigured(2, "/dev/quorvane-no-such-port");
    SerialPort port(devices);
    EXPECT_EQ(port.open(2, 9600, 8, Parity::None, 1, 512, 1280), kSerialNoDevice);
    EXPECT_EQ(port.lastError(), "/dev/quorvane-no-such-port does not exist");

    EXPECT_EQ(openAt(port, "/dev/null"), kSerialNoDevice);
    EXPECT_EQ(port.lastError(), "/dev/null is not a serial device");

    auto pair = makePair();
    SerialPort first, second;
    ASSERT_EQ(openAt(first, pair->slavePath()), kSerialOk) << first.lastError();
    // Refused even to root, who passes the terminal's own exclusive mark.
    EXPECT_EQ(openAt(second, pair->slavePath()), kSerialNoDevice);
    EXPECT_EQ(second.lastError(), pair->slavePath() + " is in use by another program");
    first.close();
    EXPECT_EQ(openAt(second, pair->slavePath()), kSerialOk) << "free again once closed";
}

TEST(SerialPort, AUucpLockOfALiveProcessNamesIt) {
    auto pair = makePair();
    const std::string device = pair->slavePath();
    const std::string lock = "/var/lock/LCK.." + device.substr(device.rfind('/') + 1);
    const pid_t holder = fork();
    if (holder == 0) {
        execlp("sleep", "sleep", "30", nullptr);
        _exit(127);
    }
    ASSERT_GT(holder, 0);
    {
        std::ofstream file(lock);
        if (!file) {
            kill(holder, SIGKILL);
            waitpid(holder, nullptr, 0);
            GTEST_SKIP() << "no right to write " << lock;
        }
        file << std::setw(10) << holder << "\n";
    }
    usleep(50000); // the child has become "sleep"
    SerialPort port;
    EXPECT_EQ(openAt(port, device), kSerialNoDevice);
    EXPECT_EQ(port.lastError(),
              device + " is in use by process " + std::to_string(holder) + " (sleep)");
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    // A lock left by a process that is gone keeps nobody out.
    EXPECT_EQ(openAt(port, device), kSerialOk) << port.lastError();
    std::remove(lock.c_str());
}

TEST(SerialPort, ComPortsMapToTheSettingsThenTheEnvironmentThenTtyS) {
    SerialDevices devices;
    devices.setConfigured(1, "/dev/ttyUSB0");
    EXPECT_EQ(devices.devicePath(1), "/dev/ttyUSB0");
    unsetenv("QUORVANE_COM2");
    EXPECT_EQ(devices.devicePath(2), "/dev/ttyS1");
    setenv("QUORVANE_COM2", "/tmp/q-echo", 1);
    EXPECT_EQ(devices.devicePath(2), "/tmp/q-echo");
    unsetenv("QUORVANE_COM2");
    EXPECT_EQ(devices.devicePath(32), "/dev/ttyS31");
    EXPECT_EQ(devices.devicePath(0), "");
    EXPECT_EQ(devices.devicePath(33), "");

    // Opened by number through the map, the port knows both.
    auto pair = makePair();
    devices.setConfigured(3, pair->slavePath());
    SerialPort port(devices);
    ASSERT_EQ(port.open(3, 9600, 8, Parity::None, 1, 512, 1280), kSerialOk) << port.lastError();
    EXPECT_EQ(port.port(), 3);
    EXPECT_EQ(port.device(), pair->slavePath());
}

TEST(SerialPort, EveryByteValueCrossesUnchangedAtEveryRate) {
    auto pair = makePair();
    std::vector<std::uint8_t> all(256);
    std::iota(all.begin(), all.end(), 0);
    // The bytes a cooked terminal or a flow-controlled one would take or change, and the
    // driver's own error-mark byte, in the runs that would confuse an unescaper.
    const std::vector<std::uint8_t> tricky = {0x0D, 0x0A, 0x11, 0x13, 0xFF, 0xFF, 0xFF, 0x00,
                                              0x00, 0xFF, 0x00, 0x41, 0x03, 0x1A, 0x7F, 0xFF};
    std::vector<std::uint8_t> payload = all;
    payload.insert(payload.end(), tricky.begin(), tricky.end());

    for (std::uint32_t index = 0; index < std::size(kSpeedNames); ++index) {
        const std::uint32_t baud = baudRate(index);
        SerialPort port;
        ASSERT_EQ(openAt(port, pair->slavePath(), baud), kSerialOk) << port.lastError();
        EXPECT_EQ(lineRate(pair->master()), baud) << "the far end sees the rate set";
        EXPECT_EQ(pair->lineSettings().describe(), std::to_string(baud) + " 8N1, raw");

        ASSERT_EQ(port.write(payload), kWriteOk);
        EXPECT_EQ(readFd(pair->master(), payload.size()), payload) << baud << " towards the tester";
        ASSERT_EQ(::write(pair->master(), payload.data(), payload.size()),
                  static_cast<ssize_t>(payload.size()));
        EXPECT_EQ(readPort(port, payload.size()), payload) << baud << " from the tester";
        EXPECT_EQ(port.getErrors(), 0u) << "a data byte FF is no line error";
        port.close();
    }
}

TEST(SerialPort, WritesAndReadsFollowTheirRules) {
    auto pair = makePair();
    SerialPort port;
    ASSERT_EQ(port.openDevice(pair->slavePath(), 9600, 8, Parity::None, 1, 512, 16), kSerialOk);

    // More than the output queue: refused, and nothing reaches the line.
    const std::vector<std::uint8_t> big(17, 'x');
    EXPECT_EQ(port.write(big), kWriteTooLong);
    EXPECT_EQ(port.write(std::span(big.data(), 16)), kWriteOk);
    EXPECT_EQ(readFd(pair->master(), 16).size(), 16u);
    EXPECT_EQ(port.write({}), kWriteNothing);
    EXPECT_EQ(port.writeText(std::string_view("AB\0CD", 5)), kWriteOk);
    EXPECT_EQ(port.writeByte('!'), kWriteOk);
    EXPECT_EQ(readFd(pair->master(), 3), (std::vector<std::uint8_t>{'A', 'B', '!'}));

    // Nothing waiting: 0 at once.
    std::uint8_t buffer[8];
    SerialRead r = port.read(buffer);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.count, 0u);
    EXPECT_EQ(port.inputCount(), 0u);

    // At most the buffer's size; the rest stays for the next read.
    ASSERT_EQ(::write(pair->master(), "0123456789", 10), 10);
    usleep(20000);
    EXPECT_EQ(port.inputCount(), 10u);
    r = port.read(buffer);
    EXPECT_EQ(r.count, 8u);
    std::string text;
    EXPECT_EQ(port.readText(text, 0).count, 2u);
    EXPECT_EQ(text, "89");

    // Purged input is gone.
    ASSERT_EQ(::write(pair->master(), "stale", 5), 5);
    usleep(20000);
    port.purgeInput();
    EXPECT_EQ(port.read(buffer).count, 0u);

    // A pseudo-terminal has no modem lines: asking is no error, the answer is "none".
    EXPECT_FALSE(port.setDtr(true));
    EXPECT_FALSE(port.modemLines());
}

TEST(SerialPort, ThePortIsRawAndFlowControlOnlyWhenAsked) {
    auto pair = makePair();
    EXPECT_FALSE(pair->lineSettings().raw) << "a fresh terminal is cooked";
    SerialPort port;
    ASSERT_EQ(openAt(port, pair->slavePath()), kSerialOk);
    LineSettingsSeen seen = pair->lineSettings();
    EXPECT_TRUE(seen.raw);
    EXPECT_FALSE(seen.xonXoff);
    EXPECT_TRUE(seen.errorMarks);

    port.lineSettings().xonXoff = true;
    ASSERT_EQ(port.configure(), kSerialOk);
    EXPECT_EQ(pair->lineSettings().describe(), "19200 8N1, raw, Xon-Xoff");

    // A pseudo-terminal carries only eight bits without parity: the refusal says so.
    port.lineSettings().byteSize = 7;
    EXPECT_EQ(port.configure(), kSerialLineRefused);
    EXPECT_EQ(port.lastError(), pair->slavePath() +
                                    " refuses 7 data bits without parity; a pseudo-terminal "
                                    "carries 8 data bits without parity only");
    port.close();
    EXPECT_EQ(port.openDevice(pair->slavePath(), 9600, 8, Parity::Even, 1, 512, 1280),
              kSerialLineRefused);
    EXPECT_FALSE(port.isOpen()) << "a failed set-up leaves the port closed";
}

TEST(SerialPort, AVanishedDeviceIsReportedNotReadAsSilence) {
    auto pair = makePair();
    SerialPort port;
    ASSERT_EQ(openAt(port, pair->slavePath()), kSerialOk);
    pair->closeMaster();
    // The read fails, and keeps failing: never a quiet line that a caller would poll for ever.
    std::uint8_t buffer[8];
    SerialRead r = port.read(buffer);
    EXPECT_EQ(r.status, SerialRead::Status::Failed);
    EXPECT_EQ(r.code(), 9);
    EXPECT_TRUE(port.lost());
    EXPECT_EQ(port.lastError().rfind(pair->slavePath() + " is gone", 0), 0u) << port.lastError();
    EXPECT_EQ(port.read(buffer).status, SerialRead::Status::Failed);
    EXPECT_EQ(port.writeText("x"), kWriteFailed);
}
