#include "analysis/Statistics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/LinkAnalysis.h"
#include "capture/FrameSource.h"
#include "decode/CDecoder.h"
#include "decode/MessageTypes.h"
#include "decode/SummaryColumn.h"

namespace qv {

namespace {

constexpr const char *kLayerRows[] = {
    "Layer 1 events",         "Layer 2 only", "Layer 3 call control",    "Layer 3 X.25",
    "Layer 3 TEI management", "Layer 3 V5",   "Not decoded (bad status)"};

struct FrameTypeName {
    std::uint8_t control;
    const char *name;
};
constexpr FrameTypeName kFrameTypes[] = {
    {kCtrlI, "I"},         {kCtrlRR, "RR"}, {kCtrlRNR, "RNR"},   {kCtrlREJ, "REJ"},
    {kCtrlSABME, "SABME"}, {kCtrlUA, "UA"}, {kCtrlDISC, "DISC"}, {kCtrlDM, "DM"},
    {kCtrlFRMR, "FRMR"},   {kCtrlUI, "UI"}, {kCtrlXID, "XID"}};
constexpr int kUnknownType = 11;

// Protocol names of the message and cause tables, by layer-3 kind.
const char *protocolName(std::uint8_t l3Kind) {
    switch (l3Kind) {
    case kL3TeiManagement:
        return "TEI management";
    case kL3CallControl:
        return "Call control";
    case kL3X25:
        return "X.25";
    case kL3Pstn:
        return "V5 PSTN";
    case kL3Control:
        return "V5 Control";
    case kL3Bcc:
        return "V5 BCC";
    case kL3Protection:
        return "V5 Protection";
    case kL3LinkControl:
        return "V5 Link control";
    default:
        return "-";
    }
}

int protocolOrder(std::uint8_t l3Kind) {
    static constexpr std::uint8_t kOrder[] = {kL3TeiManagement, kL3CallControl, kL3X25,
                                              kL3Pstn,          kL3Control,     kL3Bcc,
                                              kL3Protection,    kL3LinkControl};
    for (int k = 0; k < 8; ++k)
        if (kOrder[k] == l3Kind)
            return k;
    return 8;
}

// X.25 packets that carry a cause: clear request, reset and restart.
bool x25CarriesCause(std::uint16_t type) {
    return type == x25::kClearRequest || type == x25::kResetRequest || type == x25::kRestartRequest;
}

std::int64_t daysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<std::int64_t>(era) * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string dateTimeText(unsigned day, unsigned month, int year, std::uint32_t ofDay) {
    char text[40];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d %02u:%02u:%02u.%03u", day, month, year,
                  ofDay / 3600000, ofDay / 60000 % 60, ofDay / 1000 % 60, ofDay % 1000);
    return text;
}

std::string joined(const std::vector<std::string> &cells) {
    std::string key;
    for (const std::string &c : cells) {
        key += c;
        key += '\x1F';
    }
    return key;
}

} // namespace

std::string_view layerRowText(LayerRow row) {
    return kLayerRows[static_cast<int>(row)];
}

std::size_t Statistics::rowOf(std::vector<Counted> &table, Counter &index,
                              std::vector<std::string> cells, std::uint64_t order) {
    const std::string key = joined(cells);
    const auto found = index.find(key);
    if (found != index.end())
        return found->second;
    table.push_back({std::move(cells), 0, order});
    index.emplace(key, table.size() - 1);
    return table.size() - 1;
}

