// The pcap exchange on the command line: export --pcap and import, with their messages and exit
// statuses.
#include <gtest/gtest.h>

#include "cli/CliSupport.h"

#include <filesystem>

namespace {

using qv::test::cli;
using qv::test::CliRun;
namespace fs = std::filesystem;

class PcapCli : public qv::test::CliHome {
protected:
    void SetUp() override {
        CliHome::SetUp();
        const CliRun g = cli("generate --scenario calls --layout realtime -o " + file("c.lvt"));
        ASSERT_EQ(g.code, 0) << g.out;
    }
};

// The runs of cli/pcap.txt: export to pcap and pcapng with a filter, imports, and the refusals
// of export and import.
TEST_F(PcapCli, ExportsImportsAndRefusals) {
    expectRuns("pcap.txt");
    EXPECT_FALSE(fs::exists(file("n.pcap")));
    EXPECT_FALSE(fs::exists(file("o.lvt")));
}

} // namespace
