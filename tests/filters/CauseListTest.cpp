// The find dialog's cause names: the defaults for a fresh settings file, the user's own list.
#include "filters/CauseList.h"

#include <gtest/gtest.h>

#include "base/IniFile.h"

namespace qv {
namespace {

TEST(CauseList, AFreshSettingsFileGetsTheSeventeenDefaults) {
    IniFile ini;
    CauseList causes;
    causes.load(ini);
    ASSERT_EQ(causes.entries().size(), 17u);
    EXPECT_EQ(causes.entries().front().name, "ALERTED, NO ANSWER");
    EXPECT_EQ(causes.number("NORMAL CALL CLEARING"), 16);
    EXPECT_EQ(causes.number("INTERWORKING"), 127);
    EXPECT_EQ(causes.number("normal call clearing"), std::nullopt) << "names compare exactly";
    EXPECT_EQ(ini.readInt(kCauseSection, "USER BUSY", 0), 17) << "the defaults are written";
}

TEST(CauseList, TheUsersListReplacesTheDefaults) {
    IniFile ini;
    ini.parse("[List of Causes (Q.931)]\nTEMPORARY FAILURE=41\nODD ONE=abc\n");
    CauseList causes;
    causes.load(ini);
    ASSERT_EQ(causes.entries().size(), 2u);
    EXPECT_EQ(causes.number("TEMPORARY FAILURE"), 41);
    EXPECT_EQ(causes.number("ODD ONE"), 0) << "a value that is no number reads as 0";
    EXPECT_EQ(causes.number("USER BUSY"), std::nullopt);
}

} // namespace
} // namespace qv
