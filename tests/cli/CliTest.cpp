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

// The runs of cli/failed-writes.txt: every command that writes a file, run where the file may
// not grow (the shell's file size limit, failing writes the way a full disk does), keeps the
// file it would have replaced as it was and leaves nothing beside it.
using CliHomeTest = qv::test::CliHome;

TEST_F(CliHomeTest, AFailedWriteKeepsThePreviousFile) {
    expectRuns("failed-writes.txt");
}

// The runs of cli/damaged-files.txt, which damages generated files the ways captures get
// damaged: every readable frame is offered, the damage is said, and the status tells of it.
TEST_F(CliHomeTest, DamagedFilesGiveTheirFramesAndSaySo) {
    expectRuns("damaged-files.txt");
}

} // namespace
