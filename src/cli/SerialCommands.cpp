#include "SerialCommands.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "CliEnvironment.h"
#include "TableWriter.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "comm/PortList.h"
#include "sim/EchoInstrument.h"
#include "sim/Simulator.h"

namespace qv::cli {

namespace {

namespace fs = std::filesystem;

struct PortsOptions {
    std::string home;
    Format format = Format::Text;
};

// The same file, whichever of its names is given (a by-id link, a link of simulate).
bool sameDevice(const std::string &a, const std::string &b) {
    struct stat first {
    }, second{};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0)
        return false;
    if (S_ISCHR(first.st_mode) && S_ISCHR(second.st_mode))
        return first.st_rdev == second.st_rdev;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int ports(const PortsOptions &o) {
    Settings settings;
    settings.open(Installation::fromHomeOption(o.home).settingsPath());
    const std::vector<PortInfo> found = listPorts();
    if (found.empty() && o.format == Format::Text) {
        std::printf("No serial port found. A USB adapter shows here once it is plugged in; "
                    "quorvane-cli simulate makes a simulated instrument to try the program "
                    "with.\n");
        return kDone;
    }
    TableWriter table(o.format,
                      {"Port", "Device", "Description", "Driver", "Stable name", "Access"});
    for (const PortInfo &port : found) {
        std::string com;
        for (int n = 1; n <= static_cast<int>(std::size(kPortNames)); ++n)
            if (sameDevice(settings.serialDevices.devicePath(n), port.device))
                com += (com.empty() ? "" : " ") + std::string(kPortNames[n - 1]);
        table.cell(com);
        table.cell(port.device);
        table.cell(port.description());
        table.cell(port.driver);
        table.cell(port.byId);
        table.cell(port.accessible ? "yes" : port.advice);
        table.endRow();
    }
    return kDone;
}

struct SimulateOptions {
    std::string instrument;
    std::string link;
    double drop = 0, corrupt = 0, duplicate = 0;
    bool bothWays = false;
    std::uint32_t delay = 0, baud = 0, seed = 1;
    bool silent = false, deaf = false, log = false, pace = false;
    double seconds = 0;
};

std::string hexLine(const std::vector<std::uint8_t> &bytes) {
    std::string hex, text;
    char cell[4];
    for (const std::uint8_t b : bytes) {
        std::snprintf(cell, sizeof cell, "%02x ", b);
        hex += cell;
        text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    }
    return hex + "|" + text + "|";
}

// Makes path a symbolic link to target, replacing an older link but never a file.
bool makeLink(const std::string &path, const std::string &target, std::string &error) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (fs::exists(status) && !fs::is_symlink(status)) {
        error = path + ": a file of that name exists; give another path for the link";
        return false;
    }
    if (fs::is_symlink(status))
        fs::remove(path, ec);
    fs::create_symlink(target, path, ec);
    if (ec) {
        error = path + ": " + ec.message();
        return false;
    }
    return true;
}

void removeLink(const std::string &path, const std::string &target) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec)) && fs::read_symlink(path, ec) == target)
        fs::remove(path, ec);
}

