// The call-control item provider: user_msg.pnt, message names and the eight summary items.
#include <gtest/gtest.h>

#include "base/UserMessages.h"
#include "pdu/PduTestSupport.h"
#include "pdu/interface/IsdnItemProvider.h"

namespace qv::pdu::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ItemProvider : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("user_msg.pnt", {
                                         "; message types of the tests",
                                         "{SETUP} [SETUP] <05> (08)",
                                         "<45> {DISCONNECT} [DISC] (08)",
                                         "{CONNECT} [CONN] <07>",
                                         "{RELEASE} [REL] <4D> (08)",
                                         "{RELEASE COMPLETE} [REL COM] <5A>",
                                         "{INFORMATION} [INFO] <7B>",
                                         "{1TR6 SETUP} [SETUP] <05> (41)",
                                     });
        ASSERT_TRUE(provider.Initialise(0, folder.path(), messages));
    }
    std::string text(const Bytes &info, int item) {
        std::string out;
        provider.itemText(info.data(), static_cast<std::uint16_t>(info.size()), item, out);
        return out;
    }
    bool value(const Bytes &info, int item, std::uint32_t &out) {
        return provider.itemValue(info.data(), static_cast<std::uint16_t>(info.size()), item, out);
    }
    NotationFolder folder;
    RecordingUserMessages messages;
    IsdnItemProvider provider;
};

TEST_F(ItemProvider, ReadsTheMessageFile) {
    ASSERT_EQ(provider.entries().size(), 7u);
    EXPECT_EQ(provider.entries()[1].braceName, "DISCONNECT") << "pairs in any order";
    EXPECT_EQ(provider.entries()[2].protocolDiscriminator, 8) << "no discriminator means Q.931";
    EXPECT_EQ(provider.protocolDiscriminators(), (std::vector<std::uint8_t>{8, 0x41}));
    std::vector<std::string> names;
    std::vector<std::uint32_t> codes;
    EXPECT_EQ(provider.messageTypeList(names, codes), 7);
    EXPECT_EQ(names.back(), "1TR6 SETUP");
    EXPECT_EQ(codes.back(), 0x4105u);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(ItemProvider, IncompleteAndMissingFiles) {
    NotationFolder other;
    other.write("user_msg.pnt", {"{SETUP} <05>", "[ALERT] {ALERTING <01>"});
    IsdnItemProvider p;
    EXPECT_FALSE(p.Initialise(1, other.path() + "/", messages)) << "a missing pair fails";
    ASSERT_EQ(p.entries().size(), 2u) << "but the entries are kept";
    EXPECT_EQ(p.entries()[0].bracketName, "Inconnu");
    EXPECT_EQ(p.entries()[1].braceName, "Inconnu");
    EXPECT_EQ(p.entries()[1].messageType, 1);
    EXPECT_TRUE(messages.entries().empty());

    NotationFolder empty;
    empty.write("user_msg.pnt", {"; nothing"});
    EXPECT_FALSE(p.Initialise(0, empty.path(), messages)) << "no entry";

    NotationFolder none;
    EXPECT_FALSE(p.Initialise(0, none.path(), messages));
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text,
              "Can't open file " + none.path() +
                  "/user_msg.pnt. Please, check notation files path ...");
}

TEST_F(ItemProvider, MessageTypeNames) {
    std::string out;
    const Bytes setup = {0x08, 0x01, 0x05, 0x05};
    EXPECT_TRUE(provider.messageTypeText(setup.data(), 4, true, 1, out));
    EXPECT_EQ(out, "SETUP");
    const Bytes disc = {0x08, 0x02, 0x80, 0x05, 0x45};
    EXPECT_TRUE(provider.messageTypeText(disc.data(), 5, false, 1, out));
    EXPECT_EQ(out, "DISC");
    const Bytes shifted = {0x08, 0x01, 0x05, 0x00, 0x4D};
    EXPECT_EQ(IsdnItemProvider::messageTypePosition(shifted.data(), 5), 4);
    EXPECT_TRUE(provider.messageTypeText(shifted.data(), 5, false, 1, out));
    EXPECT_EQ(out, "REL");
    const Bytes unknown = {0x08, 0x01, 0x05, 0x62};
    EXPECT_FALSE(provider.messageTypeText(unknown.data(), 4, true, 1, out));
    EXPECT_EQ(out, "Unknown");
    const Bytes other = {0x41, 0x01, 0x05, 0x05};
    EXPECT_TRUE(provider.messageTypeText(other.data(), 4, true, 1, out));
    EXPECT_EQ(out, "1TR6 SETUP") << "the discriminator picks the entry";
    EXPECT_EQ(IsdnItemProvider::messageTypePosition(setup.data(), 3), -1);
}

