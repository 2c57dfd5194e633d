#pragma once
// The serial ports of this machine as the kernel lists them under /sys/class/tty, with what a
// user needs to pick the right one: the stable /dev/serial/by-id name of a USB adapter, its
// maker and model, and whether this user may open it.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct PortInfo {
    std::string name;                // ttyUSB0
    std::string device;              // /dev/ttyUSB0
    std::string byId;                // /dev/serial/by-id/usb-FTDI_..., empty when none
    std::string driver;              // ftdi_sio, serial8250, cdc_acm ...
    std::string vendorId, productId; // USB ids as four hexadecimal digits, empty for others
    std::string manufacturer, product, serialNumber;
    bool accessible = false;
    std::string advice; // when not accessible: what the user can do about it

    // "FTDI FT232R USB UART (0403:6001, serial A1B2C3)", or the driver for a built-in port.
    std::string description() const;
};

// Where the kernel's and the devices' trees are; tests point them into a fake tree.
struct PortListRoots {
    std::string sys = "/sys";
    std::string dev = "/dev";
    // Whether access is checked against the real device (false in a fake tree: no advice).
    bool checkAccess = true;
};

// The serial ports, sorted by name: built-in ports that have a UART behind them, USB adapters
// and modems, and any other tty with a device behind it. Virtual consoles and pseudo-terminals
// are left out.
std::vector<PortInfo> listPorts(const PortListRoots &roots = {});

// Why this user cannot open path, in words that say what to do, or empty when the user can.
// "/dev/ttyUSB0 belongs to group dialout; add your user to it and log in again".
std::string accessAdvice(const std::string &path);

// The rule behind accessAdvice, for a user the device refused: its group and mode, and whether
// the user is listed in that group (added, but not logged in again since).
std::string accessAdviceFor(const std::string &path, const std::string &groupName,
                            std::uint32_t mode, bool listedInGroup);

} // namespace qv
