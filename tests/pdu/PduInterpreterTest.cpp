// The interpreter engine: command words, the main loop and its errors, every display format.
#include <gtest/gtest.h>

#include "base/Numbers.h"
#include "pdu/PduTestSupport.h"
#include "support/Pinned.h"

namespace qv::pdu::test {
namespace {

std::string label(const std::string &text) {
    return (text + std::string(15, ' ')).substr(0, 15);
}

// A command's fields as the numbers of their enumerations, or the error its digits raise.
std::string fieldsOf(const Command &c) {
    return "kind " + std::to_string(static_cast<int>(c.kind)) + " source " +
           std::to_string(static_cast<int>(c.source)) + " push " + std::to_string(c.push) +
           " length " + std::to_string(static_cast<int>(c.lengthMode)) + " argument " +
           std::to_string(c.argument) + " format " + std::to_string(static_cast<int>(c.format)) +
           " line " + std::to_string(static_cast<int>(c.lineMode)) + " attribute " +
           std::to_string(c.attribute) + (c.lengthLabel ? " length-label" : "") +
           (c.pushBack ? " push-back" : "");
}

// Decodes each case of a case file: its input lines are table 3, but for the one starting "= ",
// the message in hexadecimal.
void expectCaseOutputs(const std::string &file) {
    qv::test::PinnedTexts pinned(file);
    for (const qv::test::PinnedTexts::Case &c : pinned.cases()) {
        std::vector<std::string> table;
        std::vector<std::uint8_t> message;
        for (const std::string &line : c.input) {
            if (line.rfind("= ", 0) == 0)
                message = parseHexOctets(line.substr(2)).value_or(std::vector<std::uint8_t>{});
            else
                table.push_back(line);
        }
        OneTable t(table);
        pinned.expectText(c.name, t.raw(message));
    }
}

TEST(PduCommandWord, DigitsDecodeAsTheTablesSay) {
    PduInterpreter engine;
    std::vector<std::string> decoded;
    for (const char *code :
         {"000000", "000001", "2A5002", "0C0000", "010000", "020000", "030000", "040000", "050000",
          "060002", "070001", "0E0100", "009204", "000431", "000E02", "000C02", "000D07", "000F02",
          "300000", "400000", "500000", "100009", "600004", "610004", "810005", "730041", "600103",
          "800100", "080000", "000900", "000302", "070100", "060100", "900000", "760000"}) {
        const std::uint32_t word = static_cast<std::uint32_t>(std::stoul(code, nullptr, 16));
        const std::uint32_t stored = (word & 0xF00000) << 4 | (word & 0x0F0000) | (word & 0xFFFF);
        Command got;
        const EngineError error = engine.decodeCommand(stored, got);
        decoded.push_back(std::string(code) + ": " +
                          (error == EngineError::None
                               ? fieldsOf(got)
                               : "error " + std::to_string(static_cast<int>(error))));
    }
    qv::test::PinnedTexts("pdu/command-words.txt").expect("command words", decoded);
    Command plain;
    ASSERT_EQ(engine.decodeCommand(0, plain), EngineError::None);
    EXPECT_EQ(fieldsOf(plain), fieldsOf(kPlainCommand)) << "a table starts with 000000";
}

TEST(PduErrors, MessagesArePaddedToTwentyEightCharacters) {
    EXPECT_STREQ(errorMessage(4), "IE: too big                 ");
    EXPECT_STREQ(errorMessage(20), "SYNTAX: Error in notat. file");
    EXPECT_STREQ(errorMessage(0), "Error                       ");
    EXPECT_STREQ(errorMessage(99), "Error                       ");
}

// The output of each case of pdu/formats.txt: the lines of table 3, then "= " and the message.
TEST(PduFormats, EveryDisplayFormat) {
    expectCaseOutputs("pdu/formats.txt");
}

TEST(PduFormats, RestOfTheElementIsShownUnread) {
    OneTable hex({rec("000700", "Rest", 0, "XX")});
    EXPECT_EQ(hex.raw({1, 2, 3}),
              label("Rest") + " 01 02 03\n" + errorLine("IE: uninterpreted data left"))
        << "the bytes shown are still to be read";
    OneTable text(
        {rec("000800", "Rest", 0, "XX"), rec("000000", "B", 1, "42"), rec("000001", "C", 2, "43")});
    EXPECT_EQ(text.raw({'A', 'B', 'C'}), label("Rest") + "ABC\n" + label("B") + label("C") + "\n");
}

TEST(PduRegisters, StartValueInjectionAndStackValues) {
    OneTable setR({rec("050D05", "", 0, "XX"), rec("000001", "Five", 1, "05")});
    EXPECT_EQ(setR.raw({0x77}), label("Five") + "\n");
    OneTable addR({rec("050C02", "", 0, "XX"), rec("000001", "Five", 1, "05")});
    EXPECT_EQ(addR.raw({0x77}), label("Five") + "\n") << "R starts at the start value 3";
    OneTable inject({rec("700041", "", 0, "99"), rec("000201", "Injected", 1, "41"),
                     rec("000201", "Next", 2, "55")});
    EXPECT_EQ(inject.raw({0x99, 0x55}), label("Injected") + " 41\n" + label("Next") + " 55\n");
    OneTable split({rec("020000", "First", 0, "XX"), rec("030000", "Pop", 1, "XX"),
                    rec("060001", "Split", 2, "12"), rec("000001", "High two", 3, "02")});
    EXPECT_EQ(split.raw({0x12, 0x34, 0x56}), label("First") + label("Pop") + "\\\n" +
                                                 label("Split") + "\n" + label("High two") + "\n");
}

TEST(PduLoop, StopEndsTheDecodeWithItsArgument) {
    OneTable stop({rec("100007", "Stop", 0, "99")});
    PduDecodeResult r = stop.interpreter->decode({0x99, 1, 2});
    EXPECT_EQ(r.error, -1);
    EXPECT_EQ(r.stopArgument, 7);
    EXPECT_EQ(r.bytesLeft, 2);
    OneTable popped({rec("020000", "", 0, "99"), rec("100000", "Stop", 1, "XX")});
    r = popped.interpreter->decode({0x99, 1, 2});
    EXPECT_EQ(r.stopArgument, 0x99) << "a stop without argument takes the value pushed";
    EXPECT_EQ(r.bytesLeft, 1);
    OneTable plain({rec("000001", "Leaf", 0, "99")});
    r = plain.interpreter->decode({0x99});
    EXPECT_EQ(r.stopArgument, 0);
    EXPECT_EQ(r.bytesLeft, 0);
}

// Each error of pdu/errors.txt ends the decode after what was written before it.
TEST(PduLoop, ErrorsEndTheDecodeAndKeepWhatWasWritten) {
    expectCaseOutputs("pdu/errors.txt");
}

TEST(PduLoop, TwentyFirstPushFails) {
    OneTable t({rec("220000", "", 0, "00"), rec("420F02", "", 1, "XX")});
    std::vector<std::uint8_t> message(30, 7);
    message[0] = 0;
    const PduDecodeResult r = t.interpreter->decode(message);
    EXPECT_EQ(r.error, 3);
    const std::string out = rawLines(r.cells, r.endCell);
    EXPECT_EQ(out.substr(out.size() - errorLine("").size()),
              errorLine("STACK: push at full stack"));
}

TEST(PduLoop, TablesThatNeverEndAreStopped) {
    OneTable selfJump({rec("610003", "Again", 0, "XX")});
    PduDecodeResult r = selfJump.interpreter->decode({1, 2});
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.cells[r.endCell], kCellEnd);
    // The generic error row says which table ran away, and how.
    const std::string out = rawLines(r.cells, r.endCell);
    EXPECT_NE(out.find("(table 3: tables called within each other more than 512 deep)"),
              std::string::npos)
        << out;

