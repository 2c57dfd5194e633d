// The PLM-45 commands of the command line: a generated project, its lines in the three formats
// and the columns of the settings, and the refusals.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

constexpr const char *kLine =
    "12,A01-1,250,20,255,80,3,2,4,12,4095,36,120,45,123,254,255,,,\"ok\",,67,2,1,1,1-2,150\r\n";

using PlmCli = qv::test::CliFolder;

// The runs of cli/plm.txt: a generated project and a project of one line in the three formats,
// with the columns of the settings or all of them, and the refusals.
TEST_F(PlmCli, ProjectsInEveryFormat) {
    std::ofstream(file("p12.plm"), std::ios::binary) << kLine;
    expectRuns("plm.txt");
}

} // namespace
