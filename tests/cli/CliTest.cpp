// The command line end to end: generate captures, then inspect them.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>
#include <fstream>

namespace {

using qv::test::cli;
using qv::test::CliRun;

using CliTest = qv::test::CliFolder;

// The runs of cli/files.txt: generated captures of both layouts, their information, type,
// records and notes, and the refusals.
TEST_F(CliTest, GeneratedCapturesAreInspected) {
    expectRuns("files.txt");
}

} // namespace
