#include "pdu/PduRender.h"

#include "pdu/PduOutput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::pdu {
namespace {

using Rows = std::vector<std::string>;

// "<row> @<offset>+<count> <H|F> <field name> = <value>"
std::string show(const PduRow &row) {
    return std::to_string(row.rowNumber) + " @" + std::to_string(row.frameOffset) + "+" +
           std::to_string(row.byteCount) + (row.header ? " H " : " F ") + row.fieldName + " = " +
           row.value;
}

constexpr const char *kIdentifier = "Information Element Identifier";
constexpr const char *kSingleByte = "Information Element Identifier (Single Byte)";
constexpr const char *kLength = "Information Element Length";

// A decode's output as the engine writes it: element labels with attribute 1, field lines with
// attribute 0, error lines as "ERROR: " and a 28-character message.
class Decode {
public:
    Decode() : out_(std::make_unique<PduOutput>()) {
        out_->begin();
        out_->write("Protocol Discriminator..", 1);
        out_->hexByte(0x08, 1);
        out_->endLine();
        out_->write(" Message type : setup", 0);
        out_->endLine();
    }

    Decode &piece(std::string_view text, std::uint8_t attribute = 0) {
        out_->write(text, attribute);
        return *this;
    }
    Decode &hex(std::uint8_t value) {
        out_->hexByte(value, 0);
        return *this;
    }
    Decode &end() {
        out_->endLine();
        return *this;
    }
    Decode &field(std::string_view text) { return piece(text, 0).end(); }
    Decode &single(std::string_view label) { return piece(label, 1).end(); }
    Decode &element(std::string_view label, unsigned length) {
        piece(label, 1).piece(" Lg = ", 1);
        out_->fiveDigits(length, 1);
        return end();
    }
    Decode &error(std::string message) {
        message.resize(28, ' ');
        end();
        return piece("ERROR: ").piece(message).end();
    }

    Rows rows(std::uint32_t firstRow = 1, std::uint16_t l3Offset = 0, std::uint16_t removed = 0) {
        const std::uint16_t endCell = out_->finish();
        std::vector<PduRow> rows;
        next = renderRows(out_->cells(), endCell, firstRow, l3Offset, removed, rows);
        Rows shown;
        for (const PduRow &row : rows)
            shown.push_back(show(row));
        return shown;
    }
    std::string raw() {
        const std::uint16_t endCell = out_->finish();
        return rawLines(out_->cells(), endCell);
    }

