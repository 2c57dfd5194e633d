// Filter profiles on disk: names, the keys written for each kind, reading rules for missing and
// damaged values, and the DRU-70 event filter.
#include "filters/FilterFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class FilterFilesTest : public ::testing::Test {
protected:
    std::string folder() const { return home_.file("Filter"); }
    std::string read(const std::string &file) const { return home_.read("Filter/" + file); }
    void write(const std::string &file, const std::string &text) const {
        fs::create_directories(folder());
        home_.write("Filter/" + file, text);
    }

    test::TempDir home_;
};

TEST_F(FilterFilesTest, OffLineProfileHoldsItsKeysInOrder) {
    FilterFiles files(folder());
    FilterCriteria c;
    c.layer1 = false;
    c.callRefSet = true;
    c.callRef = 0x1F;
    c.localAddressSet = true;
    c.localAddress = "12*";
    c.causeSet = true;
    c.causeText = "USER BUSY";
    c.message = 26;
    c.cugSet = true;
    c.cug = 12;
    ASSERT_TRUE(files.Save(FilterKind::OffLine, "calls", c, "LVT-30"));
    EXPECT_EQ(read("LVTO_calls.flt"),
              "[General]\nEquipment=LVT-30\nLayer1=0\nLayer2=1\nLayer3=1\n"
              "[Layer2V5]\nEFA=0\nEFAValue=0\n"
              "[Layer3V5]\nL3Address=0\nL3AddrValue=0\n"
              "[Layer2]\nSapiSet=0\nSapiValue=0\nTeiSet=0\nTeiValue=0\nDirection=0\nFrame=0\n"
              "KeepRR=1\n"
              "[Layer3ISDN]\nCallRefSet=1\nCallRefValue=31\nLocalAddrSet=1\nLocalAddrValue=12*\n"
              "RemoteAddrSet=0\nRemoteAddrValue=\nMessage=26\nProtDiscSet=0\nProtDiscValue=0\n"
              "CauseSet=1\nCauseValue=USER BUSY\nCauseType=0\n"
              "[Layer3X25]\nLCNSet=0\nLCNValue=0\nLocalAddrX25Set=0\nLocalAddrX25Value=\n"
              "RemoteAddrX25Set=0\nRemoteAddrX25Value=\nPaquet=0\nCUGSet=1\nCUGValue=12\n"
              "NUISet=0\n");
    FilterCriteria back;
    ASSERT_TRUE(files.Load(FilterKind::OffLine, "calls", back));
    EXPECT_EQ(back, c);
}

TEST_F(FilterFilesTest, RealTimeProfileLeavesOutTheOffLineKeys) {
    FilterFiles files(folder());
    FilterCriteria c;
    c.frameSlicing = 2;
    c.keepData = false;
    c.message = 26; // not part of a real-time profile
    ASSERT_TRUE(files.Save(FilterKind::RealTime, "rt", c, "LVT-60"));
    const std::string text = read("LVTR_rt.flt");
    EXPECT_EQ(text.find("Direction"), std::string::npos);
    EXPECT_EQ(text.find("Message"), std::string::npos);
    EXPECT_EQ(text.find("CUGSet"), std::string::npos);
    EXPECT_NE(text.find("LocalAddrX25Value=\nRemoteAddrX25Set=0\nRemoteAddrX25Value=\n"
                        "FrameSlicing=2\nKeepData=0\n"),
              std::string::npos);
    FilterCriteria back;
    ASSERT_TRUE(files.Load(FilterKind::RealTime, "rt", back));
    EXPECT_EQ(back.frameSlicing, 2);
    EXPECT_FALSE(back.keepData);
    EXPECT_EQ(back.message, 0);
}

