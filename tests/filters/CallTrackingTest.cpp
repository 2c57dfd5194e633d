// Call tracking behind the address criteria: which calls are kept, overlap sending, the ends of
// calls, and the answers of the off-line test while a call's addresses are still unknown.
#include <gtest/gtest.h>

#include "support/Pinned.h"

#include "capture/DecodableObject.h"
#include "filters/AddressPattern.h"
#include "filters/FilterTestSupport.h"

namespace qv {
namespace {

using namespace qv::test;

enum : std::uint16_t {
    kSetup = 0x05,
    kSetupAck = 0x0D,
    kCallProc = 0x02,
    kAlerting = 0x01,
    kConnect = 0x07,
    kInformation = 0x7B,
    kReleaseComplete = 0x5A,
    kRestart = 0x46,
};

FilterCriteria addresses(std::string local, std::string remote) {
    FilterCriteria c;
    c.localAddressSet = !local.empty();
    c.localAddress = std::move(local);
    c.remoteAddressSet = !remote.empty();
    c.remoteAddress = std::move(remote);
    return c;
}

// The patterns of filters/address-patterns.txt: whether an address matches, and whether it may
// still match once more digits come.
TEST(AddressPatternTest, StarAtEitherEnd) {
    test::expectTable("filters/address-patterns.txt", [](const std::string &input) {
        const std::size_t space = input.find(' ', 1);
        const std::string pattern = input.substr(1, space - 2),
                          address = input.substr(space + 2, input.size() - space - 3);
        return std::string(addressMatches(pattern, address) ? "matches" : "no match") +
               (addressMayMatch(pattern, address) ? ", may match" : ", may not match");
    });
}

TEST(CallTrackingIsdn, LocalIsTheCallerOfAnOutgoingCallAndTheCalledOfAnIncomingOne) {
    FrameFilter filter(FilterKind::OffLine, addresses("12*", ""));
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "1234", "5678")), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(TeNt, 65, 2, 0, kSetup, "5678", "1234")), kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(NtTe, 127, 3, 0, kSetup, "5678", "1299")), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kCallProc)), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(NtTe, 65, 2, 1, kCallProc)), kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(NtTe, 66, 9, 1, kConnect)), kFilterDrop) << "no tracked call";
    EXPECT_EQ(feed.offLine(layer2Frame(kCtrlRR, TeNt, 65)), kFilterKeep) << "not layer 3";
}

TEST(CallTrackingIsdn, BothCriteriaMustMatch) {
    FrameFilter filter(FilterKind::RealTime, addresses("1234", "*78"));
    Feed feed(filter);
    EXPECT_EQ(feed.realTime(q931(TeNt, 64, 1, 0, kSetup, "1234", "5678")), kFilterKeep);
    EXPECT_EQ(feed.realTime(q931(TeNt, 64, 2, 0, kSetup, "1234", "5679")), kFilterKeep)
        << "the called number may still grow";
    EXPECT_EQ(feed.realTime(q931(NtTe, 64, 2, 1, kCallProc)), kFilterDrop);
    EXPECT_EQ(feed.realTime(q931(TeNt, 64, 3, 0, kSetup, "9234", "5678")), kFilterDrop);
}

TEST(CallTrackingIsdn, SidesWithTheSameCallReferenceAreDifferentCalls) {
    FrameFilter filter(FilterKind::OffLine, addresses("100", ""));
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "100", "200")), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 0, kSetup, "300", "400")), kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kCallProc)), kFilterKeep) << "answer to ours";
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 1, kAlerting)), kFilterDrop) << "answer to theirs";
}

TEST(CallTrackingIsdn, OverlapDigitsSettleAPendingCall) {
    FrameFilter filter(FilterKind::OffLine, addresses("", "5678"));
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "1234", "")), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kSetupAck)), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kInformation, "", "56")), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kInformation, "", "78")), kFilterKeep);
    ASSERT_EQ(filter.tracking().calls().size(), 1u);
    EXPECT_EQ(filter.tracking().calls()[0].calledAddress, "5678");
    EXPECT_EQ(filter.tracking().calls()[0].state, CallState::Information);

    // Going back to the SETUP: the call is known by now.
    LvtRecord record;
    record.kind = kFrameRecord;
    const DecodedFrame setup = q931(TeNt, 64, 1, 0, kSetup, "1234", "");
    EXPECT_EQ(filter.offLineTest(setup, record, 3, 0), kFilterKeep);
    EXPECT_EQ(filter.tracking().calls().size(), 1u) << "a frame seen again opens nothing";

    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 2, 0, kSetup, "1234", "5")), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 2, 0, kInformation, "", "9")), kFilterDrop);
    EXPECT_EQ(filter.offLineTest(q931(TeNt, 64, 2, 0, kSetup, "1234", "5"), record, 3, 4),
              kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 3, 0, kSetup, "1234", "567")), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 3, 1, kCallProc)), kFilterDrop)
        << "the number is complete without the last digit";
}

TEST(CallTrackingIsdn, APendingCallIsGivenUpAfterTwentySeconds) {
    FrameFilter filter(FilterKind::OffLine, addresses("", "5678"));
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "1234", "56")), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kInformation, "", ""), 19000), kFilterUnsettled);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kInformation, "", "78"), 1500), kFilterDrop);
    EXPECT_TRUE(filter.tracking().calls().empty());
    LvtRecord record;
    record.kind = kFrameRecord;
    EXPECT_EQ(filter.offLineTest(q931(TeNt, 64, 1, 0, kSetup, "1234", "56"), record, 3, 0),
              kFilterDrop);
}

