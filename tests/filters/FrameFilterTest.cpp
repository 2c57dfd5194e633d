// The verdict of the frame filter on single frames: error steps, layer switches, layer-2, V5,
// ISDN and X.25 criteria, off-line against real-time.
#include "filters/FrameFilter.h"

#include <gtest/gtest.h>

#include "capture/DecodableObject.h"
#include "filters/FilterLists.h"
#include "filters/FilterTestSupport.h"

namespace qv {
namespace {

using namespace qv::test;

int offLine(const FilterCriteria &c, const DecodedFrame &f, bool v5 = false,
            const LvtRecord *record = nullptr) {
    FrameFilter filter(FilterKind::OffLine, c);
    filter.setV5Decoding(v5);
    LvtRecord r;
    r.kind = kFrameRecord;
    const LvtRecord &used = record ? *record : r;
    return filter.offLineTest(f, used, categoryOf(f, used), 0);
}

int realTime(const FilterCriteria &c, const DecodedFrame &f) {
    FrameFilter filter(FilterKind::RealTime, c);
    LvtRecord r;
    r.kind = kFrameRecord;
    return filter.Verdict(f, r, categoryOf(f, r), 0);
}

TEST(FrameFilterErrors, HiddenLayersDropTheirErrorsOthersAreKeptWithError) {
    struct Case {
        bool layer2, layer3;
        std::uint16_t error;
        int verdict;
    };
    const Case cases[] = {
        {false, true, kBadFcs, kFilterDrop},
        {false, true, kBadCallRefLength, 4},
        {true, false, kBadCallRefLength, kFilterDrop},
        {true, false, kUnknownMessageType, kFilterDrop},
        {true, false, kBadFcs, 4},
        {true, true, kInterpreterProblem, 4},
    };
    for (const Case &c : cases) {
        FilterCriteria criteria;
        criteria.layer2 = c.layer2;
        criteria.layer3 = c.layer3;
        DecodedFrame f = q931(TeNt, 64, 1, 0, 0x05);
        f.error = c.error;
        EXPECT_EQ(offLine(criteria, f), c.verdict) << "error " << c.error;
        EXPECT_EQ(realTime(criteria, f), c.verdict) << "error " << c.error;
    }
}

TEST(FrameFilterLayers, EachSwitchHidesItsLayer) {
    FilterCriteria none;
    FrameFilter filter(FilterKind::OffLine, none);
    Feed feed(filter);
    EXPECT_EQ(feed.event(4), kFilterKeep);
    EXPECT_EQ(feed.offLine(layer2Frame(kCtrlRR)), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, 0x05)), kFilterKeep);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 5, 0x00)), kFilterKeep);

    FilterCriteria c;
    c.layer1 = false;
    filter.setCriteria(c);
    EXPECT_EQ(feed.event(4), kFilterDrop);
    c = {};
    c.layer2 = false;
    filter.setCriteria(c);
    EXPECT_EQ(feed.offLine(layer2Frame(kCtrlUA)), kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, 0x05)), kFilterKeep);
    c = {};
    c.layer3 = false;
    filter.setCriteria(c);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, 0x05)), kFilterDrop);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 5, 0x00)), kFilterDrop);
    EXPECT_EQ(feed.offLine(layer2Frame(kCtrlUA)), kFilterKeep);
}

TEST(FrameFilterLayer2, KeepRROffDropsOnlyRR) {
    FilterCriteria c;
    c.keepRR = false;
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRR)), kFilterDrop);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRNR)), kFilterKeep);
    EXPECT_EQ(realTime(c, layer2Frame(kCtrlRR)), kFilterDrop);
}

TEST(FrameFilterLayer2, SapiAndTeiCriteriaAlsoHoldForLayer3WhileLayer2IsShown) {
    FilterCriteria c;
    c.teiSet = true;
    c.tei = 64;
    c.sapiSet = true;
    c.sapi = 0;
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRR, TeNt, 64)), kFilterKeep);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRR, TeNt, 65)), kFilterDrop);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRR, TeNt, 64, 16)), kFilterDrop);
    EXPECT_EQ(offLine(c, q931(TeNt, 65, 1, 0, 0x05)), kFilterDrop);
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 5, 0x00)), kFilterDrop) << "SAPI 16";
    c.layer2 = false;
    EXPECT_EQ(offLine(c, q931(TeNt, 65, 1, 0, 0x05)), kFilterKeep);
}

TEST(FrameFilterLayer2, DirectionAndFrameTypeAreOffLineOnly) {
    FilterCriteria c;
    c.direction = 2; // NT->TE
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlUA, NtTe)), kFilterKeep);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlUA, TeNt)), kFilterDrop);
    EXPECT_EQ(realTime(c, layer2Frame(kCtrlUA, TeNt)), kFilterKeep);
    c.direction = 4; // LE->AN: the V5 name of the same direction
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlUA, NtTe)), kFilterKeep);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlUA, TeNt)), kFilterDrop);

    c = {};
    c.frameType = 9; // UA
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlUA)), kFilterKeep);
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlDISC)), kFilterDrop);
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 1, 0, 0x05)), kFilterDrop) << "an I frame";
    EXPECT_EQ(offLine(c, layer2Frame(0x13)), kFilterKeep) << "a control of no listed type";
}

