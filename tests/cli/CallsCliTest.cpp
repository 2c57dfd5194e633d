// quorvane-cli calls: the call list of a capture made from a scenario text, in its three formats,
// and wrong uses.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using CallsCli = qv::test::CliHome;

// The runs of cli/calls.txt.
TEST_F(CallsCli, TextCsvJsonAndWrongUses) {
    expectRuns("calls.txt");
}

} // namespace
