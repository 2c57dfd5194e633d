#include "decode/CDecoder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/Numbers.h"
#include "base/Texts.h"
#include "decode/SummaryColumn.h"

namespace qv {

std::string_view decodeErrorText(std::uint16_t error) {
    switch (error) {
    case kDecodeOk:
        return "-";
    case kFrameTooLong:
        return "Frame is too long";
    case kTeiUnknownMessageType:
        return "Mgt TEI error : Unknown Message Type";
    case kLayer2Error:
        return "Layer 2 error";
    case kBadCallRefLength:
        return "L3 CC error : Bad Call Ref Length";
    case kUnknownMessageType:
        return "L3 error : Unknown Message Type";
    case kTeiUnknownEntity:
        return "Mgt TEI error :Unkn. Ent. Id.";
    case kInterpreterProblem:
        return "Problem with the PDU Interpreter";
    case kBadFcs:
        return "Bad FCS";
    case kRealTimeOverflow:
        return "Overflow in Real-Time mode on the Tester equipment";
    default:
        return "?";
    }
}

TextColour textColour(int layer, std::uint8_t direction) {
    int base = 0;
    switch (layer) {
    case 1:
        base = 0;
        break;
    case 2:
        base = 2;
        break;
    case 3:
        base = 4;
        break;
    default:
        base = 6;
        break;
    }
    return static_cast<TextColour>(base + (direction == kDirectionNtTe ? 1 : 0));
}

CDecoder::CDecoder(DecoderHost &host, const DecoderServices &services)
    : host_(host), services_(services) {
    language_ = host.decodingLanguage() == 0 ? 0 : 1;
    textBase_ = qv::textBase(language_);
    year_ = host.captureStartYear();
    previousMonth_ = host.captureStartMonth();
}

CDecoder::~CDecoder() = default;

void CDecoder::startDates(std::uint16_t month, std::uint16_t year) {
    previousMonth_ = month;
    year_ = year;
}

int CDecoder::Decode_Frame(std::uint32_t frameNumber) {
    if (host_.readRecord(frameNumber, record_) < 0) {
        host_.messages().error("Error while reading frames!");
        return -1;
    }
    return decodeLoaded(frameNumber);
}

int CDecoder::decodeLoaded(std::uint32_t frameNumber) {
    return decodeBase(frameNumber);
}

void CDecoder::initialiseFrame(std::uint32_t frameNumber) {
    frameNumber_ = frameNumber;
    const std::uint32_t t =
        ((record_.day() * 24 + record_.hour()) * 60 + record_.minute()) * 60 + record_.second();
    std::uint16_t length = std::min<std::uint16_t>(record_.dataLength, kMaxRecordData);
    view_ = FrameView{length, record_.data.data(), kDecodeOk};
    frame_ = DecodedFrame{};
    frame_.timeMs = t * 1000 + record_.millisecond();
    frame_.frameLength = length;
    frame_.direction = record_.direction != 0 ? kDirectionTeNt : kDirectionNtTe;
    itemProvider_ = nullptr;
    decoded_ = true;
}

int CDecoder::decodeBase(std::uint32_t frameNumber) {
    initialiseFrame(frameNumber);
    if (record_.isOverflowMark())
        frame_.error = record_.status == 1 ? kRealTimeOverflow : kBadFcs;
    else if (record_.kind != kLayer1Event && record_.status != 0)
        frame_.error = kBadFcs;
    else if (record_.kind == kLayer1Event)
        frame_.frameLength = 0;
    return 0;
}

std::uint16_t CDecoder::infoLength() const {
    if (frame_.l3Offset >= frame_.frameLength)
        return 0;
    return static_cast<std::uint16_t>(frame_.frameLength - frame_.l3Offset);
}

int CDecoder::pan_parse() {
    if (!decoded_) {
        host_.messages().error("CDecoder::pan_parse(): ev_p = NULL");
        return -1;
    }
    DecodedFrame &f = frame_;
    const std::uint8_t *d = record_.data.data();
    // A frame too short to hold its address and control fields reads its missing octets as
    // zero: the record buffer is zero-filled past the frame.
    f.sapi = d[0] >> 2;
    f.cr = (d[0] >> 1) & 1;
    f.ea1 = d[0] & 1;
    f.tei = d[1] >> 1;
    f.ea2 = d[1] & 1;
    f.l3Kind = kL3None;
    const std::size_t at = 2u * f.addressWords;
    const std::uint8_t c = d[at];
    const std::uint8_t c2 = d[at + 1];
    auto tooLong = [&] {
        f.error = kFrameTooLong;
        view_.error = kFrameTooLong;
    };
    if ((c & 1) == 0) {
        if (f.frameLength >= 267) {
            tooLong();
        } else {
            f.control = kCtrlI;
            f.format = kFormatI;
            f.ns = c >> 1;
            f.nr = c2 >> 1;
            f.pf = c2 & 1;
            if (f.sapi == 0)
                f.l3Kind = kL3CallControl;
            else if (f.sapi == 16)
                f.l3Kind = kL3X25;
        }
    } else if ((c & 3) == 1) {
        if (f.l3Offset + f.trailerLength < f.frameLength) {
            tooLong();
        } else {
            f.format = kFormatS;
            f.control = c & 0xEF;
            f.nr = c2 >> 1;
            f.pf = c2 & 1;
        }
    } else {
        f.format = kFormatU;
        f.control = c & 0xEF;
        f.pf = (c >> 4) & 1;
        switch (f.control) {
        case kCtrlUI:
            if (f.frameLength >= 266)
                tooLong();
            else if (f.sapi == 0)
                f.l3Kind = kL3CallControl;
            else if (f.sapi == 63)
                f.l3Kind = kL3TeiManagement;
            break;
        case kCtrlFRMR:
            if (f.frameLength >= 9) {
                tooLong();
            } else {
                f.l3Kind = kL3FrmrInfo;
                f.frmrControl = static_cast<std::uint16_t>(d[at + 1] * 256 + d[at + 2]);
                f.frmrVs = d[at + 3] >> 1;
                f.frmrVr = d[at + 4] >> 1;
                f.frmrCr = d[at + 4] & 1;
                f.frmrCause = d[at + 5] & 0x0F;
            }
            break;
        case kCtrlXID:
            break;
        default:
            if (f.l3Offset + f.trailerLength < f.frameLength)
                tooLong();
            break;
        }
    }
    if (f.l3Offset + f.trailerLength <= f.frameLength)
        f.l3Length = static_cast<std::uint16_t>(f.frameLength - f.l3Offset - f.trailerLength);
    if (f.l3Kind == kL3TeiManagement)
        parseTeiManagement();
    else if (f.l3Kind == kL3CallControl || f.l3Kind == kL3X25)
        parseLayer3();
    return 0;
}

void CDecoder::parseLayer3() {}

void CDecoder::parseTeiManagement() {
    const std::uint8_t *i = info();
    frame_.mei = i[0];
    if (frame_.mei != 0x0F) {
        frame_.error = kTeiUnknownEntity;
        view_.error = kTeiUnknownEntity;
        return;
    }
    frame_.ri = static_cast<std::uint16_t>(i[1] * 256 + i[2]);
    frame_.messageType = i[3];
    if (frame_.messageType == 0 || frame_.messageType > 7) {
        frame_.error = kTeiUnknownMessageType;
        view_.error = kTeiUnknownMessageType;
        return;
    }
    frame_.ai = i[4] >> 1;
    frame_.aiExt = i[4] & 1;
}

namespace {

// "0x" and the value in upper-case hexadecimal, at least minDigits digits (printf's "0x%0*X").
void appendHexValue(unsigned value, int minDigits, std::string &out) {
    out.append("0x");
    appendHex(out, value, minDigits);
}

} // namespace

void CDecoder::hexText(unsigned value, std::string &out) {
    out.clear();
    appendHexValue(value, value < 255 ? 2 : 4, out);
}

void CDecoder::hexText4(unsigned value, std::string &out) {
    out.clear();
    appendHexValue(value, 4, out);
}

namespace {

void decimal(unsigned value, std::string &out) {
    assignDecimal(out, value);
}

constexpr std::string_view kTeiMessages[] = {"ID.REQUEST", "ID.ASSIGN", "ID.DENIED", "ID.CHK.REQ",
                                             "ID.CHK.RES", "ID.REMOVE", "ID.VERIFY"};

// LAPD control field values (P/F bit cleared) with their short and long names.
struct ControlName {
    std::uint8_t control;
    const char *shortName;
    const char *longName;
};
constexpr ControlName kControlNames[] = {
    {kCtrlI, "I", "I (Information)"},
    {kCtrlRR, "RR", "RR (Receive Ready)"},
    {kCtrlRNR, "RNR", "RNR (Receive Not Ready)"},
    {kCtrlREJ, "REJ", "REJ (Reject)"},
    {kCtrlSABME, "SABME", "SABME (Set Asynchronous Balanced Mode Extended)"},
    {kCtrlDM, "DM", "DM (Disconnected Mode)"},
    {kCtrlDISC, "DISC", "DISC (Disconnect)"},
    {kCtrlUA, "UA", "UA (Unnumbered Acknowledgement)"},
    {kCtrlFRMR, "FRMR", "FRMR (Frame Reject)"},
    {kCtrlUI, "UI", "UI (Unnumbered Information)"},
    {kCtrlXID, "XID", "XID (Exchange Identification Note)"},
};

const ControlName *controlName(std::uint8_t control) {
    for (const ControlName &name : kControlNames)
        if (name.control == control)
            return &name;
    return nullptr;
}

std::string_view frmrCauseText(std::uint8_t cause) {
    if (cause & 8)
        return "Inval.N(R)";
    if (cause & 4)
        return "> max.len.";
    if (cause & 2)
        return "Inval.info";
    if (cause & 1)
        return "Undefined";
    return "Unknown";
}

} // namespace

bool CDecoder::isResponse() const {
    return frame_.direction == kDirectionNtTe ? frame_.cr == 0 : frame_.cr == 1;
}

void CDecoder::teiMessageText(std::string &out) const {
    if (frame_.error == kTeiUnknownEntity) {
        out.assign("?");
    } else if (frame_.error == kTeiUnknownMessageType || frame_.messageType < 1 ||
               frame_.messageType > 7) {
        out.assign(text(textBase_ + kTextUnknown));
    } else {
        out.assign(kTeiMessages[frame_.messageType - 1]);
        if (frame_.aiExt == 0)
            out.push_back('+');
    }
}

void CDecoder::multipleAiText(std::string &out) const {
    out.clear();
    const std::uint16_t length = infoLength();
    const std::uint8_t *i = info();
    for (std::uint16_t k = 4; k < length; ++k) {
        char number[8];
        std::snprintf(number, sizeof number, "%u ", static_cast<unsigned>(i[k] >> 1));
        out.append(number);
        if (i[k] & 1)
            break;
    }
}

bool CDecoder::layer2Column(int column, std::string &out, bool longForm) {
    const DecodedFrame &f = frame_;
    const std::uint16_t e = f.error;
    const bool l1 = record_.kind == kLayer1Event;
    const bool isFrame = record_.kind == kFrameRecord;
    auto set = [&](std::string_view s) { out.assign(s); };
    // Columns of the address field and of FRMR: "?" for errors 3 and 8.
    const bool addressError = e == kLayer2Error || e == kBadFcs;
    // Columns of the control field: also "?" when the frame was too long to be parsed.
    const bool controlError = addressError || e == kFrameTooLong;
    const bool teiError = e == kTeiUnknownMessageType || e == kTeiUnknownEntity || e == kBadFcs;
    switch (summaryColumn(column)) {
    case SummaryColumn::Type: // Type
        if (l1)
            set("Phys.");
        else if (controlError || !isFrame)
            set("?");
        else if (const ControlName *name = controlName(f.control))
            set(longForm ? name->longName : name->shortName);
        else
            set(longForm ? text(textBase_ + kTextUnknown) : text(textBase_ + kTextQuestionMark));
        return true;
    case SummaryColumn::Sapi:
    case SummaryColumn::CommandResponse:
    case SummaryColumn::Ea1:
    case SummaryColumn::Tei:
    case SummaryColumn::Ea2:
        if (l1)
            set("-");
        else if (addressError || !isFrame)
            set("?");
        else if (column == columnNumber(SummaryColumn::Sapi))
            decimal(f.sapi, out);
        else if (column == columnNumber(SummaryColumn::CommandResponse))
            set(isResponse() ? (longForm ? "Response" : "R") : (longForm ? "Command" : "C"));
        else if (column == columnNumber(SummaryColumn::Ea1))
            decimal(f.ea1, out);
        else if (column == columnNumber(SummaryColumn::Tei))
            decimal(f.tei, out);
        else
            decimal(f.ea2, out);
        return true;
    case SummaryColumn::Ns:
    case SummaryColumn::Nr:
    case SummaryColumn::PollFinal:
        if (l1)
            set("-");
        else if (controlError || !isFrame)
            set("?");
        else if (column == columnNumber(SummaryColumn::Ns))
            f.format != kFormatI ? set("-") : decimal(f.ns, out);
        else if (column == columnNumber(SummaryColumn::Nr))
            f.format == kFormatU ? set("-") : decimal(f.nr, out);
        else
            set(isResponse() ? (longForm ? "Final" : "F") : (longForm ? "Poll" : "P"));
        return true;
    case SummaryColumn::Mei:
    case SummaryColumn::Ri:
    case SummaryColumn::Ai:
    case SummaryColumn::MultipleAi:
    case SummaryColumn::AiExtension:
        if (l1)
            set("-");
        else if (teiError || !isFrame)
            set("?");
        else if (f.l3Kind != kL3TeiManagement)
            set("-");
        else if (column == columnNumber(SummaryColumn::Mei))
            hexText(f.mei, out);
        else if (column == columnNumber(SummaryColumn::Ri))
            hexText(f.ri, out);
        else if (column == columnNumber(SummaryColumn::Ai))
            f.aiExt == 0 ? set("-") : decimal(f.ai, out);
        else if (column == columnNumber(SummaryColumn::MultipleAi))
            f.aiExt == 1 ? set("-") : multipleAiText(out);
        else
            decimal(f.aiExt, out);
        return true;
    case SummaryColumn::RejectControl:
    case SummaryColumn::FrmrVs:
    case SummaryColumn::FrmrVr:
    case SummaryColumn::FrmrCommandResponse:
    case SummaryColumn::FrmrCause:
        // An FRMR too long to be parsed has no fields to show.
        if (l1)
            set("-");
        else if (addressError || (e == kFrameTooLong && f.control == kCtrlFRMR))
            set("?");
        else if (f.control != kCtrlFRMR)
            set("-");
        else if (column == columnNumber(SummaryColumn::RejectControl))
            hexText(f.frmrControl, out);
        else if (column == columnNumber(SummaryColumn::FrmrVs))
            decimal(f.frmrVs, out);
        else if (column == columnNumber(SummaryColumn::FrmrVr))
            decimal(f.frmrVr, out);
        else if (column == columnNumber(SummaryColumn::FrmrCommandResponse))
            set(f.frmrCr == 1 ? (longForm ? "Response" : "R") : (longForm ? "Command" : "C"));
        else
            set(frmrCauseText(f.frmrCause));
        return true;
    default:
        return false;
    }
}

void CDecoder::dateText(std::string &out) {
    const std::uint16_t month = record_.month;
    if (month == 1 && previousMonth_ == 12)
        ++year_;
    else if (month == 12 && previousMonth_ == 1)
        --year_;
    previousMonth_ = month;
    out.clear();
    appendDecimal(out, record_.day(), 2);
    out.push_back('/');
    appendDecimal(out, month, 2);
    out.push_back('/');
    appendDecimal(out, year_, 4);
}

void CDecoder::layer1EventText(std::string &out) const {
    if (record_.status < kLayer1EventCount)
        out.assign(text(textBase_ + kTextLayer1EventFirst + record_.status));
    else
        out.assign(text(textBase_ + kTextUnknown));
}

void CDecoder::directionText(std::string &out, bool longForm) const {
    if (record_.kind == kLayer1Event && isActivationEvent(record_.status))
        out.assign("-");
    else if (frame_.direction == kDirectionTeNt)
        out.assign(longForm ? "TE->NT" : "==>     ");
    else if (frame_.direction == kDirectionNtTe)
        out.assign(longForm ? "NT->TE" : "     <==");
    else
        out.assign(text(textBase_ + (longForm ? kTextUnknown : kTextQuestionMark)));
}

int CDecoder::LayerCategory() const {
    int category;
    if (frame_.control == kCtrlI)
        category = frame_.sapi == 16 ? 4 : 3;
    else if (frame_.format == kFormatS || frame_.format == kFormatU)
        category = 2;
    else
        category = record_.kind == kLayer1Event ? 1 : 0;
    if (frame_.control == kCtrlUI)
        category = frame_.l3Kind == kL3TeiManagement || frame_.l3Kind == kL3FrmrInfo ? 2 : 3;
    return frame_.direction == kDirectionNtTe ? -category : category;
}

int CDecoder::hexaLine(int lineNumber, std::string &hex, std::string &ascii) const {
    hex.clear();
    ascii.clear();
    if (!decoded_)
        return -1;
    if (lineNumber < 0 || static_cast<std::uint32_t>(lineNumber) * 16 >= view_.length)
        return -2;
    const std::uint32_t first = static_cast<std::uint32_t>(lineNumber) * 16;
    const std::uint32_t count = std::min<std::uint32_t>(16, view_.length - first);
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint8_t octet = view_.data[first + k];
        hex.push_back(' ');
        appendHex(hex, octet);
        // DEL has no picture: it is a dot, as every other control character.
        ascii.push_back(octet >= 0x20 && octet < 0x7F ? static_cast<char>(octet) : '.');
    }
    return static_cast<int>(count);
}