TEST(FrameFilterV5, EfaCriterionHoldsOnlyUnderV5Decoding) {
    FilterCriteria c;
    c.efaSet = true;
    c.efa = kEveryUserPortEfa;
    DecodedFrame port = layer2Frame(kCtrlRR);
    port.efa = 8175;
    DecodedFrame protocol = layer2Frame(kCtrlRR);
    protocol.efa = 8176;
    EXPECT_EQ(offLine(c, port, true), kFilterKeep);
    EXPECT_EQ(offLine(c, protocol, true), kFilterDrop);
    EXPECT_EQ(offLine(c, protocol, false), kFilterKeep);
    c.efa = 12;
    port.efa = 12;
    DecodedFrame other = port;
    other.efa = 13;
    EXPECT_EQ(offLine(c, port, true), kFilterKeep);
    EXPECT_EQ(offLine(c, other, true), kFilterDrop);
    DecodedFrame message = q931(TeNt, 64, 1, 0, 0x05);
    message.efa = 13;
    c.layer2 = false;
    EXPECT_EQ(offLine(c, message, true), kFilterDrop) << "layer 3 holds to the EFA anyway";
}

// A V5 PSTN message (EFA 8176) with layer-3 address (1 << 8) | 5 and message type type.
struct PstnMessage {
    explicit PstnMessage(std::uint8_t type) {
        record.kind = kFrameRecord;
        const std::uint8_t octets[] = {0xFF, 0xE1, 0x00, 0x01, 0x03, 0x48, 0x02, 0x05, type};
        for (std::uint8_t o : octets)
            record.data[record.dataLength++] = o;
        frame.direction = TeNt;
        frame.format = kFormatU;
        frame.control = kCtrlUI;
        frame.efa = 8176;
        frame.l3Kind = kL3Pstn;
        frame.l3Offset = 5;
        frame.frameLength = record.dataLength;
        frame.messageType = type;
    }
    LvtRecord record;
    DecodedFrame frame;
};

TEST(FrameFilterV5, LayerThreeAddressSelectsProtocolMessages) {
    PstnMessage m(0x00);
    FilterCriteria c;
    c.l3Address = 261;
    EXPECT_EQ(offLine(c, m.frame, true, &m.record), kFilterKeep);
    c.l3Address = 262;
    EXPECT_EQ(offLine(c, m.frame, true, &m.record), kFilterDrop);
    EXPECT_EQ(offLine(c, m.frame, false, &m.record), kFilterKeep) << "without V5 decoding";
}

TEST(FrameFilterV5, V5MessageCriterionPassesOnlyThatMessage) {
    FilterV5Message entry;
    ASSERT_TRUE(v5MessageAt(36, entry));
    EXPECT_EQ(entry.type, 0x02);
    EXPECT_EQ(v5MessageListText(36), "PSTN/SIGNAL");

    FilterCriteria c;
    c.message = kV5MessageMark | 36;
    const PstnMessage signal(0x02), signalAck(0x03);
    EXPECT_EQ(offLine(c, signal.frame, true, &signal.record), kFilterKeep);
    EXPECT_EQ(offLine(c, signalAck.frame, true, &signalAck.record), kFilterDrop);
    DecodedFrame isdn = q931(TeNt, 64, 1, 0, 0x02);
    isdn.efa = 3;
    EXPECT_EQ(offLine(c, isdn, true), kFilterDrop);
}

TEST(FrameFilterIsdn, MessageCriterionByListPosition) {
    FilterCriteria c;
    c.message = 26; // SETUP
    ASSERT_EQ(std::string(isdnMessages()[25].name), "SETUP");
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 1, 0, 0x05)), kFilterKeep);
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 1, 0, 0x07)), kFilterDrop);
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 1, 0, 0x55)), kFilterKeep) << "no listed message";
    DecodedFrame sapi1 = q931(TeNt, 64, 1, 0, 0x05);
    sapi1.sapi = 1;
    EXPECT_EQ(offLine(c, sapi1), kFilterDrop);
    DecodedFrame v5Protocol = q931(TeNt, 64, 1, 0, 0x05);
    v5Protocol.efa = 8177;
    EXPECT_EQ(offLine(c, v5Protocol, true), kFilterDrop);
    EXPECT_EQ(realTime(c, q931(TeNt, 64, 1, 0, 0x07)), kFilterKeep) << "an off-line criterion";
    EXPECT_EQ(offLine(c, layer2Frame(kCtrlRR)), kFilterKeep);
}

