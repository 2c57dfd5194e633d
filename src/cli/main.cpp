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
#include "StatsCommand.h"
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

constexpr const char *kUsage =
    "usage: quorvane-cli generate --scenario NAME|FILE --layout stored|realtime [--frames N]\n"
    "                             [--seed S] -o OUT\n"
    "       quorvane-cli generate --scenario dru70 [--frames N] [--seed S] -o OUT.dru\n"
    "       quorvane-cli generate --scenario result-KIND [--instrument NAME]\n"
    "                             [--firmware VERSION] [--threshold CODE] -o OUT.lvt\n"
    "                             a test result file; KIND: service, supplementary, ber, x25d,\n"
    "                             x25b, bchannel; NAME: lvt30 (default), lvt30-anonymous, lvt60,\n"
    "                             lvt60-anonymous, hardware; VERSION: the firmware (default the\n"
    "                             newest, V09.02 or V05.02 on an LVT-60); CODE: the BER threshold\n"
    "                             0 (infinite) to 9 (1E-1), BER test of an LVT-30 only\n"
    "       quorvane-cli generate --scenario plm [--lines N] [--project P] [--seed S]\n"
    "                             -o OUT.plm    a PLM-45 project (P 0 to 99)\n"
    "       quorvane-cli info FILE            (LVT or DRU-70 file)\n"
    "       quorvane-cli dru FILE [--columns default|all] [--format text|csv|json] [--long]\n"
    "                        [--filter NAME] [--events activation,error,power,eoc]\n"
    "       quorvane-cli plm FILE [--format text|csv|json] [--columns default|all]\n"
    "       quorvane-cli type FILE\n"
    "       quorvane-cli report FILE          (test result file)\n"
    "       quorvane-cli records FILE [--first N] [--last M]\n"
    "       quorvane-cli notes FILE [--set TEXT]\n"
    "       quorvane-cli summary FILE [--columns default|all|N,N,...] [--format text|csv|json]\n"
    "                            [--long] [FILTER]\n"
    "       quorvane-cli detail FILE --frame N [--hexa]\n"
    "       quorvane-cli expert FILE [--format text|csv|json] [--severity note|warning|error]\n"
    "                           (layer-2 link analysis: lost, repeated, late frames ...)\n"
    "       quorvane-cli stats FILE [--format text|json]\n"
    "       quorvane-cli calls FILE [--format text|csv|json]   (ISDN and X.25 calls)\n"
    "       quorvane-cli flow FILE (--call N | --frames A-B) [--layer2] --svg OUT\n"
    "                         the call flow of call N of calls (or of frames A to B)\n"
    "       quorvane-cli find FILE (--text S [--detail] | --message NAME | --cause N)\n"
    "                         [--from N] [--backward] [--case] [--all] [FILTER]\n"
    "       quorvane-cli export FILE --lvt OUT [FILTER]\n"
    "       quorvane-cli export FILE --pcap OUT [FILTER]   (pcapng when OUT ends in .pcapng)\n"
    "       quorvane-cli import IN --lvt OUT        (pcap or pcapng of link type 177 or 203,\n"
    "                                               I4B or EyeSDN trace, gzipped or not)\n"
    "       quorvane-cli filter list [--realtime|--dru70]\n"
    "       quorvane-cli filter save NAME [--realtime] [FILTER]\n"
    "       quorvane-cli filter load|delete NAME [--realtime]\n"
    "       quorvane-cli pdu --notation DIR --list FILE.LST [--table N] [--start-value V] [--raw]\n"
    "                        HEX\n"
    "       quorvane-cli pdu --protocol CODE | --v5 | --message --notation DIR --list FILE.LST\n"
    "                        HEX   (the message as a frame carries it, from its discriminator)\n"
    "Frames are numbered from 1. --home DIR names the installation folder; --protocol CODE\n"
    "picks the protocol variant (EDSS, Q931, ...) for summary, detail, find and export; --v5\n"
    "decodes V5 captures as V5.\n"
    "FILTER shows only the frames that meet every criterion given:\n"
    "  --filter NAME          start from the saved off-line filter NAME; the options below\n"
    "                         change its criteria for this run\n"
    "  --layers LIST          the layers shown: 1, 2 and 3 separated by commas, or none\n"
    "  --sapi N  --tei N      layer-2 address (decimal)\n"
    "  --direction D          TE->NT, NT->TE, AN->LE or LE->AN (or TE, NT, AN, LE)\n"
    "  --frame-type NAME      DISC, DM, FRMR, I, REJ, RNR, RR, SABME, UA, UI or XID\n"
    "  --no-rr                leave out the RR frames\n"
    "  --callref HEX  --pd HEX\n"
    "  --local PATTERN  --remote PATTERN\n"
    "                         frames of the calls from or to an ISDN address; a * at the start\n"
    "                         or the end stands for any further digits\n"
    "  --message NAME         an ISDN message (SETUP, RELEASE.COMP, \"USER INFO\" ...) or a V5\n"
    "                         one (PSTN/ESTABLISH ...); on find: --only-message NAME\n"
    "  --cause TEXT           a cause name or number; on find: --only-cause TEXT\n"
    "  --cause-format mnemonics|decimal|hexa\n"
    "                         how TEXT names the cause (digits alone: decimal, else mnemonics)\n"
    "  --lcn HEX  --x25-local PATTERN  --x25-remote PATTERN  --packet NAME  --cug N  --nui\n"
    "                         X.25: channel, calls by address, packet (CALL.REQ ...), closed\n"
    "                         user group, packets carrying a NUI\n"
    "  --efa N  --l3-address N\n"
    "                         V5 (with --v5): envelope function address, layer-3 address\n"
    "Names are matched without regard to case; \".\", \"_\" and blanks stand for each other.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

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
        qv::StderrUserMessages().error(qv::kMsgTypeScanFailed);
        return 1;
    }
    std::printf("%d\t%s\n", type, std::string(qv::fileTypeText(type)).c_str());
    return 0;
}

