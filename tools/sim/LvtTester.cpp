#include "sim/LvtTester.h"

#include <algorithm>

#include "capture/CaptureWriters.h"

namespace qv::sim {

namespace {

constexpr std::uint8_t kConnectType = 0xF3;
constexpr std::uint8_t kStartType = 0xF7;
constexpr std::uint8_t kStopType = 0xFB;

void putText(std::vector<std::uint8_t> &content, std::size_t at, const std::string &text,
             std::size_t width) {
    for (std::size_t i = 0; i < width && i < text.size(); ++i)
        content[at + i] = static_cast<std::uint8_t>(text[i]);
}

} // namespace

std::vector<std::uint8_t> testerContent(const LvtRecord &record) {
    std::vector<std::uint8_t> block;
    appendRecordBlock(block, record);
    // Without the block's type and length in front and its length behind.
    return std::vector<std::uint8_t>(block.begin() + 3, block.end() - 2);
}

LvtTester::LvtTester(LvtTesterSettings settings, std::vector<std::vector<std::uint8_t>> records)
    : settings_(std::move(settings)), records_(std::move(records)), random_(settings_.seed) {}

bool LvtTester::chance(double p) {
    return p > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < p;
}

void LvtTester::received(std::span<const std::uint8_t> bytes, SimTime now, SimOutput &out) {
    for (const LinkFrameReader::Frame &frame : reader_.feed(bytes)) {
        if (!frame.checked)
            continue; // the program sends again
        request(frame, now, out);
    }
    sendDue(now, out);
}

void LvtTester::request(const LinkFrameReader::Frame &frame, SimTime now, SimOutput &out) {
    if (silent_)
        return;
    switch (frame.type) {
    case kConnectType: {
        ++connects_;
        const int asked = frame.content.size() > 2 ? frame.content[2] : 0;
        std::vector<std::uint8_t> answer(35, 0);
        // A tester of an older level answers with its own until the program speaks it.
        answer[2] = static_cast<std::uint8_t>(asked == settings_.level ? asked : settings_.level);
        answer[4] = static_cast<std::uint8_t>(settings_.window);
        answer[5] = static_cast<std::uint8_t>(settings_.model);
        putText(answer, 6, settings_.serialNumber, 7);
        putText(answer, 13, settings_.firstVersion, 6);
        putText(answer, 20, settings_.secondVersion, 10);
        answer[34] = settings_.flags;
        sendFrame(kConnectType, answer, out);
        return;
    }
    case kStartType:
        if (frame.content.size() >= date_.size())
            std::copy_n(frame.content.begin(), date_.size(), date_.begin());
        sendFrame(kStartType, date_, out);
        running_ = true;
        base_ = next_ = 0;
        nextFrameAt_ = now;
        lastAcknowledged_ = now;
        return;
    case kStopType: {
        running_ = false;
        std::vector<std::uint8_t> answer = {0};
        answer.insert(answer.end(), date_.begin(), date_.end());
        sendFrame(kStopType, answer, out);
        return;
    }
    default:
        break;
    }
    if ((frame.type & 0x1F) == 1 || (frame.type & 0x1F) == 5)
        acknowledged(frame.type >> 5, (frame.type & 0x1F) == 5, now);
}

void LvtTester::acknowledged(int nr, bool reject, SimTime now) {
    if (!running_)
        return;
    // N(R) names the next frame the program wants: everything before it is acknowledged.
    for (std::uint64_t i = base_; i <= next_; ++i)
        if (static_cast<int>(i % 8) == nr) {
            if (i != base_)
                lastAcknowledged_ = now;
            base_ = i;
            break;
        }
    if (reject) {
        ++rejects_;
        next_ = base_; // go back and send again from there
        lastAcknowledged_ = now;
    }
}

void LvtTester::sendDue(SimTime now, SimOutput &out) {
    if (!running_ || silent_)
        return;
    while (next_ < records_.size() &&
           next_ - base_ < static_cast<std::uint64_t>(settings_.window)) {
        if (settings_.rate > 0 && now < nextFrameAt_)
            return;
        if (settings_.silentAfter > 0 && sent_ >= settings_.silentAfter) {
            silent_ = true;
            return;
        }
        if (settings_.stopAfter > 0 && sent_ >= settings_.stopAfter) {
            std::vector<std::uint8_t> stop = {static_cast<std::uint8_t>(settings_.stopReason)};
            stop.insert(stop.end(), date_.begin(), date_.end());
            sendFrame(kStopType, stop, out);
            running_ = false;
            return;
        }
        sendRecord(next_++, out);
        if (settings_.rate > 0)
            nextFrameAt_ = std::max(nextFrameAt_, now) +
                           SimTime(static_cast<std::int64_t>(1e6 / settings_.rate));
    }
}

void LvtTester::sendRecord(std::uint64_t index, SimOutput &out) {
    ++sent_;
    if (chance(settings_.garbage)) {
        const std::uint8_t noise[] = {0x55, 0x10, 0x00, 0xAA};
        out.send(noise);
    }
    if (chance(settings_.lose))
        return;
    const auto type = static_cast<std::uint8_t>((index % 8) << 1);
    sendFrame(type, records_[index], out, chance(settings_.badCheck));
    if (chance(settings_.repeat))
        sendFrame(type, records_[index], out);
}

void LvtTester::sendFrame(std::uint8_t type, std::span<const std::uint8_t> content, SimOutput &out,
                          bool damage) {
    std::vector<std::uint8_t> frame = encodeLinkFrame(type, content);
    if (damage && frame.size() > 3)
        frame[2] ^= 0x40; // a content byte changed on the way: the check fails
    out.send(frame);
}

std::optional<SimTime> LvtTester::deadline() const {
    if (!running_ || silent_)
        return std::nullopt;
    std::optional<SimTime> due;
    if (next_ > base_)
        due = lastAcknowledged_ + settings_.resendAfter;
    if (settings_.rate > 0 && next_ < records_.size() &&
        next_ - base_ < static_cast<std::uint64_t>(settings_.window))
        due = due ? std::min(*due, nextFrameAt_) : nextFrameAt_;
    return due;
}

void LvtTester::timeout(SimTime now, SimOutput &out) {
    if (next_ > base_ && now >= lastAcknowledged_ + settings_.resendAfter) {
        // No acknowledgement: everything outstanding again, from the oldest.
        next_ = base_;
        lastAcknowledged_ = now;
    }
    sendDue(now, out);
}

} // namespace qv::sim
