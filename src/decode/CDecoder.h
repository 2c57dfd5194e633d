#pragma once
// The frame decoder: turns the current capture record into a DecodedFrame, and gives the
// summary column texts, the protocol detail lines and the hexa trace of it.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/UserMessages.h"
#include "decode/DecodedFrame.h"
#include "decode/L3ItemProvider.h"
#include "decode/LvtRecord.h"

namespace qv {

class CDecoder;
class CISDN;

// What a decoder asks of the document that owns it.
class DecoderHost {
public:
    virtual ~DecoderHost() = default;
    // Positions the capture on record index and copies it into target: 0, or negative on failure.
    virtual int readRecord(std::uint32_t index, LvtRecord &target) = 0;
    // The document's positioning as the views use it: decodes frame index through the off-line
    // filter; 1 means out of range, unreadable or dropped, 5 beyond the last passing frame.
    virtual int positionOn(std::uint32_t index) = 0;
    virtual std::uint16_t captureStartYear() const = 0;
    virtual std::uint16_t captureStartMonth() const = 0;
    virtual int decodingLanguage() const = 0;
    virtual UserMessages &messages() = 0;
};

// One item of the layer-3 interpreter's full decode of a message; the texts belong to whoever
// made the item and stay valid until the detail is built.
struct Layer3DetailItem {
    bool subField = false;
    std::string_view label;
    std::string_view value;
    // The octets the item describes, from the start of the information field; -1: none.
    std::int32_t offset = -1;
    std::uint16_t count = 0;
};

// The layer-3 parts that the call-control and X.25 decoders provide; any may be absent.
// A full layer-3 decode of the message at info: its rows as detail items, false when it fails.
using FullDecode = std::function<bool(const std::uint8_t *info, std::uint16_t length,
                                      std::vector<Layer3DetailItem> &items)>;

class DecoderServiceSet;

struct DecoderServices {
    const L3ItemProvider *isdnItems = nullptr;
    const L3ItemProvider *x25Items = nullptr;
    // Name of the protocol variant in force: the title of every ISDN frame's detail.
    std::string protocolName;
    // The interpreter's full decode of a call-control information field; false on failure.
    FullDecode callControlFullDecode;
    // X.25: the packet parse into the decoded frame, the facility decode (false when it fails)
    // and the detail block (negative on failure).
    std::function<void(DecodedFrame &frame, const std::uint8_t *info, std::uint16_t length)>
        x25Parse;
    std::function<bool(DecodedFrame &frame, const std::uint8_t *info, std::uint16_t length)>
        x25Facilities;
    std::function<int(CISDN &decoder, const DetailOptions &options)> x25DetailBlock;
    // The V5 notation set's full decode of a V5 protocol message; false on failure.
    FullDecode v5FullDecode;
    // The interpreter behind the full decodes keeps its state in one instance, which only one
    // thread may use: this makes a set of services with instances of its own for another
    // thread. Empty when the services hold nothing of the kind.
    std::function<std::unique_ptr<DecoderServiceSet>()> forAnotherThread;
};

// Services together with whatever they decode through, owned by the thread that uses them.
class DecoderServiceSet {
public:
    virtual ~DecoderServiceSet() = default;
    virtual const DecoderServices &services() const = 0;
};

// The services of services for use on another thread: services.forAnotherThread() when set, else
// a copy (the services then share nothing that a thread could disturb).
std::unique_ptr<DecoderServiceSet> servicesForAnotherThread(const DecoderServices &services);

// Verdict of the real-time filter on a received frame.
using RealTimeFilter = std::function<int(const DecodedFrame &frame, const LvtRecord &record,
                                         int layerCategory, std::uint32_t frameNumber)>;

// A summary column as the search walks it: its number and its display position.
struct SearchColumn {
    int column;
    int position;
};

class CDecoder {
public:
    CDecoder(DecoderHost &host, const DecoderServices &services);
    virtual ~CDecoder();
    CDecoder(const CDecoder &) = delete;
    CDecoder &operator=(const CDecoder &) = delete;

    virtual void directionText(std::string &out, bool longForm) const;
    virtual int Format_Detail(const DetailOptions &options) = 0;
    virtual void columnText(int column, std::string &out, bool longForm) = 0;
    // Visible columns in display order for the summary text criterion.
    virtual int search(const FindRequest &request, const std::vector<SearchColumn> &columns,
                       FindResult &result);
    virtual int DecodeFrameRealTime(const LvtRecord &record, std::uint32_t frameNumber) = 0;
    virtual int Decode_Frame(std::uint32_t frameNumber);
    virtual void messageTypeText(std::string &out, bool longForm) = 0;
    virtual int LayerCategory() const;
    virtual int hexaLine(int lineNumber, std::string &hex, std::string &ascii) const;
    // The octets the hexa trace shows: none before a frame is decoded.
    const std::uint8_t *traceData() const { return decoded_ ? view_.data : nullptr; }
    std::uint32_t traceLength() const { return decoded_ ? view_.length : 0; }

