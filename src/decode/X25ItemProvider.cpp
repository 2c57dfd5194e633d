#include "decode/X25ItemProvider.h"

#include <algorithm>
#include <cstdio>

#include "base/Numbers.h"
#include "base/Texts.h"
#include "decode/CISDN.h"
#include "decode/SummaryColumn.h"

namespace qv {

namespace {

struct TextEntry {
    int id;
    const char *text;
};

// Packet-type names, in table order: English from 1601, French from 1626.
constexpr TextEntry kNameTexts[] = {
    {1601, "DATA"},       {1602, "CALL.REQ"},   {1603, "IN.CALL"},    {1604, "CALL.ACC"},
    {1605, "CALL.CONN"},  {1606, "CLEAR.REQ"},  {1607, "CLEAR.IND"},  {1608, "CLEAR.CONF"},
    {1609, "INTR"},       {1610, "INTR.CONF"},  {1611, "RR"},         {1612, "RNR"},
    {1613, "REJ"},        {1614, "(REJ ?)"},    {1615, "RESET.REQ"},  {1616, "RESET.IND"},
    {1617, "RESET.CONF"}, {1618, "RSTRT.REQ"},  {1619, "RSTRT.IND"},  {1620, "RSTRT.CONF"},
    {1621, "DIAG"},       {1622, "(DIAG ?)"},   {1623, "REG.REQ"},    {1624, "REG.CONF"},
    {1626, "DONNEES"},    {1627, "REQ.APPEL"},  {1628, "APPEL ENTR"}, {1629, "APPEL ACC"},
    {1630, "COMM.ETAB"},  {1631, "REQ.LIB"},    {1632, "INDIC.LIB"},  {1633, "CONF.LIB"},
    {1634, "INTR"},       {1635, "CONF.INTR"},  {1636, "RR"},         {1637, "RNR"},
    {1638, "REJ"},        {1639, "(REJ ?)"},    {1640, "REQ.REINIT"}, {1641, "IND.REINIT"},
    {1642, "CONF.RINIT"}, {1643, "REQ.REPRIS"}, {1644, "IND.REPRIS"}, {1645, "CONF.REPR"},
    {1646, "DIAG"},       {1647, "(DIAG ?)"},   {1648, "REQ.ENREG"},  {1649, "CONF.ENREG"},
};

// The type octet and direction of each table entry.
constexpr struct {
    std::uint8_t type;
    std::uint8_t direction;
} kPacketTypes[kX25PacketTypeCount] = {
    {0x00, 0},
    {0x0B, kDirectionTeNt},
    {0x0B, kDirectionNtTe},
    {0x0F, kDirectionTeNt},
    {0x0F, kDirectionNtTe},
    {0x13, kDirectionTeNt},
    {0x13, kDirectionNtTe},
    {0x17, 0},
    {0x23, 0},
    {0x27, 0},
    {0x01, 0},
    {0x05, 0},
    {0x09, kDirectionTeNt},
    {0x09, kDirectionNtTe},
    {0x1B, kDirectionTeNt},
    {0x1B, kDirectionNtTe},
    {0x1F, 0},
    {0xFB, kDirectionTeNt},
    {0xFB, kDirectionNtTe},
    {0xFF, 0},
    {0xF1, kDirectionNtTe},
    {0xF1, kDirectionTeNt},
    {0xF3, kDirectionTeNt},
    {0xF7, kDirectionNtTe},
};

// Diagnostic codes that have a text of their own, in the order of their ids.
constexpr struct {
    unsigned first;
    unsigned last;
} kDiagnosticRanges[] = {{0, 2}, {16, 29}, {32, 45}, {48, 53}, {64, 78}, {80, 84}, {112, 122}};

constexpr const char *kDiagnosticEnglish[70] = {
    "No additional information", "Invalid P(S)", "Invalid P(R)",
    // 16..29
    "Pkt type invalid", "Pkt invalid (St r1)", "Pkt invalid (St r2)", "Pkt invalid (St r3)",
    "Pkt invalid (St p1)", "Pkt invalid (St p2)", "Pkt invalid (St p3)", "Pkt invalid (St p4)",
    "Pkt invalid (St p5)", "Pkt invalid (St p6)", "Pkt invalid (St p7)", "Pkt invalid (St d1)",
    "Pkt invalid (St d2)", "Pkt invalid (St d3)",
    // 32..45
    "Pkt not allowed", "Unidentifiable pkt", "Call on 1-way LC", "Inv. pkt on perm VC",
    "Pkt on unassigned LC", "Rej. not subscrd to", "Pkt too short", "Pkt too long", "Invalid GFI",
    "Non zero LGN or LCN", "Pkt incmptble w/ fac", "Unauth'd interr.conf", "Unauth'd interrupt",
    "Unauth'd reject",
    // 48..53
    "Time expired", "Time exp'd inc. call", "Time exp'd clear ind", "Time exp'd reset ind",
    "Time exp'd rstrt ind", "Time exp'd call dflc",
    // 64..78
    "Call/Reg problem", "Fac/reg not allowed", "Fac parm not allowed", "Invalid cld DTE addr",
    "Invalid clg DTE addr", "Invalid fac/reg len", "Incoming call barred", "No LC available",
    "Call collision", "Duplic. fac requestd", "Non-zero address len", "Non-zero fac. length",
    "Fac expctd not provd", "Invld CCITT DTE fac", "Too many rdrct/dflct",
    // 80..84
    "Miscellaneous", "Improper cause code", "Not aligned octet", "Inconsistent Q-bit",
    "NUI problem",
    // 112..122
    "International prblm", "Remote network pbl", "Internatl prot. pbl", "Intl link out of ord",
    "Internatl link busy", "Trans ntwk fac prob", "Remote ntwk fac prob", "Intl routing problem",
    "Temp routing problem", "Unknown called DNIC", "Maintenance action",
    // every other code, then 96
    "Reserved", "Not assigned"};

constexpr const char *kDiagnosticFrench[70] = {
    "Pas d'info supplementaire", "P(S) invalide", "P(R) invalide",
    // 16..29
    "Type paquet invalide", "Pqt invalide (Et r1)", "Pqt invalide (Et r2)", "Pqt invalide (Et r3)",
    "Pqt invalide (Et p1)", "Pqt invalide (Et p2)", "Pqt invalide (Et p3)", "Pqt invalide (Et p4)",
    "Pqt invalide (Et p5)", "Pqt invalide (Et p6)", "Pqt invalide (Et p7)", "Pqt invalide (Et d1)",
    "Pqt invalide (Et d2)", "Pqt invalide (Et d3)",
    // 32..45
    "Paquet non autorise", "Paquet non identifie", "Appel sur VL 1 sens", "Pqt inval. sur CVP",
    "Pqt sur VL non attr.", "Rejet non souscrit", "Paquet trop court", "Paquet trop long",
    "GFI invalide", "GVL ou VL non nul", "Pqt incompat. fac.", "Conf.interr.non aut.",
    "Interrupt. non aut.", "Rejet non autorise",
    // 48..53
    "Temporisation echue", "Tempo. appel entrant", "Tempo. indic. lib.", "Tempo. ind. reinit",
    "Tempo. ind. reprise", "Tempo. deviation",
    // 64..78
    "Pb appel/enreg.", "Fac/enreg. interdit", "Param. fac. interdit", "Adr. DTE appele inv.",
    "Adr. DTE appelant inv", "Long. fac/enreg inv.", "Appel entrant interd", "Pas de VL libre",
    "Collision d'appels", "Fac. demandee 2 fois", "Long. adresse non nul", "Long. fac. non nulle",
    "Fac. attendue absente", "Fac. DTE CCITT inval", "Trop de reacheminem.",
    // 80..84
    "Divers", "Code cause incorrect", "Octet non aligne", "Bit Q incoherent", "Probleme NUI",
    // 112..122
    "Probleme internat.", "Pb reseau distant", "Pb protocole internat", "Liaison int. en panne",
    "Liaison int. occupee", "Pb fac. reseau trans", "Pb fac. reseau dist.", "Pb acheminement int.",
    "Pb achemin. temporaire", "DNIC appele inconnu", "Maintenance",
    // every other code, then 96
    "Reserve", "Non attribue"};

struct ValueText {
    unsigned value;
    const char *english;
    const char *french;
};

constexpr ValueText kClearingCauses[] = {
    {0x01, "Number busy", "Numero occupe"},
    {0x03, "Inval. facility req.", "Req. facilite inval."},
    {0x05, "Network congestion", "Reseau sature"},
    {0x09, "Out of order", "Hors service"},
    {0x0B, "Access barred", "Acces interdit"},
    {0x0D, "Not obtainable", "Non atteignable"},
    {0x11, "Remote proced. error", "Erreur proc. distant"},
    {0x13, "Local proced. error", "Erreur proc. locale"},
    {0x15, "RPOA out of order", "RPOA hors service"},
    {0x19, "Rev chrgg not subscd", "PCV non souscrit"},
    {0x21, "Incompatible dest.", "Destination incompat"},
    {0x29, "Fast sel. not subscd", "Pas de select.rapide"},
    {0x39, "Ship absent", "Navire absent"},
};

constexpr ValueText kResettingCauses[] = {
    {0x01, "Out of order", "Dérangement"},
    {0x03, "Remote procedure error", "Err. de proc. distante"},
    {0x05, "Local procedure error", "Err. de proc. locale"},
    {0x07, "Network congestion", "Incident dans le réseau"},
    {0x09, "Remote DTE operational", "Fin de dérangement"},
    {0x0F, "Network operational", "CVP utilisable"},
    {0x11, "Incompatible dest.", "Dest. incompatible"},
    {0x1D, "Network out of order", "CVP non utilisable"},
};

constexpr ValueText kRestartingCauses[] = {
    {0x01, "Local procedure error", "Erreur de procédure locale"},
    {0x03, "Network congestion", "Réseau saturé"},
    {0x07, "Network operational", "Fin d'incident"},
    {0x7F, "Registr./cancel. confirmed", "Enregistr./annul. confirmé"},
};

constexpr ValueText kRegistrationCauses[] = {
    {0x7F, "Registr./cancel. confirmed", "Enregistr./annul. confirmé"},
    {0x03, "Invalid facility request", "Demande invalide"},
    {0x13, "Local procedure error", "Err. de proc. locale"},
    {0x05, "Network congestion", "Réseau saturé"},
};

const ValueText *find(const ValueText *begin, const ValueText *end, unsigned value) {
    for (const ValueText *t = begin; t != end; ++t)
        if (t->value == value)
            return t;
    return nullptr;
}

// Packet types by their type octet (after normalisation).
enum : std::uint16_t {
    kData = 0x00,
    kRr = 0x01,
    kRnr = 0x05,
    kRej = 0x09,
    kCall = 0x0B,
    kCallAccepted = 0x0F,
    kClear = 0x13,
    kClearConfirm = 0x17,
    kReset = 0x1B,
    kRestart = 0xFB,
    kDiagnostic = 0xF1,
    kRegistration = 0xF3,
    kRegistrationConfirm = 0xF7,
};

// The semi-octets of a packet, high nibble first.
struct SemiOctets {
    const std::uint8_t *packet;
    std::uint16_t length;
    std::size_t first; // offset of the first octet
    bool has(std::size_t index) const { return first + index / 2 < length; }
    unsigned at(std::size_t index) const {
        const std::uint8_t o = packet[first + index / 2];
        return index % 2 == 0 ? o >> 4 : o & 0x0F;
    }
};

// Where a packet's address block stands and what its length octets say.
struct AddressBlock {
    bool typed = false;       // A bit set: lengths in octets, type and plan before the digits
    std::size_t digitsAt = 0; // offset of the first address octet
    unsigned called = 0;      // semi-octets of the called address
    unsigned calling = 0;     // semi-octets of the calling address
    std::size_t end() const { return digitsAt + (called + calling + 1) / 2; }
};

// The offset of the address-length octet(s) of the packet type, or false when it has none.
bool addressLengthsAt(const std::uint8_t *p, std::uint16_t length, std::size_t &at) {
    if (length < 3)
        return false;
    switch (p[2]) {
    case kCall:
    case kCallAccepted:
    case kRegistration:
        at = 3;
        return true;
    case kClearConfirm:
        at = 3;
        return length > 3;
    case kClear:
    case kRegistrationConfirm:
        at = 5;
        return length > 5;
    default:
        return false;
    }
}

bool addressBlock(const std::uint8_t *p, std::uint16_t length, AddressBlock &out) {
    std::size_t at = 0;
    if (!addressLengthsAt(p, length, at) || at >= length)
        return false;
    out.typed = (p[0] & 0x80) != 0;
    if (!out.typed) {
        out.calling = p[at] >> 4;
        out.called = p[at] & 0x0F;
        out.digitsAt = at + 1;
        return true;
    }
    if (at + 1 >= length)
        return false;
    out.called = p[at];
    out.calling = p[at + 1];
    out.digitsAt = at + 2;
    return true;
}

// The digits of one address: semi-octets [begin, begin + count) of the block; false when the
// packet does not hold them all.
bool addressDigits(const std::uint8_t *p, std::uint16_t length, const AddressBlock &block,
                   std::size_t begin, unsigned count, std::string &out) {
    out.clear();
    const SemiOctets s{p, length, block.digitsAt};
    if (count == 0) {
        out.assign("-");
        return true;
    }
    if (!s.has(begin + count - 1))
        return false;
    for (unsigned k = 0; k < count && k < 15; ++k)
        out.push_back(hexDigit(s.at(begin + k)));
    return true;
}

bool addressItem(const std::uint8_t *p, std::uint16_t length, bool calledSide, std::string &out) {
    AddressBlock block;
    if (!addressBlock(p, length, block))
        return false;
    const std::size_t begin = calledSide ? 0 : block.called;
    const unsigned count = calledSide ? block.called : block.calling;
    if (!block.typed)
        return addressDigits(p, length, block, begin, count, out);
    if (count <= 2) {
        // Type and plan only, or nothing: no digits to show, but the length must be there.
        const SemiOctets s{p, length, block.digitsAt};
        if (count > 0 && !s.has(begin + count - 1))
            return false;
        out.assign("-");
        return true;
    }
    return addressDigits(p, length, block, begin + 2, count - 2, out);
}

// Items 11..14: the type of address or numbering plan semi-octet of the typed format.
bool addressTypeItem(const std::uint8_t *p, std::uint16_t length, int item, std::string &out) {
    AddressBlock block;
    if (!addressBlock(p, length, block) || !block.typed)
        return false;
    const bool calledSide = item == kItemX25CalledType || item == kItemX25CalledPlan;
    const bool plan = item == kItemX25CalledPlan || item == kItemX25CallingPlan;
    const unsigned count = calledSide ? block.called : block.calling;
    const std::size_t index = (calledSide ? 0 : block.called) + (plan ? 1 : 0);
    const SemiOctets s{p, length, block.digitsAt};
    if (count < (plan ? 2u : 1u) || !s.has(index))
        return false;
    const unsigned value = s.at(index);
    if (plan) {
        out.assign(value == 3 ? "X.121" : "not defined");
        return value == 3;
    }
    switch (value) {
    case 0:
        out.assign("Network-dependent number ");
        return true;
    case 1:
        out.assign("International number");
        return true;
    case 2:
        out.assign("National Number");
        return true;
    default:
        out.assign("not defined");
        return false;
    }
}

// Facility names by code; rest = the entry takes the rest of the field.
struct FacilityName {
    std::uint8_t code;
    const char *name;
    bool rest;
};

constexpr FacilityName kFacilityNames[] = {
    {0x42, "Flow Control Param. Neg.- Packet Size", false},
    {0x43, "Flow Control Param. Neg - Window Size", false},
    {0x02, "Throughput Class Neg.", false},
    {0x03, "Closed User Group selection (basic)", false},
    {0x47, "Closed User Group selection (ext)", false},
    {0x09, "Closed User Group with outgoing access selection (basic)", false},
    {0x48, "Closed User Group with outgoing access selection (Ext.)", false},
    {0x41, "Bilateral Closed User Group selection", false},
    {0xC6, "Network User Identifier selection", false},
    {0x01, "Not decoded", true},
    {0x04, "Not decoded", true},
    {0x08, "Not decoded", true},
    {0x44, "Not decoded", true},
    {0x49, "Not decoded", true},
    {0xC1, "Not decoded", true},
    {0xC2, "Not decoded", true},
    {0xC3, "Not decoded", true},
    {0xC4, "Not decoded", true},
    {0xC5, "Not decoded", true},
    {0xD1, "Not decoded", true},
};
constexpr FacilityName kFacilityNotDefined = {0xFF, "Not defined", true};

const FacilityName &facilityName(std::uint8_t code) {
    for (const FacilityName &f : kFacilityNames)
        if (f.code == code)
            return f;
    return kFacilityNotDefined;
}

void appendHex(std::string &out, const std::uint8_t *octets, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        qv::appendHex(out, octets[k]);
        out.push_back(' ');
    }
}

std::string throughputText(unsigned value) {
    static constexpr unsigned kRates[] = {75,   150,   300,   600,   1200,   2400,  4800,
                                          9600, 19200, 48000, 64000, 128000, 192000};
    if (value < 3)
        return "Reserved";
    std::string out;
    appendDecimal(out, kRates[value - 3]);
    out.append(" bit/s");
    return out;
}

std::string packetSizeText(unsigned value) {
    if (value < 4 || value > 12)
        return "Reserved";
    std::string out;
    appendDecimal(out, 1u << value);
    out.append(" octets");
    return out;
}

std::string windowSizeText(unsigned value) {
    if (value == 0 || value > 127)
        return "Reserved";
    std::string out;
    appendDecimal(out, value);
    return out;
}

// Binary-coded decimal digits of a closed user group index.
std::string indexText(const std::uint8_t *octets, std::size_t count) {
    return bcdDigits(octets, count).value_or("Reserved");
}

} // namespace

