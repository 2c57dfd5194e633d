#include "results/ResultRecords.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"

namespace qv {

namespace {

// The common configuration layout.
namespace common {
constexpr std::size_t kMarker = 0;
constexpr std::size_t kStart = 2;
constexpr std::size_t kStop = 14;
constexpr std::size_t kMode = 28;
constexpr std::size_t kEndReason = 30;
constexpr std::size_t kProtocol = 32;
constexpr std::size_t kOwnAddress = 34;
constexpr std::size_t kSubAddress = 69;
constexpr std::size_t kInterface = 104;
constexpr std::size_t kTei = 106;
constexpr std::size_t kSetup = 108; // 180 bytes, by test
constexpr std::size_t kSetupSize = 180;
constexpr std::size_t kCalledAddress = 288;
constexpr std::size_t kCalledSubAddress = 323;
constexpr std::size_t kChannel = 358;
constexpr std::size_t kService = 360;
constexpr std::size_t kSelfCall = 361;
constexpr std::size_t kUui = 362;
constexpr std::size_t kUuiSize = 33;
constexpr std::size_t kBerThreshold = 446; // the 447th byte
} // namespace common

// The LVT-60's own layout, from data byte 11.
namespace lvt60 {
constexpr std::size_t kMarker = 0;
constexpr std::size_t kMode = 1;
constexpr std::size_t kProtocol = 2;
constexpr std::size_t kInterface = 3;
constexpr std::size_t kTei = 4;
constexpr std::size_t kEndReason = 5;
constexpr std::size_t kStart = 6; // 6 x u8, two-digit year
constexpr std::size_t kStop = 12;
constexpr std::size_t kVersion = 18;
constexpr std::size_t kVersionSize = 8;
constexpr std::size_t kOwnAddress = 26;
constexpr std::size_t kSubAddress = 61;
constexpr std::size_t kCalledAddress = 96;
constexpr std::size_t kCalledSubAddress = 131;
constexpr std::size_t kChannel = 166;
constexpr std::size_t kService = 167;
constexpr std::size_t kSelfCall = 168;
constexpr std::size_t kUui = 169;
constexpr std::size_t kSetup = 202; // same 180 bytes as the common layout's
} // namespace lvt60

// The service test's users inside the setup area: 60 bytes each.
namespace user {
constexpr std::size_t kSize = 60;
constexpr std::size_t kNumber = 0;
constexpr std::size_t kNumberSize = 20;
constexpr std::size_t kBc = 20;  // u8 length, 12 octets
constexpr std::size_t kHlc = 33; // u8 length, 4 octets
constexpr std::size_t kSin = 38; // u8 length, 2 octets
constexpr std::size_t kLlc = 41; // u8 length, 18 octets
constexpr std::size_t kBcMax = 12, kHlcMax = 4, kSinMax = 2, kLlcMax = 18;
} // namespace user

// The BER test's setup, offsets in the common record.
namespace ber {
constexpr std::size_t kPattern = 108;
constexpr std::size_t kErrorInsertion = 109;
constexpr std::size_t kInsertedErrors = 110;
constexpr std::size_t kTxMode = 112;
constexpr std::size_t kWord = 113;
constexpr std::size_t kWordSize = 17;
constexpr std::size_t kHrx = 130;
constexpr std::size_t kHrxSize = 8;
} // namespace ber

// The X.25 tests' setup, offsets in the common record.
namespace x25 {
constexpr std::size_t kOwnAddress = 108;
constexpr std::size_t kAddressSize = 16;
constexpr std::size_t kSubAddress = 124;
constexpr std::size_t kSubAddressSize = 8;
constexpr std::size_t kNetwork = 132;
constexpr std::size_t kToaNpi = 133;
constexpr std::size_t kTeiMode = 134;
constexpr std::size_t kTei = 135;
constexpr std::size_t kFrameWindow = 136;
constexpr std::size_t kPacketWindow = 137;
constexpr std::size_t kLcnCount = 138;
constexpr std::size_t kLcn0 = 140;
constexpr std::size_t kCug = 141;
constexpr std::size_t kNui = 142;
constexpr std::size_t kNuiSize = 16;
constexpr std::size_t kFacilities = 158; // u8 length, 32 octets
constexpr std::size_t kL2Establishment = 191;
constexpr std::size_t kDteDce = 192;
constexpr std::size_t kAddPh = 193;
constexpr std::size_t kAddBcPacket = 194;
constexpr std::size_t kPacketLength = 195;
constexpr std::size_t kPackets = 196;
constexpr std::size_t kEcho = 197;
constexpr std::size_t kCheckData = 198;
constexpr std::size_t kThroughput = 199;
constexpr std::size_t kLcnOut = 200;
constexpr std::size_t kLcnIn = 202;
constexpr std::size_t kThroughputNegotiation = 204;
constexpr std::size_t kCallCug = 205;
constexpr std::size_t kCallCugSize = 5;
constexpr std::size_t kCallNui = 210;
constexpr std::size_t kCallFacilities = 226; // u8 length, 32 octets
} // namespace x25

// Result records: the marker letter, then the test's values.
constexpr std::size_t kListHead = 2; // letter, entry count
constexpr std::size_t kServiceRecordSize = kListHead + 3 * kMaxServiceOutcomes;
constexpr std::size_t kSupplementaryRecordSize = kListHead + 3 * kMaxSupplementaryOutcomes;
constexpr std::size_t kBChannelRecordSize = kListHead + 2 * kMaxBChannelOutcomes;
constexpr std::size_t kBerRecordSize = 52;
constexpr std::size_t kBerRecordSizeWithL1 = 54;
constexpr std::size_t kX25Counters = 20;
constexpr std::size_t kX25RecordSize = 2 + 4 * kX25Counters;

// A text field: up to its NUL or its end. Control characters would break the report's lines
// and are shown as dots.
std::string readText(const std::uint8_t *p, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size && p[i] != 0; ++i)
        text.push_back(p[i] < 0x20 || p[i] == 0x7F ? '.' : static_cast<char>(p[i]));
    return text;
}

// Keeps the field's last byte for the NUL.
void writeText(std::uint8_t *p, std::size_t size, const std::string &text) {
    std::memcpy(p, text.data(), std::min(text.size(), size - 1));
}

std::vector<std::uint8_t> readCoded(const std::uint8_t *p, std::size_t max) {
    const std::size_t n = std::min<std::size_t>(p[0], max);
    return {p + 1, p + 1 + n};
}

void writeCoded(std::uint8_t *p, std::size_t max, const std::vector<std::uint8_t> &octets) {
    const std::size_t n = std::min(octets.size(), max);
    p[0] = static_cast<std::uint8_t>(n);
    if (n != 0)
        std::memcpy(p + 1, octets.data(), n);
}

void writeDateTime(std::uint8_t *p, const CaptureDateTime &t) {
    const std::uint16_t fields[6] = {t.day, t.month, t.year, t.hour, t.minute, t.second};
    for (int i = 0; i < 6; ++i)
        writeU16(p + 2 * i, fields[i]);
}

void parseUsers(const std::uint8_t *c, ResultConfiguration &out) {
    for (std::size_t u = 0; u < kServiceUsers; ++u) {
        const std::uint8_t *p = c + common::kSetup + u * user::kSize;
        ServiceTestUser &s = out.users[u];
        s.number = readText(p + user::kNumber, user::kNumberSize);
        s.bc = readCoded(p + user::kBc, user::kBcMax);
        s.hlc = readCoded(p + user::kHlc, user::kHlcMax);
        s.sin = readCoded(p + user::kSin, user::kSinMax);
        s.llc = readCoded(p + user::kLlc, user::kLlcMax);
    }
}

void writeUsers(std::uint8_t *c, const ResultConfiguration &in) {
    for (std::size_t u = 0; u < kServiceUsers; ++u) {
        std::uint8_t *p = c + common::kSetup + u * user::kSize;
        const ServiceTestUser &s = in.users[u];
        writeText(p + user::kNumber, user::kNumberSize, s.number);
        writeCoded(p + user::kBc, user::kBcMax, s.bc);
        writeCoded(p + user::kHlc, user::kHlcMax, s.hlc);
        writeCoded(p + user::kSin, user::kSinMax, s.sin);
        writeCoded(p + user::kLlc, user::kLlcMax, s.llc);
    }
}

void parseBer(const std::uint8_t *c, BerSetup &out) {
    out.pattern = c[ber::kPattern];
    out.errorInsertion = c[ber::kErrorInsertion];
    out.insertedErrors = readU16(c + ber::kInsertedErrors);
    out.txMode = c[ber::kTxMode];
    out.word = readText(c + ber::kWord, ber::kWordSize);
    out.hrx = readText(c + ber::kHrx, ber::kHrxSize);
}

void writeBer(std::uint8_t *c, const BerSetup &in) {
    c[ber::kPattern] = in.pattern;
    c[ber::kErrorInsertion] = in.errorInsertion;
    writeU16(c + ber::kInsertedErrors, in.insertedErrors);
    c[ber::kTxMode] = in.txMode;
    writeText(c + ber::kWord, ber::kWordSize, in.word);
    writeText(c + ber::kHrx, ber::kHrxSize, in.hrx);
}

void parseX25(const std::uint8_t *c, X25Setup &out) {
    out.ownAddress = readText(c + x25::kOwnAddress, x25::kAddressSize);
    out.subAddress = readText(c + x25::kSubAddress, x25::kSubAddressSize);
    out.network = c[x25::kNetwork];
    out.toaNpi = c[x25::kToaNpi];
    out.teiMode = c[x25::kTeiMode];
    out.tei = c[x25::kTei];
    out.frameWindow = c[x25::kFrameWindow];
    out.packetWindow = c[x25::kPacketWindow];
    out.lcnCount = readU16(c + x25::kLcnCount);
    out.lcn0 = c[x25::kLcn0];
    out.cug = c[x25::kCug];
    out.nui = readText(c + x25::kNui, x25::kNuiSize);
    out.facilities = readCoded(c + x25::kFacilities, kMaxFacilityOctets);
    out.l2Establishment = c[x25::kL2Establishment];
    out.dteDce = c[x25::kDteDce];
    out.addPh = c[x25::kAddPh];
    out.addBcPacket = c[x25::kAddBcPacket];
    out.packetLength = c[x25::kPacketLength];
    out.packets = c[x25::kPackets];
    out.echo = c[x25::kEcho];
    out.checkData = c[x25::kCheckData];
    out.throughput = c[x25::kThroughput];
    out.lcnOut = readU16(c + x25::kLcnOut);
    out.lcnIn = readU16(c + x25::kLcnIn);
    out.throughputNegotiation = c[x25::kThroughputNegotiation];
    out.callCug = readText(c + x25::kCallCug, x25::kCallCugSize);
    out.callNui = readText(c + x25::kCallNui, x25::kNuiSize);
    out.callFacilities = readCoded(c + x25::kCallFacilities, kMaxFacilityOctets);
}

void writeX25(std::uint8_t *c, const X25Setup &in) {
    writeText(c + x25::kOwnAddress, x25::kAddressSize, in.ownAddress);
    writeText(c + x25::kSubAddress, x25::kSubAddressSize, in.subAddress);
    c[x25::kNetwork] = in.network;
    c[x25::kToaNpi] = in.toaNpi;
    c[x25::kTeiMode] = in.teiMode;
    c[x25::kTei] = in.tei;
    c[x25::kFrameWindow] = in.frameWindow;
    c[x25::kPacketWindow] = in.packetWindow;
    writeU16(c + x25::kLcnCount, in.lcnCount);
    c[x25::kLcn0] = in.lcn0;
    c[x25::kCug] = in.cug;
    writeText(c + x25::kNui, x25::kNuiSize, in.nui);
    writeCoded(c + x25::kFacilities, kMaxFacilityOctets, in.facilities);
    c[x25::kL2Establishment] = in.l2Establishment;
    c[x25::kDteDce] = in.dteDce;
    c[x25::kAddPh] = in.addPh;
    c[x25::kAddBcPacket] = in.addBcPacket;
    c[x25::kPacketLength] = in.packetLength;
    c[x25::kPackets] = in.packets;
    c[x25::kEcho] = in.echo;
    c[x25::kCheckData] = in.checkData;
    c[x25::kThroughput] = in.throughput;
    writeU16(c + x25::kLcnOut, in.lcnOut);
    writeU16(c + x25::kLcnIn, in.lcnIn);
    c[x25::kThroughputNegotiation] = in.throughputNegotiation;
    writeText(c + x25::kCallCug, x25::kCallCugSize, in.callCug);
    writeText(c + x25::kCallNui, x25::kNuiSize, in.callNui);
    writeCoded(c + x25::kCallFacilities, kMaxFacilityOctets, in.callFacilities);
}

bool isX25(int type) {
    return type == kResultX25DTest || type == kResultX25BTest;
}

// The LVT-60's one-byte fields and the common layout's u16 ones, in both directions.
struct NarrowField {
    std::size_t lvt60, common;
};
constexpr NarrowField kNarrowFields[] = {
    {lvt60::kMode, common::kMode},           {lvt60::kProtocol, common::kProtocol},
    {lvt60::kInterface, common::kInterface}, {lvt60::kTei, common::kTei},
    {lvt60::kEndReason, common::kEndReason}, {lvt60::kChannel, common::kChannel},
};
struct TextField {
    std::size_t lvt60, common, size;
};
constexpr TextField kTextFields[] = {
    {lvt60::kOwnAddress, common::kOwnAddress, kTextFieldSize},
    {lvt60::kSubAddress, common::kSubAddress, kTextFieldSize},
    {lvt60::kCalledAddress, common::kCalledAddress, kTextFieldSize},
    {lvt60::kCalledSubAddress, common::kCalledSubAddress, kTextFieldSize},
    {lvt60::kUui, common::kUui, common::kUuiSize},
};

std::vector<std::uint8_t> fromLvt60(const std::uint8_t *l, std::string *version) {
    std::vector<std::uint8_t> c(kConfigurationSize, 0);
    c[common::kMarker] = l[lvt60::kMarker];
    for (const NarrowField &f : kNarrowFields)
        writeU16(c.data() + f.common, l[f.lvt60]);
    for (int i = 0; i < 6; ++i) {
        writeU16(c.data() + common::kStart + 2 * i, l[lvt60::kStart + i]);
        writeU16(c.data() + common::kStop + 2 * i, l[lvt60::kStop + i]);
    }
    for (const TextField &f : kTextFields)
        std::memcpy(c.data() + f.common, l + f.lvt60, f.size);
    c[common::kService] = l[lvt60::kService];
    c[common::kSelfCall] = l[lvt60::kSelfCall];
    std::memcpy(c.data() + common::kSetup, l + lvt60::kSetup, common::kSetupSize);
    if (version)
        *version = readText(l + lvt60::kVersion, lvt60::kVersionSize);
    return c;
}

std::vector<std::uint8_t> toLvt60(const std::uint8_t *c, const std::string &version) {
    std::vector<std::uint8_t> l(kLvt60ConfigurationSize, 0);
    l[lvt60::kMarker] = c[common::kMarker];
    for (const NarrowField &f : kNarrowFields)
        l[f.lvt60] = static_cast<std::uint8_t>(readU16(c + f.common));
    for (int i = 0; i < 6; ++i) {
        std::uint16_t start = readU16(c + common::kStart + 2 * i);
        std::uint16_t stop = readU16(c + common::kStop + 2 * i);
        if (i == 2) { // the year, in two digits
            start %= 100;
            stop %= 100;
        }
        l[lvt60::kStart + i] = static_cast<std::uint8_t>(start);
        l[lvt60::kStop + i] = static_cast<std::uint8_t>(stop);
    }
    for (const TextField &f : kTextFields)
        std::memcpy(l.data() + f.lvt60, c + f.common, f.size);
    l[lvt60::kService] = c[common::kService];
    l[lvt60::kSelfCall] = c[common::kSelfCall];
    std::memcpy(l.data() + lvt60::kSetup, c + common::kSetup, common::kSetupSize);
    writeText(l.data() + lvt60::kVersion, lvt60::kVersionSize, version);
    return l;
}

} // namespace

