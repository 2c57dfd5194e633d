// Opening a generated 1,000,000-event DRU-70 file and listing every event with its shown
// columns, as the event view and `quorvane-cli dru` do.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "base/UserMessages.h"
#include "capture/Dru70Decode.h"
#include "synth/Dru70Scenario.h"

namespace {

constexpr std::uint32_t kEvents = 1000000;

struct TemporaryFile {
    std::string path;
    ~TemporaryFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

const std::string &druFile() {
    static const TemporaryFile file = [] {
        TemporaryFile f{(std::filesystem::temp_directory_path() /
                         ("qv-bench-" + std::to_string(::getpid()) + ".dru"))
                            .string()};
        std::string error;
        qv::synth::writeDru70File(f.path, qv::synth::dru70Scenario(kEvents, 1), error);
        return f;
    }();
    return file.path;
}

void BM_Dru70OpenAndList(benchmark::State &state) {
    qv::StderrUserMessages messages;
    const std::string &path = druFile();
    std::string cell;
    for (auto _ : state) {
        qv::CDru70Decode reader(messages, path);
        reader.Position(0);
        std::size_t bytes = 0;
        for (std::uint32_t n = 0; n < reader.RecordCount(); ++n) {
            if (reader.Fetch(n, n) != qv::kDruFetchShown)
                continue;
            for (int column : {0, 1, 2, 3, 4, 6}) {
                reader.Cell(column, false, cell);
                bytes += cell.size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["events/s"] =
        benchmark::Counter(static_cast<double>(kEvents) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Dru70OpenAndList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