std::size_t x25FacilityLength(const std::uint8_t *p, std::size_t pos, std::size_t end) {
    switch (p[pos] >> 6) {
    case 0:
        return 2;
    case 1:
        return 3;
    case 2:
        return 4;
    default:
        return pos + 1 < end ? 2u + p[pos + 1] : 2u;
    }
}

// ---- provider --------------------------------------------------------------------------------

std::string_view X25ItemProvider::text(int id) {
    for (const TextEntry &e : kNameTexts)
        if (e.id == id)
            return e.text;
    if (id >= kX25DiagnosticEnglish && id < kX25DiagnosticEnglish + 70)
        return kDiagnosticEnglish[id - kX25DiagnosticEnglish];
    if (id >= kX25DiagnosticFrench && id < kX25DiagnosticFrench + 70)
        return kDiagnosticFrench[id - kX25DiagnosticFrench];
    return {};
}

void X25ItemProvider::setLanguage(int language) {
    language_ = language == 0 ? 0 : 1;
    const int base = language_ == 0 ? kX25PacketNameEnglish : kX25PacketNameFrench;
    table_.clear();
    table_.reserve(kX25PacketTypeCount);
    for (int k = 0; k < kX25PacketTypeCount; ++k)
        table_.push_back(X25PacketType{std::string(text(base + k)), kPacketTypes[k].type,
                                       kPacketTypes[k].direction});
}

