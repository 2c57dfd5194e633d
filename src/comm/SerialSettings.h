#pragma once
// The serial settings kept per instrument model and per port: the choice lists of the Serial Link
// Setup dialog, the defaults of each model, their keys in QUORVANE.INI, which fields each model
// lets the user change, and the device each COM port stands for on this machine.
#include "base/IniFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The instrument models, by the index the application stores as its product.
struct SerialModel {
    int index;
    const char *keyName;     // names the model's keys; nullptr: the model keeps no settings
    const char *titleSuffix; // after the dialog's title
};

constexpr SerialModel kSerialModels[] = {
    {0, "DRU-70", " - DRU-70"}, {1, "LVT-3", " - LVT-3"},   {2, "LVT-30", " - LVT-30"},
    {3, "LVT-60", " - LVT-60"}, {4, "PLM-45", " - PLM-45"}, {5, nullptr, " - KSM"},
    {6, nullptr, " - KSE"},
};
constexpr int kSerialModelCount = static_cast<int>(std::size(kSerialModels));
constexpr int kModelDru70 = 0;
constexpr int kModelLvt3 = 1;
constexpr int kModelLvt30 = 2;
constexpr int kModelLvt60 = 3;
constexpr int kModelPlm45 = 4;

// The choice lists; settings hold indexes into them.
constexpr const char *kPortNames[] = {"COM1", "COM2", "COM3", "COM4"};
constexpr const char *kSpeedNames[] = {"1200",  "2400",  "4800",   "9600",   "19200", "38400",
                                       "56000", "57600", "115200", "128000", "256000"};
// The dialog offers the first five rates; the others come from defaults and edited files.
constexpr std::size_t kDialogSpeedCount = 5;
constexpr const char *kDataBitsNames[] = {"7", "8"};
constexpr const char *kParityNames[] = {"none", "even", "odd"};
constexpr const char *kProtocolNames[] = {"none", "Xon-Xoff"};

enum class Parity { None = 0, Even = 1, Odd = 2 };

// One serial port's settings, as indexes into the lists above.
struct PortSettings {
    std::uint32_t speed;    // transfer rate: file and project transfers
    std::uint32_t rtSpeed;  // capture rate: real-time capture and DRU-70 exchanges
    std::uint32_t parity;   // none, even, odd
    std::uint32_t dataBits; // 7, 8
    std::uint32_t xonXoff;  // flow control: none, Xon-Xoff
    bool operator==(const PortSettings &) const = default;
};

// The bits per second of a speed index, 0 for an index outside the table.
std::uint32_t baudRate(std::uint32_t speedIndex);
// The byte size of a data-bits index, 0 outside the list.
int byteSize(std::uint32_t dataBitsIndex);
// The parity of an index; an index outside the list is no parity.
Parity parityOf(std::uint32_t parityIndex);

// The serial settings of the model in use: its current port and the settings of COM1 to COM4.
// The DRU-70, the testers and the PLM-45 keep theirs in QUORVANE.INI; the monitors have none.
struct SerialSettingsTable {
    static constexpr std::size_t kPortCount = 4;

    // The settings every port of model starts with.
    static PortSettings defaults(int model);
    // Reads model's current port ("Serial Ports", "<name> Current port") and its four
    // "<name>_COM<n>" sections, missing keys taken from the defaults. Nothing for the monitors.
    void load(const IniFile &ini, int model);
    // Writes model's current port; the LVT-30, LVT-60 and PLM-45 write their four port
    // sections as well. Nothing for the monitors.
    void save(IniFile &ini, int model) const;

    // The settings of the current port; those of COM1 when the current port is out of range.
    const PortSettings &current() const;
    bool currentPortValid() const { return currentPort < kPortCount; }

    std::uint32_t currentPort = 0;
    std::array<PortSettings, kPortCount> ports{defaults(kModelLvt30), defaults(kModelLvt30),
                                               defaults(kModelLvt30), defaults(kModelLvt30)};
    bool operator==(const SerialSettingsTable &) const = default;
};

// The fields of the Serial Link Setup dialog a model lets the user change.
struct SerialFieldAccess {
    bool port;
    bool transferRate;
    bool captureRate;
    bool parity;
    bool dataBits;
    bool protocol;
    bool operator==(const SerialFieldAccess &) const = default;
};
// forCapture: the dialog was opened for a real-time capture.
SerialFieldAccess serialFieldAccess(int model, bool forCapture);

// The device each COM port stands for: section "Serial Devices", key "COM<n>", else the
// environment's QUORVANE_COM<n>, else /dev/ttyS<n-1>. Kept apart from the models: the machine's
// ports are the same whichever instrument is plugged in.
class SerialDevices {
public:
    static constexpr int kHighestPort = 32;
    static constexpr const char *kSection = "Serial Devices";

    void load(const IniFile &ini);
    // Writes the ports given a device of their own; the others' keys are removed.
    void save(IniFile &ini) const;

    // The device path of port 1 to 32; empty outside that range.
    std::string devicePath(int port) const;
    // The path set for the port in the settings, empty when none is set.
    const std::string &configured(int port) const;
    void setConfigured(int port, std::string path);
    // The path the port stands for when the settings name none.
    static std::string fallbackPath(int port);
    bool operator==(const SerialDevices &) const = default;

private:
    std::array<std::string, kHighestPort> paths_;
};

} // namespace qv
