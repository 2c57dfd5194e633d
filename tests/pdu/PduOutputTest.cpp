#include "pdu/PduOutput.h"

#include <gtest/gtest.h>

#include "support/Pinned.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::pdu {
namespace {

// Cells as text: "|" line end, "~" wrap, "$" end.
std::string readable(const std::uint16_t *cells, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        switch (cells[i]) {
        case kCellLineEnd:
            text += '|';
            break;
        case kCellWrap:
            text += '~';
            break;
        case kCellEnd:
            text += '$';
            break;
        default:
            text += cellChar(cells[i]);
        }
    }
    return text;
}

std::string readable(const PduOutput &out) {
    return readable(out.cells(), out.position());
}

// The attribute of every cell as a hexadecimal digit; control cells as in readable().
std::string attributes(const PduOutput &out) {
    std::string text;
    for (std::size_t i = 0; i < out.position(); ++i) {
        const std::uint16_t cell = out.cells()[i];
        if (isControlCell(cell))
            text += readable(&cell, 1);
        else
            text += "0123456789ABCDEF"[cellAttribute(cell) & 15];
    }
    return text;
}

// Pieces to write; "|" ends the line.
void writeAll(PduOutput &out, const std::vector<std::string> &pieces) {
    for (const std::string &piece : pieces) {
        if (piece == "|")
            out.endLine();
        else
            out.write(piece, 1);
    }
}

std::unique_ptr<PduOutput> fresh() {
    auto out = std::make_unique<PduOutput>();
    out->begin();
    return out;
}

const std::string kNotice = "**Decoding too large: display truncated**";

// The pieces of each case of pdu/layout.txt written one after the other ("|" ends the line):
// the cells as text ("|" a line end, "~" a wrap) and the column reached.
TEST(PduOutputTest, LineBreakingAtThirtyColumns) {
    qv::test::PinnedTexts pinned("pdu/layout.txt");
    for (const qv::test::PinnedTexts::Case &c : pinned.cases()) {
        auto out = fresh();
        writeAll(*out, c.input);
        pinned.expect(c.name, {readable(*out), "column " + std::to_string(out->column())});
    }
}