std::uint16_t X25ItemProvider::normalisedType(std::uint8_t t) {
    if ((t & 1) == 0)
        return kData;
    const std::uint8_t low = t & 0x1F;
    if (low == kRr || low == kRnr || low == kRej)
        return low;
    return t;
}

int X25ItemProvider::modulo(std::uint8_t firstOctet) {
    switch (firstOctet & 0x30) {
    case 0x10:
        return 8;
    case 0x20:
        return 128;
    default:
        return 0;
    }
}

bool X25ItemProvider::messageTypeText(const std::uint8_t *info, std::uint16_t length, bool,
                                      std::uint8_t direction, std::string &out) const {
    out.clear();
    if (info && length >= 3) {
        const std::uint16_t t = normalisedType(info[2]);
        for (std::size_t k = 0; k < table_.size(); ++k) {
            if (table_[k].type != t)
                continue;
            if (table_[k].direction == 0 || table_[k].direction == direction) {
                out = table_[k].name;
                return true;
            }
            if (k + 1 < table_.size() && table_[k + 1].type == t &&
                table_[k + 1].direction == direction) {
                out = table_[k + 1].name;
                return true;
            }
            break;
        }
    }
    out.assign(unknown());
    return false;
}

int X25ItemProvider::diagnosticTextId(unsigned code) {
    int id = kX25DiagnosticEnglish;
    for (const auto &range : kDiagnosticRanges) {
        if (code >= range.first && code <= range.last)
            return id + static_cast<int>(code - range.first);
        id += static_cast<int>(range.last - range.first + 1);
    }
    return kX25DiagnosticEnglish +
           (code == 96 ? kX25DiagnosticNotAssigned : kX25DiagnosticReserved);
}