bool isResultType(int type) {
    return (type >= kResultServiceTest && type <= kResultX25BTest) || type == kResultBChannelTest;
}

std::size_t recordPrefixSize(ResultLayout layout) {
    switch (layout) {
    case ResultLayout::Lvt60:
        return 11;
    case ResultLayout::HardwareNumber:
        return 36;
    case ResultLayout::Lvt30:
        break;
    }
    return 0;
}

bool isConfigurationSize(int type, ResultLayout layout, std::size_t dataLength) {
    const std::size_t prefix = recordPrefixSize(layout);
    if (dataLength < prefix)
        return false;
    const std::size_t size = dataLength - prefix;
    if (layout == ResultLayout::Lvt60)
        return size == kLvt60ConfigurationSize;
    // Only the LVT-30 writes the BER threshold, in one byte more.
    return size == kConfigurationSize || (type == kResultBerTest && layout == ResultLayout::Lvt30 &&
                                          size == kBerThresholdConfigurationSize);
}

std::vector<std::uint8_t> commonConfiguration(ResultLayout layout, const std::uint8_t *content,
                                              std::size_t size, std::string *lvt60Version) {
    if (layout == ResultLayout::Lvt60 && size >= kLvt60ConfigurationSize)
        return fromLvt60(content, lvt60Version);
    return {content, content + std::min(size, kBerThresholdConfigurationSize)};
}