TEST(CallTrackingIsdn, CallAtTheBroadcastTeiTakesTheAnsweringTei) {
    FrameFilter filter(FilterKind::OffLine, addresses("300", ""));
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(q931(NtTe, 127, 7, 0, kSetup, "100", "300")), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(TeNt, 70, 7, 1, kAlerting)), kFilterKeep);
    ASSERT_EQ(filter.tracking().calls().size(), 1u);
    EXPECT_EQ(filter.tracking().calls()[0].tei, 70u);
    EXPECT_EQ(feed.offLine(q931(TeNt, 71, 7, 1, kAlerting)), kFilterDrop) << "TEI fixed";
    EXPECT_EQ(feed.offLine(q931(TeNt, 70, 7, 1, kConnect)), kFilterKeep);
    EXPECT_EQ(filter.tracking().calls()[0].frames, 3u);
}

TEST(CallTrackingIsdn, AnEndedCallKeepsItsLastFramesForAWhile) {
    FrameFilter filter(FilterKind::OffLine, addresses("1234", ""));
    Feed feed(filter);
    feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "1234", "5678"));
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kReleaseComplete)), kFilterKeep);
    ASSERT_EQ(filter.tracking().calls().size(), 1u);
    const TrackedCall &ended = filter.tracking().calls()[0];
    EXPECT_TRUE(ended.ended);
    EXPECT_EQ(ended.endFrame, 1u);
    EXPECT_EQ(ended.state, CallState::Released);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kReleaseComplete), 3000), kFilterKeep);
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kReleaseComplete), 2000), kFilterDrop);
    EXPECT_TRUE(filter.tracking().calls().empty());

    // A call that was never accepted is forgotten at its end.
    feed.offLine(q931(TeNt, 64, 2, 0, kSetup, "999", "5678"));
    EXPECT_TRUE(filter.tracking().calls().empty());
}

TEST(CallTrackingIsdn, RestartEndsTheCallsOfItsChannel) {
    FrameFilter filter(FilterKind::OffLine, addresses("1*", ""));
    Feed feed(filter);
    feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "100", "5"));
    DecodedFrame proc = q931(NtTe, 64, 1, 1, kCallProc);
    proc.channel = 1;
    EXPECT_EQ(feed.offLine(proc), kFilterKeep);
    feed.offLine(q931(TeNt, 64, 2, 0, kSetup, "101", "5"));
    proc = q931(NtTe, 64, 2, 1, kCallProc);
    proc.channel = 2;
    feed.offLine(proc);

    DecodedFrame restart = q931(NtTe, 64, 0, 0, kRestart);
    restart.channel = 1;
    feed.offLine(restart);
    ASSERT_EQ(filter.tracking().calls().size(), 2u);
    for (const TrackedCall &call : filter.tracking().calls())
        EXPECT_EQ(call.ended, call.callRef == 1) << "call " << call.callRef;
    EXPECT_EQ(feed.offLine(q931(NtTe, 64, 1, 1, kConnect), 5000), kFilterDrop);
    EXPECT_EQ(filter.tracking().calls().size(), 1u) << "no call opened again";
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "100", "5")), kFilterKeep);
}

TEST(CallTrackingIsdn, LinkAndLineLossEndCalls) {
    FrameFilter filter(FilterKind::OffLine, addresses("1*", ""));
    Feed feed(filter);
    feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "100", "5"));
    feed.offLine(q931(TeNt, 65, 2, 0, kSetup, "100", "5"));
    feed.offLine(layer2Frame(kCtrlDISC, TeNt, 64));
    ASSERT_EQ(filter.tracking().calls().size(), 2u);
    for (const TrackedCall &call : filter.tracking().calls())
        EXPECT_EQ(call.ended, call.tei == 64);

    feed.offLine(q931(TeNt, 66, 3, 0, kSetup, "100", "5"), 5000);
    feed.event(4);
    feed.event(11, 2000);
    EXPECT_FALSE(filter.tracking().calls().back().ended) << "a loss of 2 s";
    feed.event(4);
    feed.event(11, 2001);
    EXPECT_TRUE(filter.tracking().calls().back().ended);

    feed.offLine(q931(TeNt, 67, 4, 0, kSetup, "100", "5"), 5000);
    feed.event(0);
    EXPECT_TRUE(filter.tracking().calls().back().ended);
}

TEST(CallTrackingX25, CallPacketsOpenAndClearConfirmationEnds) {
    FilterCriteria c;
    c.x25RemoteAddressSet = true;
    c.x25RemoteAddress = "123*";
    FrameFilter filter(FilterKind::OffLine, c);
    Feed feed(filter);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 5, 0x0B, "678", "12345")), kFilterKeep);
    EXPECT_EQ(feed.offLine(x25(NtTe, 64, 6, 0x0B, "999", "678")), kFilterDrop);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 5, 0x00)), kFilterKeep);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 6, 0x00)), kFilterDrop);
    EXPECT_EQ(feed.offLine(q931(TeNt, 64, 1, 0, kSetup, "1", "2")), kFilterKeep)
        << "no ISDN address criterion";
    EXPECT_EQ(feed.offLine(x25(NtTe, 64, 5, 0x17)), kFilterKeep);
    EXPECT_TRUE(filter.tracking().calls()[0].ended);
    EXPECT_EQ(feed.offLine(x25(TeNt, 64, 5, 0x00), 5000), kFilterDrop);
}

} // namespace
} // namespace qv
