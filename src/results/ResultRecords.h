#pragma once
// The records of the testers' result files, read and written in one place. A result file is a
// stored file: record blocks of any data length, then the information block. The first record
// is the test's configuration, the record after it holds the test's results. RECORDS.md beside
// this file describes every byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/CaptureInfo.h"

namespace qv {

// Result types as the identification gives them.
inline constexpr int kResultServiceTest = 1;
inline constexpr int kResultSupplementaryServiceTest = 2;
inline constexpr int kResultBerTest = 3;
inline constexpr int kResultX25DTest = 4;
inline constexpr int kResultX25BTest = 5;
inline constexpr int kResultBChannelTest = 9;
bool isResultType(int type);

// How the instrument lays out the records: an LVT-30 starts them with their own content, an
// LVT-60 and an instrument with a hardware number with a copy of their identification.
enum class ResultLayout { Lvt30, Lvt60, HardwareNumber };
std::size_t recordPrefixSize(ResultLayout layout); // 0, 11 or 36

inline constexpr std::size_t kConfigurationSize = 446; // the common layout
inline constexpr std::size_t kBerThresholdConfigurationSize = 447;
inline constexpr std::size_t kLvt60ConfigurationSize = 434; // from data byte 11
inline constexpr std::size_t kTextFieldSize = 35;           // addresses
inline constexpr std::size_t kServiceUsers = 3;
inline constexpr std::size_t kMaxServiceOutcomes = 16;
inline constexpr std::size_t kMaxSupplementaryOutcomes = 24;
inline constexpr std::size_t kMaxBChannelOutcomes = 31;
inline constexpr std::size_t kMaxFacilityOctets = 32;

// Channel values with a meaning of their own: the kind of a B-channel test.
inline constexpr std::uint16_t kBChannelSequenceTest = 0xF1;
inline constexpr std::uint16_t kBChannelMultipleCallTest = 0xF2;
inline constexpr std::uint16_t kBChannelInputOutputTest = 0xF3;
// Service values with a meaning of their own.
inline constexpr std::uint8_t kUserDefinedService = 254;
inline constexpr std::uint8_t kUnknownService = 255;

// One of the three users of a service test, with the information elements it calls with,
// each held whole (identifier, length, contents).
struct ServiceTestUser {
    std::string number;
    std::vector<std::uint8_t> bc, hlc, sin, llc;
};

struct BerSetup {
    std::uint8_t pattern = 0;         // BER pattern table
    std::uint8_t errorInsertion = 1;  // error-insertion table; 0 = manual
    std::uint16_t insertedErrors = 0; // errors inserted by hand
    std::uint8_t txMode = 0;
    std::string word; // the 16-bit word pattern as binary digits
    std::string hrx;  // the HRX share in percent, as typed
};

struct X25Setup {
    std::string ownAddress, subAddress; // X.121
    std::uint8_t network = 0;           // X.25 network table
    std::uint8_t toaNpi = 1;            // Yes/No table
    std::uint8_t teiMode = 1;           // TEI assignment table
    std::uint8_t tei = 0;
    std::uint8_t frameWindow = 7, packetWindow = 2;
    std::uint16_t lcnCount = 1;
    std::uint8_t lcn0 = 1; // Yes/No
    std::uint8_t cug = 0;  // CUG table
    std::string nui;
    std::vector<std::uint8_t> facilities;
    std::uint8_t l2Establishment = 0, dteDce = 0; // their tables
    std::uint8_t addPh = 1, addBcPacket = 1;      // Yes/No
    // Generator.
    std::uint8_t packetLength = 2, packets = 2, echo = 0, checkData = 0, throughput = 5;
    // The call.
    std::uint16_t lcnOut = 1, lcnIn = 1;
    std::uint8_t throughputNegotiation = 1; // Yes/No
    std::string callCug, callNui;
    std::vector<std::uint8_t> callFacilities;
};

// The configuration record in the common layout, whatever layout the instrument wrote.
struct ResultConfiguration {
    char marker = 0;
    CaptureDateTime start, stop; // years as stored: four digits, or two from an LVT-60
    std::uint16_t mode = 0, endReason = 0, protocol = 0;
    std::string ownAddress, subAddress;
    std::uint16_t interfaceMode = 0, tei = 0;
    std::string calledAddress, calledSubAddress;
    std::uint16_t channel = 0;
    std::uint8_t service = 0;
    std::uint8_t selfCall = 1; // Yes/No table
    std::string uui;
    std::array<ServiceTestUser, kServiceUsers> users; // service test
    BerSetup ber;                                     // BER test
    X25Setup x25;                                     // X.25 tests
    bool berThresholdShown = false;                   // the 447-byte BER record
    std::uint8_t berThreshold = 0;                    // 0 infinite, 1 to 9: 1E-9 to 1E-1
};

struct ServiceOutcome {
    std::uint8_t service = 0; // the protocol's service table
    std::uint8_t outcome = 0; // 0 passed
    std::uint8_t cause = 0;   // the network's cause when it refused, 0 when none
};
struct SupplementaryOutcome {
    std::uint8_t service = 0;    // supplementary-service table
    std::uint8_t state = 0;      // 0 available, 1 unavailable, 2 failed
    std::uint8_t aocVariant = 0; // advice of charge: AOC-S .. AOC-SDE
};
struct BChannelOutcome {
    std::uint8_t output = 0; // 0 = B01 OUT
    std::uint8_t result = 0; // 0 passed
};

struct BerResults {
    std::uint32_t efs = 0, es = 0, ses = 0, us = 0, dm = 0;
    // Rates in hundredths of a percent, as the tester worked them out.
    std::uint16_t efsRate = 0, esRate = 0, sesRate = 0, usRate = 0, dmRate = 0;
    std::uint32_t bitErrors = 0;
    std::uint64_t bitsReceived = 0;
    std::uint16_t all0 = 0, all1 = 0, sync = 0, slip = 0;
    std::uint16_t l1 = 0; // newer firmware only
};

struct X25Results {
    std::uint32_t txPackets = 0, txPacketErrors = 0, txSequenceErrors = 0, txResets = 0,
                  txWindowFull = 0, txRate = 0;
    std::uint32_t rxPackets = 0, rxPacketErrors = 0, rxSequenceErrors = 0, rxResets = 0,
                  rxDiagnostics = 0, rxRate = 0;
    std::uint32_t txFrames = 0, txRetries = 0, txRejects = 0, txFrameWindowFull = 0;
    std::uint32_t rxFrames = 0, rxRnr = 0, rxRejects = 0, rxHdlcErrors = 0;
};

// Everything a result file carries besides its identification.
struct TestRecords {
    ResultConfiguration configuration;
    std::vector<ServiceOutcome> services;
    std::vector<SupplementaryOutcome> supplementary;
    std::vector<BChannelOutcome> bChannels;
    BerResults ber;
    X25Results x25;
};

// --- configuration record ------------------------------------------------------------------

// The data lengths a configuration record of this layout may have.
bool isConfigurationSize(int type, ResultLayout layout, std::size_t dataLength);

// The common layout (446 bytes, or 447 with the BER threshold code last) from the record's
// content after the identification copy: an LVT-60's own layout is converted field by field,
// and lvt60Version receives the firmware version it names.
std::vector<std::uint8_t> commonConfiguration(ResultLayout layout, const std::uint8_t *content,
                                              std::size_t size, std::string *lvt60Version);
// Reads the common layout; a shorter one reads as zeros where it ends.
ResultConfiguration parseConfiguration(int type, const std::vector<std::uint8_t> &common);

// The record content a tester writes (without the identification copy). The BER threshold
// code is written, in a 447-byte record, when berThresholdShown is set (LVT-30 layout only).
std::vector<std::uint8_t> encodeConfiguration(int type, ResultLayout layout,
                                              const ResultConfiguration &configuration,
                                              const std::string &lvt60Version);

// --- result record -------------------------------------------------------------------------

// The size of the result record's content; newer firmware adds the L1 alarm count of the BER
// test.
std::size_t resultRecordSize(int type, bool newFirmware);
// False when the record holds more entries than it has room for.
bool parseResults(int type, bool newFirmware, const std::uint8_t *content, std::size_t size,
                  TestRecords &out);
std::vector<std::uint8_t> encodeResults(int type, bool newFirmware, const TestRecords &records);

} // namespace qv