ResultConfiguration parseConfiguration(int type, const std::vector<std::uint8_t> &image) {
    std::vector<std::uint8_t> padded = image;
    padded.resize(std::max(image.size(), kConfigurationSize), 0);
    const std::uint8_t *c = padded.data();
    ResultConfiguration out;
    out.marker = static_cast<char>(c[common::kMarker]);
    out.start = readDateTime(c + common::kStart);
    out.stop = readDateTime(c + common::kStop);
    out.mode = readU16(c + common::kMode);
    out.endReason = readU16(c + common::kEndReason);
    out.protocol = readU16(c + common::kProtocol);
    out.ownAddress = readText(c + common::kOwnAddress, kTextFieldSize);
    out.subAddress = readText(c + common::kSubAddress, kTextFieldSize);
    out.interfaceMode = readU16(c + common::kInterface);
    out.tei = readU16(c + common::kTei);
    out.calledAddress = readText(c + common::kCalledAddress, kTextFieldSize);
    out.calledSubAddress = readText(c + common::kCalledSubAddress, kTextFieldSize);
    out.channel = readU16(c + common::kChannel);
    out.service = c[common::kService];
    out.selfCall = c[common::kSelfCall];
    out.uui = readText(c + common::kUui, common::kUuiSize);
    if (type == kResultServiceTest)
        parseUsers(c, out);
    else if (type == kResultBerTest)
        parseBer(c, out.ber);
    else if (isX25(type))
        parseX25(c, out.x25);
    out.berThresholdShown =
        type == kResultBerTest && image.size() == kBerThresholdConfigurationSize;
    out.berThreshold = out.berThresholdShown ? c[common::kBerThreshold] : 0;
    return out;
}

