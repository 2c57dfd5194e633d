#include "pdu/NotationStore.h"

#include <gtest/gtest.h>

#include "support/Pinned.h"
#include "support/TempDir.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qv::pdu {
namespace {

constexpr std::size_t kFullArena = 220000;
constexpr std::uint8_t kGuardByte = 0xA5;
constexpr std::size_t kGuardBytes = 64;

const std::string kListSyntax = "Syntax error in a Notation File";
const std::string kTooMany = "Too many tables are defined in the list file";
const std::string kNoMemory = "Not enough memory to load the Notation Files";
const std::string kCaption = "PDU Interpreter Internal Error";

using Folder = test::TempDir;

struct Shown {
    std::string text;
    std::string caption;
};

// A store attached to an arena (followed by guard bytes it must never touch) over a folder.
class Store {
public:
    explicit Store(const std::string &folder, std::size_t arenaBytes = kFullArena)
        : bytes_(arenaBytes + kGuardBytes, kGuardByte), arenaBytes_(arenaBytes) {
        attached = store.attach(bytes_.data(), arenaBytes, folder.c_str());
        store.setMessageSink(&Store::collect, this);
    }
    bool load(const char *list = "LIST.LST") { return store.load(list); }
    bool guardIntact() const {
        for (std::size_t i = arenaBytes_; i < bytes_.size(); ++i)
            if (bytes_[i] != kGuardByte)
                return false;
        return true;
    }
    const std::uint8_t *arenaStart() const { return bytes_.data(); }

    NotationStore store;
    std::vector<Shown> shown;
    bool attached = false;

private:
    static void collect(void *context, const char *text, const char *caption) {
        static_cast<Store *>(context)->shown.push_back({text, caption});
    }
    std::vector<std::uint8_t> bytes_;
    std::size_t arenaBytes_;
};

// One record line: code, a blank, the 15-character label, then the text from column 22.
std::string rec(const std::string &code, const std::string &label, const std::string &tail) {
    EXPECT_EQ(label.size(), 15u) << label;
    return code + " " + label + tail + "\n";
}

// count record lines of exactly 25 characters, each labelled by its number.
std::string numberedRecords(std::size_t count, std::size_t first = 0) {
    std::string out;
    char line[40];
    for (std::size_t i = first; i < first + count; ++i) {
        std::snprintf(line, sizeof line, "%06zX Record %08zu XX\n", i & 0xFFFFFF, i);
        out += line;
    }
    return out;
}

// T00.NOT to T31.NOT, each holding the one record numbered after its table.
void writeOneRecordTables(const Folder &folder) {
    for (int t = 0; t < 32; ++t) {
        char name[16];
        std::snprintf(name, sizeof name, "T%02d.NOT", t);
        folder.write(name, numberedRecords(1, static_cast<std::size_t>(t)));
    }
}

std::string label(const NotationRecord &r) {
    return std::string(r.label, kLabelLength);
}

// The records of a table, without its end marker.
std::vector<NotationRecord> recordsOf(const NotationRecord *first) {
    std::vector<NotationRecord> out;
    if (!first)
        return out;
    for (; first->level != kEndLevel; ++first)
        out.push_back(*first);
    return out;
}

std::vector<std::string> labelsOf(const NotationRecord *first) {
    std::vector<std::string> out;
    for (const NotationRecord &r : recordsOf(first))
        out.push_back(label(r));
    return out;
}

std::vector<int> range(int from, int to, int step = 1) {
    std::vector<int> out;
    for (int b = from; b <= to; b += step)
        out.push_back(b);
    return out;
}

std::vector<std::uint16_t> slotTables(const NotationStore &store) {
    std::vector<std::uint16_t> out;
    for (int slot = 0; slot < static_cast<int>(kTableCount); ++slot)
        out.push_back(store.slotTable(slot));
    return out;
}

// The expected directory: the given tables in slots 0.., every other slot empty.
std::vector<std::uint16_t> slotsHolding(std::vector<std::uint16_t> tables) {
    tables.resize(kTableCount, kNoTable);
    return tables;
}

const std::string kOneRecord = rec("000001", "Only record    ", " XX");

// ---------------------------------------------------------------------------------------------
// The List File and the Notation Files of the cases of pdu/notation-store.txt

// A case's files are its input lines "NAME = text", the text with \\n, \\r and \\t escapes.
std::string recordText(const NotationRecord &r) {
    char text[80];
    const int n = std::snprintf(text, sizeof text, "%08X '%s' level %d value %02X",
                                unsigned{r.command}, label(r).c_str(), r.level, r.value);
    if (r.masked)
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), " mask %02X", r.mask);
    return text;
}