TEST_F(FilterFilesTest, MissingKeysAndDamagedValues) {
    write("LVTO_old.flt", "[General]\nLayer2=0\n[Layer2]\nSapiValue=5\n");
    FilterFiles files(folder());
    FilterCriteria c;
    ASSERT_TRUE(files.Load(FilterKind::OffLine, "old", c));
    EXPECT_TRUE(c.layer1) << "no Layer1 key: layer 1 shown";
    EXPECT_FALSE(c.layer2);
    EXPECT_TRUE(c.keepRR);
    EXPECT_FALSE(c.sapiSet) << "a set flag that is missing selects nothing";
    EXPECT_FALSE(c.callRefSet);
    EXPECT_TRUE(c.IsActive(FilterKind::OffLine));

    write("LVTO_bad.flt", "[Layer2V5]\nEFA=1\nEFAValue=99999\n[Layer2]\nFrame=77\nTeiSet=1\n"
                          "TeiValue=-3\n[Layer3ISDN]\nMessage=40\nLocalAddrSet=1\nLocalAddrValue=" +
                              std::string(400, '1') + "\n[Layer3X25]\nCUGSet=yes\n");
    ASSERT_TRUE(files.Load(FilterKind::OffLine, "bad", c));
    EXPECT_FALSE(c.efaSet);
    EXPECT_EQ(c.frameType, 0);
    EXPECT_FALSE(c.teiSet);
    EXPECT_EQ(c.message, 0) << "a V5 position without its mark";
    EXPECT_EQ(c.localAddress.size(), kMaxFilterText);
    EXPECT_FALSE(c.cugSet);

    FilterCriteria untouched;
    untouched.tei = 9;
    EXPECT_FALSE(files.Load(FilterKind::OffLine, "absent", untouched));
    EXPECT_EQ(untouched.tei, 9);
}

TEST_F(FilterFilesTest, ListSaveAndDeleteByKind) {
    FilterFiles files(folder());
    EXPECT_TRUE(files.List(FilterKind::OffLine).empty());
    EXPECT_TRUE(fs::is_directory(folder())) << "the folder is made when missing";
    const FilterCriteria c;
    ASSERT_TRUE(files.Save(FilterKind::OffLine, "zeta", c, "LVT-30"));
    ASSERT_TRUE(files.Save(FilterKind::OffLine, "alpha", c, "LVT-30"));
    ASSERT_TRUE(files.Save(FilterKind::RealTime, "live", c, "LVT-30"));
    ASSERT_TRUE(files.saveDru70("events", Dru70EventFilter{}));
    write("LVTO_.flt", "");
    write("notes.txt", "");
    write("LVTO_two\nlines.flt", "");
    EXPECT_EQ(files.List(FilterKind::OffLine), (std::vector<std::string>{"alpha", "zeta"}));
    EXPECT_EQ(files.List(FilterKind::RealTime), (std::vector<std::string>{"live"}));
    EXPECT_EQ(files.listDru70(), (std::vector<std::string>{"events"}));
    EXPECT_TRUE(files.Delete(FilterKind::OffLine, "zeta"));
    EXPECT_FALSE(files.Delete(FilterKind::OffLine, "zeta"));
    EXPECT_EQ(files.List(FilterKind::OffLine), (std::vector<std::string>{"alpha"}));
    for (const char *bad : {"", "..", "a/b", "a\\b", "two\nlines", "tab\there", "bell\a", "\x7f"})
        EXPECT_FALSE(files.Save(FilterKind::OffLine, bad, c, "LVT-30")) << bad;
}

TEST_F(FilterFilesTest, Dru70EventFlags) {
    FilterFiles files(folder());
    Dru70EventFilter f;
    f.error = false;
    ASSERT_TRUE(files.saveDru70("mine", f));
    EXPECT_EQ(read("DRU70O_mine.flt"), "[Layer1]\nEOC=1\nPowerSupply=1\nError=0\nActivation=1\n");
    Dru70EventFilter back;
    ASSERT_TRUE(files.loadDru70("mine", back));
    EXPECT_EQ(back, f);
    EXPECT_TRUE(back.IsActive());
    EXPECT_FALSE(back.shows(Dru70EventGroup::Error));
    EXPECT_TRUE(back.shows(Dru70EventGroup::Eoc));

    write("DRU70O_short.flt", "[Layer1]\nEOC=0\n");
    ASSERT_TRUE(files.loadDru70("short", back));
    EXPECT_FALSE(back.eoc);
    EXPECT_TRUE(back.activation && back.powerSupply && back.error);
}

} // namespace
} // namespace qv
