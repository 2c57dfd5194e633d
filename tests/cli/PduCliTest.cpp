// The notation workbench of the command line: rows, raw output lines and loader messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;

std::string demo() {
    return std::string("--notation ") + QUORVANE_SOURCE_DIR +
           "/tests/data/pdu/demo --list DEMO.LST ";
}

TEST(PduCli, RowsOfADecodedMessage) {
    const auto r = cli("pdu " + demo() + "08 05 18 01 89 70 04 81 31 32 33");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "2\t1\tH\tInformation Element Identifier\tChannel ident.\n"
                     "3\t1\tH\tInformation Element Length\t1\n"
                     "4\t1\tF\tChannel\t0001 0011 0111\n"
                     "5\t1\tH\tInformation Element Identifier\tCalled number\n"
                     "6\t1\tH\tInformation Element Length\t4\n"
                     "7\t4\tF\tType/plan\t1\n"
                     "7\t4\tF\tDigits\t123\n");
}

TEST(PduCli, RawLinesAndErrors) {
    auto r = cli("pdu " + demo() + "--raw 08 4D 08 02 80 90 77");
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "Protocol Discriminator.. 08\n"
                     "RELEASE        \n"
                     "Cause           Lg =      2\n"
                     " Location :         0\n"
                     " Cause value :     16\n"
                     "ERROR: \\\n"
                     "PNOT: data not found        \n");
    r = cli("pdu " + demo() + "08 4D 08 02 80 90 77");
    EXPECT_NE(r.out.find("\tH\tCase missing or invalid table number\tDECODING ERROR\n"),
              std::string::npos)
        << r.out;
    r = cli("pdu " + demo() + "--table 4 --raw 04 01 80");
    EXPECT_EQ(r.out, "Bearer capab.   Lg =      1\n Octet :        80\n");
}

TEST(PduCli, LoaderMessagesAndBadArguments) {
    const qv::test::TempDir folder;
    const std::filesystem::path dir = folder.path();
    folder.write("BAD.LST", "03 T3.NOT : Y\n");
    folder.write("T3.NOT", "000201 Byte            XX\n");
    auto r = cli("pdu --notation " + dir.string() + " --list BAD.LST 41");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("PDU Interpreter Internal Error: Syntax error in a Notation File"),
              std::string::npos)
        << r.out;
    r = cli("pdu --notation " + dir.string() + " --list MISSING.LST 41");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Can't open file"), std::string::npos) << r.out;
    EXPECT_EQ(cli("pdu --notation " + dir.string() + " --list BAD.LST 4").code, 2);
    EXPECT_EQ(cli("pdu --list BAD.LST 41").code, 2);
    EXPECT_EQ(cli("pdu --notation " + dir.string() + " --list BAD.LST --table 70000 41").code, 2);
}

} // namespace