bool X25ItemProvider::diagnosticText(unsigned code, std::string_view &out) const {
    const int id = diagnosticTextId(code);
    out = text(id + (language_ == 0 ? 0 : kX25DiagnosticFrench - kX25DiagnosticEnglish));
    return id != kX25DiagnosticEnglish + kX25DiagnosticReserved;
}

std::string_view X25ItemProvider::clearingCauseText(unsigned value) const {
    if (value == 0 || (value & 0x80))
        return tr("DTE originated", "Origine DTE");
    const ValueText *t = find(std::begin(kClearingCauses), std::end(kClearingCauses), value);
    return t ? tr(t->english, t->french) : unknown();
}

std::string_view X25ItemProvider::resettingCauseText(unsigned value) const {
    if (value == 0 || (value & 0x80))
        return tr("DTE originated", "Origine DTE");
    const ValueText *t = find(std::begin(kResettingCauses), std::end(kResettingCauses), value);
    return t ? tr(t->english, t->french) : unknown();
}

std::string_view X25ItemProvider::restartingCauseText(unsigned value) const {
    const ValueText *t = find(std::begin(kRestartingCauses), std::end(kRestartingCauses), value);
    return t ? tr(t->english, t->french) : unknown();
}

std::string_view X25ItemProvider::registrationCauseText(unsigned value) const {
    const ValueText *t =
        find(std::begin(kRegistrationCauses), std::end(kRegistrationCauses), value);
    return t ? tr(t->english, t->french) : unknown();
}