    std::uint32_t next = 0;

private:
    std::unique_ptr<PduOutput> out_;
};

TEST(PduRenderTest, FieldLineTexts) {
    struct Case {
        const char *name;
        std::vector<std::string> lines;
        Rows expected;
    };
    const Case cases[] = {
        {"name, blank, colon, blank, value",
         {" Coding : ccitt standard"},
         {"1 @2+0 F Coding = Ccitt standard"}},
        {"no blanks around the colon", {" Coding:ccitt"}, {"1 @2+0 F Coding = Ccitt"}},
        {"blank runs and trailing blanks",
         {"  Extension   bit   :   yes   "},
         {"1 @2+0 F Extension bit = Yes"}},
        {"only the first colon is the separator", {" Time : 12 : 30"}, {"1 @2+0 F Time = 12 : 30"}},
        {"no colon: the whole text is the value",
         {" no colon in this line"},
         {"1 @2+0 F  = No colon in this line"}},
        {"a value starting with a digit", {" Flag : 1 (set)"}, {"1 @2+0 F Flag = 1 (set)"}},
        {"a colon at the end takes the next line as value",
         {" Number :", "abc def"},
         {"1 @2+0 F Number = Abc def"}},
        {"a trailing blank after the colon does not count",
         {" Number : ", "abc def"},
         {"1 @2+0 F Number = Abc def"}},
        {"a line of blanks gives no row", {"      "}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Decode decode;
        for (const std::string &line : c.lines)
            decode.field(line);
        EXPECT_EQ(decode.rows(), c.expected);
    }
}

// Long lines are read eight cells at a time; blank runs, colons and error words must come out
// the same wherever they fall in such a group.
TEST(PduRenderTest, LongLinesReadTheSameAtEveryAlignment) {
    for (int shift = 0; shift < 9; ++shift) {
        SCOPED_TRACE(shift);
        const std::string pad(static_cast<std::size_t>(shift), 'x');
        Decode decode;
        decode.field(" " + pad + "Name" + std::string(static_cast<std::size_t>(shift) + 1, ' ') +
                     ":" + std::string(9, ' ') + "a  b   c" + std::string(17, ' ') + "end");
        decode.field(" " + pad + "Long:" + std::string(40, 'v'));
        decode.single(pad + "Label" + std::string(16, ' '));
        decode.field(" " + pad + "Bad : ERROR: IE: unexpected end of data");
        EXPECT_EQ(decode.rows(),
                  (Rows{"1 @2+0 F " + pad + "Name = A b c end",
                        "2 @2+0 F " + pad + "Long = V" + std::string(39, 'v'),
                        "3 @2+1 H " + std::string(kSingleByte) + " = " + pad + "Label",
                        "4 @2+1 H Missing data or uninterpreted data left = "
                        "DECODING ERROR"}));
    }
}

TEST(PduRenderTest, ElementsAndTheirFieldsCarryFrameOffsets) {
    Decode decode;
    decode.element("Bearer capab.  ", 3)
        .field(" Coding std. : ccitt")
        .field(" Transfer cap : speech")
        .single("Sending compl. ")
        .element("Called number  ", 4)
        .field(" Digits : 123");
    // Layer 3 at 20, two call-reference bytes removed: the first element follows the message type.
    EXPECT_EQ(decode.rows(10, 20, 2),
              (Rows{
                  std::string("10 @24+1 H ") + kIdentifier + " = Bearer capab.",
                  std::string("11 @25+1 H ") + kLength + " = 3",
                  "12 @26+3 F Coding std. = Ccitt",
                  "13 @26+3 F Transfer cap = Speech",
                  std::string("14 @29+1 H ") + kSingleByte + " = Sending compl.",
                  std::string("15 @30+1 H ") + kIdentifier + " = Called number",
                  std::string("16 @31+1 H ") + kLength + " = 4",
                  "17 @32+4 F Digits = 123",
              }));
    EXPECT_EQ(decode.next, 18u);
}

TEST(PduRenderTest, TheLineAfterAnElementLengthJoinsTheName) {
    struct Case {
        const char *name;
        std::function<void(Decode &)> write;
        Rows expected;
    };
    const Case cases[] = {
        {"a line starting with a letter",
         [](Decode &d) { d.element("Facility       ", 2).piece("(supplementary)", 1).end(); },
         {std::string("1 @2+1 H ") + kIdentifier + " = Facility (supplementary)",
          std::string("2 @3+1 H ") + kLength + " = 2"}},
        {"a line starting with a blank of another attribute",
         [](Decode &d) { d.element("Facility       ", 2).piece(" continued", 2).end(); },
         {std::string("1 @2+1 H ") + kIdentifier + " = Facility continued",
          std::string("2 @3+1 H ") + kLength + " = 2"}},
        {"a field line written with attribute 0 stays a field",
         [](Decode &d) { d.element("Facility       ", 2).field(" Service : x"); },
         {std::string("1 @2+1 H ") + kIdentifier + " = Facility",
          std::string("2 @3+1 H ") + kLength + " = 2", "3 @4+2 F Service = X"}},
        {"an element without length joins nothing",
         [](Decode &d) { d.single("Sending compl. ").piece("Repeat         ", 1).end(); },
         {std::string("1 @2+1 H ") + kSingleByte + " = Sending compl.",
          std::string("2 @3+1 H ") + kSingleByte + " = Repeat"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Decode decode;
        c.write(decode);
        EXPECT_EQ(decode.rows(), c.expected);
    }
}

TEST(PduRenderTest, WrappedLines) {
    struct Case {
        const char *name;
        std::function<void(Decode &)> write;
        std::string raw;
        Rows expected;
    };
    const Case cases[] = {
        {"a field line ends at the wrap and its continuation is a field line",
         [](Decode &d) { d.piece(" Info : abc").piece("defghijklmnopqrstuvwxyz").end(); },
         " Info : abc\\\ndefghijklmnopqrstuvwxyz\n",
         {"1 @2+0 F Info = Abc", "2 @2+0 F  = Defghijklmnopqrstuvwxyz"}},
        {"a field name at the end of a wrapped line takes the continuation as value",
         [](Decode &d) { d.piece(" Number digits:").piece("0123456789012345678").end(); },
         " Number digits:\\\n0123456789012345678\n",
         {"1 @2+0 F Number digits = 0123456789012345678"}},
        {"six values after a field label: the sixth is a line of its own",
         [](Decode &d) {
             d.piece(" Octets        ");
             for (std::uint8_t b = 1; b <= 6; ++b)
                 d.hex(b);
             d.end();
         },
         " Octets         01 02 03 04 05\\\n 06\n",
         {"1 @2+0 F  = Octets 01 02 03 04 05", "2 @2+0 F  = 06"}},
        {"six values after an element label: the sixth is joined back",
         [](Decode &d) {
             d.piece("Raw contents   ", 1);
             for (std::uint8_t b = 1; b <= 6; ++b)
                 d.hex(b);
             d.end();
         },
         "Raw contents    01 02 03 04 05\\\n 06\n",
         {std::string("1 @2+1 H ") + kSingleByte + " = Raw contents 01 02 03 04 05 06"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Decode forRaw;
        c.write(forRaw);
        EXPECT_EQ(forRaw.raw(), "Protocol Discriminator.. 08\n Message type : setup\n" + c.raw);
        Decode decode;
        c.write(decode);
        EXPECT_EQ(decode.rows(), c.expected);
    }
}

TEST(PduRenderTest, EngineErrorsBecomeDecodingErrorRows) {
    struct Case {
        const char *message;
        const char *category;
    };
    const Case cases[] = {
        {"STACK: pop from empty stack", "Push on full stack or Pop on empty stack"},
        {"IE: uninterpreted data left", "Missing data or uninterpreted data left"},
        {"PNOT: data not found", "Case missing or invalid table number"},
        {"CMND: invalid Jump Command", "Invalid command number in a Notation File"},
        {"FILE: Unable to open file", "Invalid filename in the List File"},
        {"SYNTAX: Error in notat. file", "Syntax error in a Notation File"},
        {"Error reading from message", "Unable to decode"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        Decode decode;
        decode.error(c.message);
        EXPECT_EQ(decode.rows(),
                  (Rows{std::string("1 @2+1 H ") + c.category + " = DECODING ERROR"}));
    }
}

TEST(PduRenderTest, AnErrorAmongTheOpeningLinesIsARow) {
    // The engine writes its error where the decode stopped: before the protocol discriminator
    // when the start table cannot be read, in place of the message type when no record knows it.
    // A message type whose name holds "ERROR" is no error.
    const auto rowsOf = [](const std::function<void(PduOutput &)> &write) {
        PduOutput out;
        out.begin();
        write(out);
        std::vector<PduRow> rows;
        renderRows(out.cells(), out.finish(), 1, 0, 0, rows);
        Rows shown;
        for (const PduRow &row : rows)
            shown.push_back(show(row));
        return shown;
    };
    const auto error = [](PduOutput &out, std::string message) {
        message.resize(28, ' ');
        out.endLine();
        out.write("ERROR: ", 0);
        out.write(message, 0);
        out.endLine();
    };
    const Rows syntax{"1 @2+1 H Syntax error in a Notation File = DECODING ERROR"};
    EXPECT_EQ(rowsOf([&](PduOutput &out) { error(out, "SYNTAX: Error in notat. file"); }), syntax);
    EXPECT_EQ(rowsOf([&](PduOutput &out) {
                  out.write("Protocol Discriminator..", 1);
                  out.hexByte(0x48, 1);
                  error(out, "PNOT: data not found");
              }),
              (Rows{"1 @2+1 H Case missing or invalid table number = DECODING ERROR"}));
    EXPECT_EQ(rowsOf([](PduOutput &out) {
                  out.write("Protocol Discriminator..", 1);
                  out.hexByte(0x48, 1);
                  out.endLine();
                  out.write("PROTOCOL ERROR", 1);
                  out.endLine();
              }),
              Rows{});
}

TEST(PduRenderTest, TheFirstListedKeyChoosesTheCategory) {
    EXPECT_STREQ(errorCategory("ERROR: IE: STACK: both"),
                 "Push on full stack or Pop on empty stack");
    EXPECT_STREQ(errorCategory("ERROR: SYNTAX: PNOT: both"),
                 "Case missing or invalid table number");
    EXPECT_STREQ(errorCategory("ERROR: FILE: CMND: both"),
                 "Invalid command number in a Notation File");
    EXPECT_STREQ(errorCategory("ERROR: nothing known"), "Unable to decode");
}

TEST(PduRenderTest, ErrorRowsTakeThePlaceOfTheRowTheyReplace) {
    struct Case {
        const char *name;
        std::function<void(Decode &)> write;
        Rows expected;
    };
    const std::string ie = "Missing data or uninterpreted data left";
    const Case cases[] = {
        {"after the rows decoded before it",
         [](Decode &d) {
             d.element("Bearer capab.  ", 3)
                 .field(" Coding std. : ccitt")
                 .error("IE: uninterpreted data left");
         },
         {std::string("10 @24+1 H ") + kIdentifier + " = Bearer capab.",
          std::string("11 @25+1 H ") + kLength + " = 3", "12 @26+3 F Coding std. = Ccitt",
          "13 @29+1 H " + ie + " = DECODING ERROR"}},
        {"right after an element length: in place of the element",
         [](Decode &d) { d.element("Bearer capab.  ", 3).error("IE: too big"); },
         {"10 @24+1 H " + ie + " = DECODING ERROR"}},
        {"in a field value: at the field's offset and count",
         [](Decode &d) {
             d.element("Bearer capab.  ", 3)
                 .field(" Check : ERROR STACK: x")
                 .field(" Rate : 64 kbit/s");
         },
         {std::string("10 @24+1 H ") + kIdentifier + " = Bearer capab.",
          std::string("11 @25+1 H ") + kLength + " = 3",
          "12 @26+3 H Push on full stack or Pop on empty stack = DECODING ERROR",
          "13 @26+3 F Rate = 64 kbit/s"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Decode decode;
        c.write(decode);
        EXPECT_EQ(decode.rows(10, 20, 2), c.expected);
    }
}

} // namespace
} // namespace qv::pdu
