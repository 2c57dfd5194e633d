#pragma once
// The call flow diagram: a sequence diagram of one call or of a list of frames, with the user
// side on the left (TE; AN on V5) and the network side on the right (NT; LE), one arrow per
// frame in its direction; and its writer as a plain SVG file.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class FrameSource;
struct CallEntry;

struct FlowArrow {
    std::uint32_t frame = 0;    // 0-based frame index
    std::uint8_t direction = 0; // kDirectionTeNt: left to right, else right to left
    bool layer2 = false;        // a layer-2 frame (drawn lighter)
    std::string time;           // "HH:MM:SS.mmm"
    std::string label;          // the message, packet or frame name
    std::string item;           // its key item (numbers, cause, channel...), may be empty
};

struct CallFlow {
    std::string title;
    std::string subtitle;
    std::string leftName = "TE";
    std::string rightName = "NT";
    std::string leftRole = "user";
    std::string rightRole = "network";
    std::vector<FlowArrow> arrows;
};

struct FlowOptions {
    // The layer-2 frames too: link set-up and release, acknowledgements, TEI management.
    bool layer2 = false;
};

// The flow of frames (0-based indices, in the order given). Layer-1 events and unreadable frames
// are left out; without options.layer2 so are the layer-2 frames. False when the capture has no
// decoder.
bool buildFrameFlow(FrameSource &source, const std::vector<std::uint32_t> &frames,
                    const FlowOptions &options, CallFlow &out);
// The flow of call: its messages, and with options.layer2 the layer-2 frames of its data link
// and the TEI management between its first and its last frame. The title names the call.
bool buildCallFlow(FrameSource &source, const CallEntry &call, const FlowOptions &options,
                   CallFlow &out);

// Where the diagram puts things, in SVG user units (the desktop draws it in pixels alike).
struct CallFlowLayout {
    static constexpr int width = 980;
    static constexpr int leftX = 330;  // the left lifeline
    static constexpr int rightX = 830; // the right lifeline
    static constexpr int timeX = 24;
    static constexpr int headY = 78;
    static constexpr int headHeight = 40;
    static constexpr int headWidth = 168;
    static constexpr int firstRowY = 160; // the first arrow
    static constexpr int rowHeight = 36;
    static constexpr int rowY(int row) { return firstRowY + row * rowHeight; }
    static constexpr int height(int rows) { return rowY(rows) + 24; }
    // The row whose band holds y, or -1.
    static int rowAt(int y, int rows) {
        const int row = (y - firstRowY + 20) / rowHeight;
        return y >= firstRowY - 20 && row < rows ? row : -1;
    }
};

// The diagram as a standalone SVG document: title, lifeline heads, a time column on the left,
// one arrow per row on alternating light bands, monospace labels.
std::string callFlowSvg(const CallFlow &flow);
// The flow as text, one arrow a line: time, frame number (from 1), "TE --> NT" or
// "TE <-- NT", label and item separated by tabs.
std::string callFlowText(const CallFlow &flow);

} // namespace qv
