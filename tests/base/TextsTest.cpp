#include "base/Texts.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(TextsTest, Layer1EventTextsKeepTheirBlanksInBothLanguages) {
    const std::pair<int, const char *> expected[] = {{0, "TE I0 - NT I0"},
                                                     {8, "CRC  Begin      "},
                                                     {9, "E-Bit Begin     "},
                                                     {21, "Activated      "},
                                                     {kLayer1EventCount - 1, "U and S activated"}};
    for (int language : {0, 1})
        for (const auto &[code, text] : expected)
            EXPECT_EQ(std::string(::qv::text(textBase(language) + kTextLayer1EventFirst + code)),
                      text)
                << "language " << language << " code " << code;
}

TEST(TextsTest, UnknownIdsAreEmpty) {
    for (int id : {-1, 0, 1399, 1402, 1435, 1499, 1535, 99999})
        EXPECT_TRUE(text(id).empty()) << id;
}

} // namespace
} // namespace qv
