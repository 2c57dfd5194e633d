// DRU-70 event files: positioning through groups, the events' texts and times, the note at the
// end of the file, the refusals, the document and the column settings.
#include <gtest/gtest.h>

#include <map>

#include "base/IniFile.h"
#include "capture/CDru70Doc.h"
#include "capture/CaptureTestSupport.h"
#include "capture/DecodableObject.h"
#include "capture/Dru70Columns.h"
#include "capture/Dru70Writer.h"

namespace qv::test {
namespace {

// 12 March 2026 09:30:00 UTC.
constexpr std::uint32_t kNineThirty = 1773307800;

Dru70EventRecord absolute(std::uint8_t code, std::uint32_t seconds, std::uint16_t ms = 0) {
    return {code, 0, 3, ms, seconds};
}

std::string writeDru(const std::string &path, const std::vector<Dru70EventRecord> &events,
                     std::uint32_t groupSize = 4, const std::string &note = {}) {
    Dru70FileDescription d;
    d.serialNumber = "D7001";
    d.firstVersion = "V2.10";
    d.secondVersion = "B07";
    d.start = {12, 3, 2026, 9, 30, 0};
    d.end = {12, 3, 2026, 11, 0, 0};
    d.groupSize = groupSize;
    Dru70FileWriter w;
    EXPECT_TRUE(w.create(path, d));
    for (const Dru70EventRecord &e : events)
        EXPECT_TRUE(w.append(e));
    EXPECT_TRUE(w.close(note));
    return path;
}

// Eleven events in groups of four, event n a second after the one before.
std::vector<Dru70EventRecord> numbered(std::uint32_t count = 11) {
    std::vector<Dru70EventRecord> events;
    for (std::uint32_t n = 0; n < count; ++n)
        events.push_back(absolute(static_cast<std::uint8_t>(1 + n % 32), kNineThirty + n, n));
    return events;
}

struct RecordingStatusPanes : DocumentStatus {
    void setStatusPane(int pane, const std::string &t) override { text[pane] = t; }
    std::map<int, std::string> text;
};

class Dru70Test : public ::testing::Test {
protected:
    std::unique_ptr<CDru70Decode> open(const std::string &path) {
        auto reader = std::make_unique<CDru70Decode>(messages, path);
        EXPECT_EQ(reader->Position(0), kDruOk);
        return reader;
    }
    TempDir dir;
    RecordingUserMessages messages;
};

TEST_F(Dru70Test, PositionsWithinAndAcrossGroups) {
    auto reader = open(writeDru(dir.file("g.dru"), numbered()));
    ASSERT_EQ(reader->RecordCount(), 11u);
    // Back inside a group by the trailing lengths, forward into other groups by their size
    // words, and back to groups before.
    for (std::uint32_t n : {3u, 2u, 1u, 9u, 10u, 4u, 0u, 7u, 8u, 5u, 5u, 10u, 0u}) {
        ASSERT_EQ(reader->Decode(n), kDruOk) << n;
        EXPECT_EQ(reader->event().seconds, kNineThirty + n) << n;
        EXPECT_EQ(reader->Cell(kDruNumber), std::to_string(n));
    }
    EXPECT_EQ(reader->Fetch(0, 11), kDruFetchFiltered) << "one past the last event";
    EXPECT_EQ(reader->Fetch(11, 0), kDruFetchFiltered);
    EXPECT_EQ(reader->Fetch(10, 10), kDruFetchShown);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(Dru70Test, EveryEventCodeHasItsTextsAndSide) {
    std::vector<Dru70EventRecord> all;
    for (std::uint8_t code = 1; code <= 32; ++code)
        all.push_back({code, 0x5A5, 3, 0, kNineThirty});
    auto reader = open(writeDru(dir.file("codes.dru"), all, 10));
    std::map<std::string, int> sides;
    int withValue = 0;
    for (std::uint32_t n = 0; n < 32; ++n) {
        ASSERT_EQ(reader->Decode(n), kDruOk);
        sides[reader->Cell(kDruDirection, true)]++;
        withValue += reader->Cell(kDruEoc) != "-";
        EXPECT_NE(reader->Cell(kDruEvents), "?");
    }
    EXPECT_EQ(sides, (std::map<std::string, int>{{"-", 3}, {"NT<-LT", 13}, {"NT->LT", 16}}));
    EXPECT_EQ(withValue, 17) << "the EOC commands and acknowledgements, 4 to 20";
    ASSERT_EQ(reader->Decode(11), kDruOk); // code 12
    EXPECT_EQ(reader->Cell(kDruEvents), "Hold State");
    EXPECT_EQ(reader->Cell(kDruComments),
              "The NT1 indicates that it has received an EOC command with an incorrect address.");
    EXPECT_EQ(reader->Cell(kDruDirection), "     <==");
    EXPECT_EQ(reader->Cell(kDruEoc), "5a5");
    ASSERT_EQ(reader->Decode(31), kDruOk);
    EXPECT_EQ(reader->Cell(kDruEvents), "Dying Gasp");
    EXPECT_EQ(reader->Cell(kDruEoc), "-");
    EXPECT_EQ(reader->Cell(9), "?");
}

TEST_F(Dru70Test, TimesAbsoluteAndRelativeAndTheEocValue) {
    const std::vector<Dru70EventRecord> events = {
        absolute(1, kNineThirty + 65, 123),
        {7, 0x234, 1, 999, 86400 + 3600 + 60 + 1}, // flags 0x0012 | 999 << 6, value 0x34
        {2, 0, 0, 7, 5},
    };
    auto reader = open(writeDru(dir.file("t.dru"), events));
    ASSERT_EQ(reader->Decode(0), kDruOk);
    EXPECT_EQ(reader->Cell(kDruDate), "12/03/2026");
    EXPECT_EQ(reader->Cell(kDruTime), "09:31:05.123");
    ASSERT_EQ(reader->Decode(1), kDruOk);
    EXPECT_EQ(reader->raw().flags, 0x0012 | 999 << 6);
    EXPECT_EQ(reader->Cell(kDruDate), "001d");
    EXPECT_EQ(reader->Cell(kDruTime), "01:01:01.999");
    EXPECT_EQ(reader->Cell(kDruEoc), "234");
    ASSERT_EQ(reader->Decode(2), kDruOk);
    EXPECT_EQ(reader->Cell(kDruDate), "000d");
    EXPECT_EQ(reader->Cell(kDruTime), "00:00:05.007");
}

TEST_F(Dru70Test, TheNoteIsAppendedOnceAndWrittenOverAfter) {
    const std::string path = writeDru(dir.file("n.dru"), numbered());
    auto reader = open(path);
    EXPECT_EQ(reader->ReadNote(false), "");
    EXPECT_EQ(reader->ReadNote(true),
              "Name : \r\nCompany : \r\nSite : \r\nInstrument : DRU-70 - SN : D7001\r\n"
              "             Version : V2.10 - B07\r\n"
              "Capture : From 12/03/2026 - 09:30:00\r\n          To   12/03/2026 - 11:00:00\r\n"
              "Notes : \r\n");
    const auto before = readFile(path);
    ASSERT_TRUE(reader->WriteNote("Exchange side, loop 2"));
    const auto appended = readFile(path);
    EXPECT_EQ(appended.size(), before.size() + 12 + 21 + 11);
    EXPECT_TRUE(std::equal(before.begin() + 160, before.end(), appended.begin() + 160))
        << "the events are untouched";
    EXPECT_EQ(open(path)->ReadNote(false), "Exchange side, loop 2");
    EXPECT_EQ(open(path)->Decode(10), kDruOk);

    ASSERT_TRUE(reader->WriteNote("Short"));
    EXPECT_EQ(readFile(path).size(), appended.size()) << "written over the first one";
    EXPECT_EQ(open(path)->ReadNote(false), "Short");

    EXPECT_FALSE(reader->WriteNote(std::string(CDru70Decode::kMaxNote + 1, 'x')))
        << "a note the file could not give back";
    EXPECT_TRUE(reader->WriteNote(std::string(CDru70Decode::kMaxNote, 'y')));
    EXPECT_EQ(open(path)->ReadNote(false).size(), CDru70Decode::kMaxNote);

    // A note record of 2048 bytes or more, as another program may leave it, is not read.
    const std::string big = writeDru(dir.file("big.dru"), numbered(), 4, std::string(2100, 'z'));
    EXPECT_EQ(open(big)->ReadNote(false), "");
}

TEST_F(Dru70Test, RefusalsAndTheirMessages) {
    writeFile(dir.file("empty.dru"), {});
    CDru70Decode empty(messages, dir.file("empty.dru"));
    EXPECT_EQ(empty.Position(0), -3);
    CDru70Decode missing(messages, dir.file("none.dru"));
    EXPECT_EQ(missing.Position(0), kDruCannotOpen);
    CDru70Decode both(messages, dir.file("empty.dru"), true);
    EXPECT_EQ(both.Position(0), -1);
    CDru70Decode neither(messages, "", false);
    EXPECT_EQ(neither.Position(0), -1);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "File is empty!", "Unable to open file !",
                                    "Cannot know if this file is a remote or permanent file !",
                                    "Cannot know if this file is a remote or permanent file !"}));

