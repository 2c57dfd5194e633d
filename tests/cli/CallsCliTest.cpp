// quorvane-cli calls: the call list of a capture made from a scenario text, in its three formats,
// and of a real PRI capture imported from pcap.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

// A call over the new year, answered and cleared by the caller (cause 16), then a data call
// that the network's RESTART ends while it proceeds.
constexpr const char *kScenario =
    "31/12/2026 23:59:49.000 frame good te 00 81 7F\n"
    "31/12/2026 23:59:49.010 frame good nt 00 81 73\n"
    "31/12/2026 23:59:50.000 frame good te 00 81 00 00 08 01 01 05 A1 04 03 80 90 A3 18 01 89 "
    "6C 06 21 83 31 32 33 34 70 05 81 35 36 37 38\n"
    "31/12/2026 23:59:50.100 frame good nt 02 81 00 02 08 01 81 02 18 01 89\n"
    "31/12/2026 23:59:51.000 frame good nt 02 81 02 02 08 01 81 01\n"
    "31/12/2026 23:59:55.500 frame good nt 02 81 04 02 08 01 81 07\n"
    "31/12/2026 23:59:55.600 frame good te 00 81 02 08 08 01 01 0F\n"
    "01/01/2027 00:00:20.250 frame good te 00 81 04 08 08 01 01 45 08 02 80 90\n"
    "01/01/2027 00:00:20.300 frame good nt 02 81 06 06 08 01 81 4D\n"
    "01/01/2027 00:00:20.400 frame good te 00 81 06 08 08 01 01 5A\n"
    "01/01/2027 00:01:00.000 frame good te 00 81 08 08 08 01 02 05 A1 04 02 88 90 70 04 81 39 39 "
    "39\n"
    "01/01/2027 00:01:00.200 frame good nt 02 81 08 0A 08 01 82 02 18 01 8A\n"
    "01/01/2027 00:01:02.000 frame good nt 02 81 0A 0A 08 01 00 46 79 01 87\n"
    "01/01/2027 00:01:02.100 frame good te 00 81 0A 0C 08 01 80 4E 79 01 87\n";

class CallsCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        generate(kScenario, "stored", "calls.lvt");
    }
};

// The runs of cli/calls.txt: the list as text, CSV and JSON.
TEST_F(CallsCli, TextCsvAndJson) {
    expectRuns("calls.txt");
}

// The runs of cli/calls-refusals.txt: wrong uses.
TEST_F(CallsCli, BadInputGetsAMessage) {
    expectRuns("calls-refusals.txt");
}

} // namespace