TEST(PduOutputTest, FinishClosesWithOneEndCell) {
    struct Case {
        const char *name;
        std::vector<std::string> pieces;
        std::string expected;
    };
    const std::string x35(35, 'x');
    const Case cases[] = {
        {"nothing written", {}, "$"},
        {"an open line", {"ab"}, "ab$"},
        {"an ended line", {"ab", "|"}, "ab|$"},
        {"a trailing wrap becomes the end", {x35, ""}, x35 + "$"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto out = fresh();
        writeAll(*out, c.pieces);
        const std::uint16_t end = out->finish();
        EXPECT_EQ(readable(*out), c.expected);
        EXPECT_EQ(end, c.expected.size() - 1);
        EXPECT_EQ(out->cells()[end], kCellEnd);
    }
}

TEST(PduOutputTest, EveryCellKeepsItsAttribute) {
    auto out = fresh();
    out->write("ab", 3);
    out->write('c', 5);
    out->endLine();
    out->hexByte(0x0A, 7);
    out->write(std::string(28, 'w'), 12);
    out->finish();
    EXPECT_EQ(readable(*out), "abc| 0A~" + std::string(28, 'w') + "$");
    EXPECT_EQ(attributes(*out), "335|777~" + std::string(28, 'C') + "$");
    EXPECT_EQ(out->cells()[0], 0x0361);
}

// Writes lines of 29 characters, then one piece, so that the position reaches target.
void fillTo(PduOutput &out, std::size_t target) {
    const std::string line(29, 'x');
    while (out.position() + 30 <= target) {
        out.write(line, 2);
        out.endLine();
    }
    if (out.position() < target)
        out.write(std::string(target - out.position(), 'x'), 2);
}

std::string tailFrom(const PduOutput &out, std::size_t from) {
    return readable(out.cells() + from, out.position() - from);
}

TEST(PduOutputTest, AWriteWithThirtyCellsLeftStillLands) {
    auto out = fresh();
    fillTo(*out, 5089);
    ASSERT_EQ(out->position(), 5089u);
    EXPECT_FALSE(out->truncated());
    out->write("y", 3);
    EXPECT_EQ(out->position(), 5090u);
    EXPECT_EQ(cellChar(out->cells()[5089]), 'y');
    EXPECT_EQ(out->column(), 20);
}

TEST(PduOutputTest, FullBufferEndsWithTheTruncationNotice) {
    auto out = fresh();
    fillTo(*out, 5090);
    out->write("z", 3);

    EXPECT_TRUE(out->truncated());
    EXPECT_EQ(out->position(), 5119u);
    EXPECT_EQ(out->column(), 1);
    EXPECT_EQ(tailFrom(*out, 5076), "~" + kNotice + "$");
    EXPECT_EQ(readable(out->cells() + 5070, 6), "xxxxxx");
    for (std::size_t i = 5077; i < 5118; ++i)
        EXPECT_EQ(cellAttribute(out->cells()[i]), 0) << "cell " << i;
}

TEST(PduOutputTest, WritesAfterTruncationRepeatTheSameTail) {
    auto out = fresh();
    fillTo(*out, 5100);
    const std::vector<std::function<void(PduOutput &)>> writes = {
        [](PduOutput &o) { o.write("more text", 4); },
        [](PduOutput &o) { o.write('c', 4); },
        [](PduOutput &o) { o.endLine(); },
        [](PduOutput &o) { o.hexByte(0xFF, 4); },
        [](PduOutput &o) { o.fiveDigits(12345, 4); },
        [](PduOutput &o) { o.bitPicture(99, 4); },
    };
    for (const auto &write : writes) {
        write(*out);
        EXPECT_EQ(out->position(), 5119u);
        EXPECT_EQ(out->column(), 1);
        EXPECT_EQ(tailFrom(*out, 5076), "~" + kNotice + "$");
    }
    EXPECT_EQ(out->finish(), 5118);
    EXPECT_EQ(out->position(), 5119u);
    EXPECT_EQ(tailFrom(*out, 5076), "~" + kNotice + "$");

    out->begin();
    EXPECT_EQ(out->position(), 0u);
    EXPECT_EQ(out->column(), 0);
    out->write("abc", 1);
    EXPECT_EQ(out->finish(), 3);
    EXPECT_EQ(readable(*out), "abc$");
}

struct FieldCase {
    const char *name;
    std::function<void(PduOutput &)> write;
    std::string expected;
};

void expectFields(const std::vector<FieldCase> &cases) {
    for (const FieldCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto out = fresh();
        c.write(*out);
        EXPECT_EQ(readable(*out), c.expected);
    }
}

// The ordinary values of each field go through the display formats of the interpreter's tests;
// these are their limits.
TEST(PduOutputTest, NumberFieldsAtTheirLimits) {
    auto dotted = [](std::vector<std::uint8_t> bytes) {
        return [bytes](PduOutput &o) { o.dotted(bytes.data(), static_cast<int>(bytes.size()), 1); };
    };
    auto bits = [](std::uint8_t value) {
        return [value](PduOutput &o) { o.bitPicture(value, 1); };
    };
    expectFields({
        {"five digits of 65535", [](PduOutput &o) { o.fiveDigits(65535, 1); }, " 65535"},
        {"five digits of 99999", [](PduOutput &o) { o.fiveDigits(99999, 1); }, " 99999"},
        {"largest unsigned", [](PduOutput &o) { o.unsignedDecimal(4294967295u, 1); }, "4294967295"},
        {"fourteen characters keep the blank", dotted({255, 255, 255, 25}), " 255.255.255.25"},
        {"fifteen characters lose the blank", dotted({192, 168, 100, 200}), "192.168.100.200"},
        {"80 takes three groups", bits(80), "  0000 1000 0000"},
        {"255", bits(255), "  0010 0101 0101"},
        {"hexadecimal", [](PduOutput &o) { o.hexByte(0xC3, 1); }, " C3"},
        {"5 after 99",
         [](PduOutput &o) {
             o.bitPicture(99, 1);
             o.endLine();
             o.bitPicture(5, 1);
         },
         "  0000 1001 1001|  0000 0101"},
    });
}

TEST(PduOutputTest, NumberFieldsFollowTheWrapRule) {
    auto out = fresh();
    out->write("Call identity  ", 1);
    out->fiveDigits(12, 1);
    out->dotted(std::vector<std::uint8_t>{10, 0, 0, 1}.data(), 4, 1);
    out->endLine();
    out->write("Counter        ", 1);
    out->bitPicture(80, 1);
    EXPECT_EQ(readable(*out),
              "Call identity      12~ 10.0.0.1      |Counter        ~  0000 1000 0000");
}

} // namespace
} // namespace qv::pdu
