#include "comm/SerialSettings.h"

#include <cstdlib>

namespace qv {

namespace {

constexpr const char *kSerialPorts = "Serial Ports";
// Serial values are read as text of at most 40 characters and kept in their low 16 bits.
constexpr std::size_t kSerialValueLength = 40;
constexpr std::size_t kDevicePathLength = 4095;
constexpr PortSettings kDru70Ports = {7, 7, 0, 1, 1};  // 57600 both ways, 8 bits, Xon-Xoff
constexpr PortSettings kTesterPorts = {3, 4, 0, 1, 1}; // 9600 transfer, 19200 capture

const char *keyName(int model) {
    return model >= 0 && model < kSerialModelCount ? kSerialModels[model].keyName : nullptr;
}

std::uint32_t readSerialValue(const IniFile &ini, std::string_view section, std::string_view key,
                              std::uint32_t fallback) {
    if (!ini.hasKey(section, key))
        return fallback;
    const int value = IniFile::parseInt(ini.readString(section, key, "", kSerialValueLength));
    return static_cast<std::uint32_t>(value) & 0xFFFFu;
}

std::string portSection(const char *name, std::size_t port) {
    return std::string(name) + "_COM" + std::to_string(port + 1);
}

std::string portKey(int port) {
    return "COM" + std::to_string(port);
}

} // namespace

std::uint32_t baudRate(std::uint32_t speedIndex) {
    if (speedIndex >= std::size(kSpeedNames))
        return 0;
    return static_cast<std::uint32_t>(std::strtoul(kSpeedNames[speedIndex], nullptr, 10));
}

int byteSize(std::uint32_t dataBitsIndex) {
    return dataBitsIndex < std::size(kDataBitsNames) ? std::atoi(kDataBitsNames[dataBitsIndex]) : 0;
}

Parity parityOf(std::uint32_t parityIndex) {
    return parityIndex < std::size(kParityNames) ? static_cast<Parity>(parityIndex) : Parity::None;
}

PortSettings SerialSettingsTable::defaults(int model) {
    return model == kModelDru70 ? kDru70Ports : kTesterPorts;
}

void SerialSettingsTable::load(const IniFile &ini, int model) {
    const char *name = keyName(model);
    if (name == nullptr)
        return;
    currentPort = readSerialValue(ini, kSerialPorts, std::string(name) + " Current port", 0);
    const PortSettings fallback = defaults(model);
    for (std::size_t port = 0; port < kPortCount; ++port) {
        const std::string section = portSection(name, port);
        PortSettings &p = ports[port];
        p.speed = readSerialValue(ini, section, "Speed", fallback.speed);
        p.rtSpeed = readSerialValue(ini, section, "RTSpeed", fallback.rtSpeed);
        p.parity = readSerialValue(ini, section, "Parity", fallback.parity);
        p.dataBits = readSerialValue(ini, section, "Data bits", fallback.dataBits);
        p.xonXoff = readSerialValue(ini, section, "Xon-Xoff", fallback.xonXoff);
    }
}

void SerialSettingsTable::save(IniFile &ini, int model) const {
    const char *name = keyName(model);
    if (name == nullptr)
        return;
    ini.writeInt(kSerialPorts, std::string(name) + " Current port", static_cast<int>(currentPort));
    // The DRU-70 and the LVT-3 keep their port values as the file has them.
    if (model == kModelDru70 || model == kModelLvt3)
        return;
    for (std::size_t port = 0; port < kPortCount; ++port) {
        const std::string section = portSection(name, port);
        const PortSettings &p = ports[port];
        ini.writeInt(section, "Speed", static_cast<int>(p.speed));
        ini.writeInt(section, "RTSpeed", static_cast<int>(p.rtSpeed));
        ini.writeInt(section, "Parity", static_cast<int>(p.parity));
        ini.writeInt(section, "Data bits", static_cast<int>(p.dataBits));
        ini.writeInt(section, "Xon-Xoff", static_cast<int>(p.xonXoff));
    }
}

const PortSettings &SerialSettingsTable::current() const {
    return ports[currentPortValid() ? currentPort : 0];
}

SerialFieldAccess serialFieldAccess(int model, bool forCapture) {
    switch (model) {
    case kModelDru70:
    case kModelLvt3:
        return {true, false, false, false, false, false};
    case kModelLvt30:
    case kModelLvt60:
        return forCapture ? SerialFieldAccess{true, false, true, true, true, false}
                          : SerialFieldAccess{true, true, false, true, true, true};
    case kModelPlm45:
        return {true, true, false, false, false, false};
    default:
        return {false, false, false, false, false, false};
    }
}

void SerialDevices::load(const IniFile &ini) {
    for (int port = 1; port <= kHighestPort; ++port)
        paths_[static_cast<std::size_t>(port - 1)] =
            ini.readString(kSection, portKey(port), "", kDevicePathLength);
}

void SerialDevices::save(IniFile &ini) const {
    for (int port = 1; port <= kHighestPort; ++port) {
        const std::string &path = paths_[static_cast<std::size_t>(port - 1)];
        if (path.empty())
            ini.removeKey(kSection, portKey(port));
        else
            ini.writeString(kSection, portKey(port), path);
    }
}

std::string SerialDevices::devicePath(int port) const {
    if (port < 1 || port > kHighestPort)
        return {};
    const std::string &set = configured(port);
    return set.empty() ? fallbackPath(port) : set;
}

const std::string &SerialDevices::configured(int port) const {
    static const std::string none;
    if (port < 1 || port > kHighestPort)
        return none;
    return paths_[static_cast<std::size_t>(port - 1)];
}

void SerialDevices::setConfigured(int port, std::string path) {
    if (port >= 1 && port <= kHighestPort)
        paths_[static_cast<std::size_t>(port - 1)] = std::move(path);
}

std::string SerialDevices::fallbackPath(int port) {
    if (port < 1 || port > kHighestPort)
        return {};
    const std::string variable = "QUORVANE_COM" + std::to_string(port);
    if (const char *set = std::getenv(variable.c_str()); set != nullptr && *set != '\0')
        return set;
    return "/dev/ttyS" + std::to_string(port - 1);
}

} // namespace qv