bool CDecoder::causeValue(std::uint32_t &cause) const {
    const L3ItemProvider *provider = frame_.l3Kind == kL3CallControl ? services_.isdnItems
                                     : frame_.l3Kind == kL3X25       ? services_.x25Items
                                                                     : nullptr;
    if (!provider || frame_.l3Offset > frame_.frameLength)
        return false;
    return provider->itemValue(info(), frame_.l3Length, kItemCause, cause);
}

// ---- detail --------------------------------------------------------------------------------

void CDecoder::addLine(std::string_view text, DetailLineKind kind, TextColour colour) {
    if (lineCount_ == lines_.size())
        lines_.emplace_back();
    DetailLine &line = lines_[lineCount_++];
    // The line's text is rewritten in place: a detail built again and again into the same
    // lines allocates nothing once they have grown.
    const bool label = kind == kDetailLabel || kind == kDetailSubLabel;
    line.text.resize(text.size() + (label ? 3 : 0));
    char *out = line.text.data();
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    if (label)
        std::memcpy(out + text.size(), " : ", 3);
    line.kind = kind;
    line.colour = colour;
    line.frameOffset = -1;
    line.byteCount = 0;
    line.start = detailOptions_.start;
    line.end = detailOptions_.start + detailOptions_.unit * (kind == kDetailTitle ? 3 : 1);
}

