#pragma once
// What the benchmarks over the generated 1,000,000-frame mix capture share: the capture,
// written once per layout and removed at exit, and the started decoding objects.
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/DecoderContext.h"
#include "base/UserMessages.h"
#include "synth/Scenario.h"

namespace qv::bench {

inline constexpr std::uint32_t kMixFrames = 1000000;

struct TemporaryCapture {
    std::string path;
    ~TemporaryCapture() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

inline TemporaryCapture writeMix(synth::Layout layout, const char *tag) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("qv-bench-" + std::string(tag) + "-" + std::to_string(::getpid()) + ".lvt"))
            .string();
    std::string error;
    synth::writeCapture(path, layout, synth::builtinScenario("mix", kMixFrames, 1),
                        synth::kScenarioStartYear, error);
    // Made in place: a copy's end would remove the file.
    return TemporaryCapture{path};
}

inline const DecoderServices &benchServices() {
    static DecoderContext context;
    static const bool started = [] {
        StderrUserMessages messages;
        return context.start(Installation::fromCommandLine({}), Settings(), "EDSS", messages);
    }();
    (void)started;
    return context.services();
}

} // namespace qv::bench
