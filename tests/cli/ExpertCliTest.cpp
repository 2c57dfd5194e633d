// The expert and stats commands of the command line on a capture made from a scenario text.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using ExpertCli = qv::test::CliHome;

// The runs of cli/expert.txt: the capture of a scenario, its warnings and statistics in every
// format, and a wrong option.
TEST_F(ExpertCli, WarningsAndStatisticsInEveryFormat) {
    expectRuns("expert.txt");
}

} // namespace
