#include "results/ResultReport.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "results/ResultTables.h"

namespace qv {

namespace {

using namespace results;

constexpr const char *kEnd = "\r\n";
constexpr const char *kContinuation = "                    "; // under a value, 20 blanks
constexpr std::size_t kOctetsPerLine = 16;
constexpr long kSecondsPerDay = 86400;
// A test shorter than this says nothing about G.821 conformance.
constexpr long kG821MinimumSeconds = 900;
// G.821 objectives, in hundredths of a percent.
constexpr unsigned kEsObjective = 800;  // 8 %
constexpr unsigned kSesObjective = 20;  // 0.2 %
constexpr unsigned kDmObjective = 1000; // 10 %
constexpr unsigned kAllUnavailable = 10000;
constexpr std::uint32_t kLargestCount = 999999;

__attribute__((format(printf, 2, 3))) void appendf(std::string &out, const char *format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n > 0)
        out.append(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1));
}

void line(std::string &out, const char *label, std::string_view value) {
    out += label;
    out += value;
    out += kEnd;
}

void numberLine(std::string &out, const char *label, long value) {
    out += label;
    appendf(out, "%ld", value);
    out += kEnd;
}

void counterLine(std::string &out, const char *label, std::uint32_t value) {
    out += label;
    appendf(out, "%lu", static_cast<unsigned long>(value));
    out += kEnd;
}

// A section after the first: an empty line, the heading and its underline.
void heading(std::string &out, const char *headingAndUnderline) {
    out += kEnd;
    out += headingAndUnderline;
    out += kEnd;
}

std::string hexOctets(const std::vector<std::uint8_t> &octets) {
    std::string text;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            text += ' ';
        appendf(text, "%02X", octets[i]);
    }
    return text;
}

// Facilities, sixteen octets a line, further lines under the first value.
void facilitiesLine(std::string &out, const std::vector<std::uint8_t> &octets) {
    out += "     Facilities   : ";
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i > 0)
            out += i % kOctetsPerLine == 0 ? std::string(kEnd) + kContinuation : " ";
        appendf(out, "%02X", octets[i]);
    }
    out += kEnd;
}

std::string testTimeText(const CaptureDateTime &t) {
    std::string text;
    appendf(text, "%02d/%02d/%02d - %02d:%02d:%02d", t.day, t.month, t.year % 100, t.hour, t.minute,
            t.second);
    return text;
}

// The B-channel test's kind is kept in the channel field.
const char *bChannelTitle(std::uint16_t kind) {
    switch (kind) {
    case kBChannelSequenceTest:
        return "      B Channel Sequence test result";
    case kBChannelMultipleCallTest:
        return "      B Channel Multiple Call test result";
    case kBChannelInputOutputTest:
        return "      B Channel Input/Output  test result";
    default:
        return "      B Channel test result";
    }
}

constexpr long kMonthStarts[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool isLeapYear(unsigned twoDigitYear) {
    return twoDigitYear % 4 == 0;
}

std::optional<long> secondsIntoYear(const CaptureDateTime &t) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59)
        return std::nullopt;
    long days = kMonthStarts[t.month - 1] + t.day;
    if (isLeapYear(t.year % 100) && t.month > 2)
        ++days;
    return ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

} // namespace

std::optional<long> testDurationSeconds(const CaptureDateTime &start, const CaptureDateTime &stop) {
    const std::optional<long> from = secondsIntoYear(start);
    const std::optional<long> to = secondsIntoYear(stop);
    if (!from || !to)
        return std::nullopt;
    long seconds = *to - *from;
    // Two-digit years: a test that runs into a new century has passed one year, not -99.
    const unsigned startYear = start.year % 100;
    const unsigned yearsPassed = (stop.year % 100 + 100 - startYear) % 100;
    for (unsigned k = 0; k < yearsPassed; ++k)
        seconds += (isLeapYear((startYear + k) % 100) ? 366 : 365) * kSecondsPerDay;
    if (seconds < 0)
        return std::nullopt;
    return seconds;
}

std::string durationText(long seconds) {
    const long days = seconds / kSecondsPerDay;
    const long hours = seconds % kSecondsPerDay / 3600;
    const long minutes = seconds % 3600 / 60;
    const long rest = seconds % 60;
    std::string text;
    if (days > 0)
        appendf(text, "%ld %s %02ld:%02ld:%02ld", days, "d.", hours, minutes, rest);
    else
        appendf(text, "%02ld:%02ld:%02ld", hours, minutes, rest);
    return text;
}