void CDecoder::appendLine(const DetailLine &from) {
    if (lineCount_ == lines_.size())
        lines_.emplace_back();
    DetailLine &line = lines_[lineCount_++];
    line.text.assign(from.text);
    line.kind = from.kind;
    line.colour = from.colour;
    line.start = from.start;
    line.end = from.end;
    // Lines taken from another decoder count their octets in that decoder's record.
    line.frameOffset = -1;
    line.byteCount = 0;
}

bool CDecoder::addInterpreterLines(const FullDecode &decode, const std::uint8_t *info,
                                   std::uint16_t length, TextColour colour) {
    items_.clear();
    if (!decode(info, length, items_))
        return false;
    const std::int32_t base = static_cast<std::int32_t>(info - record_.data.data());
    if (lines_.size() < lineCount_ + 2 * items_.size())
        lines_.resize(lineCount_ + 2 * items_.size());
    for (const Layer3DetailItem &item : items_) {
        addPair(item.label, item.value, colour, item.subField);
        if (item.offset >= 0 && item.count > 0) {
            for (DetailLine *line : {&lines_[lineCount_ - 2], &lines_[lineCount_ - 1]}) {
                line->frameOffset = base + item.offset;
                line->byteCount = item.count;
            }
        }
    }
    return true;
}

