// quorvane-cli flow: the diagram of a call of the call list as SVG and as text, of a range of
// frames, and the messages for calls and frames that are not there.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;

// SABME, UA, then a call answered and cleared by the caller.
constexpr const char *kScenario =
    "12/03/2026 10:00:00.000 frame good te 00 81 7F\n"
    "12/03/2026 10:00:00.010 frame good nt 00 81 73\n"
    "12/03/2026 10:00:01.000 frame good te 00 81 00 00 08 01 01 05 A1 04 03 80 90 A3 18 01 89 "
    "6C 06 21 83 31 32 33 34 70 05 81 35 36 37 38\n"
    "12/03/2026 10:00:01.020 frame good nt 00 81 01 02\n"
    "12/03/2026 10:00:01.100 frame good nt 02 81 00 02 08 01 81 02 18 01 89\n"
    "12/03/2026 10:00:04.000 frame good nt 02 81 02 02 08 01 81 07\n"
    "12/03/2026 10:00:04.100 frame good te 00 81 02 06 08 01 01 0F\n"
    "12/03/2026 10:00:30.000 frame good te 00 81 04 06 08 01 01 45 08 02 80 90\n"
    "12/03/2026 10:00:30.050 frame good nt 02 81 06 06 08 01 81 4D\n"
    "12/03/2026 10:00:30.100 frame good te 00 81 06 08 08 01 01 5A\n";

class FlowCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        generate(kScenario, "stored", "call.lvt");
    }
    CliRun flow(const std::string &options) {
        return cli("flow " + file("call.lvt") + home() + " " + options);
    }
};

// The runs of cli/flow.txt: a call and a range of frames as text, and what is refused.
TEST_F(FlowCli, CallsAndFramesAndRefusals) {
    expectRuns("flow.txt");
}

TEST_F(FlowCli, CallAsSvg) {
    const CliRun r = flow("--call 1 --layer2 --svg " + file("call.svg"));
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, file("call.svg") + ": 8 arrows\n");
    const std::string svg = qv::test::TempDir::readBytes(file("call.svg"));
    EXPECT_NE(svg.find(">Call 1: 1234 -&gt; 5678</text>"), std::string::npos);
    std::size_t arrows = 0, layer2 = 0;
    for (std::size_t at = svg.find("<line class=\"arrow"); at != std::string::npos;
         at = svg.find("<line class=\"arrow", at + 1)) {
        ++arrows;
        layer2 += svg.compare(at, 22, "<line class=\"arrow l2\"") == 0;
    }
    EXPECT_EQ(arrows, 8u);
    EXPECT_EQ(layer2, 1u) << "the RR from the network";
}

} // namespace