ResultReport::ResultReport(int type, const ResultInstrument &instrument, const TestRecords &records,
                           bool newFirmware)
    : type_(type), instrument_(instrument), records_(records), config_(records.configuration),
      newFirmware_(newFirmware) {}

std::span<const ReportSection> ResultReport::sectionsOf(int type) {
    using enum ReportSection;
    static constexpr ReportSection kService[] = {Header, Setup, Phone, TestResult, Service};
    static constexpr ReportSection kSupplementary[] = {Header, Phone, TestResult,
                                                       SupplementaryServices};
    static constexpr ReportSection kBer[] = {Header, TestConfiguration, Phone, TestResult,
                                             Rates,  AlarmsAndVerdict};
    static constexpr ReportSection kX25[] = {
        X25Header,     X25Installation, IsdnInstallation,   GeneratorConfiguration,
        Communication, TestResult,      PacketLevelResults, FrameLevelResults};
    static constexpr ReportSection kBChannel[] = {Header, Phone, TestResult, BChannel};
    switch (type) {
    case kResultServiceTest:
        return kService;
    case kResultSupplementaryServiceTest:
        return kSupplementary;
    case kResultBerTest:
        return kBer;
    case kResultX25DTest:
    case kResultX25BTest:
        return kX25;
    case kResultBChannelTest:
        return kBChannel;
    default:
        return {};
    }
}

void ResultReport::append(ReportSection section, std::string &out) {
    switch (section) {
    case ReportSection::Header:
        return header(out);
    case ReportSection::Setup:
        return setup(out);
    case ReportSection::Phone:
        return phone(out);
    case ReportSection::TestResult:
        return testResult(out);
    case ReportSection::Service:
        return service(out);
    case ReportSection::SupplementaryServices:
        return supplementaryServices(out);
    case ReportSection::TestConfiguration:
        return testConfiguration(out);
    case ReportSection::Rates:
        return rates(out);
    case ReportSection::AlarmsAndVerdict:
        return alarmsAndVerdict(out);
    case ReportSection::BChannel:
        return bChannel(out);
    case ReportSection::X25Header:
        return x25Header(out);
    case ReportSection::X25Installation:
        return x25Installation(out);
    case ReportSection::IsdnInstallation:
        return isdnInstallation(out);
    case ReportSection::GeneratorConfiguration:
        return generatorConfiguration(out);
    case ReportSection::Communication:
        return communication(out);
    case ReportSection::PacketLevelResults:
        return packetLevelResults(out);
    case ReportSection::FrameLevelResults:
        return frameLevelResults(out);
    }
}

// The maker and the instrument, then three empty lines.
void ResultReport::instrumentLines(std::string &out) const {
    if (instrument_.lvt60 && !instrument_.named) {
        out += "Vennmark                  LVT-60";
    } else if (instrument_.hardwareNumber) {
        appendf(out, "Vennmark       %s      %s ", instrument_.name.c_str(),
                instrument_.version.c_str());
        out += "\r\n\r\nHardware number: " + instrument_.number;
    } else if (instrument_.named) {
        appendf(out, "Vennmark       %s", instrument_.name.c_str());
        out += "\r\n\r\nSerial number: " + instrument_.number;
    } else {
        out += "Vennmark                  LVT-30";
    }
    out += "\r\n\r\n\r\n\r\n";
}

void ResultReport::header(std::string &out) const {
    instrumentLines(out);
    switch (type_) {
    case kResultBerTest:
        out += "              ISDN BER G821 Test result";
        break;
    case kResultServiceTest:
        out += "              Automatic service test";
        break;
    case kResultBChannelTest:
        out += bChannelTitle(config_.channel);
        break;
    default:
        out += "      Automatic supplementary service test";
        break;
    }
    out += "\r\n\r\nInstallation\r\n------------\r\n";
    line(out, "     Mode         : ", nameOf(kModeNames, config_.mode));
    line(out, "     Own address  : ", config_.ownAddress);
    const char *subAddressLabel = protocolUsesExtension(config_.protocol) ? "     Extension    : "
                                  : protocolUsesSpid(config_.protocol)    ? "     SPID         : "
                                                                          : "     Sub-address  : ";
    line(out, subAddressLabel, config_.subAddress);
    line(out, "     Protocol     : ", nameOf(kProtocolNames, config_.protocol));
    line(out, "     Interface    : ", nameOf(kInterfaceNames, config_.interfaceMode));
    if (config_.interfaceMode == 1)
        numberLine(out, "     TEI value    : ", config_.tei);
}

