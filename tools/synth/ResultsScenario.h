#pragma once
// Result files as the testers write them: every test type, for every instrument layout and
// firmware generation, with the values of a plausible test run.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/CaptureWriters.h"
#include "results/ResultRecords.h"

namespace qv::synth {

// Result scenarios are named "result-" and the test's kind.
inline constexpr std::string_view kResultScenarioPrefix = "result-";
struct ResultKind {
    const char *name;
    int type;
};
inline constexpr ResultKind kResultKinds[] = {
    {"service", kResultServiceTest}, {"supplementary", kResultSupplementaryServiceTest},
    {"ber", kResultBerTest},         {"x25d", kResultX25DTest},
    {"x25b", kResultX25BTest},       {"bchannel", kResultBChannelTest},
};
// The type of a kind's name, 0 when there is none.
int resultKindType(std::string_view name);

// The instruments: an LVT-30 with and without its identification, an LVT-60 with and without
// a serial number, and a monitor-family instrument that carries a hardware number.
enum class ResultInstrumentKind { Lvt30, Lvt30Anonymous, Lvt60, Lvt60Anonymous, HardwareNumber };
struct ResultInstrumentName {
    const char *name;
    ResultInstrumentKind kind;
};
inline constexpr ResultInstrumentName kResultInstruments[] = {
    {"lvt30", ResultInstrumentKind::Lvt30},
    {"lvt30-anonymous", ResultInstrumentKind::Lvt30Anonymous},
    {"lvt60", ResultInstrumentKind::Lvt60},
    {"lvt60-anonymous", ResultInstrumentKind::Lvt60Anonymous},
    {"hardware", ResultInstrumentKind::HardwareNumber},
};
bool resultInstrumentOf(std::string_view name, ResultInstrumentKind &out);
// The newest firmware of the instrument: "V05.02" on an LVT-60, "V09.02" elsewhere.
std::string newestFirmware(ResultInstrumentKind instrument);

struct ResultFileContent {
    int type = kResultBerTest;
    ResultLayout layout = ResultLayout::Lvt30;
    StoredFileDescription identification; // the information block
    std::string firmware;                 // the version the records follow; empty: none known
    bool newFirmware = true;
    TestRecords records; // values as stored, in the firmware's own numbering
};

// The test of the type run on the instrument with the firmware (empty: its newest). An
// anonymous LVT-30 names no version: its records are those of the older firmware.
ResultFileContent resultScenario(int type, ResultInstrumentKind instrument,
                                 const std::string &firmware = {});
// The same test with its BER threshold code, in the LVT-30's 447-byte configuration record.
void setBerThreshold(ResultFileContent &content, std::uint8_t code);

// The whole file: the records, each opened by the instrument's identification where its
// layout wants one, then the information block.
std::vector<std::uint8_t> resultFileBytes(const ResultFileContent &content);
bool writeResultFile(const std::string &path, const ResultFileContent &content, std::string &error);

} // namespace qv::synth