    OneTable loop({rec("210000", "Mark", 0, "XX"), rec("410000", "Again", 1, "XX")});
    r = loop.interpreter->decode({1, 2});
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.cells[r.endCell], kCellEnd);
    EXPECT_EQ(r.endCell, kOutputCells - 2) << "the output filled up and was truncated";
}

TEST(PduLoop, StartTableAndOnDemandTables) {
    OneTable t({rec("610004", "", 0, "XX")},
               {{4, {rec("000201", "Four", 0, "XX")}}, {5, {"0000 bad line of a notation file"}}});
    EXPECT_EQ(t.interpreter->raw({0x44}, 32), errorLine("PNOT: invalid table number"));
    EXPECT_EQ(t.interpreter->raw({0x44}, 5), errorLine("SYNTAX: Error in notat. file"));
    EXPECT_EQ(t.interpreter->raw({0x44}, 6), errorLine("FILE: Unable to open file"));
    EXPECT_EQ(t.raw({0x44}), label("Four") + " 44\n") << "the jump gave its byte to table 4";
    EXPECT_EQ(t.raw({0x45}), label("Four") + " 45\n");
    EXPECT_EQ(t.interpreter->engine->store().onDemandReads(), 2u)
        << "table 4 stays in the on-demand slot between decodes";
}