void ResultReport::setup(std::string &out) const {
    heading(out, "Setup\r\n-----");
    for (std::size_t u = 0; u < kServiceUsers; ++u) {
        const ServiceTestUser &user = config_.users[u];
        appendf(out, "     User%zu  : ", u + 1);
        out += user.number;
        out += kEnd;
        line(out, "     BC     : ", hexOctets(user.bc));
        line(out, "     HLC    : ", hexOctets(user.hlc));
        line(out, "     SIN    : ", hexOctets(user.sin));
        line(out, "     LLC    : ", hexOctets(user.llc));
    }
}

void ResultReport::phone(std::string &out) const {
    heading(out, "Phone\r\n-----");
    line(out, "     Address      : ", config_.calledAddress);
    if (!protocolUsesSpid(config_.protocol) && !protocolUsesExtension(config_.protocol))
        line(out, "     Sub-address  : ", config_.calledSubAddress);
    if (type_ == kResultSupplementaryServiceTest || type_ == kResultBerTest ||
        type_ == kResultBChannelTest)
        line(out, "     Service      : ", serviceName(config_.protocol, config_.service));
    std::string channel;
    if (type_ == kResultBerTest && config_.channel == 0)
        channel = "B1 + B2";
    else if (config_.channel >= 1 && config_.channel <= 31)
        appendf(channel, "B%d", config_.channel);
    else
        channel = "Bx";
    line(out, "     Channel      : ", channel);
    line(out, "     SelfCall     : ", nameOf(kYesNoNames, config_.selfCall));
    line(out, "     UUI          : ", config_.uui);
}

void ResultReport::testResult(std::string &out) {
    heading(out, "Test result\r\n-----------");
    line(out, "     Start        : ", testTimeText(config_.start));
    out += "     Stop         : " + testTimeText(config_.stop) + "     ";
    line(out, "", endReasonName(config_.endReason));
    duration_ = testDurationSeconds(config_.start, config_.stop);
    line(out, "     Duration     : ", duration_ ? durationText(*duration_) : "?");
}

void ResultReport::service(std::string &out) const {
    heading(out, "Service\r\n-------");
    for (const ServiceOutcome &s : records_.services) {
        out += "     ";
        out += serviceName(config_.protocol, s.service);
        out += ": ";
        if (s.outcome == 0)
            out += "Passed";
        else if (s.cause != 0)
            appendf(out, "Failed, cause %d", s.cause);
        else
            out += "Failed";
        out += kEnd;
    }
}

void ResultReport::supplementaryServices(std::string &out) const {
    heading(out, "Supplementary Services\r\n----------------------");
    for (const SupplementaryOutcome &s : records_.supplementary) {
        out += "     ";
        out += nameOf(kSupplementaryServiceNames, s.service);
        out += ": ";
        out += s.state < kSupplementaryStateNames.size() ? kSupplementaryStateNames[s.state]
                                                         : kUnknownState;
        // An available advice of charge names the variant the network gives.
        if (s.service == kAocService && s.state == 0)
            out += nameOf(kAocVariantNames, s.aocVariant);
        out += kEnd;
    }
}

void ResultReport::testConfiguration(std::string &out) const {
    const BerSetup &ber = config_.ber;
    heading(out, "Test configuration\r\n------------------");
    line(out, "     Pattern      : ", nameOf(kBerPatternNames, ber.pattern));
    line(out, "     Word         : ", ber.word);
    if (ber.errorInsertion == 0)
        numberLine(out, "     Insert. Error: ", ber.insertedErrors);
    else
        line(out, "     Insert. Error: ", nameOf(kErrorInsertionNames, ber.errorInsertion));
    line(out, "     Tx mode      : ", nameOf(kTxModeNames, ber.txMode));
    line(out, "     HRX  %       : ", ber.hrx);
    if (config_.berThresholdShown) {
        std::string threshold;
        if (config_.berThreshold == 0)
            threshold = "infinite";
        else if (config_.berThreshold <= 9)
            appendf(threshold, "1E-%d", 10 - config_.berThreshold);
        else
            threshold = "?";
        line(out, "     BER Th       : ", threshold);
    }
}

bool ResultReport::esFailed() const {
    return records_.ber.esRate > kEsObjective;
}
bool ResultReport::sesFailed() const {
    return records_.ber.sesRate > kSesObjective;
}
bool ResultReport::dmFailed() const {
    return records_.ber.dmRate > kDmObjective;
}