bool X25ItemProvider::itemText(const std::uint8_t *info, std::uint16_t length, int item,
                               std::string &out) const {
    out.clear();
    if (!info || length < 3)
        return false;
    const std::uint8_t t = info[2];
    const std::uint16_t type = normalisedType(t);
    const int mod = modulo(info[0]);
    auto decimal = [&out](unsigned value) {
        assignDecimal(out, value);
        return true;
    };
    auto diagnosticAt = [&](std::size_t at) {
        if (length <= at)
            return false;
        std::string_view text;
        const bool known = diagnosticText(info[at], text);
        out.assign(text);
        return known;
    };
    auto causeAt = [&](std::string_view text) {
        out.assign(text);
        return true;
    };
    switch (type) {
    case kData:
        if (item == kItemX25Ps && mod == 8)
            return decimal((t >> 1) & 7);
        if (item == kItemX25Ps && mod == 128)
            return decimal(t >> 1);
        [[fallthrough]];
    case kRr:
    case kRnr:
    case kRej:
        if (item == kItemX25Pr && mod == 8)
            return decimal(t >> 5);
        if (item == kItemX25Pr && mod == 128 && length >= 4)
            return decimal(static_cast<unsigned>(info[3] >> 1));
        return false;
    case kCall:
    case kCallAccepted:
    case kClearConfirm:
    case kRegistration:
        break;
    case kClear:
        if (item == kItemCause)
            return length >= 4 && causeAt(clearingCauseText(info[3]));
        if (item == kItemDiagnostic)
            return diagnosticAt(4);
        break;
    case kReset:
        if (item == kItemCause)
            return length >= 4 && causeAt(resettingCauseText(info[3]));
        return item == kItemDiagnostic && diagnosticAt(4);
    case kRestart:
        if (item == kItemCause)
            return length >= 4 && causeAt(restartingCauseText(info[3]));
        return item == kItemDiagnostic && diagnosticAt(4);
    case kDiagnostic:
        return item == kItemDiagnostic && diagnosticAt(3);
    case kRegistrationConfirm:
        if (item == kItemCause)
            return length >= 4 && causeAt(registrationCauseText(info[3]));
        if (item == kItemDiagnostic)
            return diagnosticAt(4);
        break;
    default:
        out.assign(unknown());
        return false;
    }
    switch (item) {
    case kItemCallingAddress:
        return addressItem(info, length, false, out);
    case kItemCalledAddress:
        return addressItem(info, length, true, out);
    case kItemX25CalledType:
    case kItemX25CalledPlan:
    case kItemX25CallingType:
    case kItemX25CallingPlan:
        return addressTypeItem(info, length, item, out);
    default:
        return false;
    }
}