std::vector<std::uint8_t> encodeConfiguration(int type, ResultLayout layout,
                                              const ResultConfiguration &in,
                                              const std::string &lvt60Version) {
    std::vector<std::uint8_t> c(kConfigurationSize, 0);
    c[common::kMarker] = static_cast<std::uint8_t>(in.marker);
    writeDateTime(c.data() + common::kStart, in.start);
    writeDateTime(c.data() + common::kStop, in.stop);
    writeU16(c.data() + common::kMode, in.mode);
    writeU16(c.data() + common::kEndReason, in.endReason);
    writeU16(c.data() + common::kProtocol, in.protocol);
    writeText(c.data() + common::kOwnAddress, kTextFieldSize, in.ownAddress);
    writeText(c.data() + common::kSubAddress, kTextFieldSize, in.subAddress);
    writeU16(c.data() + common::kInterface, in.interfaceMode);
    writeU16(c.data() + common::kTei, in.tei);
    writeText(c.data() + common::kCalledAddress, kTextFieldSize, in.calledAddress);
    writeText(c.data() + common::kCalledSubAddress, kTextFieldSize, in.calledSubAddress);
    writeU16(c.data() + common::kChannel, in.channel);
    c[common::kService] = in.service;
    c[common::kSelfCall] = in.selfCall;
    writeText(c.data() + common::kUui, common::kUuiSize, in.uui);
    if (type == kResultServiceTest)
        writeUsers(c.data(), in);
    else if (type == kResultBerTest)
        writeBer(c.data(), in.ber);
    else if (isX25(type))
        writeX25(c.data(), in.x25);
    if (layout == ResultLayout::Lvt60)
        return toLvt60(c.data(), lvt60Version);
    if (type == kResultBerTest && layout == ResultLayout::Lvt30 && in.berThresholdShown)
        c.push_back(in.berThreshold);
    return c;
}

