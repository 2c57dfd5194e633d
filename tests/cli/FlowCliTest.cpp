// quorvane-cli flow: the diagram of a call of the call list as SVG and as text, of a range of
// frames, and the messages for calls and frames that are not there.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

namespace {

using FlowCli = qv::test::CliHome;

// The runs of cli/flow.txt: the capture of a scenario, a call and a range of frames as text,
// and what is refused; then the call as SVG.
TEST_F(FlowCli, CallsAndFramesAsTextAndSvg) {
    expectRuns("flow.txt");

    const qv::test::CliRun r = qv::test::cli("flow " + file("call.lvt") + home() +
                                             " --call 1 --layer2 --svg " + file("call.svg"));
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
