// The filter on frames the decoders really decode: the off-line test a capture document asks,
// the X.25 facility criteria and the real-time hook of a decoder.
#include "filters/OffLineFrameFilter.h"

#include <gtest/gtest.h>

#include "decode/DecoderTestSupport.h"
#include "decode/X25ItemProvider.h"

namespace qv {
namespace {

using namespace qv::test;

// Frames decoded by an ISDN decoder with the X.25 services, tested one after another.
struct Decoding {
    Decoding() {
        installX25(services, provider);
        decoder = std::make_unique<CISDN>(host, services);
        host.decoder = decoder.get();
    }
    int test(OffLineFilter &filter, const LvtRecord &record) {
        host.records.push_back(record);
        const auto n = static_cast<std::uint32_t>(host.records.size() - 1);
        EXPECT_GE(decoder->Decode_Frame(n), 0);
        return filter.test(*decoder, n);
    }

    X25ItemProvider provider;
    MemoryHost host;
    DecoderServices services;
    std::unique_ptr<CISDN> decoder;
};

// An X.25 packet in an I frame of SAPI 16, TEI 64.
LvtRecord packet(std::initializer_list<std::uint8_t> octets) {
    LvtRecord r = frameRecord(Dir::TeNt, {0x40, 0x81, 0x00, 0x00});
    for (std::uint8_t o : octets)
        r.data[r.dataLength++] = o;
    return r;
}

TEST(OffLineFrameFilterTest, DecodedCallControlFrames) {
    FilterCriteria c;
    c.message = 26; // SETUP
    OffLineFrameFilter filter(c);
    EXPECT_TRUE(filter.active());
    EXPECT_FALSE(filter.needsOrderedWalk());
    Decoding d;
    const LvtRecord setup =
        frameRecord(Dir::TeNt, {0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05});
    const LvtRecord connect =
        frameRecord(Dir::NtTe, {0x02, 0x81, 0x00, 0x02, 0x08, 0x01, 0x81, 0x07});
    EXPECT_EQ(d.test(filter, setup), kFilterKeep);
    EXPECT_EQ(d.test(filter, connect), kFilterDrop);
    EXPECT_EQ(d.test(filter, frameRecord(Dir::TeNt, {0x00, 0x81, 0x01, 0x04})), kFilterKeep)
        << "RR";
    EXPECT_EQ(d.test(filter, frameRecord(Dir::TeNt, {0x00, 0x81, 0x01}, 2)), kFilterKeepWithError);

    c = {};
    c.localAddressSet = true;
    c.localAddress = "1";
    EXPECT_TRUE(OffLineFrameFilter(c).needsOrderedWalk());
}

TEST(OffLineFrameFilterTest, ClosedUserGroupAndNuiSelectCallPackets) {
    // CALL REQUEST, called 12345, calling 678, then the facility field.
    const LvtRecord withGroup = packet(
        {0x10, 0x05, 0x0B, 0x35, 0x12, 0x34, 0x56, 0x78, 0x06, 0x03, 0x12, 0xC6, 0x02, 0xAB, 0xCD});
    const LvtRecord extendedGroup =
        packet({0x10, 0x05, 0x0B, 0x35, 0x12, 0x34, 0x56, 0x78, 0x03, 0x47, 0x00, 0x12});
    const LvtRecord plain = packet({0x10, 0x05, 0x0B, 0x35, 0x12, 0x34, 0x56, 0x78, 0x00});
    const LvtRecord data = packet({0x10, 0x05, 0x00});

    FilterCriteria c;
    c.cugSet = true;
    c.cug = 12;
    OffLineFrameFilter group(c);
    Decoding d;
    EXPECT_EQ(d.test(group, withGroup), kFilterKeep);
    EXPECT_EQ(d.test(group, extendedGroup), kFilterKeep);
    EXPECT_EQ(d.test(group, plain), kFilterDrop);
    EXPECT_EQ(d.test(group, data), kFilterKeep) << "only call and clear packets";
    c.cug = 13;
    OffLineFrameFilter other(c);
    EXPECT_EQ(d.test(other, withGroup), kFilterDrop);

    c = {};
    c.nuiSet = true;
    OffLineFrameFilter nui(c);
    EXPECT_EQ(d.test(nui, withGroup), kFilterKeep);
    EXPECT_EQ(d.test(nui, extendedGroup), kFilterDrop);
}

TEST(OffLineFrameFilterTest, RealTimeHookGivesTheVerdict) {
    Decoding d;
    FilterCriteria c;
    c.keepRR = false;
    FrameFilter filter(FilterKind::RealTime, c);
    installRealTimeFilter(*d.decoder, filter);
    EXPECT_EQ(d.decoder->DecodeFrameRealTime(frameRecord(Dir::TeNt, {0x00, 0x81, 0x01, 0x04}), 0),
              kFilterDrop);
    EXPECT_EQ(d.decoder->DecodeFrameRealTime(frameRecord(Dir::TeNt, {0x00, 0x81, 0x05, 0x04}), 1),
              kFilterKeep)
        << "RNR";
    EXPECT_EQ(d.decoder->DecodeFrameRealTime(layer1Record(4), 2), kFilterKeep);
}

} // namespace
} // namespace qv