void ResultReport::rates(std::string &out) const {
    const BerResults &r = records_.ber;
    heading(out, "                     Rate         Count\r\n"
                 "                     ----         -----");
    struct Rate {
        const char *label;
        bool judged, failed;
        std::uint16_t rate;
        std::uint32_t count;
    };
    const Rate rows[] = {
        {"EFS", false, false, r.efsRate, r.efs},      {"ES ", true, esFailed(), r.esRate, r.es},
        {"SES", true, sesFailed(), r.sesRate, r.ses}, {"US ", false, false, r.usRate, r.us},
        {"DM ", true, dmFailed(), r.dmRate, r.dm},
    };
    for (const Rate &row : rows) {
        out += row.judged ? (row.failed ? "    #" : "     ") : "     ";
        out += row.label;
        out += "          :";
        appendf(out, " %6.2f", row.rate / 100.0);
        out += "%     ";
        if (row.count > kLargestCount)
            out += ">999999";
        else
            appendf(out, " %6lu", static_cast<unsigned long>(row.count));
        out += kEnd;
    }
    const double ratio =
        r.bitsReceived == 0 ? 0.0 : static_cast<double>(r.bitErrors) / r.bitsReceived;
    const unsigned code = config_.berThreshold;
    const bool overThreshold = config_.berThresholdShown && code >= 1 && code <= 9 &&
                               ratio > std::pow(10.0, -(10.0 - code));
    out += overThreshold ? "    #Bit Error    : " : "     Bit Error    : ";
    appendf(out, "%6.1E", ratio);
    out += "      ";
    if (r.bitErrors <= kLargestCount)
        appendf(out, "%6.0f", static_cast<double>(r.bitErrors));
    else
        appendf(out, "%6.1E", static_cast<double>(r.bitErrors));
    out += kEnd;
}

void ResultReport::alarmsAndVerdict(std::string &out) const {
    const BerResults &r = records_.ber;
    heading(out, "     Alarm Count\r\n     -----------");
    struct Alarm {
        const char *label;
        std::uint16_t count;
    };
    // Only the newer firmware counts layer-1 alarms.
    const Alarm alarms[] = {{"ALL-0     ", r.all0},
                            {"ALL-1     ", r.all1},
                            {"SYNC      ", r.sync},
                            {"SLIP      ", r.slip},
                            {"L1        ", r.l1}};
    const std::size_t shown = newFirmware_ ? std::size(alarms) : std::size(alarms) - 1;
    for (std::size_t i = 0; i < shown; ++i) {
        out += "     ";
        out += alarms[i].label;
        appendf(out, "   : %-5d", alarms[i].count);
        out += kEnd;
    }
    if (!duration_ || *duration_ < kG821MinimumSeconds)
        return;
    out += kEnd;
    if (r.usRate == kAllUnavailable)
        out += "                    G821 : 100 % US";
    else if (esFailed() || sesFailed() || dmFailed())
        out += "                   G821 NOT CONFORMED ";
    else
        out += "                   G821 CONFORMED ";
    out += kEnd;
}

void ResultReport::bChannel(std::string &out) const {
    heading(out, "B Channel\r\n----------");
    for (const BChannelOutcome &b : records_.bChannels) {
        out += "     ";
        out += nameOf(kBChannelOutputNames, b.output);
        out += ": ";
        out += b.result == 0 ? "Passed" : kUnknownState;
        out += kEnd;
    }
}

void ResultReport::x25Header(std::string &out) const {
    instrumentLines(out);
    out += type_ == kResultX25DTest ? "                    X.25/D Test result        "
                                    : "                    X.25/B Test result        ";
    out += kEnd;
}

void ResultReport::x25Installation(std::string &out) const {
    const X25Setup &x = config_.x25;
    heading(out, "X.25 Installation\r\n-----------------");
    line(out, "     Mode         : ", nameOf(kModeNames, config_.mode));
    line(out, "     Own address  : ", x.ownAddress);
    line(out, "     Sub-address  : ", x.subAddress);
    line(out, "     Protocol     : ", nameOf(kX25NetworkNames, x.network));
    line(out, "     TOA/NPI      : ", nameOf(kYesNoNames, x.toaNpi));
    line(out, "     TEI mode     : ", nameOf(kTeiAssignmentNames, x.teiMode));
    numberLine(out, "     TEI value    : ", x.tei);
    numberLine(out, "     Frame Window : ", x.frameWindow);
    numberLine(out, "     Packet Window: ", x.packetWindow);
    numberLine(out, "     Nb of LCN    : ", x.lcnCount);
    line(out, "     LCN 0        : ", nameOf(kYesNoNames, x.lcn0));
    line(out, "     CUG          : ", nameOf(kCugNames, x.cug));
    line(out, "     NUI          : ", x.nui);
    facilitiesLine(out, x.facilities);
    line(out, "     L2 Estab.    : ", nameOf(kL2EstablishmentNames, x.l2Establishment));
    line(out, "     DTE/DCE      : ", nameOf(kDteDceNames, x.dteDce));
    line(out, "     Add PH       : ", nameOf(kYesNoNames, x.addPh));
    line(out, "     Add/BCPkt    : ", nameOf(kYesNoNames, x.addBcPacket));
}