// The store loaded from a case's files: the messages, the slots, then each listed table with
// what selecting it gives, in table number order.
std::vector<std::string> described(const std::vector<std::string> &files) {
    Folder folder;
    for (const std::string &file : files) {
        const std::size_t at = file.find(" = ");
        folder.write(file.substr(0, at), qv::test::unescaped(file.substr(at + 3)));
    }
    Store s(folder.path());
    std::vector<std::string> out = {s.load() ? "loaded" : "no list file"};
    const auto messagesFrom = [&](std::size_t first, const std::string &indent) {
        for (std::size_t m = first; m < s.shown.size(); ++m)
            out.push_back(indent + "message: " + s.shown[m].text + " (" + s.shown[m].caption + ")");
    };
    messagesFrom(0, "");
    std::string slots = "slots:";
    for (std::uint16_t table : slotTables(s.store))
        if (table != kNoTable)
            slots += " " + std::to_string(table);
    out.push_back(slots + ", " + std::to_string(s.store.recordsLoaded()) + " records");
    for (int t = 0; t < static_cast<int>(kTableCount); ++t) {
        if (s.store.fileName(t).empty())
            continue;
        out.push_back("table " + std::to_string(t) + ": " + std::string(s.store.fileName(t)) +
                      (s.store.preloadMark(t) ? ", preloaded" : ""));
        const std::size_t before = s.shown.size();
        const int result = s.store.selectTable(static_cast<std::uint16_t>(t));
        if (result != kSelectOk)
            out.push_back("  selected: error " + std::to_string(result));
        for (const NotationRecord &r :
             result == kSelectOk ? recordsOf(s.store.current()) : std::vector<NotationRecord>{})
            out.push_back("  " + recordText(r));
        messagesFrom(before, "  ");
    }
    out.push_back("on-demand reads: " + std::to_string(s.store.onDemandReads()));
    return out;
}

TEST(NotationStoreFiles, EachCaseLoadsAndSelectsAsPinned) {
    qv::test::PinnedTexts pinned("pdu/notation-store.txt");
    for (const qv::test::PinnedTexts::Case &c : pinned.cases())
        pinned.expect(c.name, described(c.input));
}

// ---------------------------------------------------------------------------------------------
// Attaching and the List File

TEST(NotationStoreAttach, RefusesBadArenasAndKeepsTheFirst59CharactersOfTheFolder) {
    Folder folder("a-notation-folder-whose-name-alone-is-longer-than-the-path-field-of-the-arena");
    std::vector<std::uint8_t> arena(kFullArena);
    NotationStore store;
    EXPECT_FALSE(store.attach(nullptr, kFullArena, folder.path().c_str()));
    EXPECT_FALSE(store.attach(arena.data(), kArenaHeaderSize, folder.path().c_str()));
    EXPECT_FALSE(store.attach(arena.data(), kFullArena, (folder.path() + "/absent").c_str()));

    folder.write("LIST.LST", "00 : T.NOT : Y\n");
    folder.write("T.NOT", kOneRecord);
    Store s(folder.path());
    ASSERT_TRUE(s.attached);
    EXPECT_EQ(s.store.path(), folder.path().substr(0, 59));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(s.arenaStart())), s.store.path());
    ASSERT_TRUE(s.load());
    EXPECT_EQ(s.store.slotTable(0), 0);
    EXPECT_TRUE(s.shown.empty());
}