bool X25ItemProvider::itemValue(const std::uint8_t *info, std::uint16_t length, int item,
                                std::uint32_t &out) const {
    if (!info || length < 3)
        return false;
    std::size_t at = 0;
    switch (info[2]) {
    case kClear:
    case kRegistrationConfirm:
    case kRestart:
        if (item == kItemCause)
            at = 3;
        else if (item == kItemDiagnostic)
            at = 4;
        else
            return false;
        break;
    case kDiagnostic:
        if (item != kItemDiagnostic)
            return false;
        at = 3;
        break;
    default:
        return false;
    }
    if (at >= length)
        return false;
    out = info[at];
    return true;
}

std::string X25ItemProvider::protocolDiscriminatorText(std::uint8_t value, int defaultTextId,
                                                       bool longForm) const {
    switch (modulo(value)) {
    case 8:
        return longForm ? "X.25 (modulo 8)" : "X25";
    case 128:
        return longForm ? "X.25 (modulo 128)" : "X25";
    default:
        return std::string(qv::text(defaultTextId + (longForm ? 1 : 0)));
    }
}

bool X25ItemProvider::facilityField(const std::uint8_t *info, std::uint16_t length,
                                    std::uint16_t infoOffset, std::uint16_t &out) const {
    if (!info || length < 3)
        return false;
    const std::uint8_t t = info[2];
    if (t == kClear || t == kClearConfirm) {
        if ((info[0] & 0x30) != 0x20)
            return false;
    } else if (t != kCall && t != kCallAccepted) {
        return false;
    }
    AddressBlock block;
    if (!addressBlock(info, length, block))
        return false;
    out = static_cast<std::uint16_t>(infoOffset + block.end());
    return true;
}

