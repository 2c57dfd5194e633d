// The off-line filter as the filter bar's one line: what a typed line selects, why a line is
// refused, and that the line written for a filter reads back as that filter.
#include "filters/FilterLine.h"

#include <gtest/gtest.h>

#include "decode/DecodedFrame.h"
#include "filters/FilterLists.h"

namespace qv {
namespace {

FilterCriteria parsed(std::string_view line) {
    const FilterLineResult result = parseFilterLine(line, nullptr);
    EXPECT_TRUE(result.criteria.has_value()) << line << ": refused at " << result.error.term;
    return result.criteria.value_or(FilterCriteria{});
}

TEST(FilterLine, TypedTermsSetTheirCriteria) {
    EXPECT_EQ(parsed(""), FilterCriteria{});
    EXPECT_EQ(parsed("   "), FilterCriteria{});

    const FilterCriteria c = parsed("TEI=64 sapi=0 cr=0x41 msg=setup cause=\"user busy\" "
                                    "local=0123* remote=*789 dir=NT->TE layer=2,3 rr=no");
    EXPECT_TRUE(c.teiSet);
    EXPECT_EQ(c.tei, 64);
    EXPECT_TRUE(c.sapiSet);
    EXPECT_EQ(c.sapi, 0);
    EXPECT_TRUE(c.callRefSet);
    EXPECT_EQ(c.callRef, 0x41);
    EXPECT_EQ(isdnMessages()[static_cast<std::size_t>(c.message - 1)].code, 0x05);
    EXPECT_TRUE(c.causeSet);
    EXPECT_EQ(c.causeText, "user busy");
    EXPECT_EQ(c.causeFormat, kCauseMnemonics);
    EXPECT_EQ(c.localAddress, "0123*");
    EXPECT_EQ(c.remoteAddress, "*789");
    EXPECT_EQ(c.direction, 2);
    EXPECT_FALSE(c.layer1);
    EXPECT_TRUE(c.layer2 && c.layer3);
    EXPECT_FALSE(c.keepRR);

    // A criterion only layer-3 frames meet shows layer 3 alone, unless the layers are given.
    for (const char *line : {"msg=SETUP", "cr=1", "cause=16", "local=1*", "lcn=3"}) {
        const FilterCriteria layer3 = parsed(line);
        EXPECT_TRUE(!layer3.layer1 && !layer3.layer2 && layer3.layer3) << line;
    }
    EXPECT_TRUE(parsed("layer=1,2,3 msg=SETUP").layer1);
    EXPECT_TRUE(parsed("tei=3").layer1) << "a layer-2 criterion leaves the layers as they are";
    // Layer-2 criteria apply to layer-3 frames only while layer 2 is shown: it stays in.
    const FilterCriteria both = parsed("msg=SETUP dir=TE->NT");
    EXPECT_TRUE(!both.layer1 && both.layer2 && both.layer3);
    EXPECT_EQ(filterLine(both), "dir=TE->NT msg=SETUP");
    EXPECT_EQ(parsed(filterLine(both)), both);

    // Causes in each of their three forms; the call reference is hexadecimal with or without 0x.
    EXPECT_EQ(parsed("cause=16").causeFormat, kCauseDecimal);
    EXPECT_EQ(parsed("cause=0x10").causeFormat, kCauseHexa);
    EXPECT_EQ(parsed("cause=10H").causeFormat, kCauseHexa);
    EXPECT_EQ(parsed("cr=7f").callRef, 0x7F);
    // V5 messages as the V5 page names them.
    const int v5 = parsed("msg=PSTN/ESTABLISH").message;
    EXPECT_TRUE(v5 & kV5MessageMark);
    EXPECT_EQ(v5MessageListText(v5 & ~kV5MessageMark), "PSTN/ESTABLISH");
}

TEST(FilterLine, ALineThatCannotBeReadSaysWhichTermAndWhy) {
    const struct {
        const char *line;
        FilterLineError::Kind kind;
        const char *term;
    } cases[] = {
        {"tei=64 teo=3", FilterLineError::UnknownKey, "teo=3"},
        {"tei=128", FilterLineError::BadValue, "tei=128"},
        {"tei=-1", FilterLineError::BadValue, "tei=-1"},
        {"sapi=64", FilterLineError::BadValue, "sapi=64"},
        {"cr=8000", FilterLineError::BadValue, "cr=8000"},
        {"msg=SETUPP", FilterLineError::BadValue, "msg=SETUPP"},
        {"cause=NO SUCH", FilterLineError::BadValue, "cause=NO"},
        {"cause=200", FilterLineError::BadValue, "cause=200"},
        {"layer=4", FilterLineError::BadValue, "layer=4"},
        {"local=12*3", FilterLineError::BadValue, "local=12*3"},
        {"local=*", FilterLineError::BadValue, "local=*"},
        {"tei", FilterLineError::NoValue, "tei"},
        {"tei=", FilterLineError::NoValue, "tei="},
        {"msg=\"USER INFO", FilterLineError::OpenQuote, "msg=\"USER INFO"},
        {"tei=1 tei=2", FilterLineError::Repeated, "tei=2"},
        {"layer=3 dir=TE->NT", FilterLineError::NeedsLayer2, "dir=TE->NT"},
        {"tei=3 layer=1,3", FilterLineError::NeedsLayer2, "tei=3"},
    };
    for (const auto &c : cases) {
        const FilterLineResult result = parseFilterLine(c.line, nullptr);
        EXPECT_FALSE(result.criteria.has_value()) << c.line;
        EXPECT_EQ(result.error.kind, c.kind) << c.line;
        EXPECT_EQ(result.error.term, c.term) << c.line;
    }
}

TEST(FilterLine, TheLineWrittenForAFilterReadsBackAsThatFilter) {
    FilterCriteria c;
    EXPECT_EQ(filterLine(c), "");
    c.layer1 = false;
    c.teiSet = true;
    c.tei = 0;
    c.callRefSet = true;
    c.callRef = 0x1A;
    c.message = 32; // SUSPEND.REJ
    c.causeSet = true;
    c.causeText = "NORMAL CALL CLEARING";
    c.remoteAddressSet = true;
    c.remoteAddress = "*99";
    c.packetType = 1;
    c.keepRR = false;
    const std::string line = filterLine(c);
    EXPECT_EQ(line, "tei=0 rr=no cr=1A remote=*99 msg=SUSPEND.REJ "
                    "cause=\"NORMAL CALL CLEARING\" packet=CALL.ACC")
        << "layers 2 and 3 go without saying with criteria of both";
    EXPECT_EQ(parsed(line), c);

    // A hexadecimal cause without its 0x gets one, so that it reads back hexadecimal.
    FilterCriteria hex;
    hex.causeSet = true;
    hex.causeText = "1F";
    hex.causeFormat = kCauseHexa;
    hex.layer1 = hex.layer2 = false;
    EXPECT_EQ(filterLine(hex), "cause=0x1F");
    EXPECT_EQ(parsed(filterLine(hex)).causeFormat, kCauseHexa);
    // Names with blanks are quoted; a layer-3 criterion on every layer says the layers.
    FilterCriteria userInfo;
    userInfo.message = 33;
    EXPECT_EQ(filterLine(userInfo), "layer=1,2,3 msg=\"USER INFO\"");
    EXPECT_EQ(parsed(filterLine(userInfo)), userInfo);
    userInfo.layer1 = userInfo.layer2 = false;
    EXPECT_EQ(filterLine(userInfo), "msg=\"USER INFO\"");
    EXPECT_EQ(parsed(filterLine(userInfo)), userInfo);
}

TEST(FilterLine, FilterOnAValueOfAFrameAndAddItToALine) {
    DecodedFrame setup;
    setup.l3Kind = kL3CallControl;
    setup.sapi = 0;
    setup.tei = 64;
    setup.direction = kDirectionNtTe;
    setup.crLength = 1;
    setup.callRef = 0x05;
    setup.messageType = 0x05;
    setup.callingAddress = "0123456";
    setup.calledAddress = "789";
    EXPECT_EQ(filterTermFor(FrameValue::Message, setup, -3), "msg=SETUP");
    EXPECT_EQ(filterTermFor(FrameValue::CallRef, setup, -3), "cr=05");
    EXPECT_EQ(filterTermFor(FrameValue::Tei, setup, -3), "tei=64");
    EXPECT_EQ(filterTermFor(FrameValue::Layer, setup, -3), "layer=3");
    EXPECT_EQ(filterTermFor(FrameValue::Direction, setup, -3), "dir=NT->TE");
    // An incoming call: the calling party is the remote end, the called party the local one.
    EXPECT_EQ(filterTermFor(FrameValue::Calling, setup, -3), "remote=0123456");
    EXPECT_EQ(filterTermFor(FrameValue::Called, setup, -3), "local=789");
    EXPECT_EQ(filterTermFor(FrameValue::Cause, setup, -3), "") << "no cause in a SETUP";

    DecodedFrame rr;
    rr.l3Kind = kL3None;
    rr.tei = 64;
    EXPECT_EQ(filterTermFor(FrameValue::CallRef, rr, 2), "");
    EXPECT_EQ(filterTermFor(FrameValue::Message, rr, 2), "");
    EXPECT_EQ(filterTermFor(FrameValue::Layer, rr, 2), "layer=2");

    EXPECT_EQ(withFilterTerm("", "tei=64"), "tei=64");
    EXPECT_EQ(withFilterTerm("tei=3 msg=SETUP", "TEI=64"), "msg=SETUP TEI=64");
    EXPECT_EQ(withFilterTerm("cause=\"USER BUSY\" sapi=0", "cr=05"),
              "cause=\"USER BUSY\" sapi=0 cr=05");
    EXPECT_EQ(parsed(withFilterTerm("tei=3 msg=SETUP", "tei=64")).tei, 64);
}

} // namespace
} // namespace qv