TEST(NotationStoreListFile, ALineKeepsItsFirst159Characters) {
    const std::string head = "05 : a.not :";
    struct Case {
        std::size_t yColumn;
        bool preload;
    } cases[] = {{158, true}, {159, false}, {200, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.yColumn);
        Folder folder;
        folder.write("LIST.LST", head + std::string(c.yColumn - head.size(), ' ') + "Y\n");
        folder.write("a.not", kOneRecord);
        Store s(folder.path());
        ASSERT_TRUE(s.load());
        EXPECT_TRUE(s.shown.empty());
        EXPECT_EQ(s.store.fileName(5), "a.not");
        EXPECT_EQ(s.store.preloadMark(5), c.preload);
    }
}

// ---------------------------------------------------------------------------------------------
// Notation File syntax

// A folder whose table 0 is the given Notation File, marked for preloading.
struct OneTable {
    explicit OneTable(const std::string &notation) {
        folder.write("LIST.LST", "00 : T.NOT : Y\n");
        folder.write("T.NOT", notation);
    }
    Folder folder;
};

TEST(NotationStoreNotationFile, ALineKeepsItsFirst159Characters) {
    const std::string start = "000001 Long line      ";
    // The pattern in columns 157-158 fits; one column further it loses its second character.
    for (std::size_t blanks : {135, 136}) {
        SCOPED_TRACE(blanks);
        OneTable t(start + std::string(blanks, ' ') + "70" + "ZZZ\n");
        Store s(t.folder.path());
        ASSERT_TRUE(s.load());
        EXPECT_EQ(s.store.selectTable(0), blanks == 135 ? kSelectOk : kSelectSyntaxError);
        EXPECT_EQ(s.store.slotTable(0), blanks == 135 ? 0 : kNoTable);
    }
}

TEST(NotationStoreNotationFile, SyntaxErrorsAreSilentAtLoadAndReportedAtSelection) {
    const std::string good = rec("000001", "Good record    ", " 70");
    const std::string cases[] = {
        rec("00000G", "Bad code       ", " 70"),     rec("0 0001", "Blank in code  ", " 70"),
        "Protocol discriminator follows\n",          rec("000001", "Lower-case x   ", " 7x"),
        rec("000001", "Not a digit    ", " 7G"),     rec("000001", "Not a bit      ", " XXXX0002"),
        rec("000001", "One character  ", "    7"),   rec("000001", "Seven bits     ", " 0000000"),
        rec("000001", "No pattern     ", " --"),     rec("000001", "Blank inside   ", " 7 0"),
        rec("000001", "Trailing text  ", " 70 end"),
    };
    for (const std::string &bad : cases) {
        SCOPED_TRACE(bad);
        Folder folder;
        folder.write("LIST.LST", "00 : BAD.NOT : Y\n01 : GOOD.NOT : Y\n");
        folder.write("BAD.NOT", good + bad + good);
        folder.write("GOOD.NOT", good);
        Store s(folder.path());
        ASSERT_TRUE(s.load());
        EXPECT_TRUE(s.shown.empty());
        EXPECT_FALSE(s.store.preloadMark(0));
        EXPECT_EQ(slotTables(s.store), slotsHolding({1}));
        EXPECT_EQ(s.store.recordsLoaded(), 1u);
        EXPECT_EQ(s.store.selectTable(0), kSelectSyntaxError);
        EXPECT_TRUE(s.shown.empty());
        EXPECT_EQ(s.store.selectTable(1), kSelectOk);
    }
}

// ---------------------------------------------------------------------------------------------
// Preloading and selection

