#include "base/Texts.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(TextsTest, LanguageChoosesTheBlock) {
    EXPECT_EQ(textBase(0), 1400);
    EXPECT_EQ(textBase(1), 1500);
    EXPECT_EQ(textBase(7), 1500);
}

TEST(TextsTest, FallbackTexts) {
    EXPECT_EQ(text(1400), "?");
    EXPECT_EQ(text(1401), "Unknown");
    EXPECT_EQ(text(1500), "?");
    EXPECT_EQ(text(1501), "Inconnu");
}

TEST(TextsTest, Layer1EventTextsKeepTheirBlanksInBothLanguages) {
    const char *expected[kLayer1EventCount] = {
        "TE I0 - NT I0",     "TE I3 - NT I2",    "TE I3 - NT I4",   "NT Ix",
        "LOS Begin      ",   "LOF Begin      ",  "RDI Begin      ", "AIS Begin      ",
        "CRC  Begin      ",  "E-Bit Begin     ", "Code Err. Begin", "LOS End        ",
        "LOF End        ",   "RDI End        ",  "AIS End        ", "CRC End        ",
        "E-Bit End      ",   "Code Err. End  ",  "CRC            ", "E-Bit          ",
        "Code Err.      ",   "Activated      ",  "U activated",     "U deactivated",
        "U and S activated",
    };
    for (int language : {0, 1}) {
        for (int code = 0; code < kLayer1EventCount; ++code) {
            int id = textBase(language) + kTextLayer1EventFirst + code;
            EXPECT_EQ(std::string(text(id)), expected[code])
                << "language " << language << " code " << code;
        }
    }
    EXPECT_EQ(std::string(text(textBase(0) + kTextLayer1EventFirst + 9)), "E-Bit Begin     ");
}

TEST(TextsTest, UnknownIdsAreEmpty) {
    for (int id : {-1, 0, 1399, 1402, 1435, 1499, 1535, 99999})
        EXPECT_TRUE(text(id).empty()) << id;
}

} // namespace
} // namespace qv