// ---- hooks -----------------------------------------------------------------------------------

void parseX25Packet(const X25ItemProvider &provider, DecodedFrame &frame, const std::uint8_t *info,
                    std::uint16_t length) {
    auto octet = [&](std::size_t at) -> std::uint8_t { return at < length ? info[at] : 0; };
    frame.lcgn = octet(0) & 0x0F;
    frame.lcn = octet(1);
    frame.messageType = X25ItemProvider::normalisedType(octet(2));
    frame.l3Length =
        frame.frameLength >= frame.l3Offset + frame.trailerLength
            ? static_cast<std::uint16_t>(frame.frameLength - frame.l3Offset - frame.trailerLength)
            : 0;
    const std::uint16_t n = std::min(frame.l3Length, length);
    if (!provider.itemText(info, n, kItemCallingAddress, frame.callingAddress))
        frame.callingAddress.clear();
    if (!provider.itemText(info, n, kItemCalledAddress, frame.calledAddress))
        frame.calledAddress.clear();
    std::uint32_t cause = 0;
    if (provider.itemValue(info, n, kItemCause, cause))
        frame.cause = cause > 127 ? 0 : cause;
}

bool decodeX25Facilities(const X25ItemProvider &provider, const std::uint8_t *packet,
                         std::uint16_t length, X25FacilityList &out) {
    out = X25FacilityList{};
    std::uint16_t at = 0;
    if (!provider.facilityField(packet, length, 0, at) || at >= length)
        return true;
    out.present = true;
    out.lengthAt = at;
    out.fieldLength = packet[at];
    const std::size_t begin = at + 1u;
    const std::size_t declaredEnd = begin + out.fieldLength;
    const std::size_t end = std::min<std::size_t>(declaredEnd, length);
    out.userDataAt = static_cast<std::uint16_t>(declaredEnd);
    bool complete = declaredEnd <= length;

    // Count the entries by class, with the stops of the naming below.
    std::size_t pos = begin;
    std::size_t count = 0;
    while (pos < end && packet[pos] != 0x00) {
        ++count;
        if (facilityName(packet[pos]).rest) {
            pos = end;
            break;
        }
        pos += x25FacilityLength(packet, pos, end);
    }
    if (pos > end)
        complete = false;
    if (count > kMaxX25Facilities)
        return false;
    out.count = static_cast<std::uint16_t>(count);
    out.entries.reserve(count);

    pos = begin;
    while (pos < end && out.entries.size() < count) {
        const std::uint8_t code = packet[pos];
        const FacilityName &name = facilityName(code);
        const std::size_t expected = x25FacilityLength(packet, pos, end);
        const bool lengthKnown = (code >> 6) != 3 || pos + 1 < end;
        const std::size_t n = name.rest ? end - pos : std::min(expected, end - pos);
        X25Facility entry;
        entry.code = code;
        entry.name = name.name;
        entry.length = n == expected && lengthKnown ? static_cast<int>(n) : -static_cast<int>(n);
        entry.octets.assign(packet + pos, packet + pos + n);
        out.entries.push_back(std::move(entry));
        pos += n;
        if (name.rest)
            break;
    }
    return complete;
}

bool checkX25Facilities(const X25ItemProvider &provider, const DecodedFrame &frame,
                        const std::uint8_t *info, std::uint16_t length) {
    X25FacilityList list;
    return decodeX25Facilities(provider, info, std::min(frame.l3Length, length), list);
}