// The slots of the case "marked tables fill the slots in table number order" in the arena.
TEST(NotationStorePreload, TheSlotsLieInTheArenaAfterItsHeader) {
    Folder folder;
    folder.write("LIST.LST", "20 : T20.NOT : Y\n03 : T03.NOT : Y\n07 : T07.NOT : N\n");
    folder.write("T03.NOT", rec("000003", "Three one      ", " 01") +
                                rec("000003", "Three two      ", " -- 02"));
    folder.write("T07.NOT", rec("000007", "Seven          ", " 07"));
    folder.write("T20.NOT", rec("000020", "Twenty one     ", " 01"));
    Store s(folder.path());
    ASSERT_TRUE(s.load());
    // Each table is closed by its end marker; the empty slots hold a lone end marker each, and
    // the on-demand slot comes after them.
    const auto *first = reinterpret_cast<const NotationRecord *>(s.arenaStart() + 700);
    EXPECT_EQ(s.store.slotRecords(0), first);
    EXPECT_EQ(s.store.slotRecords(1), first + 3);
    for (int slot = 2; slot <= kOnDemandSlot; ++slot)
        EXPECT_EQ(s.store.slotRecords(slot), first + 5 + (slot - 2)) << "slot " << slot;
    ASSERT_EQ(s.store.selectTable(20), kSelectOk);
    EXPECT_EQ(s.store.current(), s.store.slotRecords(1));
    ASSERT_EQ(s.store.selectTable(7), kSelectOk);
    EXPECT_EQ(s.store.current(), s.store.slotRecords(kOnDemandSlot));
}

TEST(NotationStorePreload, AFailedSelectionIsReadAgainAndTablesOutsideTheListFail) {
    Folder folder;
    folder.write("LIST.LST", "06 : GONE.NOT : Y\n");
    Store s(folder.path());
    ASSERT_TRUE(s.load());
    EXPECT_EQ(s.store.selectTable(6), kSelectCannotOpen);
    EXPECT_EQ(s.store.selectTable(9), kSelectCannotOpen); // not listed
    EXPECT_EQ(s.store.selectTable(32), kSelectInvalidTable);
    EXPECT_EQ(s.store.slotTable(kOnDemandSlot), kNoTable);
    // Once the file is mended, the next selection reads it.
    folder.write("GONE.NOT", rec("000006", "Six            ", " 06"));
    EXPECT_EQ(s.store.selectTable(6), kSelectOk);
    EXPECT_EQ(labelsOf(s.store.current()), std::vector<std::string>{"Six            "});
}

