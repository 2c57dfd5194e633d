#include "ReportCommand.h"

#include <cstdio>

#include "CliEnvironment.h"
#include "app/FileType.h"
#include "base/UserMessages.h"
#include "results/TestResultFile.h"
#include "synth/ResultsScenario.h"

namespace qv::cli {

namespace {

constexpr std::size_t kMaxFirmwareLength = 7; // the LVT-60 keeps seven characters

std::string names(const auto &table) {
    std::string text;
    for (const auto &entry : table)
        text += (text.empty() ? "" : ", ") + std::string(entry.name);
    return text;
}

int refuse(const std::string &text) {
    std::fprintf(stderr, "generate: %s\n", text.c_str());
    return kBadUsage;
}

int report(const std::string &path) {
    CliMessages messages;
    TestResultFile file(path, false, messages);
    const int type = file.Identify();
    if (type < 0) {
        if (type == kIdentifyUnreadable)
            messages.error(kMsgTypeScanFailed);
        return kFailed;
    }
    if (file.Read() < 0)
        return kFailed;
    const std::string text = file.Report();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kDone;
}

} // namespace

bool isResultScenario(const std::string &scenario) {
    return scenario.rfind(synth::kResultScenarioPrefix, 0) == 0;
}

int generateResult(const std::string &scenario, const std::string &instrumentName,
                   const std::string &firmware, std::optional<std::uint32_t> threshold,
                   const std::string &out) {
    const bool withThreshold = threshold.has_value();
    const int type = synth::resultKindType(scenario.substr(synth::kResultScenarioPrefix.size()));
    if (type == 0)
        return refuse(scenario + ": no such result scenario (result- and one of " +
                      names(synth::kResultKinds) + ")");
    synth::ResultInstrumentKind instrument;
    if (!synth::resultInstrumentOf(instrumentName, instrument))
        return refuse(instrumentName + ": no such instrument (" + names(synth::kResultInstruments) +
                      ")");
    if (!firmware.empty() && instrument == synth::ResultInstrumentKind::Lvt30Anonymous)
        return refuse("--firmware: an LVT-30 without identification names no version");
    if (firmware.size() > kMaxFirmwareLength)
        return refuse("--firmware: at most 7 characters, as in V09.02");
    if (withThreshold &&
        (type != kResultBerTest || (instrument != synth::ResultInstrumentKind::Lvt30 &&
                                    instrument != synth::ResultInstrumentKind::Lvt30Anonymous)))
        return refuse("--threshold: only the BER test of an LVT-30 keeps a threshold");
    if (withThreshold && *threshold > 9)
        return refuse("--threshold: a code of 0 (infinite) to 9 (1E-1)");
    synth::ResultFileContent content = synth::resultScenario(type, instrument, firmware);
    if (withThreshold)
        synth::setBerThreshold(content, static_cast<std::uint8_t>(*threshold));
    std::string error;
    if (!synth::writeResultFile(out, content, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFailed;
    }
    std::printf("%s: %s\n", out.c_str(), std::string(fileTypeText(type)).c_str());
    return kDone;
}

void addReportCommand(Commands &commands) {
    auto file = commands.options<std::string>();
    CLI::App *c = commands.add("report", "The report of a test result file.", kFilesGroup,
                               [file] { return report(*file); });
    addFileArgument(*c, *file, "the test result file");
}

} // namespace qv::cli
