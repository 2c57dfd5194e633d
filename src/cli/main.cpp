// quorvane-cli: the capture tools of the analyser without a window.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CallsCommand.h"
#include "CliEnvironment.h"
#include "Dru70Commands.h"
#include "ExamineCommands.h"
#include "ExpertCommand.h"
#include "FilterCommands.h"
#include "FlowCommand.h"
#include "ImportCommand.h"
#include "PduCommand.h"
#include "PlmCommand.h"
#include "ReportCommand.h"
#include "SerialCommands.h"
#include "StatsCommand.h"
#include "TableWriter.h"
#include "app/FileType.h"
#include "base/UserMessages.h"
#include "capture/CaptureFileOpener.h"
#include "capture/Dru70Decode.h"
#include "synth/Dru70Scenario.h"
#include "synth/PlmScenario.h"
#include "synth/Scenario.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace qv::cli;

std::unique_ptr<qv::CaptureFileReader> openCapture(const std::string &path,
                                                   qv::UserMessages &messages) {
    auto reader = qv::CaptureFileOpener(path, false, messages).createReader();
    if (!reader) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            messages.error(qv::kMsgUnableToOpen);
        else if (std::filesystem::file_size(path, ec) == 0)
            messages.error(qv::kMsgFileEmpty);
        else
            messages.error("This file is not an LVT file!");
        return nullptr;
    }
    if (reader->goTo(0) != qv::kGoToOk)
        return nullptr;
    return reader;
}

int fileType(const std::string &path) {
    const int type = qv::scanFileType(path);
    if (type < 0) {
        CliMessages().error(qv::kMsgTypeScanFailed);
        return 1;
    }
    std::printf("%d\t%s\n", type, std::string(qv::fileTypeText(type)).c_str());
    return 0;
}

int info(const std::string &path) {
    CliMessages messages;
    auto reader = openCapture(path, messages);
    if (!reader)
        return 1;
    const qv::CaptureInfo &i = reader->info();
    qv::CaptureFlags flags;
    reader->captureFlags(flags);
    std::printf("Layout        : %s\n", reader->isRealTimeFile() ? "real-time" : "stored");
    std::printf("Instrument    : %s\n", i.instrumentName.c_str());
    std::printf("Serial number : %s\n", i.displaySerial().c_str());
    std::printf("Versions      : %s %s\n", i.firstVersion.c_str(), i.secondVersion.c_str());
    std::printf("Start         : %s\n", qv::dateTimeText(i.start).c_str());
    std::printf("End           : %s\n", qv::dateTimeText(i.end).c_str());
    std::printf("Capture flags : 0x%02X (V5 %s, V5 setting %u, bit 0 %u)\n", i.captureFlags,
                flags.v5 ? "yes" : "no", flags.v5Setting, flags.bit0 ? 1u : 0u);
    std::printf("Frames        : %u\n", reader->recordCount());
    std::printf("Notes         :\n%s\n", reader->notes(true).c_str());
    return 0;
}

int records(const std::string &path, std::uint32_t first, std::uint32_t last, Format format) {
    CliMessages messages;
    auto reader = openCapture(path, messages);
    if (!reader)
        return 1;
    std::uint32_t count = reader->recordCount();
    if (last == 0 || last > count)
        last = count;
    // A stored file names no year for its records; its capture start gives the best one.
    qv::DateTracker dates;
    const qv::CaptureDateTime &start = reader->info().start;
    if (reader->startYear() == 0 && start.month >= 1 && start.month <= 12)
        dates.start(start.month, start.year);
    else
        dates.start(reader->startMonth(), reader->startYear());
    TableWriter table(
        format, {"Record", "Date", "Time", "Kind", "Status", "Direction", "Length", "Octets"});
    for (std::uint32_t n = std::max<std::uint32_t>(first, 1); n <= last; ++n) {
        if (reader->goTo(n - 1) != qv::kGoToOk) {
            table.row({std::to_string(n), "", "", "unreadable"});
            continue;
        }
        const qv::LvtRecord &r = reader->recordBuffer();
        std::string kind = r.kind == qv::kLayer1Event   ? "L1"
                           : r.kind == qv::kFrameRecord ? "frame"
                           : r.isOverflowMark()         ? "overflow"
                                                        : std::to_string(r.kind);
        std::string status(qv::statusText(r));
        if (r.kind == qv::kLayer1Event)
            status = std::string(qv::layer1EventText(r.status));
        std::string direction = r.kind == qv::kLayer1Event && qv::isActivationEvent(r.status)
                                    ? "-"
                                    : std::string(qv::directionShortText(r)) + " " +
                                          std::string(qv::directionLongText(r));
        std::string hex;
        for (std::uint16_t i = 0; i < r.dataLength; ++i) {
            char b[4];
            std::snprintf(b, sizeof b, i ? " %02X" : "%02X", r.data[i]);
            hex += b;
        }
        table.row({std::to_string(n), dates.dateText(r), qv::timeText(r), kind, status, direction,
                   std::to_string(r.dataLength), hex});
    }
    return 0;
}