int simulate(const SimulateOptions &o) {
    sim::FaultSettings faults;
    faults.drop = o.drop;
    faults.corrupt = o.corrupt;
    faults.duplicate = o.duplicate;
    faults.bothWays = o.bothWays;
    faults.delay = std::chrono::milliseconds(o.delay);
    faults.baud = o.baud;
    faults.paceAtLineRate = o.pace;
    faults.silent = o.silent;
    faults.deaf = o.deaf;
    faults.seed = o.seed;

    // The simulator's thread must not take the signals that stop it: they are waited for here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::Simulator simulator(std::make_unique<sim::EchoInstrument>(), faults);
    std::mutex printing;
    if (o.log) {
        const std::string name = o.instrument;
        simulator.onLog([&printing, name](const sim::SimLogEntry &entry) {
            std::lock_guard lock(printing);
            std::printf("%10.3f %-10s %s\n", static_cast<double>(entry.at.count()) / 1e6,
                        entry.from == sim::SimLogEntry::From::Program ? "program" : name.c_str(),
                        hexLine(entry.bytes).c_str());
            std::fflush(stdout);
        });
    }
    std::string error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulate: %s\n", error.c_str());
        return kFailed;
    }
    const std::string device = simulator.devicePath();
    if (!o.link.empty() && !makeLink(o.link, device, error)) {
        std::fprintf(stderr, "simulate: --link %s\n", error.c_str());
        return kFailed;
    }
    {
        std::lock_guard lock(printing);
        std::printf("%s simulator on %s\n", o.instrument.c_str(), device.c_str());
        if (!o.link.empty())
            std::printf("link: %s -> %s\n", o.link.c_str(), device.c_str());
        std::printf("faults: %s\n", faults.describe().c_str());
        std::printf("Open the %s as the serial port; %s.\n", o.link.empty() ? "device" : "link",
                    o.seconds > 0 ? "the simulator stops after the time given"
                                  : "Ctrl+C stops the simulator");
        std::fflush(stdout);
    }
    int signal = 0;
    if (o.seconds > 0) {
        const auto whole = static_cast<time_t>(o.seconds);
        const timespec limit{whole,
                             static_cast<long>((o.seconds - static_cast<double>(whole)) * 1e9)};
        signal = sigtimedwait(&stopSignals, nullptr, &limit);
    } else {
        sigwait(&stopSignals, &signal);
    }
    simulator.stop();
    if (!o.link.empty())
        removeLink(o.link, device);
    // The simulator's thread has ended: nothing prints beside this any more.
    std::printf("stopped: the program sent %zu bytes, the instrument %zu; line settings at the "
                "end: %s\n",
                simulator.sentBy(sim::SimLogEntry::From::Program).size(),
                simulator.sentBy(sim::SimLogEntry::From::Instrument).size(),
                simulator.lineSettings().describe().c_str());
    return kDone;
}

CLI::Validator chance() {
    return CLI::Validator(
        [](std::string &text) -> std::string {
            try {
                std::size_t used = 0;
                const double value = std::stod(text, &used);
                if (used == text.size() && value >= 0 && value <= 1)
                    return {};
            } catch (const std::exception &) {
            }
            return "a chance from 0 to 1 (0.002 is one byte in 500)";
        },
        "0..1");
}

} // namespace

void addSerialCommands(Commands &commands) {
    {
        auto o = commands.options<PortsOptions>();
        CLI::App *c = commands.add("ports",
                                   "The serial ports of this machine: device, description, stable "
                                   "name and whether you may open it.",
                                   kInstrumentsGroup, [o] { return ports(*o); });
        addFormatOption(*c, o->format);
        addHomeOption(*c, o->home);
    }
    {
        auto o = commands.options<SimulateOptions>();
        CLI::App *c = commands.add(
            "simulate",
            "A simulated instrument on a pseudo-terminal, served until interrupted: open its "
            "device as the serial port.",
            kInstrumentsGroup, [o] { return simulate(*o); });
        c->add_option("NAME", o->instrument, "the instrument: echo (sends back what it gets)")
            ->required()
            ->check(oneOf({"echo"}));
        c->add_option("--link", o->link, "make PATH a symbolic link to the device")
            ->type_name("PATH");
        c->add_option("--drop", o->drop, "lose each byte with this chance")
            ->check(chance())
            ->type_name("P");
        c->add_option("--corrupt", o->corrupt, "flip a bit of each byte with this chance")
            ->check(chance())
            ->type_name("P");
        c->add_option("--duplicate", o->duplicate, "send each byte twice with this chance")
            ->check(chance())
            ->type_name("P");
        c->add_flag("--both-ways", o->bothWays,
                    "lose, flip and repeat the program's bytes too, not only the instrument's");
        c->add_option("--delay", o->delay, "every byte arrives this much later")
            ->check(numberIn(0, 600000))
            ->type_name("MS");
        c->add_option("--baud", o->baud, "pace the instrument's bytes as a line at this rate")
            ->check(numberIn(0, 4000000))
            ->type_name("N");
        c->add_flag("--pace", o->pace,
                    "pace the instrument's bytes at the rate the program set on the line")
            ->excludes("--baud");
        c->add_flag("--silent", o->silent, "the instrument's bytes never arrive");
        c->add_flag("--deaf", o->deaf, "the program's bytes never reach the instrument");
        c->add_option("--seed", o->seed, "the seed of the random faults")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("S");
        c->add_flag("--log", o->log, "print what each side sends, as it is sent");
        c->add_option("--for", o->seconds, "stop after this many seconds")
            ->check(CLI::Range(0.0, 86400.0))
            ->type_name("SECONDS");
    }
}

} // namespace qv::cli
