#pragma once
// Capture statistics: how many frames of each layer, layer-2 frame type, layer-3 message,
// cause, data link and direction a capture holds, how many are bad or failed to decode, and the
// time the capture spans.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/BackgroundJob.h"

namespace qv {

class CDecoder;
class FrameSource;

// One table of the statistics: name cells, then the frame count.
struct StatisticsTable {
    struct Row {
        std::vector<std::string> cells;
        std::uint64_t count = 0;
    };
    std::string key;   // short name for machine-readable output: "layers", "frameTypes" ...
    std::string title; // "Frames per layer" ...
    std::vector<std::string> headings; // one per cell, then the count's heading
    std::vector<Row> rows;
};

// The rows of the layer table, in their order.
enum class LayerRow : std::uint8_t {
    Layer1,
    Layer2Only,
    CallControl,
    X25,
    TeiManagement,
    V5,
    NotDecoded,
    Count
};
std::string_view layerRowText(LayerRow row);

class Statistics {
public:
    // Takes frame index (from 0) with the decoder on it, in file order.
    void add(std::uint32_t index, CDecoder &decoder);

    std::uint64_t frames() const { return frames_; }
    std::uint64_t layerCount(LayerRow row) const { return layers_[static_cast<int>(row)]; }
    // The count of the row whose cells are cells in the table named key; 0 when there is none.
    std::uint64_t count(std::string_view key, const std::vector<std::string> &cells) const;
    // Time from the first to the last frame, in milliseconds, and frames per second over it
    // (0 when the capture spans no time).
    std::uint64_t spanMs() const { return frames_ ? lastMs_ - firstMs_ : 0; }
    double frameRate() const;
    const std::string &firstTime() const { return firstText_; }
    std::string lastTime() const;

    // Tables in display order: layers, frame types, messages, causes, links, directions,
    // errors.
    std::vector<StatisticsTable> tables() const;

private:
    struct Counted {
        std::vector<std::string> cells;
        std::uint64_t count = 0;
        std::uint64_t order = 0; // sort key within the table
    };
    struct MessageEntry {
        std::size_t row = 0;
        bool unknownType = false;
    };
    using Counter = std::unordered_map<std::string, std::size_t>;

    std::size_t rowOf(std::vector<Counted> &table, Counter &index, std::vector<std::string> cells,
                      std::uint64_t order);
    void message(CDecoder &decoder);
    void cause(CDecoder &decoder);
    void time(CDecoder &decoder);

    std::uint64_t frames_ = 0;
    std::uint64_t layers_[static_cast<int>(LayerRow::Count)] = {};
    std::uint64_t types_[12] = {}; // by the frame-type row, the last for unknown controls
    std::vector<Counted> messages_, causes_, links_, directions_, errors_;
    Counter messageIndex_, causeIndex_, linkIndex_, directionIndex_, errorIndex_;
    std::unordered_map<std::uint64_t, MessageEntry> messageCache_;
    std::unordered_map<std::uint32_t, std::size_t> linkCache_, causeCache_;
    static constexpr std::size_t kNoRow = ~std::size_t{0};
    std::size_t directionRows_[3] = {kNoRow, kNoRow, kNoRow};
    std::string text_;
    // Time: the year is known from the first frame's date and follows the month roll-over.
    std::uint64_t firstMs_ = 0, lastMs_ = 0;
    std::string firstText_;
    int year_ = 0;
    unsigned month_ = 0, lastDay_ = 0, lastMonth_ = 0;
    std::uint32_t lastOfDay_ = 0;
};

bool collectStatistics(FrameSource &source, Statistics &statistics,
                       const WorkProgress &progress = {});
// The same over the frames the source's filter shows.
bool collectShownStatistics(FrameSource &source, Statistics &statistics,
                            const WorkProgress &progress = {});

// The tables as aligned text: the capture's span and rate first, then each table under its
// title.
std::string statisticsText(const Statistics &statistics);

} // namespace qv