void CDecoder::markLastPair(std::int32_t offset, std::uint16_t count) {
    for (std::size_t k = lineCount_ >= 2 ? lineCount_ - 2 : 0; k < lineCount_; ++k) {
        lines_[k].frameOffset = offset;
        lines_[k].byteCount = count;
    }
}

void CDecoder::addPair(std::string_view label, std::string_view value, TextColour colour,
                       bool subField) {
    addLine(label, subField ? kDetailSubLabel : kDetailLabel, colour);
    addLine(value, subField ? kDetailSubValue : kDetailValue, colour);
}

void CDecoder::withPollFinalBit(std::string &value) const {
    // A command's bit is P, a response's F, and either may be 0.
    if (value == "Poll")
        value += frame_.pf ? " (P=1)" : " (P=0)";
    else if (value == "Final")
        value += frame_.pf ? " (F=1)" : " (F=0)";
}

int CDecoder::layer1Block() {
    const TextColour c = colourOf(1);
    std::string event;
    layer1EventText(event);
    addLine(tr("ISDN LAYER 1", "NIVEAU 1 RNIS"), kDetailHeading, c);
    addPair("Type", "Phys.", c);
    addPair(tr("Message Type", "Type de Message"), event, c);
    return 0;
}

int CDecoder::layer2Block() {
    const TextColour c = colourOf(2);
    std::string value;
    addLine(tr("ISDN LAYER 2", "NIVEAU 2 RNIS"), kDetailHeading, c);
    addLine(tr("ADDRESS FIELD:", "CHAMP D'ADRESSE:"), kDetailHeading, c);
    static constexpr struct {
        SummaryColumn column;
        const char *label;
    } kAddress[] = {{SummaryColumn::Sapi, "SAPI (Service Access Point Identifier)"},
                    {SummaryColumn::CommandResponse, "Command/Response"},
                    {SummaryColumn::Ea1, "Extension Bit 1"},
                    {SummaryColumn::Tei, "TEI (Terminal Endpoint Identifier)"},
                    {SummaryColumn::Ea2, "Extension Bit 2"}},
      kControl[] = {{SummaryColumn::Type, "Type"},
                    {SummaryColumn::Ns, "N(S) (Send Sequence Number)"},
                    {SummaryColumn::Nr, "N(R) (Receive Sequence Number)"},
                    {SummaryColumn::PollFinal, "Poll/Final"}};
    // The octets each pair describes, when the frame holds them: the address octets 0 and 1,
    // the control field from octet 2 (two octets for I and S frames).
    const std::uint16_t length = record_.kind == kFrameRecord ? record_.dataLength : 0;
    const bool twoOctetControl = length > 2 && (record_.data[2] & 1) == 0 ? true
                                 : length > 2 ? (record_.data[2] & 3) == 1
                                              : false;
    auto markPair = [&](int offset, int count) {
        if (offset + count <= length)
            markLastPair(offset, static_cast<std::uint16_t>(count));
    };
    for (const auto &pair : kAddress) {
        layer2Column(columnNumber(pair.column), value, true);
        addPair(pair.label, value, c);
        markPair(columnNumber(pair.column) <= columnNumber(SummaryColumn::Ea1) ? 0 : 1, 1);
    }
    addLine(tr("CONTROL FIELD:", "CHAMP DE COMMANDE:"), kDetailHeading, c);
    for (const auto &pair : kControl) {
        layer2Column(columnNumber(pair.column), value, true);
        if (pair.column == SummaryColumn::PollFinal)
            withPollFinalBit(value);
        addPair(pair.label, value, c);
        switch (pair.column) {
        case SummaryColumn::Type:
            markPair(2, twoOctetControl ? 2 : 1);
            break;
        case SummaryColumn::Ns: // N(S): I frames only
            if (twoOctetControl && (record_.data[2] & 1) == 0)
                markPair(2, 1);
            break;
        case SummaryColumn::Nr:
            if (twoOctetControl)
                markPair(3, 1);
            break;
        default:
            markPair(twoOctetControl ? 3 : 2, 1);
            break;
        }
    }
    return 0;
}

