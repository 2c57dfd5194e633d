// The notation workbench of the command line: rows, raw output lines and loader messages.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using PduCli = qv::test::CliFolder;

// The runs of cli/pdu.txt: the rows and raw lines of messages decoded by the demonstration
// tables, decoding errors, the loader's messages and wrong arguments.
TEST_F(PduCli, RowsRawLinesAndErrors) {
    expectRuns("pdu.txt");
}

} // namespace
