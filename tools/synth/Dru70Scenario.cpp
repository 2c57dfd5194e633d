#include "synth/Dru70Scenario.h"

#include <cstring>
#include <ctime>
#include <random>

#include "base/FileReplace.h"

namespace qv::synth {

namespace {

// 12 March 2026, 09:30:00 UTC.
constexpr std::uint32_t kStartSeconds = 1773307800;

} // namespace

Dru70Scenario dru70Scenario(std::uint32_t count, std::uint32_t seed) {
    Dru70Scenario s;
    const bool small = count == 0;
    if (small)
        count = 250;
    s.description.serialNumber = "D7012345";
    s.description.firstVersion = "V2.10";
    s.description.secondVersion = "B07";
    s.description.start = {12, 3, 2026, 9, 30, 0};
    s.description.groupSize = small ? 100 : 1000;
    std::mt19937 rng(seed);
    std::uint32_t elapsedMs = 0;
    s.events.reserve(count);
    for (std::uint32_t n = 0; n < count; ++n) {
        Dru70EventRecord e;
        // The first 32 events show every code once; then activations, maintenance and
        // errors as a line sees them.
        if (n < 32) {
            e.code = static_cast<std::uint8_t>(n + 1);
        } else {
            const std::uint32_t pick = rng() % 100;
            e.code = static_cast<std::uint8_t>(pick < 20   ? 1 + rng() % 3
                                               : pick < 55 ? 4 + rng() % 17
                                               : pick < 90 ? 21 + rng() % 8
                                                           : 29 + rng() % 4);
        }
        if (e.code >= 4 && e.code <= 20)
            e.eocValue = static_cast<std::uint16_t>(rng() % 0x1000);
        // One event in four carries the time since the recording started.
        e.timeFormat = n % 4 == 3 ? 0 : 3;
        elapsedMs += 200 + rng() % (n % 50 == 49 ? 4000000 : 60000);
        e.millisecond = static_cast<std::uint16_t>(elapsedMs % 1000);
        e.seconds = e.timeFormat == 3 ? kStartSeconds + elapsedMs / 1000 : elapsedMs / 1000;
        s.events.push_back(e);
    }
    const std::time_t end = static_cast<std::time_t>(kStartSeconds + elapsedMs / 1000);
    std::tm t{};
    gmtime_r(&end, &t);
    s.description.end = {
        static_cast<std::uint16_t>(t.tm_mday),        static_cast<std::uint16_t>(t.tm_mon + 1),
        static_cast<std::uint16_t>(t.tm_year + 1900), static_cast<std::uint16_t>(t.tm_hour),
        static_cast<std::uint16_t>(t.tm_min),         static_cast<std::uint16_t>(t.tm_sec)};
    s.note = "Line 0301 234567, exchange side.\r\nLoop-backs requested by the exchange.";
    return s;
}

bool writeDru70File(const std::string &path, const Dru70Scenario &scenario, std::string &error) {
    const int failure = writeReplacing(path, [&](const std::string &file) {
        Dru70FileWriter writer;
        bool ok = writer.create(file, scenario.description);
        for (const Dru70EventRecord &e : scenario.events)
            ok = ok && writer.append(e);
        return writer.close(scenario.note) && ok;
    });
    if (failure != 0)
        error = notWritten(path, failure);
    return failure == 0;
}

} // namespace qv::synth
