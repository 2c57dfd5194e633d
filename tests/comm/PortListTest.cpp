// The port list read from a fake /sys and /dev tree shaped as the kernel makes them.
#include "comm/PortList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace qv;
namespace fs = std::filesystem;

namespace {

void put(const fs::path &file, const std::string &text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

void link(const fs::path &at, const fs::path &target) {
    fs::create_directories(at.parent_path());
    fs::create_symlink(target, at);
}

// A machine with two built-in ports (one with no UART behind it), an FTDI adapter, a CDC modem,
// a virtual console and a pseudo-terminal.
void fakeMachine(const fs::path &root) {
    const fs::path sys = root / "sys";
    const fs::path pci = sys / "devices/pnp0";
    put(pci / "00:01/tty/ttyS0/type", "4\n");
    link(pci / "00:01/driver", "../../../bus/pnp/drivers/serial");
    link(sys / "class/tty/ttyS0", "../../devices/pnp0/00:01/tty/ttyS0");
    link(pci / "00:01/tty/ttyS0/device", "../..");
    put(sys / "devices/platform/serial8250/tty/ttyS1/type", "0\n");
    link(sys / "devices/platform/serial8250/tty/ttyS1/device", "../..");
    link(sys / "class/tty/ttyS1", "../../devices/platform/serial8250/tty/ttyS1");

    const fs::path usb = sys / "devices/pci0000:00/usb1/1-2";
    put(usb / "idVendor", "0403\n");
    put(usb / "idProduct", "6001\n");
    put(usb / "manufacturer", "FTDI\n");
    put(usb / "product", "FT232R USB UART\n");
    put(usb / "serial", "A1B2C3\n");
    fs::create_directories(usb / "1-2:1.0/ttyUSB0/tty/ttyUSB0");
    link(usb / "1-2:1.0/ttyUSB0/driver", "../../../../../bus/usb-serial/drivers/ftdi_sio");
    link(usb / "1-2:1.0/ttyUSB0/tty/ttyUSB0/device", "../..");
    link(sys / "class/tty/ttyUSB0",
         "../../devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0/tty/ttyUSB0");
    link(root / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0", "../../ttyUSB0");

    const fs::path acm = sys / "devices/pci0000:00/usb1/1-3";
    put(acm / "idVendor", "2341\n");
    put(acm / "idProduct", "0043\n");
    // A product name with a control character and padding, as cheap devices send them.
    put(acm / "product", "  Modem\x01 \n");
    fs::create_directories(acm / "1-3:1.0/tty/ttyACM0");
    link(acm / "1-3:1.0/driver", "../../../../bus/usb/drivers/cdc_acm");
    link(acm / "1-3:1.0/tty/ttyACM0/device", "../..");
    link(sys / "class/tty/ttyACM0", "../../devices/pci0000:00/usb1/1-3/1-3:1.0/tty/ttyACM0");

    fs::create_directories(sys / "devices/virtual/tty/tty1");
    link(sys / "class/tty/tty1", "../../devices/virtual/tty/tty1");
    fs::create_directories(sys / "devices/virtual/tty/ptmx");
    link(sys / "class/tty/ptmx", "../../devices/virtual/tty/ptmx");
}

} // namespace

TEST(PortList, SerialPortsWithWhatTellsThemApart) {
    test::TempDir dir;
    const fs::path root = dir.path();
    fakeMachine(root);
    const std::vector<PortInfo> ports =
        listPorts({(root / "sys").string(), (root / "dev").string(), false});
    ASSERT_EQ(ports.size(), 3u);

    EXPECT_EQ(ports[0].name, "ttyACM0");
    EXPECT_EQ(ports[0].driver, "cdc_acm");
    EXPECT_EQ(ports[0].product, "Modem");
    EXPECT_EQ(ports[0].description(), "Modem (2341:0043)");
    EXPECT_EQ(ports[0].byId, "");

    EXPECT_EQ(ports[1].name, "ttyS0");
    EXPECT_EQ(ports[1].device, "/dev/ttyS0");
    EXPECT_EQ(ports[1].description(), "serial port (serial)");

    const PortInfo &ftdi = ports[2];
    EXPECT_EQ(ftdi.device, "/dev/ttyUSB0");
    EXPECT_EQ(ftdi.byId, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");
    EXPECT_EQ(ftdi.driver, "ftdi_sio");
    EXPECT_EQ(ftdi.vendorId, "0403");
    EXPECT_EQ(ftdi.productId, "6001");
    EXPECT_EQ(ftdi.serialNumber, "A1B2C3");
    EXPECT_EQ(ftdi.description(), "FTDI FT232R USB UART (0403:6001, serial A1B2C3)");
    EXPECT_TRUE(ftdi.accessible);

    EXPECT_TRUE(listPorts({(root / "nowhere").string(), (root / "dev").string(), false}).empty());
}

TEST(PortList, AdviceForAUserTheDeviceRefuses) {
    EXPECT_EQ(accessAdviceFor("/dev/ttyUSB0", "dialout", 0660, false),
              "/dev/ttyUSB0 belongs to group dialout; add your user to it and log in again");
    EXPECT_EQ(accessAdviceFor("/dev/ttyUSB0", "dialout", 0660, true),
              "/dev/ttyUSB0 belongs to group dialout; your user is in it now, log out and in "
              "again for that to take effect");
    EXPECT_EQ(accessAdviceFor("/dev/ttyS0", "root", 0600, false),
              "/dev/ttyS0 cannot be opened by your user (mode 600); ask the administrator of "
              "this machine for access");
    EXPECT_EQ(accessAdvice("/dev/quorvane-no-such-port"), "") << "a missing device is no access "
                                                                 "question";
}
