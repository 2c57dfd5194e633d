#pragma once
// The names a result report gives to the values of a test's records. Entries are in index
// order; several carry trailing blanks so that the report's columns line up.
#include <cstdint>
#include <span>
#include <string_view>

namespace qv::results {

using NameTable = std::span<const char *const>;

// The entry at index; "?" at or beyond the table's end.
std::string_view nameOf(NameTable table, unsigned index);

extern const NameTable kModeNames;
extern const NameTable kProtocolNames;
extern const NameTable kInterfaceNames;
extern const NameTable kYesNoNames;
extern const NameTable kChannelNames;
extern const NameTable kBerPatternNames;
extern const NameTable kErrorInsertionNames;
extern const NameTable kTxModeNames;
extern const NameTable kSupplementaryServiceNames;
extern const NameTable kBChannelOutputNames;
extern const NameTable kX25NetworkNames;
extern const NameTable kCugNames;
extern const NameTable kTeiAssignmentNames;
extern const NameTable kL2EstablishmentNames;
extern const NameTable kPacketLengthNames;
extern const NameTable kPacketCountNames;
extern const NameTable kThroughputNames;
extern const NameTable kDteDceNames;
extern const NameTable kAocVariantNames;
extern const NameTable kSupplementaryStateNames;

// Why the test ended: 1 to 5 name a cause, any other value is a normal end.
std::string_view endReasonName(unsigned reason);

// Index of the advice-of-charge service in the supplementary-service table.
inline constexpr unsigned kAocService = 7;
inline constexpr std::string_view kUnknownState = "??????????";

// Protocol values with labels of their own.
bool protocolUsesSpid(unsigned protocol);      // N-ISDN, ATT, DMS
bool protocolUsesExtension(unsigned protocol); // TN-1R6, 1TR6

// The service table of the protocol's family: the German national protocols, the North
// American ones, and every other protocol (Euro-ISDN and its relatives).
NameTable serviceTableOf(unsigned protocol);
// The service's name: "User    " for a user-defined service, "Unknown " for 255, "?" beyond
// the table.
std::string_view serviceName(unsigned protocol, unsigned service);

} // namespace qv::results