    messages.clear();
    writeFile(dir.file("plain.dru"), std::vector<std::uint8_t>(300, 0x41));
    CDru70Doc doc(messages);
    EXPECT_FALSE(doc.Open(dir.file("plain.dru")));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"No frame found in the file !"});

    // A header that claims more than the file holds, and groups that lead outside it.
    auto bytes = readFile(writeDru(dir.file("d.dru"), numbered()));
    writeU32(bytes.data() + 26 + kDruHeaderRecordCount, 0xFFFFFFF0);
    writeFile(dir.file("d.dru"), bytes);
    messages.clear();
    auto damaged = open(dir.file("d.dru"));
    EXPECT_LE(damaged->RecordCount(), bytes.size() / 5);
    EXPECT_EQ(damaged->Decode(10), kDruOk);
    writeU32(bytes.data() + 26 + kDruHeaderGroupSize, 0);
    writeFile(dir.file("d.dru"), bytes);
    open(dir.file("d.dru"))->Decode(10); // no group size: read as one group, whatever it gives
    bytes = readFile(writeDru(dir.file("s.dru"), numbered()));
    writeU32(bytes.data() + kDru70DataStart - 4, 0x7FFFFFFF);
    writeFile(dir.file("s.dru"), bytes);
    auto skipped = open(dir.file("s.dru"));
    EXPECT_EQ(skipped->Decode(9), kDruPositionFailed);
    EXPECT_EQ(messages.texts().back(), "Error while reading frames!");
}