    // Decodes the record already in the current-record buffer as frame frameNumber.
    virtual int decodeLoaded(std::uint32_t frameNumber);

    LvtRecord &currentRecord() { return record_; }
    const LvtRecord &currentRecord() const { return record_; }
    const DecodedFrame &frame() const { return frame_; }
    DecodedFrame &frame() { return frame_; }
    // The lines of the last Format_Detail.
    std::span<const DetailLine> detailLines() const { return {lines_.data(), lineCount_}; }
    std::uint32_t frameNumber() const { return frameNumber_; }
    int language() const { return language_; }
    int textBase() const { return textBase_; }
    bool hasDecoded() const { return decoded_; }
    // The cause of the current frame (summary item 7), when it has one.
    bool causeValue(std::uint32_t &cause) const;
    void setRealTimeFilter(RealTimeFilter filter) { realTimeFilter_ = std::move(filter); }
    // Restarts the running year of the date texts.
    void startDates(std::uint16_t month, std::uint16_t year);
    std::uint16_t runningYear() const { return year_; }

    // Text of a decode error in the detail and the filter.
    static std::string_view errorText(std::uint16_t error) { return decodeErrorText(error); }
    // Hexadecimal form of the layer-2 columns: "0x%02X" below 255, "0x%04X" from 255 on.
    static void hexText(unsigned value, std::string &out);
    static void hexText4(unsigned value, std::string &out);

    // Detail line makers; labels get " : " appended.
    void addLine(std::string_view text, DetailLineKind kind, TextColour colour);
    // The octets of the frame that the last label and value lines describe.
    // The role of the P/F bit ("Poll", "Final") with the bit's value as the frame carries it.
    void withPollFinalBit(std::string &value) const;
    void markLastPair(std::int32_t offset, std::uint16_t count);
    void addPair(std::string_view label, std::string_view value, TextColour colour,
                 bool subField = false);

protected:
    // Base part of every decode: status of the record, initialised DecodedFrame.
    int decodeBase(std::uint32_t frameNumber);
    void initialiseFrame(std::uint32_t frameNumber);
    // Layer-2 parse of a good frame: address, control, layer-3 kind and the layer-3 parse.
    int pan_parse();
    virtual void parseLayer3();
    void parseTeiManagement();
    const std::uint8_t *info() const { return record_.data.data() + frame_.l3Offset; }
    // Octets of the information field that the record really holds.
    std::uint16_t infoLength() const;

    // Layer-2 columns 4..22; false when column is not one of them.
    bool layer2Column(int column, std::string &out, bool longForm);
    bool isResponse() const;
    void teiMessageText(std::string &out) const;
    void multipleAiText(std::string &out) const;
    void dateText(std::string &out);
    void layer1EventText(std::string &out) const;
    std::string_view tr(std::string_view english, std::string_view french) const {
        return language_ == 0 ? english : french;
    }
    TextColour colourOf(int layer) const { return textColour(layer, frame_.direction); }

    // Detail blocks of the layer-2 parts; 0, or negative when a line cannot be made.
    int layer1Block();
    int layer2Block();
    int teiManagementBlock();
    int frmrBlock();
    // The line objects are kept from one detail to the next, with their text buffers.
    void clearDetail() { lineCount_ = 0; }
    void appendLine(const DetailLine &line);
    // The lines of an interpreter's full decode: fields, and sub-fields where an item says so.
    // False when the decode fails.
    bool addInterpreterLines(const FullDecode &decode, const std::uint8_t *info,
                             std::uint16_t length, TextColour colour);
    std::vector<Layer3DetailItem> items_; // the interpreter's items of the current detail

    DecoderHost &host_;
    const DecoderServices &services_;
    std::uint32_t frameNumber_ = 0;
    std::uint16_t previousMonth_ = 0;
    std::uint16_t year_ = 0;
    int language_ = 0;
    int textBase_ = 1400;
    const L3ItemProvider *itemProvider_ = nullptr;
    LvtRecord record_{};
    FrameView view_;
    std::vector<DetailLine> lines_;
    std::size_t lineCount_ = 0;
    DecodedFrame frame_;
    bool decoded_ = false;
    DetailOptions detailOptions_;
    RealTimeFilter realTimeFilter_;
};

} // namespace qv
