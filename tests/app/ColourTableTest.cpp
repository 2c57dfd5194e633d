// The colour table: defaults, the settings text, row colours by layer category.
#include <gtest/gtest.h>

#include "app/ColourTable.h"

namespace qv {
namespace {

TEST(ColourTable, ValuesAndDefaults) {
    Rgb rgb;
    ASSERT_TRUE(ColourTable::parse("12,34,56,", rgb));
    EXPECT_EQ(rgb, (Rgb{12, 34, 56}));
    for (const char *bad : {"12,34,56", "12,34", "a,b,c,", "256,0,0,", ""})
        EXPECT_FALSE(ColourTable::parse(bad, rgb)) << bad;
    EXPECT_EQ(ColourTable::format({128, 0, 64}), "128,0,64,");

    IniFile ini;
    ini.parse("[Colors]\nTxtL2TEtoNT=1,2,3,\nBkNTtoTE=bad\n");
    ColourTable table;
    table.load(ini);
    EXPECT_TRUE(table.usesColours());
    EXPECT_EQ(table.colour(kTxtL2TeNt), (Rgb{1, 2, 3}));
    EXPECT_EQ(table.colour(kBkNtTe), (Rgb{255, 255, 255})) << "a bad value takes the default";
    EXPECT_EQ(table.colour(kTxtL3IsdnTeNt), (Rgb{0, 0, 128}));
    ini.parse("[Colors]\nUsedColors=0\n");
    table.load(ini);
    EXPECT_FALSE(table.usesColours());
}

TEST(ColourTable, RowsByLayerAndDirection) {
    ColourTable table;
    Rgb text, background;
    table.rowColours(3, text, background);
    EXPECT_EQ(text, (Rgb{0, 0, 128}));
    EXPECT_EQ(background, (Rgb{192, 192, 192}));
    table.rowColours(-2, text, background);
    EXPECT_EQ(text, (Rgb{128, 0, 64}));
    EXPECT_EQ(background, (Rgb{255, 255, 255}));
    table.rowColours(-4, text, background);
    EXPECT_EQ(text, (Rgb{0, 128, 0}));
    table.rowColours(0, text, background);
    EXPECT_EQ(text, (Rgb{0, 0, 0}));
    EXPECT_EQ(background, (Rgb{255, 255, 255}));
}

TEST(ColourTable, SaveWritesEveryColourAndTheSwitch) {
    ColourTable table;
    table.setColour(kBkgFindItem, {1, 1, 1});
    IniFile ini;
    table.save(ini);
    EXPECT_EQ(ini.readString(kColourSection, "BkgFindItem"), "1,1,1,");
    EXPECT_EQ(ini.readString(kColourSection, "TxtL1TEtoNT"), "0,0,0,");
    EXPECT_EQ(ini.readString(kColourSection, "UsedColors"), "1");
    EXPECT_EQ(ini.keys(kColourSection).size(), 17u);
    table.setUsesColours(false);
    IniFile off;
    table.save(off);
    EXPECT_EQ(off.keys(kColourSection), std::vector<std::string>{"UsedColors"});
}

} // namespace
} // namespace qv