void Statistics::add(std::uint32_t index, CDecoder &decoder) {
    (void)index;
    const DecodedFrame &f = decoder.frame();
    const LvtRecord &r = decoder.currentRecord();
    ++frames_;
    time(decoder);

    // Three directions at most: the text is made once for each.
    const int direction = r.kind == kLayer1Event && isActivationEvent(r.status) ? 0
                          : f.direction == kDirectionTeNt                       ? 1
                                                                                : 2;
    if (directionRows_[direction] == kNoRow) {
        decoder.directionText(text_, true);
        const std::uint64_t order = direction == 0 ? 2 : direction - 1;
        directionRows_[direction] = rowOf(directions_, directionIndex_, {text_}, order);
    }
    ++directions_[directionRows_[direction]].count;

    if (r.kind == kLayer1Event) {
        ++layers_[static_cast<int>(LayerRow::Layer1)];
        return;
    }
    if (r.kind != kFrameRecord || r.status != 0) {
        ++layers_[static_cast<int>(LayerRow::NotDecoded)];
        const std::string status(statusText(r));
        const std::string name =
            r.isOverflowMark() ? "Overflow mark: " + status : "Frame status: " + status;
        ++errors_[rowOf(errors_, errorIndex_, {name}, r.isOverflowMark() ? 100 : r.status)].count;
        return;
    }
    LayerRow layer = LayerRow::Layer2Only;
    switch (f.l3Kind) {
    case kL3CallControl:
        layer = LayerRow::CallControl;
        break;
    case kL3X25:
        layer = LayerRow::X25;
        break;
    case kL3TeiManagement:
        layer = LayerRow::TeiManagement;
        break;
    case kL3Pstn:
    case kL3Control:
    case kL3Bcc:
    case kL3Protection:
    case kL3LinkControl:
        layer = LayerRow::V5;
        break;
    default:
        break;
    }
    ++layers_[static_cast<int>(layer)];

    if (f.control != kCtrlNotParsed && f.error != kFrameTooLong) {
        int type = kUnknownType;
        for (int k = 0; k < kUnknownType; ++k)
            if (kFrameTypes[k].control == f.control)
                type = k;
        ++types_[type];
        const std::uint32_t efa = f.efa == kNoEfa ? 0xFFFF : f.efa;
        const std::uint32_t key = efa << 16 | std::uint32_t(f.sapi) << 8 | (f.tei & 0xFF);
        auto cached = linkCache_.find(key);
        if (cached == linkCache_.end()) {
            std::vector<std::string> cells;
            if (efa != 0xFFFF)
                cells.push_back(std::to_string(efa));
            cells.push_back(efa >= 8176 && efa != 0xFFFF ? "-" : std::to_string(f.tei));
            cells.push_back(efa >= 8176 && efa != 0xFFFF ? "-" : std::to_string(f.sapi));
            cached =
                linkCache_.emplace(key, rowOf(links_, linkIndex_, std::move(cells), key)).first;
        }
        ++links_[cached->second].count;
    }
    if (layer != LayerRow::Layer2Only)
        message(decoder);
    cause(decoder);
    if (f.error != kDecodeOk) {
        const std::string name = "Decode error: " + std::string(decodeErrorText(f.error));
        ++errors_[rowOf(errors_, errorIndex_, {name}, 200 + f.error)].count;
    }
}

void Statistics::message(CDecoder &decoder) {
    DecodedFrame &f = decoder.frame();
    const std::uint64_t key = std::uint64_t(f.l3Kind) << 40 | std::uint64_t(f.pd) << 32 |
                              std::uint64_t(f.messageType) << 16 | std::uint64_t(f.direction) << 8 |
                              f.aiExt;
    auto cached = messageCache_.find(key);
    if (cached == messageCache_.end() || f.error != kDecodeOk) {
        const std::uint16_t before = f.error;
        decoder.messageTypeText(text_, true);
        MessageEntry entry;
        entry.unknownType = before == kDecodeOk && f.error == kUnknownMessageType;
        entry.row = rowOf(messages_, messageIndex_, {protocolName(f.l3Kind), text_},
                          static_cast<std::uint64_t>(protocolOrder(f.l3Kind)));
        // Frames with errors name their message by more than these fields: not cached.
        if (before != kDecodeOk) {
            ++messages_[entry.row].count;
            return;
        }
        cached = messageCache_.emplace(key, entry).first;
    } else if (cached->second.unknownType && (f.l3Kind == kL3CallControl || f.l3Kind == kL3X25)) {
        // The message-type text marks an unknown type as a decode error.
        f.error = kUnknownMessageType;
    }
    ++messages_[cached->second.row].count;
}

