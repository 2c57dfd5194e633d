#include "results/ResultTables.h"

namespace qv::results {

namespace {

constexpr const char *kMode[] = {"TE     ", "monitor", "NT     ", "X25D/TE", "X25B/TE",
                                 "U/TE   ", "U/Smoni", "U/X25D ", "U/X25B "};
constexpr const char *kProtocol[] = {
    "Q931   ",    "EDSS-1 ",   "1TR67  ",    "VN3    ", "VN4    ", "TPH1962/1856", "BTNR191",
    "SN-2   ",    "TELEVER",   "NOKIA  ",    "NTT    ", "",        "V1     ",      "N-ISDN ",
    "ATT    ",    "DMS FCT",   "CORNET-T  ", "TN-1R6 ", "",        "QSIG   ",      "VN6    ",
    "CORNET-T  ", "CORNET-NQ", "CORNET-TS",  "SN-3   ", "1TR6   "};
constexpr const char *kInterface[] = {"auto TEI", "fix. TEI", "No prot."};
constexpr const char *kYesNo[] = {"Yes  ", "No   "};
constexpr const char *kChannel[] = {"Bx  ", "B1  ", "B2  ", "D   "};
constexpr const char *kBerPattern[] = {"2E11-1   ", "2E15-1   ", "word (16)", "inv2E11-1",
                                       "inv2E15-1", "2E9-1    ", "inv2E9-1 ", "2E6-1    ",
                                       "inv2E6-1 ", "2E4-1    ", "inv2E4-1 "};
constexpr const char *kErrorInsertion[] = {"manual ", "none   ", "1E-6   ", "1E-5   ",
                                           "1E-4   ", "1E-3   ", "1E-2   "};
constexpr const char *kTxMode[] = {"pattern", "Rx->Tx "};
constexpr const char *kSupplementaryService[] = {
    "none", "auto", "CLIP", "CLIR", "COLP", "COLR", "SUB ", "AOC ", "TP  ", "HOLD", "CFU ", "CFB ",
    "CFNR", "CUG ", "MSN ", "DDI ", "CD  ", "ECT ", "CW  ", "3PTY", "CCBS", "CONF", "MCID", "UUS "};
constexpr const char *kBChannelOutput[] = {
    "B01 OUT", "B02 OUT", "B03 OUT", "B04 OUT", "B05 OUT", "B06 OUT", "B07 OUT", "B08 OUT",
    "B09 OUT", "B10 OUT", "B11 OUT", "B12 OUT", "B13 OUT", "B14 OUT", "B15 OUT", "B16 OUT",
    "B17 OUT", "B18 OUT", "B19 OUT", "B20 OUT", "B21 OUT", "B22 OUT", "B23 OUT", "B24 OUT",
    "B25 OUT", "B26 OUT", "B27 OUT", "B28 OUT", "B29 OUT", "B30 OUT", "B31 OUT"};
constexpr const char *kX25Network[] = {"CCITT X25", "Transpac ", "Austpac  ", "X.25 1988",
                                       "P.V.C.   "};
constexpr const char *kCug[] = {"No     ", "Un./Un.", "In./Un.", "Na./Un."};
constexpr const char *kTeiAssignment[] = {"fixed", "auto "};
constexpr const char *kL2Establishment[] = {"permanen", "on deman"};
constexpr const char *kPacketLength[] = {"32 ", "64 ", "128", "256"};
constexpr const char *kPacketCount[] = {"1      ", "10     ", "100    ", "1000   ", "infinit"};
constexpr const char *kThroughput[] = {"300  ", "600  ", "1200 ", "2400 ",
                                       "4800 ", "9600 ", "19200"};
constexpr const char *kDteDce[] = {"DTE ", "auto"};
constexpr const char *kAocVariant[] = {"AOC-S",  "AOC-D",  "AOC-E",  "AOC-SD",
                                       "AOC-DE", "AOC-SE", "AOC-SDE"};
constexpr const char *kSupplementaryState[] = {"Available ", "Unavail.  ", "Failed"};

// Service names by protocol family. The German national protocols name their services by the
// 1TR6 service indicator.
constexpr const char *kGermanServices[] = {
    "auto    ", "speech  ", "ton 3.1K", "X21 Uc19", "fax G3  ", "fax G4  ", "Btx     ",
    "Ds 64k  ", "X25 Uc13", "teletex ", "mixed   ", "remote  ", "graph   ", "bild    ",
    "3.1k tel", "Fax 2/3 ", "Fax 4   ", "X.25B-K ", "7k tele ", "Btx 64k ", "Btx neu ",
    "Tele 64 ", "Bild 3.1", "user1   ", "user2   "};
constexpr const char *kNorthAmericanServices[] = {"auto    ", "speech  ", "3.1 KHz ", "data    ",
                                                  "data56Kb", "7KHz NFb", "Vtel NFb", "3.1KHzPI",
                                                  "speechBC", "data BC ", "user1   ", "user2   "};
constexpr const char *kEuroServices[] = {
    "auto    ", "speech  ", "3.1 KHz ", "data    ", "7k audio", "fax G3  ", "fax G4  ", "teletex ",
    "videotex", "mixed   ", "videocon", "speechBC", "data BC ", "3.1k aud", "user1   ", "user2   "};

constexpr const char *kEndReasons[] = {"Normal    ", "User Req. ", "Charger   ",
                                       "L1 failure", "Disconnect", "Empty accu"};

} // namespace

const NameTable kModeNames{kMode};
const NameTable kProtocolNames{kProtocol};
const NameTable kInterfaceNames{kInterface};
const NameTable kYesNoNames{kYesNo};
const NameTable kChannelNames{kChannel};
const NameTable kBerPatternNames{kBerPattern};
const NameTable kErrorInsertionNames{kErrorInsertion};
const NameTable kTxModeNames{kTxMode};
const NameTable kSupplementaryServiceNames{kSupplementaryService};
const NameTable kBChannelOutputNames{kBChannelOutput};
const NameTable kX25NetworkNames{kX25Network};
const NameTable kCugNames{kCug};
const NameTable kTeiAssignmentNames{kTeiAssignment};
const NameTable kL2EstablishmentNames{kL2Establishment};
const NameTable kPacketLengthNames{kPacketLength};
const NameTable kPacketCountNames{kPacketCount};
const NameTable kThroughputNames{kThroughput};
const NameTable kDteDceNames{kDteDce};
const NameTable kAocVariantNames{kAocVariant};
const NameTable kSupplementaryStateNames{kSupplementaryState};

std::string_view nameOf(NameTable table, unsigned index) {
    return index < table.size() ? table[index] : "?";
}

std::string_view endReasonName(unsigned reason) {
    return reason < std::size(kEndReasons) ? kEndReasons[reason] : kEndReasons[0];
}

bool protocolUsesSpid(unsigned protocol) {
    return protocol == 13 || protocol == 14 || protocol == 15;
}

bool protocolUsesExtension(unsigned protocol) {
    return protocol == 17 || protocol == 25;
}

NameTable serviceTableOf(unsigned protocol) {
    switch (protocol) {
    case 2:  // 1TR67
    case 17: // TN-1R6
    case 25: // 1TR6
        return NameTable{kGermanServices};
    case 13: // N-ISDN
    case 14: // ATT
    case 15: // DMS
        return NameTable{kNorthAmericanServices};
    default:
        return NameTable{kEuroServices};
    }
}

std::string_view serviceName(unsigned protocol, unsigned service) {
    if (service == 254)
        return "User    ";
    if (service == 255)
        return "Unknown ";
    return nameOf(serviceTableOf(protocol), service);
}

} // namespace qv::results