std::size_t resultRecordSize(int type, bool newFirmware) {
    switch (type) {
    case kResultServiceTest:
        return kServiceRecordSize;
    case kResultSupplementaryServiceTest:
        return kSupplementaryRecordSize;
    case kResultBChannelTest:
        return kBChannelRecordSize;
    case kResultBerTest:
        return newFirmware ? kBerRecordSizeWithL1 : kBerRecordSize;
    case kResultX25DTest:
    case kResultX25BTest:
        return kX25RecordSize;
    default:
        return 0;
    }
}

namespace {

std::uint32_t *x25Counter(X25Results &r, std::size_t i) {
    std::uint32_t *const counters[kX25Counters] = {
        &r.txPackets,        &r.txPacketErrors, &r.txSequenceErrors, &r.txResets,
        &r.txWindowFull,     &r.txRate,         &r.rxPackets,        &r.rxPacketErrors,
        &r.rxSequenceErrors, &r.rxResets,       &r.rxDiagnostics,    &r.rxRate,
        &r.txFrames,         &r.txRetries,      &r.txRejects,        &r.txFrameWindowFull,
        &r.rxFrames,         &r.rxRnr,          &r.rxRejects,        &r.rxHdlcErrors,
    };
    return counters[i];
}

void parseBerResults(const std::uint8_t *p, bool newFirmware, BerResults &r) {
    r.efs = readU32(p + 2);
    r.es = readU32(p + 6);
    r.ses = readU32(p + 10);
    r.us = readU32(p + 14);
    r.dm = readU32(p + 18);
    r.efsRate = readU16(p + 22);
    r.esRate = readU16(p + 24);
    r.sesRate = readU16(p + 26);
    r.usRate = readU16(p + 28);
    r.dmRate = readU16(p + 30);
    r.bitErrors = readU32(p + 32);
    r.bitsReceived = readU32(p + 36) | (static_cast<std::uint64_t>(readU32(p + 40)) << 32);
    r.all0 = readU16(p + 44);
    r.all1 = readU16(p + 46);
    r.sync = readU16(p + 48);
    r.slip = readU16(p + 50);
    r.l1 = newFirmware ? readU16(p + 52) : 0;
}

void writeBerResults(std::uint8_t *p, bool newFirmware, const BerResults &r) {
    writeU32(p + 2, r.efs);
    writeU32(p + 6, r.es);
    writeU32(p + 10, r.ses);
    writeU32(p + 14, r.us);
    writeU32(p + 18, r.dm);
    writeU16(p + 22, r.efsRate);
    writeU16(p + 24, r.esRate);
    writeU16(p + 26, r.sesRate);
    writeU16(p + 28, r.usRate);
    writeU16(p + 30, r.dmRate);
    writeU32(p + 32, r.bitErrors);
    writeU32(p + 36, static_cast<std::uint32_t>(r.bitsReceived));
    writeU32(p + 40, static_cast<std::uint32_t>(r.bitsReceived >> 32));
    writeU16(p + 44, r.all0);
    writeU16(p + 46, r.all1);
    writeU16(p + 48, r.sync);
    writeU16(p + 50, r.slip);
    if (newFirmware)
        writeU16(p + 52, r.l1);
}

} // namespace

