#pragma once
// The text of a test result report, section by section. Lines end with CR LF; every section
// after the first is set off by an empty line.
#include <optional>
#include <span>
#include <string>

#include "results/ResultRecords.h"

namespace qv {

// The instrument as the result file's identification names it.
struct ResultInstrument {
    bool lvt60 = false;          // "LVT-60" identification
    bool hardwareNumber = false; // a monitor-family identification with a hardware number
    bool named = false;          // the identification names the instrument and its number
    std::string name;
    std::string number; // serial number, or the hardware number
    std::string version;
};

enum class ReportSection {
    Header,
    Setup,
    Phone,
    TestResult,
    Service,
    SupplementaryServices,
    TestConfiguration,
    Rates,
    AlarmsAndVerdict,
    BChannel,
    X25Header,
    X25Installation,
    IsdnInstallation,
    GeneratorConfiguration,
    Communication,
    PacketLevelResults,
    FrameLevelResults,
};

// The seconds between two test times, each counted from the start of its (two-digit) year;
// none when a date is not a date or the stop lies before the start.
std::optional<long> testDurationSeconds(const CaptureDateTime &start, const CaptureDateTime &stop);
// "hh:mm:ss", or "N d. hh:mm:ss" from one day on.
std::string durationText(long seconds);

class ResultReport {
public:
    // The records as read, with protocol and mode already in today's numbering; newFirmware
    // tells a tester of the firmware that counts layer-1 alarms.
    ResultReport(int type, const ResultInstrument &instrument, const TestRecords &records,
                 bool newFirmware);

    // The sections of a report of the type, in order; empty for a type that is no result.
    static std::span<const ReportSection> sectionsOf(int type);
    void append(ReportSection section, std::string &out);
    // Set by the Test result section.
    std::optional<long> durationSeconds() const { return duration_; }

private:
    void header(std::string &out) const;
    void instrumentLines(std::string &out) const;
    void setup(std::string &out) const;
    void phone(std::string &out) const;
    void testResult(std::string &out);
    void service(std::string &out) const;
    void supplementaryServices(std::string &out) const;
    void testConfiguration(std::string &out) const;
    void rates(std::string &out) const;
    void alarmsAndVerdict(std::string &out) const;
    void bChannel(std::string &out) const;
    void x25Header(std::string &out) const;
    void x25Installation(std::string &out) const;
    void isdnInstallation(std::string &out) const;
    void generatorConfiguration(std::string &out) const;
    void communication(std::string &out) const;
    void packetLevelResults(std::string &out) const;
    void frameLevelResults(std::string &out) const;

    // G.821 objectives of the BER test.
    bool esFailed() const;
    bool sesFailed() const;
    bool dmFailed() const;

    int type_;
    const ResultInstrument &instrument_;
    const TestRecords &records_;
    const ResultConfiguration &config_;
    bool newFirmware_;
    std::optional<long> duration_;
};

} // namespace qv