int notes(const std::string &path, const char *text) {
    CliMessages messages;
    auto reader = openCapture(path, messages);
    if (!reader)
        return 1;
    if (!text) {
        std::fputs(reader->notes(true).c_str(), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (!reader->setNotes(text)) {
        printNotesRefusal(reader->writeError());
        return 1;
    }
    return 0;
}

struct GenerateOptions {
    std::string scenario, layout, out;
    std::uint32_t frames = 0, seed = 1;
    // Test result files.
    std::string instrument = "lvt30", firmware;
    std::optional<std::uint32_t> threshold;
    // PLM-45 projects.
    std::uint32_t lines = 0, project = 1;
    CLI::App *command = nullptr;
};

// The options that only some scenarios take, refused on the others.
int refuseOptions(const GenerateOptions &o, std::initializer_list<const char *> options,
                  const char *scenarios) {
    for (const char *name : options)
        if (o.command->count(name) > 0) {
            std::fprintf(stderr, "generate: %s is for %s\n", name, scenarios);
            return kBadUsage;
        }
    return kDone;
}

// Scenarios: demo, calls, x25, v5, errors, mix, or a scenario text file; dru70; plm;
// result-KIND.
int generate(const GenerateOptions &o) {
    const std::string &scenario = o.scenario, &layout = o.layout, &out = o.out;
    const std::uint32_t frames = o.frames, seed = o.seed;
    const bool result = isResultScenario(scenario), plm = scenario == qv::synth::kPlmScenario,
               dru = scenario == qv::synth::kDru70Scenario;
    if (!result)
        if (const int s = refuseOptions(o, {"--instrument", "--firmware", "--threshold"},
                                        "the result-KIND scenarios");
            s != kDone)
            return s;
    if (!plm)
        if (const int s = refuseOptions(o, {"--lines", "--project"}, "the plm scenario");
            s != kDone)
            return s;
    if (result || plm)
        if (const int s = refuseOptions(o, {"--layout", "--frames"}, "the capture scenarios");
            s != kDone)
            return s;
    if (result)
        return generateResult(scenario, o.instrument, o.firmware, o.threshold, out);
    if (plm)
        return generatePlm(o.lines, o.project, seed, out);
    if (dru) {
        if (!layout.empty() && layout != "dru") {
            std::fprintf(stderr, "generate: a DRU-70 recording has no --layout\n");
            return kBadUsage;
        }
        return generateDru70(frames, seed, out);
    }
    if (layout != "stored" && layout != "realtime") {
        std::fprintf(stderr, "generate: a capture needs --layout stored or --layout realtime\n");
        return kBadUsage;
    }
    const auto writtenLayout =
        layout == "stored" ? qv::synth::Layout::Stored : qv::synth::Layout::RealTime;
    std::vector<qv::LvtRecord> records;
    std::uint16_t year = qv::synth::kScenarioStartYear;
    std::string error;
    if (qv::synth::isBuiltinScenario(scenario)) {
        // Made and written a batch at a time: a capture of any size takes little memory.
        std::uint64_t written = 0;
        if (!qv::synth::writeCaptureStream(
                out, writtenLayout, year, qv::synth::scenarioCaptureFlags(scenario),
                [&](const qv::synth::RecordSink &sink) {
                    qv::synth::streamBuiltinScenario(scenario, frames, seed, sink);
                },
                written, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        std::printf("%s: %llu records\n", out.c_str(), static_cast<unsigned long long>(written));
        return 0;
    } else {
        std::ifstream in(scenario, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: no such scenario or file\n", scenario.c_str());
            return 1;
        }
        std::stringstream text;
        text << in.rdbuf();
        qv::synth::ParsedScenario parsed;
        std::string error;
        if (!qv::synth::parseScenarioText(text.str(), parsed, error)) {
            std::fprintf(stderr, "%s: %s\n", scenario.c_str(), error.c_str());
            return 1;
        }
        records = std::move(parsed.records);
        if (parsed.year != 0)
            year = parsed.year;
        if (frames != 0 && frames < records.size())
            records.resize(frames);
    }
    if (!qv::synth::writeCapture(out, writtenLayout, records, year, error,
                                 qv::synth::scenarioCaptureFlags(scenario))) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu records\n", out.c_str(), records.size());
    return 0;
}

struct FileOptions {
    std::string file, home, set;
    std::uint32_t first = 1, last = 0;
    CLI::Option *setOption = nullptr;
    Format format = Format::Text;
};

} // namespace

namespace qv::cli {

int runCommandLine(int argc, char **argv) {
    CLI::App app("quorvane-cli: the ISDN tester data of LVT, KSM, KSE, DRU-70 and PLM-45 "
                 "testers, read, decoded and exchanged without a window.\n"
                 "Frames are numbered from 1; names of messages, causes and packets are matched "
                 "without regard to case, and \".\", \"_\" and blanks stand for each other.",
                 "quorvane-cli");
    app.set_version_flag("--version", std::string("quorvane-cli ") + QUORVANE_VERSION);
    app.require_subcommand(1);
    Commands commands(app);
    {
        auto o = commands.options<FileOptions>();
        CLI::App *c = commands.add(
            "info", "The information block of a capture or recording.", kFilesGroup,
            [o] { return qv::isDru70File(o->file) ? dru70Info(o->file) : info(o->file); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon) or recording (.dru)");
    }
    {
        auto o = commands.options<FileOptions>();
        CLI::App *c = commands.add("type", "The kind of file, as its content tells it.",
                                   kFilesGroup, [o] { return fileType(o->file); });
        addFileArgument(*c, o->file, "any file");
    }
    {
        auto o = commands.options<FileOptions>();
        CLI::App *c =
            commands.add("records", "The records of a capture, one a line, undecoded.", kFilesGroup,
                         [o] { return records(o->file, o->first, o->last, o->format); });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon)");
        c->add_option("--first", o->first, "the first record (from 1)")
            ->check(numberIn(1, 0xFFFFFFFFu))
            ->type_name("N");
        c->add_option("--last", o->last, "the last record (default: the last of the capture)")
            ->check(numberIn(1, 0xFFFFFFFFu))
            ->type_name("M");
        addFormatOption(*c, o->format);
    }
    {
        auto o = commands.options<FileOptions>();
        CLI::App *c = commands.add(
            "notes", "The notes of a capture or recording, or new ones.", kFilesGroup, [o] {
                const char *text = o->setOption->count() ? o->set.c_str() : nullptr;
                return qv::isDru70File(o->file) ? dru70Notes(o->file, text, o->home)
                                                : notes(o->file, text);
            });
        addFileArgument(*c, o->file, "the capture (.lvt, .mon) or recording (.dru)");
        o->setOption = c->add_option("--set", o->set, "the new notes")->type_name("TEXT");
        addHomeOption(*c, o->home);
    }
    addReportCommand(commands);
    addDru70Command(commands);
    addPlmCommand(commands);
    addExamineCommands(commands);
    addCallsCommand(commands);
    addFlowCommand(commands);
    addExpertCommand(commands);
    addStatsCommand(commands);
    addFilterCommands(commands);
    addImportCommand(commands);
    addSerialCommands(commands);
    addPduCommand(commands);
    {
        auto o = commands.options<GenerateOptions>();
        CLI::App *c = commands.add("generate", "Files of a scenario, for tests and demonstrations.",
                                   kDevelopmentGroup, [o] { return generate(*o); });
        o->command = c;
        c->add_option("--scenario", o->scenario,
                      "demo, calls, x25, v5, errors, mix or a scenario text FILE (a capture); "
                      "dru70; plm; result-KIND with KIND service, supplementary, ber, x25d, "
                      "x25b or bchannel")
            ->required()
            ->type_name("NAME|FILE");
        c->add_option("--layout", o->layout, "the capture's layout")
            ->check(oneOf({"stored", "realtime", "dru"}))
            ->type_name("stored|realtime");
        c->add_option("-o", o->out, "the file to write")->required()->type_name("OUT");
        c->add_option("--frames", o->frames,
                      "the frames (events) of a built-in scenario, or the first frames of a "
                      "scenario file")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("N");
        c->add_option("--seed", o->seed, "the seed of the generated values")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("S");
        c->add_option("--instrument", o->instrument,
                      "the tester of a result file: lvt30 (default), lvt30-anonymous, lvt60, "
                      "lvt60-anonymous, hardware")
            ->type_name("NAME");
        c->add_option("--firmware", o->firmware,
                      "its firmware (default the newest: V09.02, V05.02 on an LVT-60)")
            ->type_name("VERSION");
        c->add_option("--threshold", o->threshold,
                      "the BER threshold 0 (infinite) to 9 (1E-1), BER test of an LVT-30 only")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("CODE");
        c->add_option("--lines", o->lines, "the lines of a PLM-45 project")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("N");
        c->add_option("--project", o->project, "the number of a PLM-45 project (0 to 99)")
            ->check(numberIn(0, 0xFFFFFFFFu))
            ->type_name("P");
    }
    {
        CLI::App *c = commands.add("completion", "The bash completion script of the commands.",
                                   kDevelopmentGroup, [&app] {
                                       std::fputs(bashCompletion(app).c_str(), stdout);
                                       return kDone;
                                   });
        c->add_option("SHELL", "the shell (bash)")->check(oneOf({"bash"}))->type_name("");
    }
    // After the commands: they would take it over as their own.
    app.footer("Run quorvane-cli COMMAND --help for the options of a command.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success &e) {
        return app.exit(e);
    } catch (const CLI::ParseError &e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", usageLine(app, e).c_str());
        return kBadUsage;
    }
    const int status = commands.status();
    return status == kDone && CliMessages::damageReported() ? kDamaged : status;
}

} // namespace qv::cli

int main(int argc, char **argv) {
    return qv::cli::runCommandLine(argc, argv);
}
