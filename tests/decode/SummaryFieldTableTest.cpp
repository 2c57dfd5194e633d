#include "decode/SummaryFieldTable.h"

#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Titles = std::vector<std::string>;

Titles titlesOf(const SummaryFieldTable &table, const std::vector<int> &columns) {
    Titles titles;
    for (int column : columns)
        titles.push_back(table.field(column).title);
    return titles;
}

std::vector<int> positionsOf(const SummaryFieldTable &table) {
    std::vector<int> positions;
    for (int column = 0; column < kSummaryColumnCount; ++column)
        positions.push_back(table.field(column).position);
    return positions;
}

SummaryFieldTable loaded(const std::string &lines, int language = 0) {
    IniFile ini;
    ini.parse("[Lvt-Fields]\n" + lines);
    SummaryFieldTable table;
    table.load(ini, language);
    return table;
}

TEST(SummaryFieldTableTest, EmptySectionGivesDefaults) {
    // Every title in its place: the command line's "--columns all" prints them.
    SummaryFieldTable table = loaded("");
    EXPECT_EQ(titlesOf(table, table.visibleColumnsInDisplayOrder()),
              (Titles{"Number", "Date", "Time", "TE - NT", "Type", "SAPI", "Msg.Type",
                      "Calling Addr", "Called Addr", "Cause"}));
    EXPECT_EQ(positionsOf(table), positionsOf(SummaryFieldTable()));
    EXPECT_EQ(table.field(35).width, 276);
    EXPECT_EQ(table.field(36).width, 0) << "hidden";
}

TEST(SummaryFieldTableTest, InvalidWidthsTakeTheDefault) {
    struct Case {
        const char *line;
        int column;
        int width;
    } cases[] = {{"Size00=10", 0, 108},  {"Size00=20", 0, 20},  {"Size00=abc", 0, 108},
                 {"Size05=1000", 5, 48}, {"Size05=-1", 5, 48},  {"Size05=0", 5, 0},
                 {"Size06=999", 6, 999}, {"Size01=abc", 1, 96}, {"Size01=50px", 1, 50}};
    for (const Case &c : cases)
        EXPECT_EQ(loaded(std::string(c.line) + "\n").field(c.column).width, c.width) << c.line;
}

TEST(SummaryFieldTableTest, OrderSettings) {
    const std::vector<int> defaults = positionsOf(SummaryFieldTable());
    // Two columns at position 5: all start again from their own numbers, then the V5 moves.
    EXPECT_EQ(positionsOf(loaded("Order07=5\nOrder10=20\n")), defaults);
    for (const char *ignored : {"Order00=7\n", "Order05=43\n", "Order05=first\n"})
        EXPECT_EQ(positionsOf(loaded(ignored)), defaults) << ignored;

    // EFA away from its own number is not brought forward; the later moves still shift it.
    SummaryFieldTable swapped = loaded("Order39=12\nOrder12=39\n");
    EXPECT_EQ(swapped.field(39).position, 15);
    EXPECT_EQ(swapped.columnAtPosition(6), 5);

    SummaryFieldTable saved;
    saved.field(saved.columnAtPosition(12)).position = saved.field(39).position;
    saved.field(39).position = 12;
    IniFile ini;
    saved.save(ini);
    SummaryFieldTable reloaded;
    reloaded.load(ini, 0);
    EXPECT_EQ(reloaded.field(39).position, 12);
}

TEST(SummaryFieldTableTest, SaveWritesEveryKeyAndLoadsBack) {
    SummaryFieldTable table;
    table.field(6).width = 40;
    table.field(38).position = table.field(1).position;
    table.field(1).position = 42;
    IniFile ini;
    ini.parse("[Lvt-Fields]\nSize05=abc\n");
    table.save(ini);
    EXPECT_EQ(ini.keys("Lvt-Fields").size(), 86u);
    // A key already in the file is rewritten where it stands; the others follow it.
    const std::string head = "[Lvt-Fields]\nSize05=48\nSize00=108\nOrder00=0\nSize01=96\n";
    EXPECT_EQ(ini.serialize().substr(0, head.size()), head);
    EXPECT_EQ(ini.readString("Lvt-Fields", "Order38"), "2");

    SummaryFieldTable reloaded;
    reloaded.load(ini, 0);
    EXPECT_EQ(positionsOf(reloaded), positionsOf(table));
    EXPECT_EQ(reloaded.field(6).width, 40);
    EXPECT_EQ(reloaded.field(reloaded.columnAtPosition(42)).title, "Date");
}

TEST(SummaryFieldTableTest, TitlesColumnLookupAndReset) {
    SummaryFieldTable table = loaded("Size00=300\nSize28=0\nSize36=99\n", 1);
    EXPECT_EQ(titlesOf(table, {0, 1, 2, 3, 23, 32, 41}),
              (Titles{"Numero", "Date", "Temps", "TE - NT", "D.P", "Fonct.Support", "Addr. L3"}));
    table.setV5Titles(true);
    EXPECT_EQ(table.field(3).title, "AN - LE");
    EXPECT_EQ(SummaryFieldTable::title(3, 0), "TE - NT");

    EXPECT_EQ(table.columnAtPosition(-1), -1);
    EXPECT_EQ(table.columnAtPosition(43), -1);
    EXPECT_EQ(table.columnAtPosition(1), 42);

    table.field(table.columnAtPosition(30)).position = table.field(1).position;
    table.field(1).position = 30;
    table.resetToDefaults();
    EXPECT_EQ(positionsOf(table), positionsOf(SummaryFieldTable()));
    EXPECT_EQ(titlesOf(table, table.visibleColumnsInDisplayOrder()),
              (Titles{"Numero", "Date", "Temps", "AN - LE", "Type", "SAPI", "Type Msg",
                      "Adr.Appelant", "Adr.Appelee", "Cause"}));
    EXPECT_EQ(table.field(0).width, 108);
}

} // namespace
} // namespace qv
