#pragma once
// The test-result commands of quorvane-cli: the report of a result file and the generated
// result files.
#include <string>
#include <vector>

namespace qv::cli {

// report FILE: prints the report; the file's failure message and exit status 1 when it holds
// no test result or cannot be read.
int report(const std::vector<std::string> &args);

// True when the generate arguments name a result scenario ("--scenario result-KIND").
bool isResultScenario(const std::vector<std::string> &args);
// generate --scenario result-KIND [--instrument NAME] [--firmware VERSION] [--threshold CODE]
//          -o OUT
int generateResult(const std::vector<std::string> &args);

} // namespace qv::cli