int CDecoder::teiManagementBlock() {
    const TextColour c = colourOf(2);
    std::string value;
    addLine(tr("TEI MANAGEMENT INFORMATION:", "GESTION DE TEI:"), kDetailHeading, c);
    layer2Column(columnNumber(SummaryColumn::Mei), value, true);
    addPair("Management Entity Identifier", value, c);
    layer2Column(columnNumber(SummaryColumn::Ri), value, true);
    addPair("Reference Number", value, c);
    teiMessageText(value);
    addPair(tr("Message Type", "Type de Message"), value, c);
    layer2Column(columnNumber(frame_.aiExt == 1 ? SummaryColumn::Ai : SummaryColumn::MultipleAi),
                 value, true);
    addPair("Action Indicator", value, c);
    layer2Column(columnNumber(SummaryColumn::AiExtension), value, true);
    addPair("Action Indicator Extension Bit", value, c);
    return 0;
}

int CDecoder::frmrBlock() {
    const TextColour c = colourOf(2);
    std::string value;
    addLine(tr("FRAME REJECT (FRMR) RESPONSE:", "REPONSE DE REJET DE TRAME (FRMR):"),
            kDetailHeading, c);
    static constexpr struct {
        SummaryColumn column;
        const char *label;
    } kPairs[] = {{SummaryColumn::RejectControl, "Rejected Frame Control Field"},
                  {SummaryColumn::FrmrVs, "V(S) (Current Send Sequence)"},
                  {SummaryColumn::FrmrVr, "V(R) (Current Receive Sequence)"},
                  {SummaryColumn::FrmrCommandResponse, "Rejected Frame Command/Response"},
                  {SummaryColumn::FrmrCause, "Cause (bits W X Y Z)"}};
    for (const auto &pair : kPairs) {
        layer2Column(columnNumber(pair.column), value, true);
        addPair(pair.label, value, c);
    }
    return 0;
}