void Statistics::cause(CDecoder &decoder) {
    const DecodedFrame &f = decoder.frame();
    std::uint32_t number = 0;
    if (f.l3Kind == kL3CallControl) {
        if (f.cause == 0)
            return;
        number = f.cause;
    } else if (f.l3Kind == kL3X25) {
        if (!x25CarriesCause(f.messageType) || !decoder.causeValue(number) || number > 255)
            return;
    } else {
        return;
    }
    const std::uint32_t key = std::uint32_t(f.l3Kind) << 16 | number;
    auto cached = causeCache_.find(key);
    if (cached == causeCache_.end()) {
        // The cause column names it the way the summary does.
        decoder.columnText(columnNumber(SummaryColumn::Cause), text_, true);
        const std::uint64_t order = std::uint64_t(protocolOrder(f.l3Kind)) << 16 | number;
        cached =
            causeCache_
                .emplace(key, rowOf(causes_, causeIndex_,
                                    {protocolName(f.l3Kind), std::to_string(number), text_}, order))
                .first;
    }
    ++causes_[cached->second].count;
}

void Statistics::time(CDecoder &decoder) {
    const LvtRecord &r = decoder.currentRecord();
    const unsigned month = r.month >= 1 && r.month <= 12 ? r.month : 1;
    if (frames_ == 1) {
        std::string date;
        decoder.columnText(columnNumber(SummaryColumn::Date), date, false);
        year_ = date.size() >= 10 ? std::atoi(date.c_str() + 6) : 0;
        month_ = month;
    } else if (month == 1 && month_ == 12) {
        ++year_;
    } else if (month == 12 && month_ == 1) {
        --year_;
    }
    month_ = month;
    const std::uint32_t ofDay =
        ((r.hour() * 60 + r.minute()) * 60 + r.second()) * 1000 + r.millisecond();
    const unsigned day = r.day() >= 1 ? r.day() : 1;
    const std::int64_t days = daysFromCivil(year_, month, day);
    const std::uint64_t ms =
        static_cast<std::uint64_t>(std::max<std::int64_t>(days, 0)) * 86400000ull + ofDay;
    if (frames_ == 1) {
        firstMs_ = ms;
        firstText_ = dateTimeText(day, month, year_, ofDay);
    }
    lastMs_ = std::max(ms, lastMs_);
    lastDay_ = day;
    lastMonth_ = month;
    lastOfDay_ = ofDay;
}

std::string Statistics::lastTime() const {
    return frames_ ? dateTimeText(lastDay_, lastMonth_, year_, lastOfDay_) : std::string();
}

double Statistics::frameRate() const {
    const std::uint64_t span = spanMs();
    return span == 0 ? 0.0 : static_cast<double>(frames_) * 1000.0 / static_cast<double>(span);
}

std::uint64_t Statistics::count(std::string_view key, const std::vector<std::string> &cells) const {
    for (const StatisticsTable &t : tables())
        if (t.key == key)
            for (const StatisticsTable::Row &row : t.rows)
                if (row.cells == cells)
                    return row.count;
    return 0;
}

std::vector<StatisticsTable> Statistics::tables() const {
    std::vector<StatisticsTable> out;
    StatisticsTable layers{"layers", "Frames per layer", {"Layer", "Frames"}, {}};
    for (int k = 0; k < static_cast<int>(LayerRow::Count); ++k)
        layers.rows.push_back({{kLayerRows[k]}, layers_[k]});
    out.push_back(std::move(layers));

    StatisticsTable types{"frameTypes", "Layer-2 frame types", {"Type", "Frames"}, {}};
    for (int k = 0; k < kUnknownType; ++k)
        types.rows.push_back({{kFrameTypes[k].name}, types_[k]});
    if (types_[kUnknownType] != 0)
        types.rows.push_back({{"Unknown"}, types_[kUnknownType]});
    out.push_back(std::move(types));

    auto sorted = [](std::vector<Counted> rows, bool byCount) {
        std::stable_sort(rows.begin(), rows.end(), [&](const Counted &a, const Counted &b) {
            if (a.order != b.order)
                return a.order < b.order;
            if (byCount && a.count != b.count)
                return a.count > b.count;
            return byCount && a.cells < b.cells;
        });
        std::vector<StatisticsTable::Row> result;
        for (Counted &c : rows)
            result.push_back({std::move(c.cells), c.count});
        return result;
    };
    out.push_back({"messages",
                   "Layer-3 messages",
                   {"Protocol", "Message", "Frames"},
                   sorted(messages_, true)});
    out.push_back(
        {"causes", "Causes", {"Protocol", "Cause", "Text", "Frames"}, sorted(causes_, false)});
    const bool v5 = std::any_of(links_.begin(), links_.end(),
                                [](const Counted &c) { return c.cells.size() == 3; });
    StatisticsTable links{"links", "Data links", {}, sorted(links_, false)};
    links.headings = v5 ? std::vector<std::string>{"EFA", "TEI", "SAPI", "Frames"}
                        : std::vector<std::string>{"TEI", "SAPI", "Frames"};
    if (v5)
        for (StatisticsTable::Row &row : links.rows)
            if (row.cells.size() == 2)
                row.cells.insert(row.cells.begin(), "-");
    out.push_back(std::move(links));
    out.push_back(
        {"directions", "Directions", {"Direction", "Frames"}, sorted(directions_, false)});
    out.push_back({"errors", "Errors", {"Error", "Frames"}, sorted(errors_, false)});
    return out;
}