TEST(FrameFilterIsdn, CallReferenceProtocolDiscriminatorAndCause) {
    FilterCriteria c;
    c.callRefSet = true;
    c.callRef = 0x12;
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 0x12, 0, 0x05)), kFilterKeep);
    EXPECT_EQ(realTime(c, q931(TeNt, 64, 0x13, 0, 0x05)), kFilterDrop);
    c = {};
    c.pdSet = true;
    c.pd = 0x08;
    DecodedFrame other = q931(TeNt, 64, 1, 0, 0x05);
    other.pd = 0x41;
    EXPECT_EQ(offLine(c, q931(TeNt, 64, 1, 0, 0x05)), kFilterKeep);
    EXPECT_EQ(offLine(c, other), kFilterDrop);

    DecodedFrame busy = q931(NtTe, 64, 1, 1, 0x45);
    busy.cause = 17;
    c = {};
    c.causeSet = true;
    for (auto [text, format] :
         {std::pair{"17", kCauseDecimal}, std::pair{"0x11", kCauseHexa},
          std::pair{"11h", kCauseHexa}, std::pair{" user busy", kCauseMnemonics}}) {
        c.causeText = text;
        c.causeFormat = format;
        FrameFilter filter(FilterKind::OffLine, c);
        EXPECT_TRUE(filter.causeUsable()) << text;
        EXPECT_EQ(offLine(c, busy), kFilterKeep) << text;
        busy.cause = 16;
        EXPECT_EQ(offLine(c, busy), kFilterDrop) << text;
        busy.cause = 17;
    }
    c.causeText = "not a cause";
    EXPECT_FALSE(FrameFilter(FilterKind::OffLine, c).causeUsable());
    EXPECT_EQ(offLine(c, busy), kFilterKeep) << "an unusable cause selects nothing away";
}

TEST(FrameFilterX25, ChannelAndPacketType) {
    FilterCriteria c;
    c.lcnSet = true;
    c.lcn = 0x105;
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 0x105, 0x00)), kFilterKeep);
    EXPECT_EQ(realTime(c, x25(TeNt, 64, 0x005, 0x00)), kFilterDrop);

    const auto position = [](const char *name) {
        const auto list = x25Packets();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (std::string(list[i].name) == name)
                return static_cast<int>(i + 1);
        return 0;
    };
    c = {};
    c.packetType = position("CALL.INC");
    EXPECT_EQ(offLine(c, x25(NtTe, 64, 5, 0x0B)), kFilterKeep);
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 5, 0x0B)), kFilterKeep) << "the pair's other name";
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 5, 0x0F)), kFilterDrop);
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 5, 0x42)), kFilterKeep) << "no listed type";
    c.packetType = position("REJ NT->TE");
    EXPECT_EQ(offLine(c, x25(NtTe, 64, 5, 0x09)), kFilterKeep);
    EXPECT_EQ(offLine(c, x25(TeNt, 64, 5, 0x09)), kFilterDrop);
}

TEST(FrameFilterActive, FollowsTheKindOfFilter) {
    FilterCriteria c;
    EXPECT_FALSE(c.IsActive(FilterKind::OffLine));
    EXPECT_FALSE(c.IsActive(FilterKind::RealTime));
    c.keepRR = false;
    EXPECT_TRUE(c.IsActive(FilterKind::RealTime));
    c = {};
    c.l3Address = 4;
    EXPECT_TRUE(c.IsActive(FilterKind::OffLine));
    c = {};
    c.keepData = false;
    EXPECT_TRUE(c.IsActive(FilterKind::RealTime));
    EXPECT_FALSE(c.IsActive(FilterKind::OffLine));
}

TEST(FrameFilterTester, TwoBytesOfTheConnectRequest) {
    FilterCriteria c;
    EXPECT_EQ(c.testerBytes(), (std::array<std::uint8_t, 2>{0, 0}));
    c.keepRR = false;
    c.frameSlicing = 2;
    c.keepData = false;
    EXPECT_EQ(c.testerBytes(), (std::array<std::uint8_t, 2>{1, 5}));
    c.layer3 = false;
    EXPECT_EQ(c.testerBytes()[1], 1) << "whatever the slicing";
    c = {};
    c.layer2 = false;
    c.frameSlicing = 1;
    EXPECT_EQ(c.testerBytes(), (std::array<std::uint8_t, 2>{1, 2}));
}

TEST(FrameFilterCallRef, SelectionTakesTheFramesCallReference) {
    FilterCriteria c;
    const DecodedFrame f = q931(NtTe, 64, 0x21, 1, 0x07);
    EXPECT_EQ(selectCallRef(c, f, -3), CallRefSelection::Applied);
    EXPECT_TRUE(c.callRefSet);
    EXPECT_EQ(c.callRef, 0x21);
    EXPECT_EQ(selectCallRef(c, f, -3), CallRefSelection::AlreadySet);
    EXPECT_EQ(selectCallRef(c, f, 2), CallRefSelection::NotLayer3);
}

} // namespace
} // namespace qv