TEST(NotationStorePreload, ThirtyOneTablesArePreloadedAndThirtyTwoLinesPreloadNothing) {
    std::vector<int> tablesOneTo31 = range(1, 31);
    std::vector<int> zeroMarkedTwice = range(0, 30);
    zeroMarkedTwice.push_back(0);
    struct Case {
        const char *name;
        std::vector<int> marked; // one "Y" line each
        bool tooMany;
    } cases[] = {
        {"31 tables marked", tablesOneTo31, false},
        {"every table marked", range(0, 31), true},
        {"one table marked twice", zeroMarkedTwice, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        std::string list = c.tooMany ? "" : "00 : T00.NOT : N\n";
        for (int t : c.marked) {
            char line[32];
            std::snprintf(line, sizeof line, "%02d : T%02d.NOT : Y\n", t, t);
            list += line;
        }
        folder.write("LIST.LST", list);
        writeOneRecordTables(folder);
        Store s(folder.path());
        ASSERT_TRUE(s.load());
        if (c.tooMany) {
            ASSERT_EQ(s.shown.size(), 1u);
            EXPECT_EQ(s.shown[0].text, kTooMany);
            EXPECT_EQ(s.shown[0].caption, kCaption);
        } else {
            EXPECT_TRUE(s.shown.empty());
        }
        std::vector<std::uint16_t> preloaded;
        for (std::uint16_t t = 1; !c.tooMany && t < 32; ++t)
            preloaded.push_back(t);
        EXPECT_EQ(slotTables(s.store), slotsHolding(preloaded));
        EXPECT_EQ(s.store.recordsLoaded(), preloaded.size());
        // Every other table is read when it is entered.
        EXPECT_EQ(s.store.selectTable(30), kSelectOk);
        EXPECT_EQ(labelsOf(s.store.current()), std::vector<std::string>{"Record 00000030"});
        EXPECT_EQ(s.store.selectTable(0), kSelectOk);
        EXPECT_EQ(labelsOf(s.store.current()), std::vector<std::string>{"Record 00000000"});
        EXPECT_EQ(s.store.onDemandReads(), c.tooMany ? 2u : 1u);
    }
}

// ---------------------------------------------------------------------------------------------
// The on-demand slot

TEST(NotationStoreOnDemand, TheSlotIsReusedWhileItHoldsTheTable) {
    Folder folder;
    folder.write("LIST.LST", "01 : T1.NOT\n02 : T2.NOT : N\n09 : T9.NOT : Y\n");
    folder.write("T1.NOT", rec("000001", "Table one      ", " 01"));
    folder.write("T2.NOT", rec("000002", "Table two      ", " 02") +
                               rec("000002", "Table two more ", " -- XX"));
    folder.write("T9.NOT", rec("000009", "Table nine     ", " 09"));
    Store s(folder.path());
    ASSERT_TRUE(s.load());
    const NotationRecord *slot = s.store.slotRecords(kOnDemandSlot);
    EXPECT_EQ(slot, s.store.slotRecords(kOnDemandSlot - 1) + 1);

    struct Step {
        std::uint16_t table;
        std::size_t reads;
        std::string firstLabel;
    } steps[] = {
        {1, 1, "Table one      "}, {1, 1, "Table one      "}, {9, 1, "Table nine     "},
        {1, 1, "Table one      "}, {2, 2, "Table two      "}, {2, 2, "Table two      "},
        {1, 3, "Table one      "},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.table);
        ASSERT_EQ(s.store.selectTable(step.table), kSelectOk);
        EXPECT_EQ(s.store.currentTable(), step.table);
        EXPECT_EQ(s.store.onDemandReads(), step.reads);
        EXPECT_EQ(label(*s.store.current()), step.firstLabel);
        if (step.table != 9) {
            EXPECT_EQ(s.store.current(), slot);
            EXPECT_EQ(s.store.slotTable(kOnDemandSlot), step.table);
        }
    }
    EXPECT_EQ(s.store.slotRecords(kOnDemandSlot), slot);
    EXPECT_EQ(s.store.recordsLoaded(), 1u);
}

// ---------------------------------------------------------------------------------------------
// Arena accounting

TEST(NotationStoreArena, The9504thRecordDoesNotFit) {
    struct Case {
        const char *name;
        std::size_t first;
        std::size_t second;
        std::vector<std::uint16_t> preloaded;
        std::size_t records;
        std::size_t messages;
        int onDemand; // selecting the table that did not fit
    } cases[] = {
        {"one table of 9503", 9503, 0, {0, 1}, 9503, 0, kSelectOk},
        // With nothing preloaded, the end markers need no room and the table fits on demand.
        {"one table of 9504", 9504, 0, {}, 0, 1, kSelectOk},
        {"9000 and 503", 9000, 503, {0, 1}, 9503, 0, kSelectOk},
        {"9000 and 504", 9000, 504, {0}, 9000, 1, kSelectNoMemory},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        folder.write("LIST.LST", "00 : A.NOT : Y\n01 : B.NOT : Y\n02 : C.NOT : Y\n");
        folder.write("A.NOT", numberedRecords(c.first));
        folder.write("B.NOT", numberedRecords(c.second, c.first));
        folder.write("C.NOT", "; Nothing but a comment\n");
        Store s(folder.path());
        ASSERT_TRUE(s.load());
        ASSERT_EQ(s.shown.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(s.shown[0].text, kNoMemory);
            EXPECT_EQ(s.shown[0].caption, kCaption);
        }
        std::vector<std::uint16_t> slots = c.preloaded;
        if (!c.messages)
            slots.push_back(2);
        EXPECT_EQ(slotTables(s.store), slotsHolding(slots));
        EXPECT_EQ(s.store.recordsLoaded(), c.records);
        EXPECT_TRUE(s.guardIntact());
        if (c.first == 9503) {
            const NotationRecord last = recordsOf(s.store.slotRecords(0)).back();
            EXPECT_EQ(label(last), "Record 00009502");
            EXPECT_EQ(std::uint32_t{last.command}, 0x0000251Eu); // code 00251E
        }
        if (c.messages) {
            // The table that did not fit and the ones after it are left to load on demand.
            const std::uint16_t failed = static_cast<std::uint16_t>(c.preloaded.size());
            EXPECT_FALSE(s.store.preloadMark(failed));
            EXPECT_FALSE(s.store.preloadMark(2));
            EXPECT_EQ(s.store.selectTable(failed), c.onDemand);
            if (c.onDemand == kSelectOk) {
                EXPECT_EQ(recordsOf(s.store.current()).size(), c.first);
            }
            EXPECT_EQ(s.store.selectTable(2), kSelectOk);
            EXPECT_TRUE(recordsOf(s.store.current()).empty());
            EXPECT_TRUE(s.guardIntact());
        }
    }
}