namespace {

void facilityParameters(CISDN &decoder, const X25Facility &entry, TextColour colour) {
    const std::uint8_t *o = entry.octets.data();
    switch (entry.code) {
    case 0x02:
        decoder.addPair("from called DTE", throughputText(o[1] >> 4), colour, true);
        decoder.addPair("from  calling DTE", throughputText(o[1] & 15), colour, true);
        break;
    case 0x42:
        decoder.addPair("from called DTE", packetSizeText(o[1]), colour, true);
        decoder.addPair("from  calling DTE", packetSizeText(o[2]), colour, true);
        break;
    case 0x43:
        decoder.addPair("from called DTE", windowSizeText(o[1]), colour, true);
        decoder.addPair("from  calling DTE", windowSizeText(o[2]), colour, true);
        break;
    case 0x03:
    case 0x09:
        decoder.addPair("Index", indexText(o + 1, 1), colour, true);
        break;
    case 0x41:
    case 0x47:
    case 0x48:
        decoder.addPair("Index", indexText(o + 1, 2), colour, true);
        break;
    case 0xC6: {
        std::string value;
        appendDecimal(value, o[1]);
        decoder.addPair("Length", value, colour, true);
        value.clear();
        appendHex(value, o + 2, entry.octets.size() - 2);
        decoder.addPair("Value", value, colour, true);
        break;
    }
    default:
        break;
    }
}

} // namespace

int x25DetailBlock(const X25ItemProvider &provider, CISDN &decoder, const DetailOptions &) {
    const DecodedFrame &f = decoder.frame();
    if (f.l3Kind != kL3X25 || f.l3Offset > kMaxRecordData)
        return -1;
    const bool english = decoder.language() == 0;
    const TextColour colour = textColour(4, f.direction);
    const std::uint8_t *packet = decoder.currentRecord().data.data() + f.l3Offset;
    const std::uint16_t length = std::min<std::uint16_t>(
        f.l3Length, static_cast<std::uint16_t>(kMaxRecordData - f.l3Offset));

    std::string value;
    decoder.addLine(english ? "X25 LAYER 3" : "NIVEAU 3 X25", kDetailHeading, colour);
    decoder.columnText(columnNumber(SummaryColumn::Lcn), value, true);
    decoder.addPair(english ? "Logical Channel Number" : "Numero de Voie Logique", value, colour);
    decoder.columnText(columnNumber(SummaryColumn::MessageType), value, true);
    decoder.addPair(english ? "Message Type" : "Type de Message", value, colour);
    static constexpr struct {
        int item;
        const char *label;
    } kItems[] = {
        {kItemX25Ps, "P(S) (Send Sequence Number)"},
        {kItemX25Pr, "P(R) (Receive Sequence Number)"},
        {kItemX25CallingType, "Type Of Address - Clg"},
        {kItemX25CallingPlan, "Numbering Plan Identification - Clg"},
        {kItemCallingAddress, "Calling Address"},
        {kItemX25CalledType, "Type Of Address - Cld"},
        {kItemX25CalledPlan, "Numbering Plan Identification - Cld"},
        {kItemCalledAddress, "Called Address"},
        {kItemCause, "Cause"},
        {kItemDiagnostic, "Diagnostic"},
    };
    for (const auto &item : kItems)
        if (provider.itemText(packet, length, item.item, value))
            decoder.addPair(item.label, value, colour);

    X25FacilityList list;
    decodeX25Facilities(provider, packet, length, list);
    if (!list.present)
        return 0;
    decoder.addLine("FACILITIES", kDetailHeading, colour);
    for (const X25Facility &entry : list.entries) {
        decoder.addPair("Facility", entry.name, colour);
        value.clear();
        appendHex(value, entry.octets.data(), entry.octets.size());
        decoder.addPair("Hexa Value", value, colour);
        if (entry.length > 0)
            facilityParameters(decoder, entry, colour);
    }
    if (list.userDataAt < length) {
        decoder.addLine("USER DATA", kDetailHeading, colour);
        for (std::size_t at = list.userDataAt; at < length; at += 8) {
            value.clear();
            appendHex(value, packet + at, std::min<std::size_t>(8, length - at));
            decoder.addLine(value, kDetailValue, colour);
        }
    }
    return 0;
}

void installX25(DecoderServices &services, const X25ItemProvider &provider) {
    const X25ItemProvider *p = &provider;
    services.x25Items = p;
    services.x25Parse = [p](DecodedFrame &frame, const std::uint8_t *info, std::uint16_t length) {
        parseX25Packet(*p, frame, info, length);
    };
    services.x25Facilities = [p](DecodedFrame &frame, const std::uint8_t *info,
                                 std::uint16_t length) {
        return checkX25Facilities(*p, frame, info, length);
    };
    services.x25DetailBlock = [p](CISDN &decoder, const DetailOptions &options) {
        return x25DetailBlock(*p, decoder, options);
    };
}

} // namespace qv
