#include "filters/FilterLists.h"

#include "decode/CV5.h"
#include "decode/DecodedFrame.h"

namespace qv {

namespace {

constexpr FilterCode kLayer2FrameTypes[] = {
    {"DISC", 0x43}, {"DM", 0x0F},    {"FRMR", 0x87}, {"I", 0x00},  {"REJ", 0x09}, {"RNR", 0x05},
    {"RR", 0x01},   {"SABME", 0x6F}, {"UA", 0x63},   {"UI", 0x03}, {"XID", 0xAF},
};

constexpr FilterCode kIsdnMessages[] = {
    {"ALERTING", 0x01},    {"CALL.PROC", 0x02},   {"CONGESTION.CTRL", 0x79}, {"CONNECT", 0x07},
    {"CONNECT.ACK", 0x0F}, {"DISCONNECT", 0x45},  {"FACILITY", 0x62},        {"HOLD", 0x24},
    {"HOLD.ACK", 0x28},    {"HOLD.REJ", 0x30},    {"INFORMATION", 0x7B},     {"NOTIFY", 0x6E},
    {"PROGRESS", 0x03},    {"REGISTER", 0x64},    {"RELEASE", 0x4D},         {"RELEASE.COMP", 0x5A},
    {"RESTART", 0x46},     {"RESTART.ACK", 0x4E}, {"RESUME", 0x26},          {"RESUME.ACK", 0x2E},
    {"RESUME.REJ", 0x22},  {"RET.ACK", 0x33},     {"RET.REJ", 0x37},         {"RETRIEVE", 0x31},
    {"SEGMENT", 0x60},     {"SETUP", 0x05},       {"SETUP.ACK", 0x0D},       {"STATUS", 0x7D},
    {"STATUS.ENQ", 0x75},  {"SUSPEND", 0x25},     {"SUSPEND.ACK", 0x2D},     {"SUSPEND.REJ", 0x21},
    {"USER INFO", 0x20},
};

constexpr const char *kCauseFormats[] = {"MNEMONICS", "DECIMAL VALUES", "HEXA VALUES"};

constexpr FilterPacketCode kX25Packets[] = {
    {"CALL.ACC", 0x0F, 0},    {"CALL.CONN", 0x0F, 0},
    {"CALL.INC", 0x0B, 0},    {"CALL.REQ", 0x0B, 0},
    {"CLEAR.CONF", 0x17, 0},  {"CLEAR.IND", 0x13, 0},
    {"CLEAR.REQ", 0x13, 0},   {"DATA", 0x00, 0},
    {"DIAG", 0xF1, 0},        {"DIAG TE->NT", 0xF1, kDirectionTeNt},
    {"INTERRUPT", 0x23, 0},   {"INTERRUPT.CONF", 0x27, 0},
    {"RR", 0x01, 0},          {"RNR", 0x05, 0},
    {"REG.CONF", 0xF7, 0},    {"REG.REQ", 0xF3, 0},
    {"REJ", 0x09, 0},         {"REJ NT->TE", 0x09, kDirectionNtTe},
    {"RESET.CONF", 0x1F, 0},  {"RESET.IND", 0x1B, 0},
    {"RESET.REQ", 0x1B, 0},   {"RESTART.CONF", 0xFF, 0},
    {"RESTART.IND", 0xFB, 0}, {"RESTART.REQ", 0xFB, 0},
};

constexpr const char *kDirections[] = {"TE->NT", "NT->TE", "AN->LE", "LE->AN"};
constexpr const char *kSlicingSizes[] = {"32", "64", "128"};
constexpr const char *kV5Groups[] = {"ISDN", "PSTN", "CONTROL", "PROTECTION", "LINK"};

// Positions 34.. of the message list: PSTN, Control, BCC, Protection, Link control.
constexpr FilterV5Message kV5Messages[] = {
    {kV5Pstn, 0x00},        {kV5Pstn, 0x01},        {kV5Pstn, 0x02},       {kV5Pstn, 0x03},
    {kV5Pstn, 0x08},        {kV5Pstn, 0x09},        {kV5Pstn, 0x0C},       {kV5Pstn, 0x0D},
    {kV5Pstn, 0x0E},        {kV5Control, 0x10},     {kV5Control, 0x11},    {kV5Control, 0x12},
    {kV5Control, 0x13},     {kV5Bcc, 0x20},         {kV5Bcc, 0x21},        {kV5Bcc, 0x22},
    {kV5Bcc, 0x23},         {kV5Bcc, 0x24},         {kV5Bcc, 0x25},        {kV5Bcc, 0x26},
    {kV5Bcc, 0x27},         {kV5Bcc, 0x28},         {kV5Bcc, 0x29},        {kV5Bcc, 0x2A},
    {kV5Protection, 0x18},  {kV5Protection, 0x19},  {kV5Protection, 0x1A}, {kV5Protection, 0x1B},
    {kV5Protection, 0x1C},  {kV5Protection, 0x1D},  {kV5Protection, 0x1E}, {kV5Protection, 0x1F},
    {kV5LinkControl, 0x30}, {kV5LinkControl, 0x31},
};
static_assert(std::size(kV5Messages) == kLastV5MessagePosition - kFirstV5MessagePosition + 1);
static_assert(std::size(kIsdnMessages) == kFirstV5MessagePosition - 1);

constexpr const char *kV5Prefixes[] = {"PSTN/", "CTRL/", "BCC/", "PROT/", "LINK/"};

} // namespace

std::span<const FilterCode> layer2FrameTypes() {
    return kLayer2FrameTypes;
}
std::span<const FilterCode> isdnMessages() {
    return kIsdnMessages;
}
std::span<const char *const> causeFormats() {
    return kCauseFormats;
}
std::span<const FilterPacketCode> x25Packets() {
    return kX25Packets;
}
std::span<const char *const> filterDirections() {
    return kDirections;
}
std::span<const char *const> slicingSizes() {
    return kSlicingSizes;
}
std::span<const char *const> v5MessageGroups() {
    return kV5Groups;
}

std::string_view v5ListPrefix(int protocol) {
    if (protocol >= 0 && protocol < static_cast<int>(std::size(kV5Prefixes)))
        return kV5Prefixes[protocol];
    return "ISDN/";
}

bool v5MessageAt(int position, FilterV5Message &out) {
    if (position < kFirstV5MessagePosition || position > kLastV5MessagePosition)
        return false;
    out = kV5Messages[position - kFirstV5MessagePosition];
    return true;
}

std::string v5MessageListText(int position) {
    std::string text;
    FilterV5Message m;
    if (position >= 1 && position < kFirstV5MessagePosition) {
        text.assign(v5ListPrefix(-1));
        text.append(kIsdnMessages[position - 1].name);
    } else if (v5MessageAt(position, m)) {
        text.assign(v5ListPrefix(m.protocol));
        text.append(v5MessageName(m.protocol, m.type, true));
    }
    return text;
}

} // namespace qv