TEST_F(Dru70Test, DocumentFindAndFilter) {
    RecordingStatusPanes panes;
    CDru70Doc doc(messages, &panes);
    const std::string path = writeDru(dir.file("Upper.DRU"), numbered(40), 8);
    ASSERT_TRUE(doc.Open(path));
    EXPECT_EQ(doc.eventCount(), 40u);
    EXPECT_EQ(doc.commentTitle(), "Comment for [" + dir.file("upper.dru") + "]");
    ASSERT_TRUE(doc.goToEvent(31));
    EXPECT_EQ(panes.text[1], "Frame number 32");
    EXPECT_EQ(panes.text[2], "Dying Gasp");

    Dru70EventFilter noPower;
    noPower.powerSupply = false;
    doc.setFilter(noPower);
    EXPECT_FALSE(doc.goToEvent(30)) << "Primary Power Out is filtered out";
    EXPECT_EQ(doc.currentEvent(), 31u);

    CDru70Decode &reader = *doc.reader();
    Dru70Columns columns;
    Dru70FindRequest find;
    columns.fillFindRequest(find);
    find.eventName = "Primary Power Out";
    find.from = 0;
    find.to = 39;
    Dru70FindResult hit;
    EXPECT_EQ(reader.Find(find, hit), -1) << "only shown events are searched";
    find.eventName = "Loop ack. B1";
    ASSERT_EQ(reader.Find(find, hit), 1);
    EXPECT_EQ(hit.event, 17u);
    find.eventName.clear();
    find.text = "LOOP-BACK IN THE B2";
    ASSERT_EQ(reader.Find(find, hit), 1);
    EXPECT_EQ(hit.event, 18u);
    EXPECT_EQ(hit.position, 6);
    find.forward = false;
    find.from = 39;
    find.to = 0;
    find.startPosition = 6;
    ASSERT_EQ(reader.Find(find, hit), 1);
    EXPECT_EQ(hit.event, 18u);
    find.text = "5";
    find.from = find.to = 5;
    ASSERT_EQ(reader.Find(find, hit), 1) << "the number column is never searched";
    EXPECT_EQ(hit.position, 2);

    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(doc.saveComment("Loop tests"));
    CDru70Decode again(messages, path);
    again.Position(0);
    EXPECT_EQ(again.ReadNote(false), "Loop tests");
}

TEST(Dru70ColumnsTest, StoredLayoutRules) {
    Dru70Columns columns;
    EXPECT_EQ(columns.width(kDruEoc), 0) << "hidden at first";
    EXPECT_EQ(columns.width(kDruComments), 55 * 12);
    IniFile ini;
    ini.writeInt(kDru70FieldsSection, "Size00", 5);
    ini.writeInt(kDru70FieldsSection, "Size04", 1500);
    ini.writeInt(kDru70FieldsSection, "Order01", 9);
    ini.writeInt(kDru70FieldsSection, "Order05", 2);
    ini.writeInt(kDru70FieldsSection, "Order02", 5);
    columns.load(ini);
    EXPECT_EQ(columns.width(0), 20) << "column 0 never narrower than 20";
    EXPECT_EQ(columns.width(4), 20 * 12) << "out of range: the default";
    EXPECT_EQ(columns.position(1), 1) << "out of range: its own place";
    EXPECT_EQ(columns.position(5), 2);
    EXPECT_EQ(columns.displayOrder(), (std::vector<int>{0, 1, 5, 3, 4, 2, 6}));

    ini.writeInt(kDru70FieldsSection, "Order03", 2);
    columns.load(ini);
    EXPECT_EQ(columns.displayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}))
        << "two columns in one place: every column back in its own";
    columns.moveTo(kDruComments, 1);
    columns.setWidth(kDruEoc, 108);
    IniFile saved;
    columns.save(saved);
    Dru70Columns back;
    back.load(saved);
    EXPECT_EQ(back.shownInDisplayOrder(), (std::vector<int>{0, 6, 1, 2, 3, 4, 5}));
    EXPECT_EQ(saved.readInt(kDru70FieldsSection, "Size05", -1), 108);
    back.setDefaults();
    EXPECT_EQ(back.shownInDisplayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 6}));
}

} // namespace
} // namespace qv::test
