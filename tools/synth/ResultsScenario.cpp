#include "synth/ResultsScenario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/ByteOrder.h"
#include "base/FileReplace.h"
#include "results/TestResultFile.h"

namespace qv::synth {

namespace {

constexpr std::uint16_t kEdss1 = 1;
constexpr std::uint16_t kModeTe = 0;
constexpr std::uint16_t kModeX25D = 3;
constexpr std::uint16_t kModeX25B = 4;
constexpr std::uint16_t kYear = 2026;
constexpr std::uint8_t kYes = 0, kNo = 1;

ResultInstrument instrumentOf(ResultInstrumentKind kind, const std::string &firmware) {
    ResultInstrument i;
    i.lvt60 = kind == ResultInstrumentKind::Lvt60 || kind == ResultInstrumentKind::Lvt60Anonymous;
    i.hardwareNumber = kind == ResultInstrumentKind::HardwareNumber;
    i.version = firmware;
    return i;
}

// The value the firmware stores for a value of today's numbering.
std::uint16_t storedAs(std::uint16_t value, const ResultInstrument &instrument,
                       std::uint16_t (*remap)(std::uint16_t, const ResultInstrument &)) {
    for (std::uint16_t stored = 0; stored < 256; ++stored)
        if (remap(stored, instrument) == value)
            return stored;
    return value;
}

StoredFileDescription identificationOf(ResultInstrumentKind kind, const std::string &firmware) {
    StoredFileDescription d;
    switch (kind) {
    case ResultInstrumentKind::Lvt30:
        d.identity = StoredIdentity::Lvt30;
        d.instrumentName = "LVT-30";
        d.serialNumber = "LV456";
        d.firstVersion = firmware;
        d.secondVersion = "B2.10";
        break;
    case ResultInstrumentKind::Lvt30Anonymous:
        d.identity = StoredIdentity::Lvt30Anonymous;
        break;
    case ResultInstrumentKind::Lvt60:
    case ResultInstrumentKind::Lvt60Anonymous:
        d.identity = StoredIdentity::Lvt60;
        d.serialPrefix = {'Q', 'V'};
        d.serialValue = kind == ResultInstrumentKind::Lvt60 ? 7 : 0;
        break;
    case ResultInstrumentKind::HardwareNumber:
        d.identity = StoredIdentity::Ksm;
        d.instrumentName = "KSM-2";
        d.firstVersion = firmware;
        d.secondVersion = "B1.07";
        d.ksmSerial = {0x00, 0x10, 0x4A, 0x2F, 0x00, 0x00, 0x13, 0x88};
        break;
    }
    return d;
}

void installation(ResultConfiguration &c, std::uint16_t mode) {
    c.mode = mode;
    c.protocol = kEdss1;
    c.ownAddress = "0612345678";
    c.subAddress = "12";
    c.interfaceMode = 1; // fixed TEI
    c.tei = 12;
    c.calledAddress = "0612345679";
    c.calledSubAddress = "34";
    c.selfCall = kNo;
}

void serviceTest(TestRecords &r) {
    ResultConfiguration &c = r.configuration;
    c.marker = 'S';
    c.start = {12, 3, kYear, 9, 30, 0};
    c.stop = {12, 3, kYear, 9, 41, 27};
    installation(c, kModeTe);
    c.users[0] = {"0612345679", {0x04, 0x03, 0x80, 0x90, 0xA3}, {0x7D, 0x02, 0x91, 0x81}, {}, {}};
    c.users[1] = {"0612345680",
                  {0x04, 0x02, 0x88, 0x90},
                  {0x7D, 0x02, 0x91, 0xA1},
                  {},
                  {0x7C, 0x03, 0x88, 0x90, 0xA6}};
    c.users[2] = {"0612345681", {0x04, 0x03, 0x90, 0x90, 0xA3}, {0x7D, 0x02, 0x91, 0x84}, {}, {}};
    // speech, 3.1 kHz, data, 7 kHz audio, fax group 3 and 4, teletex, videotex, user-defined.
    r.services = {{1, 0, 0},  {2, 0, 0}, {3, 0, 0},
                  {4, 1, 65}, {5, 0, 0}, {6, 1, 88},
                  {7, 1, 0},  {8, 0, 0}, {kUserDefinedService, 0, 0}};
}

void supplementaryTest(TestRecords &r) {
    ResultConfiguration &c = r.configuration;
    c.marker = 'A';
    c.start = {12, 3, kYear, 10, 2, 10};
    c.stop = {12, 3, kYear, 10, 6, 55};
    installation(c, kModeTe);
    c.service = 1; // speech
    c.uui = "QV test";
    constexpr std::uint8_t kAvailable = 0, kUnavailable = 1, kFailed = 2;
    constexpr std::uint8_t kAocDe = 4;
    r.supplementary = {{2, kAvailable, 0},    {3, kAvailable, 0},    {4, kUnavailable, 0},
                       {5, kUnavailable, 0},  {6, kAvailable, 0},    {7, kAvailable, kAocDe},
                       {8, kFailed, 0},       {9, kAvailable, 0},    {10, kAvailable, 0},
                       {11, kAvailable, 0},   {12, kUnavailable, 0}, {14, kAvailable, 0},
                       {17, kUnavailable, 0}, {18, kAvailable, 0},   {19, kAvailable, 0},
                       {22, kUnavailable, 0}};
}

// A quarter of an hour on both B channels of a good line, or, with longRun, a day and an hour
// on one B channel of a line that fails its severely errored seconds.
void berTest(TestRecords &r, bool longRun) {
    ResultConfiguration &c = r.configuration;
    c.marker = 'E';
    installation(c, kModeTe);
    c.service = 3; // data
    c.selfCall = kYes;
    c.ber.pattern = 1; // 2E15-1
    c.ber.errorInsertion = 1;
    c.ber.txMode = 0;
    c.ber.word = "1010101010101010";
    c.ber.hrx = "15";
    BerResults &b = r.ber;
    if (!longRun) {
        c.start = {12, 3, kYear, 14, 0, 0};
        c.stop = {12, 3, kYear, 14, 15, 0};
        c.channel = 0;
        b.efs = 893;
        b.es = 7;
        b.efsRate = 9922;
        b.esRate = 78;
        b.bitErrors = 23;
        b.bitsReceived = 900ull * 128000;
        b.sync = 1;
        return;
    }
    c.start = {11, 3, kYear, 18, 0, 0};
    c.stop = {12, 3, kYear, 19, 2, 3}; // 90123 seconds
    c.channel = 1;
    c.endReason = 1; // stopped by the user
    b.efs = 88873;
    b.es = 1250;
    b.ses = 215;
    b.dm = 130;
    b.efsRate = 9861;
    b.esRate = 139;
    b.sesRate = 24;
    b.dmRate = 866;
    b.bitErrors = 1843212;
    b.bitsReceived = 90123ull * 64000;
    b.all1 = 2;
    b.sync = 14;
    b.slip = 3;
    b.l1 = 1;
}

void x25Test(TestRecords &r, bool dChannel) {
    ResultConfiguration &c = r.configuration;
    c.marker = dChannel ? 'D' : 'B';
    c.start = {12, 3, kYear, 15, 20, 0};
    c.stop = {12, 3, kYear, 15, 35, 40};
    installation(c, dChannel ? kModeX25D : kModeX25B);
    c.interfaceMode = dChannel ? 0 : 1;
    c.tei = dChannel ? 0 : 12;
    c.calledAddress = "208098765432";
    c.calledSubAddress = "";
    c.channel = dChannel ? 3 : 1; // D, B1
    X25Setup &x = c.x25;
    x.ownAddress = "208012345678";
    x.subAddress = "01";
    x.network = 1; // Transpac
    x.toaNpi = kNo;
    x.teiMode = 1;
    x.tei = 72;
    x.frameWindow = 7;
    x.packetWindow = 2;
    x.lcnCount = 4;
    x.lcn0 = kNo;
    x.cug = 0;
    x.nui = "TRP12345";
    x.facilities = {0x42, 0x07, 0x07, 0x43, 0x02, 0x02};
    x.l2Establishment = 0;
    x.dteDce = 0;
    x.addPh = kYes;
    x.addBcPacket = kNo;
    x.packetLength = 2; // 128
    x.packets = 3;      // 1000
    x.echo = kYes;
    x.checkData = kYes;
    x.throughput = dChannel ? 5 : 6; // 9600, 19200
    x.lcnOut = 1;
    x.lcnIn = 1;
    x.throughputNegotiation = kYes;
    x.callNui = "TRP12345";
    // NUI, packet size 128/128, window 2/2, throughput class 9600/9600.
    x.callFacilities = {0xC6, 0x08, 'T',  'R',  'P',  '1',  '2',  '3',  '4',
                        '5',  0x42, 0x07, 0x07, 0x43, 0x02, 0x02, 0x02, 0xBB};
    X25Results &s = r.x25;
    s.txPackets = 1000;
    s.txWindowFull = 3;
    s.txRate = dChannel ? 7840 : 15620;
    s.rxPackets = 1000;
    s.rxResets = 1;
    s.rxDiagnostics = 1;
    s.rxRate = dChannel ? 7790 : 15580;
    s.txFrames = 1012;
    s.txRetries = 2;
    s.txFrameWindowFull = 5;
    s.rxFrames = 1015;
    s.rxRnr = 1;
}

void bChannelTest(TestRecords &r) {
    ResultConfiguration &c = r.configuration;
    c.marker = 'C';
    c.start = {12, 3, kYear, 11, 0, 0};
    c.stop = {12, 3, kYear, 11, 3, 12};
    installation(c, kModeTe);
    c.channel = kBChannelSequenceTest;
    c.service = 1;
    for (std::uint8_t output = 0; output < 30; ++output)
        r.bChannels.push_back({output, static_cast<std::uint8_t>(output == 16 ? 1 : 0)});
}

} // namespace

int resultKindType(std::string_view name) {
    for (const ResultKind &k : kResultKinds)
        if (name == k.name)
            return k.type;
    return 0;
}

bool resultInstrumentOf(std::string_view name, ResultInstrumentKind &out) {
    for (const ResultInstrumentName &i : kResultInstruments)
        if (name == i.name) {
            out = i.kind;
            return true;
        }
    return false;
}

std::string newestFirmware(ResultInstrumentKind instrument) {
    switch (instrument) {
    case ResultInstrumentKind::Lvt60:
    case ResultInstrumentKind::Lvt60Anonymous:
        return "V05.02";
    case ResultInstrumentKind::Lvt30Anonymous:
        return {};
    default:
        return "V09.02";
    }
}

ResultFileContent resultScenario(int type, ResultInstrumentKind instrument,
                                 const std::string &firmware) {
    ResultFileContent f;
    f.type = type;
    f.firmware = instrument == ResultInstrumentKind::Lvt30Anonymous ? std::string()
                 : firmware.empty()                                 ? newestFirmware(instrument)
                                                                    : firmware;
    f.layout = instrument == ResultInstrumentKind::Lvt60 ||
                       instrument == ResultInstrumentKind::Lvt60Anonymous
                   ? ResultLayout::Lvt60
               : instrument == ResultInstrumentKind::HardwareNumber ? ResultLayout::HardwareNumber
                                                                    : ResultLayout::Lvt30;
    f.identification = identificationOf(instrument, f.firmware);
    const ResultInstrument reader = instrumentOf(instrument, f.firmware);
    f.newFirmware = isNewFirmware(reader);
    switch (type) {
    case kResultServiceTest:
        serviceTest(f.records);
        break;
    case kResultSupplementaryServiceTest:
        supplementaryTest(f.records);
        break;
    case kResultX25DTest:
    case kResultX25BTest:
        x25Test(f.records, type == kResultX25DTest);
        break;
    case kResultBChannelTest:
        bChannelTest(f.records);
        break;
    default:
        berTest(f.records, f.layout == ResultLayout::Lvt60);
        break;
    }
    ResultConfiguration &c = f.records.configuration;
    c.protocol = storedAs(c.protocol, reader, remapProtocol);
    c.mode = storedAs(c.mode, reader, remapMode);
    if (f.layout == ResultLayout::Lvt60) {
        c.start.year %= 100;
        c.stop.year %= 100;
    }
    // An identification without a name starts its dates at content byte 6, the byte that tells
    // whether a name is there: a start day would read as a name, so such a block has no dates.
    if (instrument != ResultInstrumentKind::Lvt30Anonymous) {
        f.identification.start = c.start;
        f.identification.end = c.stop;
    }
    return f;
}

void setBerThreshold(ResultFileContent &content, std::uint8_t code) {
    content.records.configuration.berThresholdShown = true;
    content.records.configuration.berThreshold = code;
}

std::vector<std::uint8_t> resultFileBytes(const ResultFileContent &f) {
    const std::vector<std::uint8_t> information = buildStoredInformationBlock(f.identification);
    const std::vector<std::uint8_t> prefix(information.begin(),
                                           information.begin() + recordPrefixSize(f.layout));
    const std::vector<std::uint8_t> records[] = {
        encodeConfiguration(f.type, f.layout, f.records.configuration, f.firmware),
        encodeResults(f.type, f.newFirmware, f.records),
    };
    std::vector<std::uint8_t> bytes;
    for (const std::vector<std::uint8_t> &record : records) {
        // The record head carries no time: only the data length.
        std::vector<std::uint8_t> content(8, 0);
        appendU16(content, static_cast<std::uint16_t>(prefix.size() + record.size()));
        content.insert(content.end(), prefix.begin(), prefix.end());
        content.insert(content.end(), record.begin(), record.end());
        appendFrameBlock(bytes, 1, content);
    }
    appendFrameBlock(bytes, 1, information);
    return bytes;
}

bool writeResultFile(const std::string &path, const ResultFileContent &content,
                     std::string &error) {
    const std::vector<std::uint8_t> bytes = resultFileBytes(content);
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    if (replaceFile(path, text) == FileReplaceResult::Done)
        return true;
    error = notWritten(path, errno);
    return false;
}

} // namespace qv::synth