bool parseResults(int type, bool newFirmware, const std::uint8_t *p, std::size_t size,
                  TestRecords &out) {
    if (size != resultRecordSize(type, newFirmware) || size == 0)
        return false;
    const std::size_t count = p[1];
    switch (type) {
    case kResultServiceTest:
        if (count > kMaxServiceOutcomes)
            return false;
        out.services.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t *e = p + kListHead + 3 * i;
            out.services.push_back({e[0], e[1], e[2]});
        }
        return true;
    case kResultSupplementaryServiceTest:
        if (count > kMaxSupplementaryOutcomes)
            return false;
        out.supplementary.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t *e = p + kListHead + 3 * i;
            out.supplementary.push_back({e[0], e[1], e[2]});
        }
        return true;
    case kResultBChannelTest:
        if (count > kMaxBChannelOutcomes)
            return false;
        out.bChannels.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t *e = p + kListHead + 2 * i;
            out.bChannels.push_back({e[0], e[1]});
        }
        return true;
    case kResultBerTest:
        parseBerResults(p, newFirmware, out.ber);
        return true;
    default: // X.25
        for (std::size_t i = 0; i < kX25Counters; ++i)
            *x25Counter(out.x25, i) = readU32(p + 2 + 4 * i);
        return true;
    }
}

