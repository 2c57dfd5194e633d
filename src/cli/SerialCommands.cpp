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
#include "capture/CaptureFileOpener.h"
#include "comm/PortList.h"
#include "sim/EchoInstrument.h"
#include "sim/LvtTester.h"
#include "sim/Simulator.h"
#include "synth/Scenario.h"

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
    // The LVT tester.
    std::string model = "lvt30", source, scenario, faults;
    int level = 33, window = 7;
    std::uint32_t frames = 0;
    double rate = 0;
    CLI::App *command = nullptr;
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

// "bad-check=0.01,lose=0.01,repeat=0.01,garbage=0.01,silent-after=N,stop-after=N[:REASON]".
bool parseTesterFaults(const std::string &spec, sim::LvtTesterSettings &s, std::string &error) {
    std::size_t at = 0;
    while (at < spec.size()) {
        std::size_t comma = spec.find(',', at);
        if (comma == std::string::npos)
            comma = spec.size();
        const std::string item = spec.substr(at, comma - at);
        at = comma + 1;
        const std::size_t equals = item.find('=');
        const std::string key = item.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
        char *end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        const bool numeric = !value.empty() && end != value.c_str();
        const bool chanceOk = numeric && *end == '\0' && number >= 0 && number <= 1;
        if (key == "bad-check" && chanceOk)
            s.badCheck = number;
        else if (key == "lose" && chanceOk)
            s.lose = number;
        else if (key == "repeat" && chanceOk)
            s.repeat = number;
        else if (key == "garbage" && chanceOk)
            s.garbage = number;
        else if (key == "silent-after" && numeric && *end == '\0' && number >= 1)
            s.silentAfter = static_cast<std::uint64_t>(number);
        else if (key == "stop-after" && numeric && number >= 1 && (*end == '\0' || *end == ':')) {
            s.stopAfter = static_cast<std::uint64_t>(number);
            if (*end == ':')
                s.stopReason = std::atoi(end + 1);
        } else {
            error = "--faults: \"" + item +
                    "\" is not one of bad-check=P, lose=P, repeat=P, garbage=P (P from 0 to 1), "
                    "silent-after=N, stop-after=N[:REASON]";
            return false;
        }
    }
    return true;
}

// The records the simulated tester sends: a capture's, or a scenario's.
bool testerRecords(const SimulateOptions &o, std::vector<std::vector<std::uint8_t>> &out,
                   std::string &error) {
    if (!o.source.empty()) {
        RecordingUserMessages messages;
        auto reader = CaptureFileOpener(o.source, false, messages).createReader();
        if (!reader) {
            error = o.source + ": not a capture this program reads";
            return false;
        }
        for (std::uint32_t n = 0; n < reader->recordCount(); ++n)
            if (reader->goTo(n) == kGoToOk)
                out.push_back(sim::testerContent(reader->recordBuffer()));
        if (out.empty())
            error = o.source + ": no frame to send";
        return !out.empty();
    }
    const std::string name = o.scenario.empty() ? "mix" : o.scenario;
    if (!synth::isBuiltinScenario(name)) {
        error = "--scenario: " + name + " is not a scenario (demo, calls, x25, v5, errors, mix)";
        return false;
    }
    const std::uint32_t frames = o.frames != 0 ? o.frames : (name == "mix" ? 10000 : 0);
    for (const LvtRecord &record : synth::builtinScenario(name, frames, 1))
        out.push_back(sim::testerContent(record));
    return true;
}

std::unique_ptr<sim::LvtTester> makeTester(const SimulateOptions &o, std::string &error) {
    sim::LvtTesterSettings settings;
    settings.model = o.model == "lvt60" ? 1 : o.model == "lvt3" ? 2 : 0;
    settings.level = o.level;
    settings.window = o.window;
    settings.rate = o.rate;
    if (!parseTesterFaults(o.faults, settings, error))
        return nullptr;
    std::vector<std::vector<std::uint8_t>> records;
    if (!testerRecords(o, records, error))
        return nullptr;
    return std::make_unique<sim::LvtTester>(settings, std::move(records));
}

int simulate(const SimulateOptions &o) {
    if (o.instrument != "lvt")
        for (const char *name : {"--model", "--level", "--window", "--source", "--scenario",
                                 "--frames", "--rate", "--faults"})
            if (o.command->count(name) > 0) {
                std::fprintf(stderr, "simulate: %s is an option of the lvt instrument\n", name);
                return kBadUsage;
            }
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

    std::unique_ptr<sim::Instrument> instrument;
    sim::LvtTester *tester = nullptr;
    if (o.instrument == "lvt") {
        std::string error;
        auto made = makeTester(o, error);
        if (!made) {
            std::fprintf(stderr, "simulate: %s\n", error.c_str());
            return error.rfind("--", 0) == 0 ? kBadUsage : kFailed;
        }
        tester = made.get();
        instrument = std::move(made);
    } else {
        instrument = std::make_unique<sim::EchoInstrument>();
    }
    sim::Simulator simulator(std::move(instrument), faults);
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
    {
        // The header goes out before anything the log prints: the program may come in as soon
        // as the link exists.
        std::lock_guard lock(printing);
        if (!o.link.empty() && !makeLink(o.link, device, error)) {
            std::fprintf(stderr, "simulate: --link %s\n", error.c_str());
            return kFailed;
        }
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
    if (tester != nullptr)
        std::printf("tester: %llu frames sent, %llu acknowledged, %llu rejects received\n",
                    static_cast<unsigned long long>(tester->framesSent()),
                    static_cast<unsigned long long>(tester->framesAcknowledged()),
                    static_cast<unsigned long long>(tester->rejectsReceived()));
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
        o->command = c;
        c->add_option("NAME", o->instrument,
                      "the instrument: echo (sends back what it gets), lvt (an LVT tester in "
                      "remote mode, sending its frames in real time)")
            ->required()
            ->check(oneOf({"echo", "lvt"}));
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
        c->add_option("--model", o->model, "lvt: the tester's model")
            ->check(oneOf({"lvt30", "lvt60", "lvt3"}))
            ->type_name("lvt30|lvt60|lvt3");
        c->add_option("--level", o->level, "lvt: the tester's protocol level")
            ->check(CLI::IsMember({33, 17, 18}))
            ->type_name("33|17|18");
        c->add_option("--window", o->window, "lvt: frames sent before an acknowledgement")
            ->check(CLI::IsMember({1, 3, 7}))
            ->type_name("1|3|7");
        auto *source = c->add_option("--source", o->source, "lvt: the frames of this capture")
                           ->type_name("FILE.lvt");
        c->add_option("--scenario", o->scenario,
                      "lvt: the frames of a scenario (demo, calls, x25, v5, errors, mix; "
                      "default mix)")
            ->excludes(source)
            ->type_name("NAME");
        c->add_option("--frames", o->frames, "lvt: the frames of the scenario")
            ->check(numberIn(1, 100000000))
            ->type_name("N");
        c->add_option("--rate", o->rate, "lvt: frames a second (default: as fast as acknowledged)")
            ->check(CLI::Range(0.0, 1000000.0))
            ->type_name("FRAMES_PER_S");
        c->add_option("--faults", o->faults,
                      "lvt: the tester's own faults, e.g. bad-check=0.01,lose=0.01,repeat=0.01,"
                      "garbage=0.01,silent-after=N,stop-after=N[:REASON]")
            ->type_name("SPEC");
        c->add_option("--for", o->seconds, "stop after this many seconds")
            ->check(CLI::Range(0.0, 86400.0))
            ->type_name("SECONDS");
    }
}

} // namespace qv::cli
