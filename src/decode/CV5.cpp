#include "decode/CV5.h"

#include <cstdio>

#include "base/Numbers.h"
#include "decode/SummaryColumn.h"

namespace qv {

namespace {

struct V5MessageName {
    int protocol;
    std::uint8_t type;
    const char *longName;
    const char *shortName;
};

constexpr V5MessageName kV5MessageNames[] = {
    {kV5Pstn, 0x00, "ESTABLISH", "ESTABLISH"},
    {kV5Pstn, 0x01, "ESTABLISH ACK", "ESTAB. ACK"},
    {kV5Pstn, 0x02, "SIGNAL", "SIGNAL"},
    {kV5Pstn, 0x03, "SIGNAL ACK", "SIGNAL ACK"},
    {kV5Pstn, 0x08, "DISCONNECT", "DISCONNECT"},
    {kV5Pstn, 0x09, "DISCONNECT COMPLETE", "DISC.COMP."},
    {kV5Pstn, 0x0C, "STATUS ENQUIRY", "STATUS ENQ"},
    {kV5Pstn, 0x0D, "STATUS", "STATUS"},
    {kV5Pstn, 0x0E, "PROTOCOL PARAMETER", "PRTCL PARA"},
    {kV5Control, 0x10, "PORT CONTROL", "PORT CTRL"},
    {kV5Control, 0x11, "PORT CONTROL ACK", "PORT CT.AK"},
    {kV5Control, 0x12, "COMMON CONTROL", "COMMON CTL"},
    {kV5Control, 0x13, "COMMON CONTROL ACK", "COM.CT.ACK"},
    {kV5Protection, 0x18, "SWITCH-OVER REQ", "SWT.OV.REQ"},
    {kV5Protection, 0x19, "SWITCH-OVER COM", "SWT.OV.COM"},
    {kV5Protection, 0x1A, "OS-SWITCH-OVER COM", "OS.SW.OV.C"},
    {kV5Protection, 0x1B, "SWITCH-OVER ACK", "SWT.OV.ACK"},
    {kV5Protection, 0x1C, "SWITCH-OVER REJECT", "SWT.OV.REJ"},
    {kV5Protection, 0x1D, "PROTOCOL ERROR", "PRCTL ERR."},
    {kV5Protection, 0x1E, "RESET SN COM", "RES.SN COM"},
    {kV5Protection, 0x1F, "RESET SN ACK", "RES.SN ACK"},
    {kV5Bcc, 0x20, "ALLOCATION", "ALLOCATION"},
    {kV5Bcc, 0x21, "ALLOCATION COMPLETE", "ALLOC.COMP"},
    {kV5Bcc, 0x22, "ALLOCATION REJECT", "ALLOC.REJ."},
    {kV5Bcc, 0x23, "DE-ALLOCATION", "DE-ALLOC."},
    {kV5Bcc, 0x24, "DE-ALLOCATION COMPLETE", "DEALL.COMP"},
    {kV5Bcc, 0x25, "DE-ALLOCATION REJECT", "DEALL.REJ."},
    {kV5Bcc, 0x26, "AUDIT", "AUDIT"},
    {kV5Bcc, 0x27, "AUDIT COMPLETE", "AUDIT COMP"},
    {kV5Bcc, 0x28, "AN FAULT", "AN FAULT"},
    {kV5Bcc, 0x29, "AN FAULT AKNOWLEDGE", "AN FAU.ACK"},
    {kV5Bcc, 0x2A, "PROTOCOL ERROR", "PRCTL ERR."},
    {kV5LinkControl, 0x30, "LINK CONTROL", "LINK CTRL"},
    {kV5LinkControl, 0x31, "LINK CONTROL ACK", "LK CTL ACK"},
};

struct EfaText {
    const char *shortText;
    const char *longText;
};

// By EFA 8176..8180.
constexpr EfaText kProtocolEfaTexts[] = {
    {"PSTN", "PSTN Protocol"},        {"CTRL", "Control Protocol"},      {"BCC", "BCC Protocol"},
    {"Prot.", "Protection Protocol"}, {"Link", "Link Control Protocol"},
};
// By the class of an ISDN user-port frame.
constexpr EfaText kUserPortEfaTexts[] = {
    {"P", "ISDN (P Type)"}, {"F", "ISDN (F Type)"}, {"S", "ISDN (S Type)"}};

// PSTN, Control, BCC, Protection and Link control carry these layer-3 kinds.
constexpr std::uint8_t kProtocolL3Kinds[] = {kL3Pstn, kL3Control, kL3Bcc, kL3Protection,
                                             kL3LinkControl};

} // namespace

std::string_view v5MessageName(int protocol, std::uint8_t type, bool longForm) {
    for (const V5MessageName &m : kV5MessageNames)
        if (m.protocol == protocol && m.type == type)
            return longForm ? m.longName : m.shortName;
    return "?";
}

std::uint16_t v5Layer3Address(int protocol, const std::uint8_t *i) {
    switch (protocol) {
    case kV5Pstn:
        return static_cast<std::uint16_t>(((i[1] >> 1) << 8) | i[2]);
    case kV5Control:
        // A PSTN port's address has 15 bits, an ISDN port's 13.
        return (i[1] & 1) != 0 ? static_cast<std::uint16_t>(((i[1] & 0xFE) << 7) | i[2])
                               : static_cast<std::uint16_t>(((i[1] & 0xFC) << 5) | (i[2] >> 1));
    case kV5Bcc:
        return static_cast<std::uint16_t>(((i[1] & 0x7F) << 6) | (i[2] & 0x3F));
    case kV5Protection:
        return static_cast<std::uint16_t>((i[1] << 8) | i[2]);
    default:
        return i[2];
    }
}

CV5::CV5(DecoderHost &host, const DecoderServices &services)
    : CDecoder(host, services), inner_(std::make_unique<CISDN>(host, services)) {}

CV5::~CV5() = default;

int CV5::decodeLoaded(std::uint32_t frameNumber) {
    const int base = decodeBase(frameNumber);
    v5Frame_ = true;
    protocol_ = -1;
    frame_.efa = kNoEfa;
    if (base != 0 || !isGoodFrame() || frame_.error != kDecodeOk)
        return base;
    const std::uint8_t *d = record_.data.data();
    std::uint16_t efa = static_cast<std::uint16_t>(((d[0] & 0xFC) << 5) | (d[1] >> 1));
    envelopeCr_ = (d[0] >> 1) & 1;
    envelopeEa1_ = d[0] & 1;
    envelopeEa2_ = d[1] & 1;
    if (efa > kEfaLast) {
        frame_.l3Kind = kL3None;
        frame_.efa = kNoEfa;
        return 0;
    }
    if (efa < kEfaPstn) {
        // An ISDN user port's frame: the LAPD frame after the envelope.
        v5Frame_ = false;
        const std::uint8_t sapi = d[2] >> 2;
        frameClass_ = sapi == 16 ? 0 : sapi >= 32 && sapi <= 62 ? 1 : 2;
        LvtRecord &inner = inner_->currentRecord();
        inner = record_;
        const std::uint16_t length = frame_.frameLength >= 2 ? frame_.frameLength - 2 : 0;
        std::copy(record_.data.begin() + 2, record_.data.begin() + 2 + length, inner.data.begin());
        std::fill(inner.data.begin() + length, inner.data.end(), 0);
        inner.dataLength = length;
        const int r = inner_->decodeLoaded(frameNumber);
        const std::uint16_t recordLength = frame_.frameLength;
        frame_ = inner_->frame();
        frame_.frameLength = recordLength;
        if (r != 0)
            return r;
        frame_.efa = efa;
        return 0;
    }
    frame_.efa = efa;
    protocol_ = efa - kEfaPstn;
    parseProtocolFrame();
    return 0;
}

void CV5::parseProtocolFrame() {
    const std::uint8_t *d = record_.data.data();
    DecodedFrame &f = frame_;
    dla_ = static_cast<std::uint16_t>(((d[2] >> 2) << 7) | (d[3] >> 1));
    dlaCr_ = (d[2] >> 1) & 1;
    dlaEa1_ = d[2] & 1;
    dlaEa2_ = d[3] & 1;
    f.cr = dlaCr_;
    const std::uint8_t c = d[4], c2 = d[5];
    if ((c & 1) == 0) {
        f.controlLength = 2;
        f.format = kFormatI;
        f.control = kCtrlI;
        f.ns = c >> 1;
        f.nr = c2 >> 1;
        f.pf = c2 & 1;
    } else if ((c & 3) == 1) {
        f.controlLength = 2;
        f.format = kFormatS;
        f.control = c & 0xEF;
        f.nr = c2 >> 1;
        f.pf = c2 & 1;
    } else {
        f.controlLength = 1;
        f.format = kFormatU;
        f.control = c & 0xEF;
        f.pf = (c >> 4) & 1;
    }
    if (f.control != kCtrlI && f.control != kCtrlUI)
        return;
    f.l3Offset = static_cast<std::uint16_t>(f.controlLength + 4);
    f.l3Length =
        f.frameLength > f.l3Offset ? static_cast<std::uint16_t>(f.frameLength - f.l3Offset) : 0;
    const std::uint8_t *i = d + f.l3Offset;
    f.pd = i[0];
    f.l3Kind = kProtocolL3Kinds[protocol_];
    l3Address_ = v5Layer3Address(protocol_, i);
    pstnPort_ = protocol_ == kV5Control && (i[1] & 1) != 0;
    if (protocol_ == kV5Bcc)
        bccSource_ = (i[2] & 0x80) != 0;
    f.messageType = i[3];
}

int CV5::DecodeFrameRealTime(const LvtRecord &record, std::uint32_t frameNumber) {
    if (year_ == 0)
        startDates(host_.captureStartMonth(), host_.captureStartYear());
    record_ = record;
    const int r = decodeLoaded(frameNumber);
    if (record_.isOverflowMark())
        return 0;
    if (r != 0)
        return 1;
    return realTimeFilter_ ? realTimeFilter_(frame_, record_, LayerCategory(), frameNumber) : 0;
}

void CV5::directionText(std::string &out, bool longForm) const {
    if (record_.kind == kLayer1Event && isActivationEvent(record_.status))
        out.assign("-");
    else if (frame_.direction == kDirectionTeNt)
        out.assign(longForm ? "AN->LE" : "==>     ");
    else
        out.assign(longForm ? "LE->AN" : "     <==");
}

void CV5::messageTypeText(std::string &out, bool longForm) {
    if (record_.kind == kLayer1Event)
        layer1EventText(out);
    else if (record_.kind != kFrameRecord || frame_.error == kBadFcs)
        out.assign("?");
    else if (!v5Frame_)
        inner_->messageTypeText(out, longForm);
    else if (frame_.l3Kind == kL3None)
        out.assign("-");
    else
        out.assign(
            v5MessageName(protocol_, static_cast<std::uint8_t>(frame_.messageType), longForm));
}

void CV5::efaText(std::string &out, bool longForm) const {
    const EfaText &t = isProtocolFrame() ? kProtocolEfaTexts[frame_.efa - kEfaPstn]
                                         : kUserPortEfaTexts[frameClass_];
    out.assign(longForm ? t.longText : t.shortText);
}

bool CV5::v5Column(int column, std::string &out, bool longForm) {
    switch (summaryColumn(column)) {
    case SummaryColumn::Number:
        assignDecimal(out, frameNumber_);
        return true;
    case SummaryColumn::Date:
        dateText(out);
        return true;
    case SummaryColumn::Time:
        out.clear();
        appendTimeText(out, record_);
        return true;
    case SummaryColumn::Direction:
        directionText(out, longForm);
        return true;
    case SummaryColumn::Fcs:
        out.assign(statusText(record_));
        return true;
    case SummaryColumn::Size:
        assignDecimal(out, frame_.frameLength);
        return true;
    default:
        return false;
    }
}

void CV5::columnText(int column, std::string &out, bool longForm) {
    if (v5Column(column, out, longForm))
        return;
    out.assign("?");
    if (!v5Frame_) {
        inner_->columnText(column, out, longForm);
        if (out != "?")
            return;
    }
    const bool good = isGoodFrame() && frame_.error == kDecodeOk;
    switch (summaryColumn(column)) {
    case SummaryColumn::Type:
    case SummaryColumn::Ns:
    case SummaryColumn::Nr:
    case SummaryColumn::PollFinal:
        layer2Column(column, out, longForm);
        return;
    case SummaryColumn::ProtocolDiscriminator:
        if ((record_.kind != kLayer1Event && record_.kind != kFrameRecord) ||
            frame_.error != kDecodeOk)
            out.assign("?");
        else if (frame_.control == kCtrlI || frame_.control == kCtrlUI)
            hexText(frame_.pd, out);
        else
            out.assign("-");
        return;
    case SummaryColumn::MessageType:
        messageTypeText(out, longForm);
        return;
    case SummaryColumn::Efa:
        if (record_.kind == kLayer1Event || frame_.error != kDecodeOk || frame_.efa == 0 ||
            frame_.efa > kEfaLast)
            out.assign("-");
        else
            efaText(out, longForm);
        return;
    case SummaryColumn::Dla:
        if (good && isProtocolFrame())
            assignDecimal(out, dla_);
        else
            out.assign("-");
        return;
    case SummaryColumn::L3Address:
        if (frame_.l3Kind != kL3None && frame_.error == kDecodeOk && isProtocolFrame())
            assignDecimal(out, l3Address_);
        else
            out.assign("-");
        return;
    case SummaryColumn::TimeSlot:
        if (timeSlot_ < 32)
            assignDecimal(out, timeSlot_);
        else
            out.assign("-");
        return;
    default:
        out.assign("-");
        return;
    }
}

int CV5::layer3Block() {
    const TextColour c = colourOf(3);
    std::string value;
    addLine(tr("V5 LAYER 3", "V5 NIVEAU 3"), kDetailHeading, c);
    hexText(frame_.pd, value);
    addPair(tr("Protocol Discriminator", "Discriminateur de Protocole"), value, c);
    addLine(tr("Layer 3 Address", "Adresse Niveau 3"), kDetailHeading, c);
    switch (protocol_) {
    case kV5Pstn:
        addPair("Type", "PSTN User Port", c);
        break;
    case kV5Control:
        addPair("Type", pstnPort_ ? "PSTN User Port" : "ISDN Port Address", c);
        break;
    case kV5Bcc:
        addPair("Type", "BCC Process", c);
        addPair("Source", bccSource_ ? "Access Network" : "Local Exchange", c);
        break;
    case kV5Protection:
        addPair("Type", "Communication Channel", c);
        break;
    default:
        addPair("Type", "Link Identifier", c);
        break;
    }
    assignDecimal(value, l3Address_);
    addPair("Address", value, c);
    addPair(tr("Message Type", "Type de Message"),
            v5MessageName(protocol_, static_cast<std::uint8_t>(frame_.messageType), true), c);
    if (!services_.v5FullDecode)
        return 0;
    if (!addInterpreterLines(services_.v5FullDecode, record_.data.data() + frame_.l3Offset,
                             frame_.l3Length, c))
        return -1;
    return 0;
}

int CV5::Format_Detail(const DetailOptions &options) {
    if (!decoded_) {
        host_.messages().error("CISDN::Format_Detail() error: ev_p = NULL");
        return -4;
    }
    detailOptions_ = options;
    clearDetail();
    const std::uint16_t errorBefore = frame_.error;
    const bool x25 = !v5Frame_ && frame_.sapi == 16;
    addLine(x25 ? std::string("X25/D") : "V5/" + services_.protocolName, kDetailTitle,
            colourOf(x25 ? 4 : 3));
    std::string value;
    const TextColour l2 = colourOf(2);
    directionText(value, true);
    addPair("Direction", value, l2);
    addPair("Decode Status", decodeErrorText(frame_.error), l2);
    const std::size_t statusLine = lineCount_ - 1;
    if (record_.kind == kLayer1Event) {
        layer1Block();
    } else if (frame_.error != kLayer2Error) {
        addLine(tr("V5 LAYER 2 :", "V5 NIVEAU 2 :"), kDetailHeading, l2);
        if (record_.kind == kFrameRecord && frame_.efa != kNoEfa)
            efaText(value, true);
        else
            value.assign("-");
        addPair(tr("Envelope Function Address (EFA)", "EFA"), value, l2);
        assignDecimal(value, envelopeEa1_);
        addPair("Extension Bit 1", value, l2);
        assignDecimal(value, envelopeEa2_);
        addPair("Extension Bit 2", value, l2);
        if (!v5Frame_ && isGoodFrame()) {
            // The user port's own frame, as the ISDN decoder details it.
            if (inner_->Format_Detail(options) < 0)
                return -3;
            for (const DetailLine &line : inner_->detailLines())
                appendLine(line);
        } else {
            if (isProtocolFrame()) {
                assignDecimal(value, dla_);
                addPair(tr("Data Link Address (DLA)", "DLA"), value, l2);
                assignDecimal(value, dlaEa1_);
                addPair("Extension Bit 1", value, l2);
                assignDecimal(value, dlaEa2_);
                addPair("Extension Bit 2", value, l2);
                addLine(tr("CONTROL FIELD:", "CHAMP DE COMMANDE:"), kDetailHeading, l2);
                static constexpr struct {
                    int column;
                    const char *label;
                } kControl[] = {{4, "Type"},
                                {10, "N(S) (Send Sequence Number)"},
                                {11, "N(R) (Receive Sequence Number)"},
                                {12, "Poll/Final"}};
                for (const auto &pair : kControl) {
                    layer2Column(pair.column, value, true);
                    if (pair.column == 12)
                        withPollFinalBit(value);
                    addPair(pair.label, value, l2);
                }
            }
            addPair("Frame Check Sequence (FCS)", statusText(record_), l2);
            if (isProtocolFrame() && isGoodFrame() && frame_.l3Kind != kL3None) {
                const int r = layer3Block();
                if (r < 0) {
                    char text[48];
                    std::snprintf(text, sizeof text, "Layer 3 detail error: %d!", r);
                    host_.messages().error(text);
                    return -3;
                }
            }
        }
    }
    if (errorBefore == kDecodeOk && frame_.error != kDecodeOk)
        lines_[statusLine].text.assign(decodeErrorText(frame_.error));
    return 0;
}

} // namespace qv