TEST(PduDemo, SetupMessageDecodesToLinesAndRows) {
    Interpreter demo(demoFolder(), "DEMO.LST");
    ASSERT_TRUE(demo.loaded);
    EXPECT_TRUE(demo.messages.texts.empty());
    const std::vector<std::uint8_t> setup = {0x08, 0x05, 0xA1, 0x04, 0x03, 0x80, 0x90, 0xA3, 0x18,
                                             0x01, 0x89, 0x70, 0x04, 0x81, '1',  '2',  '3'};
    qv::test::PinnedTexts("pdu/demo.txt").expectText("SETUP", demo.raw(setup));
}

TEST(PduDemo, InstancesKeepTheirOwnTablesAndState) {
    Interpreter demo(demoFolder(), "DEMO.LST");
    OneTable other({rec("000201", "Other", 0, "XX")});
    const std::vector<std::uint8_t> release = {0x08, 0x4D, 0x08, 0x02, 0x80, 0x90};
    const std::string expected =
        "Protocol Discriminator.. 08\nRELEASE        \nCause           Lg =  "
        "    2\n Location :         0\n Cause value :     16\n";
    EXPECT_EQ(demo.raw(release), expected);
    EXPECT_EQ(other.raw({0x08}), label("Other") + " 08\n");
    EXPECT_EQ(demo.raw(release), expected) << "the clearing table read on demand is kept";
    EXPECT_EQ(demo.engine->store().onDemandReads(), 1u);
}

// Large groups of a preloaded table are searched through a map made at load time; the
// on-demand slot walks its groups. Both must choose the same record for every byte: the first
// that matches, masked or exact, in the order of the file.
TEST(PduLookup, PreloadedAndOnDemandTablesChooseTheSameRecord) {
    const std::vector<std::string> table = {
        rec("100001", "A", 0, "10"),  rec("100002", "B", 0, "1X"), rec("100003", "C", 0, "15"),
        rec("100004", "D", 0, "X7"),  rec("000000", "E", 0, "30"), rec("100005", "E1", 1, "4X"),
        rec("100006", "E2", 1, "XX"), rec("100007", "F", 0, "3X"), rec("100008", "G", 0, "27"),
        rec("100009", "H", 0, "2X")};
    NotationFolder preloaded, onDemand;
    preloaded.write("T3.NOT", table);
    preloaded.write("TEST.LST", {"03 : T3.NOT : Y"});
    onDemand.write("T3.NOT", table);
    onDemand.write("TEST.LST", {"03 : T3.NOT"});
    Interpreter mapped(preloaded.path()), walked(onDemand.path());
    ASSERT_TRUE(mapped.loaded && walked.loaded);

    auto chosen = [](Interpreter &i, std::uint8_t first, std::uint8_t second) {
        const PduDecodeResult r = i.decode({first, second});
        return r.error == -1 ? static_cast<int>(r.stopArgument) : -100 - r.error;
    };
    for (unsigned b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(chosen(mapped, byte, 0x41), chosen(walked, byte, 0x41));
        EXPECT_EQ(mapped.raw({byte, 0x52}), walked.raw({byte, 0x52}));
    }
    EXPECT_GT(walked.engine->store().onDemandReads(), 0u);
    EXPECT_EQ(mapped.engine->store().onDemandReads(), 0u);

    EXPECT_EQ(chosen(mapped, 0x10, 0), 1);
    EXPECT_EQ(chosen(mapped, 0x15, 0), 2) << "the masked pattern comes first";
    EXPECT_EQ(chosen(mapped, 0x27, 0), 4) << "X7 is listed before 27";
    EXPECT_EQ(chosen(mapped, 0x2A, 0), 9);
    EXPECT_EQ(chosen(mapped, 0x3A, 0), 7) << "the search passes over the children of E";
    EXPECT_EQ(chosen(mapped, 0x50, 0), -108) << "no record matches: error 8";
}

} // namespace
} // namespace qv::pdu::test
