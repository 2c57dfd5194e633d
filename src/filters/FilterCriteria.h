#pragma once
// The criteria of an off-line or real-time frame filter as the property pages edit them and the
// filter files keep them. Every criterion at its default lets every frame through.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class CauseList;
struct DecodedFrame;

enum class FilterKind { OffLine, RealTime };

inline constexpr std::uint16_t kEveryUserPortEfa = 8175;
inline constexpr std::size_t kMaxFilterText = 255;

struct FilterCriteria {
    // General
    bool layer1 = true;
    bool layer2 = true;
    bool layer3 = true;
    // Layer 2
    bool sapiSet = false;
    int sapi = 0;
    bool teiSet = false;
    int tei = 0;
    int direction = 0; // off-line: 1-based position in the direction list, 0 none
    int frameType = 0; // off-line: 1-based position in the layer-2 frame list, 0 none
    bool keepRR = true;
    // V5
    bool efaSet = false;
    int efa = 0;
    int l3Address = 0; // set when not 0
    // ISDN layer 3
    bool callRefSet = false;
    int callRef = 0;
    bool localAddressSet = false;
    std::string localAddress;
    bool remoteAddressSet = false;
    std::string remoteAddress;
    bool pdSet = false; // off-line from here to the cause
    int pd = 0;
    int message = 0; // 1..33 ISDN message, kV5MessageMark | 34..67 V5 message, 0 none
    bool causeSet = false;
    std::string causeText;
    int causeFormat = 0; // kCauseMnemonics, kCauseDecimal, kCauseHexa
    // X.25 layer 3
    bool lcnSet = false;
    int lcn = 0;
    bool x25LocalAddressSet = false;
    std::string x25LocalAddress;
    bool x25RemoteAddressSet = false;
    std::string x25RemoteAddress;
    int packetType = 0; // off-line: 1-based position in the X.25 packet list, 0 none
    bool cugSet = false;
    int cug = 0;
    bool nuiSet = false;
    int frameSlicing = 0; // real-time: index into the slicing list
    bool keepData = true; // real-time

    bool operator==(const FilterCriteria &) const = default;

    // True when the filter of kind differs from showing everything: a layer switched off,
    // Keep RR off, or any criterion of that kind set.
    bool IsActive(FilterKind kind) const;
    // The ISDN or X.25 address criteria, which need the frames in file order.
    bool tracksCalls() const {
        return localAddressSet || remoteAddressSet || x25LocalAddressSet || x25RemoteAddressSet;
    }
    // Bytes 33 and 34 of the connect request that tell the tester what to leave out.
    std::array<std::uint8_t, 2> testerBytes() const;
    // Brings every value into its range; a set criterion whose value is out of range is
    // switched off, so that a damaged file can never make the filter select nonsense.
    void normalise();
};

// The cause number that text stands for in format: a name of the cause list (compared without
// regard to case or surrounding blanks; causes is optional), a decimal number, or a hexadecimal
// number with or without "0x" / a trailing "H". Nothing for an empty, unknown or out-of-range
// text: a cause is 0..127.
std::optional<std::uint32_t> causeNumber(std::string_view text, int format,
                                         const CauseList *causes);

// Whether a and b are the same text but for the case of their letters (ASCII).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// The cause names every filter knows beside the user's cause list.
std::vector<std::string> knownCauseNames();

// "Call-Ref on selection": the outcome of asking for the call reference of the selected frame.
enum class CallRefSelection { Applied, AlreadySet, NotLayer3 };
inline constexpr const char *kNotLayer3Frame = "This frame is not a layer 3 frame";
// Sets the call-reference criterion on with the frame's call reference when the frame is an
// ISDN layer-3 frame (layer category +-3).
CallRefSelection selectCallRef(FilterCriteria &criteria, const DecodedFrame &frame,
                               int layerCategory);

} // namespace qv
