#include "decode/CISDN.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Numbers.h"
#include "base/Texts.h"
#include "decode/SummaryColumn.h"

namespace qv {

CISDN::CISDN(DecoderHost &host, const DecoderServices &services) : CDecoder(host, services) {}

CISDN::~CISDN() = default;

const L3ItemProvider *CISDN::providerOf(std::uint8_t l3Kind) const {
    if (l3Kind == kL3CallControl)
        return services_.isdnItems;
    if (l3Kind == kL3X25)
        return services_.x25Items;
    return nullptr;
}

int CISDN::parseFrame() {
    const std::uint8_t c = record_.data[2u * frame_.addressWords];
    frame_.controlLength = (c & 3) == 3 ? 1 : 2;
    frame_.l3Offset = static_cast<std::uint16_t>(2 * frame_.addressWords + frame_.controlLength);
    if (pan_parse() < 0)
        return -6;
    if (frame_.l3Kind == kL3X25 && services_.x25Facilities &&
        !services_.x25Facilities(frame_, info(), infoLength()))
        return 1;
    return 0;
}

int CISDN::decodeLoaded(std::uint32_t frameNumber) {
    const int base = decodeBase(frameNumber);
    if (base != 0)
        return base;
    if (frame_.error == kDecodeOk && record_.kind != kLayer1Event)
        return parseFrame();
    return 0;
}

int CISDN::DecodeFrameRealTime(const LvtRecord &record, std::uint32_t frameNumber) {
    if (year_ == 0) {
        year_ = host_.captureStartYear();
        previousMonth_ = host_.captureStartMonth();
    }
    record_ = record;
    initialiseFrame(frameNumber);
    if (record_.isOverflowMark()) {
        frame_.error = record_.status == 1 ? kRealTimeOverflow : kBadFcs;
        return 0;
    }
    if (record_.kind != kLayer1Event && record_.status == 0) {
        if (parseFrame() != 0)
            return 1;
    } else if (record_.kind != kLayer1Event) {
        frame_.error = kBadFcs;
    } else {
        frame_.frameLength = 0;
    }
    if (!realTimeFilter_)
        return 0;
    return realTimeFilter_(frame_, record_, LayerCategory(), frameNumber);
}

void CISDN::parseLayer3() {
    if (frame_.l3Kind == kL3CallControl)
        parseCallControl();
    else if (frame_.l3Kind == kL3X25 && services_.x25Parse)
        services_.x25Parse(frame_, info(), infoLength());
}

void CISDN::parseCallControl() {
    DecodedFrame &f = frame_;
    const std::uint8_t *i = info();
    f.pd = i[0];
    f.crLength = i[1] & 0x0F;
    switch (f.crLength) {
    case 0:
        f.crFlag = 0;
        f.callRef = 0;
        break;
    case 1:
        f.crFlag = i[2] >> 7;
        f.callRef = i[2] & 0x7F;
        break;
    case 2:
        f.crFlag = i[2] >> 7;
        f.callRef = static_cast<std::uint16_t>((i[2] * 256 + i[3]) & 0x7FFF);
        break;
    default:
        f.crLength = 0;
        f.crFlag = 0;
        f.callRef = 0;
        f.error = kBadCallRefLength;
        break;
    }
    if (f.error != kBadCallRefLength)
        f.messageType = i[2 + f.crLength];
    const L3ItemProvider *items = services_.isdnItems;
    if (!items)
        return;
    const std::uint16_t length = f.l3Length;
    // A message without the number carries none: not the column's "-" placeholder, which the
    // call tracking would take for a digit string.
    if (!items->itemText(i, length, kItemCallingAddress, f.callingAddress))
        f.callingAddress.clear();
    if (!items->itemText(i, length, kItemCalledAddress, f.calledAddress))
        f.calledAddress.clear();
    std::string channel;
    f.channel = 0;
    if (items->itemText(i, length, kItemChannel, channel) && channel.find('B') != std::string::npos)
        f.channel = static_cast<std::uint32_t>(std::strtoul(channel.c_str() + 1, nullptr, 10));
    std::uint32_t cause = 0;
    if (items->itemValue(i, length, kItemCause, cause))
        f.cause = cause > 127 ? 0 : cause;
}

bool CISDN::layer3HeaderColumn(int column, std::string &out, bool longForm) const {
    if (column < 23 || column > 27)
        return false;
    const DecodedFrame &f = frame_;
    // PD and LCN cannot be known after any error; the call-reference columns only after the
    // errors that leave the call reference unread.
    const bool unknown = column == 23 || column == 27
                             ? f.error != kDecodeOk
                             : f.error == kBadCallRefLength || f.error == kBadFcs;
    const std::uint8_t kind = column == 27 ? kL3X25 : kL3CallControl;
    if (unknown)
        out.assign("?");
    else if (record_.kind == kLayer1Event)
        out.assign("-");
    else if (record_.kind != kFrameRecord)
        out.assign("?");
    else if (f.l3Kind != kind || (column >= 25 && column <= 26 && f.crLength == 0))
        out.assign("-");
    else if (column == 23)
        hexText(f.pd, out);
    else if (column == 24)
        assignDecimal(out, f.crLength);
    else if (column == 25 && f.crFlag == 0)
        out.assign(longForm ? tr("Call Origin Side", "Cote d'origine de l'appel") : "Orig");
    else if (column == 25)
        out.assign(longForm ? tr("Call Receiver Side", "Cote recepteur de l'appel") : "Rcvr");
    else if (column == 26 && f.crLength == 1)
        hexText(f.callRef, out); // below 0x80: always two digits
    else if (column == 26)
        hexText4(f.callRef, out);
    else
        hexText(static_cast<unsigned>(f.lcgn) * 256 + f.lcn, out);
    return true;
}

void CISDN::messageTypeText(std::string &out, bool longForm) {
    if (record_.kind == kLayer1Event) {
        layer1EventText(out);
    } else if (record_.kind != kFrameRecord || frame_.error == kBadFcs) {
        out.assign("?");
    } else if (frame_.l3Kind == kL3CallControl || frame_.l3Kind == kL3X25) {
        out.clear();
        const L3ItemProvider *provider = providerOf(frame_.l3Kind);
        if (!provider) {
            out.assign("?");
            return;
        }
        if (!provider->messageTypeText(info(), frame_.l3Length, longForm, frame_.direction, out))
            frame_.error = kUnknownMessageType;
    } else if (frame_.l3Kind == kL3TeiManagement) {
        teiMessageText(out);
    } else {
        out.assign("-");
    }
}

void CISDN::itemText(int item, std::string &out) const {
    out.clear();
    const L3ItemProvider *provider = providerOf(frame_.l3Kind);
    if (record_.kind != kFrameRecord)
        out.assign("-");
    else if (frame_.error != kDecodeOk)
        out.assign("?");
    else if (!provider || !provider->itemText(info(), frame_.l3Length, item, out) || out.empty())
        out.assign("-");
}

void CISDN::columnText(int column, std::string &out, bool longForm) {
    switch (summaryColumn(column)) {
    case SummaryColumn::Number:
        assignDecimal(out, frameNumber_);
        return;
    case SummaryColumn::Date:
        dateText(out);
        return;
    case SummaryColumn::Time:
        out.clear();
        appendTimeText(out, record_);
        return;
    case SummaryColumn::Direction:
        directionText(out, longForm);
        return;
    case SummaryColumn::MessageType:
        messageTypeText(out, longForm);
        return;
    case SummaryColumn::Fcs:
        out.assign(statusText(record_));
        return;
    case SummaryColumn::Size:
        assignDecimal(out, frame_.frameLength);
        return;
    default:
        break;
    }
    if (column >= 29 && column <= 36) {
        itemText(column - 28, out);
        return;
    }
    if (layer2Column(column, out, longForm) || layer3HeaderColumn(column, out, longForm))
        return;
    out.assign("?");
}

void CISDN::layer2BlockOfAnyFrame() {
    // A frame with a bad status keeps its octets: its address and control fields are shown as
    // they read, and the status and the FCS lines say that the frame is bad.
    const bool readable = frame_.error == kBadFcs && record_.kind == kFrameRecord &&
                          !record_.isOverflowMark() && record_.dataLength >= 3;
    if (!readable) {
        layer2Block();
        return;
    }
    const DecodedFrame kept = frame_;
    frame_.error = kDecodeOk;
    const std::uint8_t c = record_.data[2u * frame_.addressWords];
    frame_.controlLength = (c & 3) == 3 ? 1 : 2;
    frame_.l3Offset = static_cast<std::uint16_t>(2 * frame_.addressWords + frame_.controlLength);
    if (pan_parse() < 0)
        frame_ = kept;
    layer2Block();
    frame_ = kept;
}

int CISDN::callControlBlock() {
    const TextColour c = colourOf(3);
    std::string value;
    addLine(tr("ISDN LAYER 3", "NIVEAU 3 RNIS"), kDetailHeading, c);
    static constexpr struct {
        int column;
        const char *english;
        const char *french;
    } kPairs[] = {
        {23, "Protocol Discriminator", "Discriminateur de Protocole"},
        {24, "Call Reference Length", "Longueur de la Reference d'Appel"},
        {25, "Call Reference Flag", "Fanion de la Reference d'Appel"},
        {26, "Call Reference Value", "Valeur de la Reference d'Appel"},
        {28, "Message Type", "Type de Message"},
        {35, "Cause", "Cause"},
    };
    // The octets of the header fields, where the frame holds them and the call reference could
    // be read: PD, the call reference's length octet, its flag and value, the message type.
    const DecodedFrame &f = frame_;
    const bool headerRead = f.error != kBadCallRefLength && f.error != kBadFcs;
    const std::int32_t at = f.l3Offset;
    for (const auto &pair : kPairs) {
        columnText(pair.column, value, true);
        addPair(tr(pair.english, pair.french), value, c);
        std::int32_t offset = -1, count = 1;
        switch (pair.column) {
        case 23:
            offset = at;
            break;
        case 24:
            offset = headerRead ? at + 1 : -1;
            break;
        case 25:
        case 26:
            offset = headerRead && f.crLength > 0 ? at + 2 : -1;
            count = pair.column == 26 ? f.crLength : 1;
            break;
        case 28:
            offset = headerRead ? at + 2 + f.crLength : -1;
            break;
        default:
            break;
        }
        if (offset >= 0 && offset + count <= static_cast<std::int32_t>(record_.dataLength))
            markLastPair(offset, static_cast<std::uint16_t>(count));
    }
    if (!services_.callControlFullDecode)
        return 0;
    if (!addInterpreterLines(services_.callControlFullDecode, info(), frame_.l3Length, c))
        frame_.error = kInterpreterProblem;
    return 0;
}

int CISDN::Format_Detail(const DetailOptions &options) {
    if (!decoded_) {
        host_.messages().error("CISDN::Format_Detail() error: ev_p = NULL");
        return -4;
    }
    detailOptions_ = options;
    clearDetail();
    const std::uint16_t errorBefore = frame_.error;
    addLine(frame_.sapi == 16 ? std::string_view("X25/D")
                              : std::string_view(services_.protocolName),
            kDetailTitle, colourOf(frame_.sapi == 16 ? 4 : 3));
    std::string value;
    std::size_t statusLine = static_cast<std::size_t>(-1);
    if (options.layer2Lines) {
        const TextColour c = colourOf(2);
        directionText(value, true);
        addPair("Direction", value, c);
        addPair("Decode Status", decodeErrorText(frame_.error), c);
        statusLine = lineCount_ - 1;
    }
    if (record_.kind == kLayer1Event) {
        layer1Block();
    } else if (record_.kind == kFrameRecord) {
        if (options.layer2Lines && frame_.error != kLayer2Error)
            layer2BlockOfAnyFrame();
        if (frame_.l3Kind == kL3TeiManagement)
            teiManagementBlock();
        else if (frame_.l3Kind == kL3FrmrInfo)
            frmrBlock();
        if (options.layer2Lines)
            addPair("Frame Check Sequence (FCS)", statusText(record_), colourOf(2));
        if (options.layer3Lines && record_.status == 0) {
            int result = 0;
            if (frame_.l3Kind == kL3CallControl)
                result = callControlBlock();
            else if (frame_.l3Kind == kL3X25 && services_.x25DetailBlock)
                result = services_.x25DetailBlock(*this, options);
            if (result < 0) {
                char text[48];
                std::snprintf(text, sizeof text, "Layer 3 detail error: %d!", result);
                host_.messages().error(text);
                return -3;
            }
        }
    }
    if (statusLine < lineCount_ && errorBefore == kDecodeOk && frame_.error != kDecodeOk)
        lines_[statusLine].text.assign(decodeErrorText(frame_.error));
    return 0;
}

} // namespace qv
