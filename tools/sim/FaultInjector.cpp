#include "sim/FaultInjector.h"

#include <algorithm>
#include <cstdio>

namespace qv::sim {

std::string FaultSettings::describe() const {
    std::string text;
    auto add = [&text](const std::string &part) { text += (text.empty() ? "" : ", ") + part; };
    auto percent = [](const char *what, double chance) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%s %g%%", what, chance * 100);
        return std::string(buffer);
    };
    if (drop > 0)
        add(percent("drop", drop));
    if (corrupt > 0)
        add(percent("corrupt", corrupt));
    if (duplicate > 0)
        add(percent("duplicate", duplicate));
    if ((drop > 0 || corrupt > 0 || duplicate > 0) && bothWays)
        add("both ways");
    if (delay.count() > 0)
        add("delay " + std::to_string(delay.count()) + " ms");
    if (paceAtLineRate)
        add("paced at the line's rate");
    else if (baud > 0)
        add(std::to_string(baud) + " baud");
    if (silent)
        add("silent");
    if (deaf)
        add("deaf");
    return text.empty() ? "none" : text;
}

FaultInjector::FaultInjector(FaultSettings settings)
    : settings_(settings), random_(settings.seed) {}

void FaultInjector::setSettings(const FaultSettings &settings) {
    if (settings.seed != settings_.seed)
        random_.seed(settings.seed);
    settings_ = settings;
}

void FaultInjector::mangle(std::uint8_t byte, std::vector<std::uint8_t> &out) {
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (settings_.drop > 0 && chance(random_) < settings_.drop)
        return;
    if (settings_.corrupt > 0 && chance(random_) < settings_.corrupt)
        byte ^= static_cast<std::uint8_t>(1u << std::uniform_int_distribution<int>(0, 7)(random_));
    out.push_back(byte);
    if (settings_.duplicate > 0 && chance(random_) < settings_.duplicate)
        out.push_back(byte);
}

void FaultInjector::toProgram(std::span<const std::uint8_t> bytes, SimTime now,
                              std::uint32_t lineRate) {
    if (settings_.silent)
        return;
    std::vector<std::uint8_t> out;
    for (const std::uint8_t byte : bytes)
        mangle(byte, out);
    // Ten bit times a byte: start, eight data bits, stop.
    const std::uint32_t baud = settings_.paceAtLineRate ? lineRate : settings_.baud;
    const SimTime perByte = baud > 0 ? SimTime(10'000'000 / baud) : SimTime(0);
    SimTime at = std::max(now + settings_.delay, queue_.empty() ? now : lastDue_);
    for (const std::uint8_t byte : out) {
        at += perByte;
        queue_.push_back({at, byte});
    }
    if (!out.empty())
        lastDue_ = at;
}

std::vector<std::uint8_t> FaultInjector::dueToProgram(SimTime now) {
    std::vector<std::uint8_t> due;
    while (!queue_.empty() && queue_.front().at <= now) {
        due.push_back(queue_.front().byte);
        queue_.pop_front();
    }
    return due;
}

SimTime FaultInjector::nextDue() const {
    return queue_.empty() ? SimTime::max() : queue_.front().at;
}

std::vector<std::uint8_t> FaultInjector::fromProgram(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    if (settings_.deaf)
        return out;
    if (!settings_.bothWays)
        return {bytes.begin(), bytes.end()};
    for (const std::uint8_t byte : bytes)
        mangle(byte, out);
    return out;
}

} // namespace qv::sim