std::vector<std::uint8_t> encodeResults(int type, bool newFirmware, const TestRecords &in) {
    std::vector<std::uint8_t> p(resultRecordSize(type, newFirmware), 0);
    if (p.empty())
        return p;
    p[0] = static_cast<std::uint8_t>(in.configuration.marker);
    switch (type) {
    case kResultServiceTest: {
        const std::size_t n = std::min(in.services.size(), kMaxServiceOutcomes);
        p[1] = static_cast<std::uint8_t>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const ServiceOutcome &s = in.services[i];
            std::uint8_t *e = p.data() + kListHead + 3 * i;
            e[0] = s.service;
            e[1] = s.outcome;
            e[2] = s.cause;
        }
        break;
    }
    case kResultSupplementaryServiceTest: {
        const std::size_t n = std::min(in.supplementary.size(), kMaxSupplementaryOutcomes);
        p[1] = static_cast<std::uint8_t>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const SupplementaryOutcome &s = in.supplementary[i];
            std::uint8_t *e = p.data() + kListHead + 3 * i;
            e[0] = s.service;
            e[1] = s.state;
            e[2] = s.aocVariant;
        }
        break;
    }
    case kResultBChannelTest: {
        const std::size_t n = std::min(in.bChannels.size(), kMaxBChannelOutcomes);
        p[1] = static_cast<std::uint8_t>(n);
        for (std::size_t i = 0; i < n; ++i) {
            std::uint8_t *e = p.data() + kListHead + 2 * i;
            e[0] = in.bChannels[i].output;
            e[1] = in.bChannels[i].result;
        }
        break;
    }
    case kResultBerTest:
        writeBerResults(p.data(), newFirmware, in.ber);
        break;
    default: {
        X25Results counters = in.x25;
        for (std::size_t i = 0; i < kX25Counters; ++i)
            writeU32(p.data() + 2 + 4 * i, *x25Counter(counters, i));
        break;
    }
    }
    return p;
}

} // namespace qv
