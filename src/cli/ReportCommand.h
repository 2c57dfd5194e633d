#pragma once
// The test-result commands of quorvane-cli: the report of a result file and the generated
// result files.
#include <cstdint>
#include <optional>
#include <string>

#include "CommandLine.h"

namespace qv::cli {

// report FILE: the report; the file's failure message and exit status 1 when it holds no test
// result or cannot be read.
void addReportCommand(Commands &commands);
// True when scenario names a result scenario ("result-KIND").
bool isResultScenario(const std::string &scenario);
// The result file of scenario (result-KIND) as instrument (lvt30 ...) with firmware (empty: the
// newest) and the BER threshold code, written to out.
int generateResult(const std::string &scenario, const std::string &instrument,
                   const std::string &firmware, std::optional<std::uint32_t> threshold,
                   const std::string &out);

} // namespace qv::cli