TEST_F(ItemProvider, ChannelItems) {
    std::uint32_t v = 0;
    const Bytes basic = {0x08, 0x01, 0x05, 0x05, 0x18, 0x01, 0x89};
    EXPECT_TRUE(value(basic, kItemChannel, v));
    EXPECT_EQ(v, 1u);
    EXPECT_EQ(text(basic, kItemChannel), "B1");
    const Bytes primary = {0x08, 0x02, 0x00, 0x01, 0x07, 0x18, 0x03, 0xA1, 0x83, 0x83};
    EXPECT_TRUE(value(primary, kItemChannel, v));
    EXPECT_EQ(v, 3u);
    EXPECT_EQ(text(primary, kItemChannel), "B3");
    EXPECT_EQ(text({0x08, 0x01, 0x05, 0x02, 0x18, 0x01, 0x83}, kItemChannel), "Any");
    EXPECT_EQ(text({0x08, 0x01, 0x05, 0x02, 0x18, 0x01, 0x80}, kItemChannel), "None");
    EXPECT_EQ(text({0x08, 0x01, 0x05, 0x02, 0x18, 0x01, 0xA2}, kItemChannel), "Reserved");
    EXPECT_EQ(text({0x08, 0x01, 0x05, 0x45, 0x18, 0x01, 0x89}, kItemChannel), "Unknown")
        << "a DISCONNECT has no channel item";
}

TEST_F(ItemProvider, AddressItems) {
    const Bytes setup = {0x08, 0x01, 0x05, 0x05, 0xA1, 0x6C, 0x04, 0x01, 0x81,
                         '1',  '2',  0x70, 0x04, 0x81, '5',  '6',  '7'};
    EXPECT_EQ(text(setup, kItemCallingAddress), "12") << "octet 3a follows octet 3";
    EXPECT_EQ(text(setup, kItemCalledAddress), "567");
    const Bytes noScreening = {0x08, 0x01, 0x05, 0x05, 0x6C, 0x03, 0x81, '9', '8'};
    EXPECT_EQ(text(noScreening, kItemCallingAddress), "98");
    const Bytes empty = {0x08, 0x01, 0x05, 0x05, 0x6C, 0x00};
    EXPECT_EQ(text(empty, kItemCallingAddress), "-");
    const Bytes info = {0x08, 0x01, 0x05, 0x7B, 0x70, 0x02, 0x80, '4'};
    std::uint32_t v = 9;
    EXPECT_TRUE(value(info, kItemCalledAddress, v));
    EXPECT_EQ(v, 0u);
    EXPECT_EQ(text(info, kItemCalledAddress), "4");
    EXPECT_EQ(text(info, kItemCallingAddress), "Unknown");
    const Bytes cut = {0x08, 0x01, 0x05, 0x05, 0x70, 0x09, 0x81, '1'};
    EXPECT_EQ(text(cut, kItemCalledAddress), "Unknown") << "an element longer than the frame";
}

TEST_F(ItemProvider, ServiceItemsAndCause) {
    const Bytes setup = {0x08, 0x01, 0x05, 0x05, 0x04, 0x03, 0x80, 0x90, 0xA3,
                         0x7D, 0x02, 0x91, 0x81, 0x01, 0x02, 0x07, 0x00};
    EXPECT_EQ(text(setup, kItemBearerCapability), "Speech");
    EXPECT_EQ(text(setup, kItemHighLayer), "Telephone");
    EXPECT_EQ(text(setup, kItemServiceIndicator), "Data trans.");
    EXPECT_EQ(text(setup, kItemCause), "Unknown");
    EXPECT_EQ(text(setup, kItemDiagnostic), "Unknown");
    EXPECT_EQ(text({0x08, 0x01, 0x05, 0x05, 0x04, 0x02, 0x88, 0x90}, kItemBearerCapability),
              "Unrestr. Info");

    std::uint32_t v = 0;
    const Bytes disconnect = {0x08, 0x01, 0x85, 0x45, 0x08, 0x02, 0x80, 0x90};
    EXPECT_TRUE(value(disconnect, kItemCause, v));
    EXPECT_EQ(v, 16u);
    EXPECT_EQ(text(disconnect, kItemCause), "Normal call clearing");
    const Bytes withRecommendation = {0x08, 0x01, 0x85, 0x4D, 0x08, 0x03, 0x00, 0x80, 0x91};
    EXPECT_TRUE(value(withRecommendation, kItemCause, v));
    EXPECT_EQ(v, 17u);
    EXPECT_EQ(text(withRecommendation, kItemCause), "User busy");
    EXPECT_EQ(provider.causeText(6), "Channel unacceptable");
    EXPECT_EQ(provider.causeText(47), "Resource unavailable");
    EXPECT_EQ(provider.causeText(127), "Interworking");
    EXPECT_EQ(provider.causeText(9), "Reserved");
}

TEST_F(ItemProvider, FrenchTextsAndDiscriminators) {
    IsdnItemProvider french;
    ASSERT_TRUE(french.Initialise(1, folder.path(), messages));
    EXPECT_EQ(french.causeText(16), "Liberation normale");
    EXPECT_EQ(french.bearerText(99), "Reserve");
    EXPECT_EQ(french.highLayerText(0), "Inconnu");
    EXPECT_EQ(french.serviceText(4), "Btx (64 kbit)");
    EXPECT_EQ(french.channelText(0x83, 0), "Bx");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x08, 1400, false), "Q931");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x43, 1400, true), "NI2 Maintenance (43h)");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x77, 1400, false), "?");
    EXPECT_EQ(provider.protocolDiscriminatorText(0x77, 1400, true), "Unknown");
}

} // namespace
} // namespace qv::pdu::test
