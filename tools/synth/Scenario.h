#pragma once
// Scenarios of the capture synthesiser: the text form (one record per line) and the built-in
// scenarios, and the writing of either into a capture file of either layout.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/LvtRecord.h"

namespace qv::synth {

// Text form, one record per line ('#' starts a comment):
//   DD/MM[/YYYY] HH:MM:SS.mmm KIND STATUS DIRECTION [HEX OCTETS...]
// KIND: frame | l1 | overflow | overflow2 | a number; STATUS: good | bad | aborted |
// truncated | overflow | short | error | a number (for l1 the event code); DIRECTION: te | nt.
struct ParsedScenario {
    std::vector<LvtRecord> records;
    std::uint16_t year = 0; // year of the first record, when the text gives one
};
bool parseScenarioText(std::string_view text, ParsedScenario &out, std::string &error);

inline constexpr const char *kBuiltinScenarios[] = {"demo", "calls", "x25", "v5", "errors", "mix"};
bool isBuiltinScenario(std::string_view name);
// frames = 0 takes the scenario's own size; mix needs frames.
std::vector<LvtRecord> builtinScenario(std::string_view name, std::uint32_t frames,
                                       std::uint32_t seed);
// Records handed over one at a time; false stops the one handing them.
using RecordSink = std::function<bool(const LvtRecord &)>;
// The same scenario handed to sink as it is made, so that a capture of any size takes little
// memory; false for an unknown name.
bool streamBuiltinScenario(std::string_view name, std::uint32_t frames, std::uint32_t seed,
                           const RecordSink &sink);
inline constexpr std::uint16_t kScenarioStartYear = 2026;

enum class Layout { Stored, RealTime };
// captureFlags: bit 1 marks a V5 capture, bits 2..7 its V5 setting (the time slot).
bool writeCapture(const std::string &path, Layout layout, const std::vector<LvtRecord> &records,
                  std::uint16_t startYear, std::string &error, std::uint8_t captureFlags = 0);
// Writes the records that produce hands to its sink; records says how many.
bool writeCaptureStream(const std::string &path, Layout layout, std::uint16_t startYear,
                        std::uint8_t captureFlags,
                        const std::function<void(const RecordSink &)> &produce,
                        std::uint64_t &records, std::string &error);
// The capture flags of the built-in scenario name: the V5 scenario is a V5 capture of time slot 16.
std::uint8_t scenarioCaptureFlags(std::string_view name);

} // namespace qv::synth