bool collectStatistics(FrameSource &source, Statistics &statistics, const WorkProgress &progress) {
    if (!source.open())
        return false;
    return source.forEachFrame(
        [&](std::uint32_t n, CDecoder &decoder) { statistics.add(n, decoder); }, progress);
}

bool collectShownStatistics(FrameSource &source, Statistics &statistics,
                            const WorkProgress &progress) {
    if (!source.open())
        return false;
    return source.forEachShown(
        [&](std::uint32_t n) {
            statistics.add(n, source.decoder());
            return true;
        },
        progress);
}

namespace {

void appendTable(std::string &out, const StatisticsTable &table) {
    out += table.title;
    out += '\n';
    const std::size_t columns = table.headings.size();
    std::vector<std::size_t> widths(columns, 0);
    for (std::size_t c = 0; c < columns; ++c)
        widths[c] = table.headings[c].size();
    std::vector<std::string> counts;
    for (const StatisticsTable::Row &row : table.rows) {
        for (std::size_t c = 0; c + 1 < columns && c < row.cells.size(); ++c)
            widths[c] = std::max(widths[c], row.cells[c].size());
        counts.push_back(std::to_string(row.count));
        widths[columns - 1] = std::max(widths[columns - 1], counts.back().size());
    }
    // Names to the left, numbers to the right; a cause number is a number too.
    auto numeric = [&](std::size_t c) {
        return c + 1 == columns || table.headings[c] == "Cause" || table.headings[c] == "TEI" ||
               table.headings[c] == "SAPI" || table.headings[c] == "EFA";
    };
    auto line = [&](const std::vector<std::string> &cells) {
        std::string text = "  ";
        for (std::size_t c = 0; c < columns; ++c) {
            const std::string &cell = c < cells.size() ? cells[c] : std::string();
            const std::string pad(widths[c] - std::min(widths[c], cell.size()), ' ');
            if (c)
                text += "  ";
            text += numeric(c) ? pad + cell : cell + pad;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out += text;
        out += '\n';
    };
    line(table.headings);
    if (table.rows.empty())
        out += "  (none)\n";
    for (std::size_t k = 0; k < table.rows.size(); ++k) {
        std::vector<std::string> cells = table.rows[k].cells;
        cells.resize(columns - 1);
        cells.push_back(counts[k]);
        line(cells);
    }
}

} // namespace

std::string statisticsText(const Statistics &s) {
    char text[160];
    std::string out = "Capture\n";
    std::snprintf(text, sizeof text, "  Frames       %llu\n",
                  static_cast<unsigned long long>(s.frames()));
    out += text;
    if (s.frames() != 0) {
        out += "  First frame  " + s.firstTime() + "\n";
        out += "  Last frame   " + s.lastTime() + "\n";
        const std::uint64_t span = s.spanMs();
        std::snprintf(text, sizeof text, "  Time span    %llu.%03u s\n",
                      static_cast<unsigned long long>(span / 1000),
                      static_cast<unsigned>(span % 1000));
        out += text;
        std::snprintf(text, sizeof text, "  Frame rate   %.3f frames/s\n", s.frameRate());
        out += text;
    }
    for (const StatisticsTable &table : s.tables()) {
        out += '\n';
        appendTable(out, table);
    }
    return out;
}

} // namespace qv