TEST(NotationStoreArena, OnDemandTablesAreChargedAgainstWhatThePreloadLeft) {
    Folder folder;
    folder.write("LIST.LST",
                 "00 : BIG.NOT : Y\n01 : ONE.NOT\n02 : EMPTY.NOT\n03 : BAD.NOT\n04 : GONE.NOT\n");
    folder.write("BIG.NOT", numberedRecords(9503));
    folder.write("ONE.NOT", kOneRecord);
    folder.write("EMPTY.NOT", "; no records\n");
    folder.write("BAD.NOT", rec("000001", "Broken         ", " 7x"));
    Store s(folder.path());
    ASSERT_TRUE(s.load());
    ASSERT_TRUE(s.shown.empty());
    for (std::uint16_t table : {1, 2, 3}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(s.store.selectTable(table), kSelectNoMemory);
        EXPECT_TRUE(s.guardIntact());
    }
    EXPECT_EQ(s.store.selectTable(4), kSelectCannotOpen);
    EXPECT_EQ(s.store.selectTable(0), kSelectOk);
    EXPECT_EQ(recordsOf(s.store.current()).size(), 9503u);
    EXPECT_TRUE(s.guardIntact());
}

TEST(NotationStoreArena, OnDemandLoadsDoNotConsumeTheFreeSpace) {
    // Without preloaded tables the whole record store is free for the on-demand table, and
    // each on-demand load starts again at the same place.
    Folder folder;
    folder.write("LIST.LST", "00 : A.NOT\n01 : B.NOT\n");
    folder.write("A.NOT", numberedRecords(9000));
    folder.write("B.NOT", numberedRecords(9000, 9000));
    Store s(folder.path());
    ASSERT_TRUE(s.load());
    ASSERT_EQ(s.store.selectTable(0), kSelectOk);
    EXPECT_EQ(s.store.current(), reinterpret_cast<const NotationRecord *>(s.arenaStart() + 700));
    for (int round = 0; round < 3; ++round) {
        for (std::uint16_t table : {0, 1}) {
            ASSERT_EQ(s.store.selectTable(table), kSelectOk);
            const std::vector<NotationRecord> records = recordsOf(s.store.current());
            ASSERT_EQ(records.size(), 9000u);
            EXPECT_EQ(label(records.front()), table == 0 ? "Record 00000000" : "Record 00009000");
        }
    }
    EXPECT_TRUE(s.shown.empty());
    EXPECT_EQ(s.store.onDemandReads(), 6u);
    EXPECT_TRUE(s.guardIntact());
}

} // namespace
} // namespace qv::pdu
