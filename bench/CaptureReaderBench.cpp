// Reader timings on generated 1,000,000-record captures, warm cache: indexing at open, random
// positioning (median and 99th percentile) and reading every record in order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <unistd.h>

#include "base/UserMessages.h"
#include "capture/CaptureFileOpener.h"
#include "capture/CaptureWriters.h"

namespace {

constexpr std::uint32_t kRecords = 1000000;

qv::LvtRecord benchRecord(std::mt19937 &rng, std::uint32_t n) {
    qv::LvtRecord r;
    r.kind = qv::kFrameRecord;
    r.direction = n & 1;
    r.month = 6;
    r.setTime(1 + (n / 86400000) % 28, (n / 3600000) % 24, (n / 60000) % 60, (n / 1000) % 60,
              n % 1000);
    // LAPD sizes: mostly short supervisory frames, some call-control messages, a few long ones.
    std::uint32_t pick = rng() % 100;
    r.dataLength = static_cast<std::uint16_t>(pick < 50   ? 4
                                              : pick < 95 ? 8 + rng() % 40
                                                          : 100 + rng() % 172);
    for (std::uint16_t i = 0; i < r.dataLength; ++i)
        r.data[i] = static_cast<std::uint8_t>(rng());
    return r;
}

const std::string &benchFile(bool realTime) {
    static std::string paths[2];
    std::string &path = paths[realTime ? 1 : 0];
    if (!path.empty())
        return path;
    path = (std::filesystem::temp_directory_path() /
            (std::string("qv-bench-") + (realTime ? "rt" : "stored") + "-" +
             std::to_string(::getpid()) + ".lvt"))
               .string();
    std::mt19937 rng(42);
    if (realTime) {
        qv::RealTimeFileWriter w;
        w.create(path, {});
        for (std::uint32_t i = 0; i < kRecords; ++i)
            w.append(benchRecord(rng, i));
        w.close();
    } else {
        qv::StoredFileWriter w;
        w.create(path);
        for (std::uint32_t i = 0; i < kRecords; ++i)
            w.append(benchRecord(rng, i));
        w.finish({});
    }
    return path;
}

std::unique_ptr<qv::CaptureFileReader> openReader(bool realTime, qv::UserMessages &messages) {
    auto reader = qv::CaptureFileOpener(benchFile(realTime), false, messages).createReader();
    reader->goTo(0);
    return reader;
}

void BM_IndexAtOpen(benchmark::State &state) {
    bool realTime = state.range(0) != 0;
    qv::RecordingUserMessages messages;
    benchFile(realTime);
    for (auto _ : state) {
        auto reader = openReader(realTime, messages);
        if (reader->recordCount() != kRecords)
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(reader.get());
    }
    state.SetLabel(realTime ? "real-time" : "stored");
}

void BM_RandomGoTo(benchmark::State &state) {
    bool realTime = state.range(0) != 0;
    qv::RecordingUserMessages messages;
    auto reader = openReader(realTime, messages);
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::uint32_t> pick(0, kRecords - 1);
    std::vector<double> micros;
    micros.reserve(1 << 20);
    for (auto _ : state) {
        std::uint32_t index = pick(rng);
        auto t0 = std::chrono::steady_clock::now();
        std::int16_t result = reader->goTo(index);
        auto t1 = std::chrono::steady_clock::now();
        if (result != 0)
            state.SkipWithError("goTo failed");
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(micros.begin(), micros.end());
    if (!micros.empty()) {
        state.counters["p50_us"] = micros[micros.size() / 2];
        state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    }
    state.SetLabel(realTime ? "real-time" : "stored");
}

void BM_ReadAllInOrder(benchmark::State &state) {
    bool realTime = state.range(0) != 0;
    qv::RecordingUserMessages messages;
    auto reader = openReader(realTime, messages);
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::uint32_t i = 0; i < kRecords; ++i) {
            reader->goTo(i);
            sum += reader->recordBuffer().dataLength;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetLabel(realTime ? "real-time" : "stored");
}

BENCHMARK(BM_IndexAtOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomGoTo)->Arg(0)->Arg(1)->Iterations(200000);
BENCHMARK(BM_ReadAllInOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

struct Cleanup {
    ~Cleanup() {
        for (bool rt : {false, true})
            std::filesystem::remove(benchFile(rt));
    }
} cleanup;

} // namespace

BENCHMARK_MAIN();
