#pragma once
// The result of decoding one capture record, the lines of its protocol detail and the requests
// the views hand to a decoder.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Frame-level decode errors, shown as the "Decode Status" of a frame.
enum DecodeError : std::uint16_t {
    kDecodeOk = 0,
    kFrameTooLong = 1,
    kTeiUnknownMessageType = 2,
    kLayer2Error = 3,
    kBadCallRefLength = 4,
    kUnknownMessageType = 5,
    kTeiUnknownEntity = 6,
    kInterpreterProblem = 7,
    kBadFcs = 8,
    kRealTimeOverflow = 9,
};
std::string_view decodeErrorText(std::uint16_t error);

enum FrameFormat : std::uint8_t { kFormatI = 0, kFormatS = 1, kFormatU = 2 };

enum Layer3Kind : std::uint8_t {
    kL3None = 0,
    kL3TeiManagement = 1,
    kL3FrmrInfo = 2,
    kL3CallControl = 3,
    kL3X25 = 4,
    kL3Pstn = 5,
    kL3Control = 6,
    kL3Bcc = 7,
    kL3Protection = 8,
    kL3LinkControl = 9,
};

// Control field values with the P/F bit cleared.
enum LapdControl : std::uint8_t {
    kCtrlI = 0x00,
    kCtrlRR = 0x01,
    kCtrlRNR = 0x05,
    kCtrlREJ = 0x09,
    kCtrlSABME = 0x6F,
    kCtrlDM = 0x0F,
    kCtrlDISC = 0x43,
    kCtrlUA = 0x63,
    kCtrlFRMR = 0x87,
    kCtrlUI = 0x03,
    kCtrlXID = 0xAF,
    kCtrlNotParsed = 0xFF,
};

inline constexpr std::uint8_t kDirectionTeNt = 1;
inline constexpr std::uint8_t kDirectionNtTe = 2;
inline constexpr std::uint16_t kNoEfa = 65000;

struct DecodedFrame {
    std::uint32_t timeMs = 0;
    std::uint16_t frameLength = 0;
    std::uint16_t error = kDecodeOk;
    std::uint16_t addressWords = 1;
    std::uint32_t tei = 0;
    std::uint8_t sapi = 0;
    std::uint8_t format = kFormatI;
    std::uint8_t control = kCtrlNotParsed;
    std::uint8_t ns = 0;
    std::uint8_t nr = 0;
    std::uint8_t pf = 0;
    std::uint8_t cr = 0;
    std::uint8_t direction = kDirectionNtTe;
    std::uint16_t frmrControl = 0;
    std::uint8_t frmrVs = 0;
    std::uint8_t frmrVr = 0;
    std::uint8_t frmrCr = 0;
    std::uint8_t frmrCause = 0;
    std::uint8_t l3Kind = kL3None;
    std::uint16_t l3Length = 0;
    std::uint16_t trailerLength = 0;
    std::uint16_t controlLength = 0;
    std::uint32_t channel = 0;
    std::uint16_t messageType = 0;
    std::uint8_t ai = 0;
    std::uint8_t aiExt = 0;
    std::uint16_t ri = 0;
    std::uint8_t mei = 0;
    std::string callingAddress;
    std::string calledAddress;
    std::uint16_t lcn = 0;
    std::uint32_t cause = 0;
    std::uint8_t pd = 0;
    std::uint8_t crLength = 0;
    std::uint8_t crFlag = 0;
    std::uint16_t callRef = 0;
    std::uint8_t lcgn = 0;
    std::uint8_t ea1 = 0;
    std::uint8_t ea2 = 0;
    std::uint16_t l3Offset = 0;
    std::uint16_t efa = kNoEfa;
};

// The octets of the current record as the layer-2 parse saw them.
struct FrameView {
    std::uint16_t length = 0;
    const std::uint8_t *data = nullptr;
    std::uint16_t error = kDecodeOk;
};

// Text colours of the colour table, by layer and direction; the table keeps them in this order.
enum class TextColour : std::uint8_t {
    Layer1TeNt,
    Layer1NtTe,
    Layer2TeNt,
    Layer2NtTe,
    Layer3IsdnTeNt,
    Layer3IsdnNtTe,
    Layer3X25TeNt,
    Layer3X25NtTe,
};
// The colour of layer (1 layer 1, 2 layer 2, 3 ISDN layer 3, 4 X.25) in direction.
TextColour textColour(int layer, std::uint8_t direction);

enum DetailLineKind : std::uint8_t {
    kDetailTitle = 1,
    kDetailHeading = 2,
    kDetailLabel = 3,
    kDetailValue = 4,
    kDetailSubLabel = 5,
    kDetailSubValue = 6,
};

struct DetailLine {
    std::string text;
    DetailLineKind kind = kDetailValue;
    TextColour colour = TextColour::Layer2TeNt;
    std::int32_t start = 0;
    std::int32_t end = 0;
    // The octets of the frame the line describes; -1 when it describes none in particular.
    std::int32_t frameOffset = -1;
    std::uint16_t byteCount = 0;
};

struct DetailOptions {
    bool layer2Lines = true;
    bool layer3Lines = true;
    std::int32_t start = 0; // horizontal start of every line
    std::int32_t unit = 1;  // the caller's line unit
};

enum class FindCriterion : std::uint8_t { SummaryText, DetailText, MessageType, Cause };

struct FindRequest {
    std::uint32_t firstFrame = 0;
    std::uint32_t lastFrame = 0;
    int step = 1; // +1 forwards, -1 backwards
    bool matchCase = false;
    int startPosition = 0;   // display position or detail line on the first frame
    bool startAfter = false; // the scan of the first frame begins after startPosition
    FindCriterion criterion = FindCriterion::SummaryText;
    std::string text; // upper-cased by the caller unless matchCase
    std::uint32_t cause = 0;
};

struct FindResult {
    std::uint32_t frame = 0;
    int position = 0;
};

inline constexpr int kFindFound = 1;
inline constexpr int kFindExhausted = -1;
inline constexpr int kFindDecodeFailed = -2;

} // namespace qv