int info(const std::string &path) {
    qv::StderrUserMessages messages;
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

int records(const std::string &path, std::uint32_t first, std::uint32_t last) {
    qv::StderrUserMessages messages;
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
    for (std::uint32_t n = std::max<std::uint32_t>(first, 1); n <= last; ++n) {
        if (reader->goTo(n - 1) != qv::kGoToOk) {
            std::printf("%u\tunreadable\n", n);
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
        std::printf("%u\t%s\t%s\t%s\t%s\t%s\t%u\t%s\n", n, dates.dateText(r).c_str(),
                    qv::timeText(r).c_str(), kind.c_str(), status.c_str(), direction.c_str(),
                    r.dataLength, hex.c_str());
    }
    return 0;
}

int notes(const std::string &path, const char *text) {
    qv::StderrUserMessages messages;
    auto reader = openCapture(path, messages);
    if (!reader)
        return 1;
    if (!text) {
        std::fputs(reader->notes(true).c_str(), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (!reader->setNotes(text)) {
        std::fprintf(stderr, "The comment text can not be updated.\n");
        return 1;
    }
    return 0;
}

bool number(const char *text, std::uint32_t &out);

// Scenarios: demo, calls, x25, v5, errors, mix, or a scenario text file.
int generate(int argc, char **argv) {
    std::string scenario, layout, out;
    std::uint32_t frames = 0, seed = 1;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc)
            return usage();
        std::string option = argv[i];
        const char *value = argv[i + 1];
        if (option == "--scenario")
            scenario = value;
        else if (option == "--layout")
            layout = value;
        else if (option == "-o")
            out = value;
        else if (!((option == "--frames" && number(value, frames)) ||
                   (option == "--seed" && number(value, seed))))
            return usage();
    }
    if (scenario == qv::synth::kDru70Scenario && !out.empty() &&
        (layout.empty() || layout == "dru"))
        return qv::cli::generateDru70(frames, seed, out);
    if (scenario.empty() || out.empty() || (layout != "stored" && layout != "realtime"))
        return usage();
    std::vector<qv::LvtRecord> records;
    std::uint16_t year = qv::synth::kScenarioStartYear;
    if (qv::synth::isBuiltinScenario(scenario)) {
        records = qv::synth::builtinScenario(scenario, frames, seed);
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
    std::string error;
    if (!qv::synth::writeCapture(
            out, layout == "stored" ? qv::synth::Layout::Stored : qv::synth::Layout::RealTime,
            records, year, error, qv::synth::scenarioCaptureFlags(scenario))) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu records\n", out.c_str(), records.size());
    return 0;
}

bool number(const char *text, std::uint32_t &out) {
    char *end = nullptr;
    unsigned long v = std::strtoul(text, &end, 10);
    if (!*text || *end || v > 0xFFFFFFFFul)
        return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && std::string(argv[1]) == "generate") {
        const std::vector<std::string> args(argv + 2, argv + argc);
        if (args.size() >= 2 && args[0] == "--scenario" && args[1] == qv::synth::kPlmScenario) {
            const int status = qv::cli::generatePlm(args);
            if (status == qv::cli::kRefused)
                return qv::cli::kBadUsage;
            return status == qv::cli::kBadUsage ? usage() : status;
        }
        if (qv::cli::isResultScenario(args)) {
            const int status = qv::cli::generateResult(args);
            if (status == qv::cli::kRefused)
                return qv::cli::kBadUsage;
            return status == qv::cli::kBadUsage ? usage() : status;
        }
        return generate(argc, argv);
    }
    if (argc >= 2 && std::string(argv[1]) == "pdu") {
        const int status = qv::cli::pdu(std::vector<std::string>(argv + 2, argv + argc));
        return status == 2 ? usage() : status;
    }
    if (argc < 3)
        return usage();
    std::string command = argv[1];
    std::string path = argv[2];
    if (command == "summary" || command == "detail" || command == "find" || command == "export" ||
        command == "filter") {
        std::vector<std::string> args(argv + 2, argv + argc);
        int status = command == "summary"  ? qv::cli::summary(args)
                     : command == "detail" ? qv::cli::detail(args)
                     : command == "find"   ? qv::cli::find(args)
                     : command == "export" ? qv::cli::exportFrames(args)
                                           : qv::cli::filterProfiles(args);
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "import") {
        const int status = qv::cli::importCapture(std::vector<std::string>(argv + 2, argv + argc));
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "calls" || command == "flow") {
        std::vector<std::string> args(argv + 2, argv + argc);
        const int status = command == "calls" ? qv::cli::calls(args) : qv::cli::flow(args);
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "expert" || command == "stats") {
        const std::vector<std::string> args(argv + 2, argv + argc);
        const int status = command == "expert" ? qv::cli::expert(args) : qv::cli::stats(args);
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "plm") {
        const int status = qv::cli::plm(std::vector<std::string>(argv + 2, argv + argc));
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "dru") {
        const int status = qv::cli::dru70(std::vector<std::string>(argv + 2, argv + argc));
        if (status == qv::cli::kRefused)
            return qv::cli::kBadUsage;
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "info" && argc == 3)
        return qv::isDru70File(path) ? qv::cli::dru70Info(path) : info(path);
    if (command == "type" && argc == 3)
        return fileType(path);
    if (command == "report") {
        const int status = qv::cli::report(std::vector<std::string>(argv + 2, argv + argc));
        return status == qv::cli::kBadUsage ? usage() : status;
    }
    if (command == "records") {
        std::uint32_t first = 1, last = 0;
        for (int i = 3; i < argc; i += 2) {
            if (i + 1 >= argc)
                return usage();
            std::uint32_t *target = !std::strcmp(argv[i], "--first")  ? &first
                                    : !std::strcmp(argv[i], "--last") ? &last
                                                                      : nullptr;
            if (!target || !number(argv[i + 1], *target))
                return usage();
        }
        return records(path, first, last);
    }
    if (command == "notes") {
        const bool dru = qv::isDru70File(path);
        if (argc == 3)
            return dru ? qv::cli::dru70Notes(path, nullptr) : notes(path, nullptr);
        if (argc == 5 && !std::strcmp(argv[3], "--set"))
            return dru ? qv::cli::dru70Notes(path, argv[4]) : notes(path, argv[4]);
    }
    return usage();
}