// ---- services --------------------------------------------------------------------------------

namespace {

class CopiedServices : public DecoderServiceSet {
public:
    explicit CopiedServices(const DecoderServices &services) : services_(services) {}
    const DecoderServices &services() const override { return services_; }

private:
    DecoderServices services_;
};

} // namespace

std::unique_ptr<DecoderServiceSet> servicesForAnotherThread(const DecoderServices &services) {
    if (services.forAnotherThread)
        return services.forAnotherThread();
    return std::make_unique<CopiedServices>(services);
}

// ---- search --------------------------------------------------------------------------------

namespace {

void upperCase(std::string &s) {
    for (char &ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
}

} // namespace

int CDecoder::search(const FindRequest &request, const std::vector<SearchColumn> &columns,
                     FindResult &result) {
    const int step = request.step < 0 ? -1 : 1;
    std::vector<SearchColumn> order;
    for (const SearchColumn &c : columns)
        if (c.column != 0)
            order.push_back(c);
    std::sort(order.begin(), order.end(),
              [](const SearchColumn &a, const SearchColumn &b) { return a.position < b.position; });
    if (step < 0)
        std::reverse(order.begin(), order.end());

    std::string cell;
    bool firstFrame = true;
    std::int64_t n = request.firstFrame;
    const std::int64_t last = request.lastFrame;
    for (; step > 0 ? n <= last : n >= last; n += step, firstFrame = false) {
        const int answer = host_.positionOn(static_cast<std::uint32_t>(n));
        if (answer == 1 || answer == 5)
            continue;
        if (answer < 0)
            return kFindDecodeFailed;
        const std::uint32_t frame = static_cast<std::uint32_t>(n);
        switch (request.criterion) {
        case FindCriterion::SummaryText: {
            for (const SearchColumn &c : order) {
                if (firstFrame) {
                    const bool before = step > 0 ? c.position < request.startPosition
                                                 : c.position > request.startPosition;
                    if (before || (request.startAfter && c.position == request.startPosition))
                        continue;
                }
                columnText(c.column, cell, false);
                if (!request.matchCase)
                    upperCase(cell);
                if (cell.find(request.text) != std::string::npos) {
                    result = {frame, c.position};
                    return kFindFound;
                }
            }
            break;
        }
        case FindCriterion::DetailText: {
            if (Format_Detail(detailOptions_) < 0)
                return kFindDecodeFailed;
            const int count = static_cast<int>(lineCount_);
            int k = step > 0 ? 0 : count - 1;
            if (firstFrame) {
                k = request.startPosition + (request.startAfter ? step : 0);
                if (step < 0 && k >= count)
                    k = count - 1;
            }
            for (; k >= 0 && k < count; k += step) {
                cell = lines_[static_cast<std::size_t>(k)].text;
                if (!request.matchCase)
                    upperCase(cell);
                if (cell.find(request.text) != std::string::npos) {
                    result = {frame, k};
                    return kFindFound;
                }
            }
            break;
        }
        case FindCriterion::MessageType: {
            if (firstFrame && request.startAfter)
                break;
            messageTypeText(cell, false);
            if (!request.matchCase)
                upperCase(cell);
            if (cell == request.text) {
                result = {frame, 0};
                return kFindFound;
            }
            break;
        }
        case FindCriterion::Cause: {
            if (firstFrame && request.startAfter)
                break;
            std::uint32_t cause = 0;
            if (causeValue(cause) && cause == request.cause) {
                result = {frame, 0};
                return kFindFound;
            }
            break;
        }
        }
    }
    return kFindExhausted;
}

} // namespace qv