void ResultReport::isdnInstallation(std::string &out) const {
    heading(out, "ISDN Installation\r\n-----------------");
    line(out, "     Own address  : ", config_.ownAddress);
    line(out, "     Sub-address  : ", config_.subAddress);
    line(out, "     Protocol     : ", nameOf(kProtocolNames, config_.protocol));
    line(out, "     Interface    : ", nameOf(kInterfaceNames, config_.interfaceMode));
    numberLine(out, "     TEI value    : ", config_.tei);
}

void ResultReport::generatorConfiguration(std::string &out) const {
    const X25Setup &x = config_.x25;
    heading(out, "Generator Configuration\r\n-----------------------");
    line(out, "     Packet length: ", nameOf(kPacketLengthNames, x.packetLength));
    line(out, "     Nb of packets: ", nameOf(kPacketCountNames, x.packets));
    line(out, "     Echo         : ", nameOf(kYesNoNames, x.echo));
    line(out, "     Check Data   : ", nameOf(kYesNoNames, x.checkData));
    line(out, "     Throughput   : ", nameOf(kThroughputNames, x.throughput));
}

void ResultReport::communication(std::string &out) const {
    const X25Setup &x = config_.x25;
    heading(out, "Communication\r\n-------------");
    line(out, "     Address      : ", config_.calledAddress);
    line(out, "     Sub-address  : ", config_.calledSubAddress);
    line(out, "     Channel      : ", nameOf(kChannelNames, config_.channel));
    numberLine(out, "     LCN Out      : ", x.lcnOut);
    numberLine(out, "     LCN In       : ", x.lcnIn);
    line(out, "     Thruput neg  : ", nameOf(kYesNoNames, x.throughputNegotiation));
    line(out, "     SelfCall     : ", nameOf(kYesNoNames, config_.selfCall));
    line(out, "     CUG          : ", x.callCug);
    line(out, "     NUI          : ", x.callNui);
    facilitiesLine(out, x.callFacilities);
}

void ResultReport::packetLevelResults(std::string &out) const {
    const X25Results &r = records_.x25;
    heading(out, "Packet Level Results\r\n--------------------");
    counterLine(out, "TX : Packets      : ", r.txPackets);
    counterLine(out, "     Packet Error : ", r.txPacketErrors);
    counterLine(out, "     Seq. Error   : ", r.txSequenceErrors);
    counterLine(out, "     Resets       : ", r.txResets);
    counterLine(out, "     Window full  : ", r.txWindowFull);
    counterLine(out, "     Rate         : ", r.txRate);
    counterLine(out, "RX : Packets      : ", r.rxPackets);
    counterLine(out, "     Packet Error : ", r.rxPacketErrors);
    counterLine(out, "     Seq. Error   : ", r.rxSequenceErrors);
    counterLine(out, "     Resets       : ", r.rxResets);
    counterLine(out, "     Diagnostics  : ", r.rxDiagnostics);
    counterLine(out, "     Rate         : ", r.rxRate);
}

void ResultReport::frameLevelResults(std::string &out) const {
    const X25Results &r = records_.x25;
    heading(out, "Frame Level Results\r\n-------------------");
    counterLine(out, "TX : Frames       : ", r.txFrames);
    counterLine(out, "     Retry        : ", r.txRetries);
    counterLine(out, "     Reject       : ", r.txRejects);
    counterLine(out, "     Window full  : ", r.txFrameWindowFull);
    counterLine(out, "RX : Frames       : ", r.rxFrames);
    counterLine(out, "     RNR          : ", r.rxRnr);
    counterLine(out, "     Reject       : ", r.rxRejects);
    counterLine(out, "     HDLC Error   : ", r.rxHdlcErrors);
}

} // namespace qv
