// Feeds arbitrary bytes to the LVT real-time link, as a hostile tester would, in every state the
// first input bytes choose, with time passing between the pieces: the link must not crash or
// hang, must keep at most one buffer of its own, and what it accepts must be well-formed records.
#include "comm/LinkDriver.h"
#include "comm/LvtRealTimeLink.h"

#include <cstdint>
#include <cstdlib>

namespace {

class NullPort : public qv::LinkPort {
public:
    bool send(std::span<const std::uint8_t> bytes) override {
        sent += bytes.size();
        return true;
    }
    void purgeInput() override {}
    void purgeOutput() override {}
    void setDtrLine(bool) override {}
    std::size_t sent = 0;
};

class CheckedSink : public qv::RecordSink {
public:
    explicit CheckedSink(qv::RecordBufferPool &pool) : pool_(pool) {}
    void deliver(qv::RecordBuffer *buffer) override {
        const std::uint16_t length = buffer->length();
        const std::uint8_t *content = buffer->content();
        if (length < 10 || length > 282 || (content[8] | (content[9] << 8)) != length - 10)
            std::abort();
        pool_.give(buffer);
    }

private:
    qv::RecordBufferPool &pool_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    qv::RecordBufferPool pool(8);
    CheckedSink sink(pool);
    qv::LvtRealTimeLink engine(pool, sink);
    NullPort port;
    qv::LinkDriver driver(engine, port, qv::LinkTimings{}, [](qv::LinkEvent) {});
    qv::LinkTime now{0};
    driver.start(now);
    // The first byte picks how far the link gets before the tester's bytes: nowhere, connected,
    // running.
    const int stage = data[0] % 3;
    if (stage >= 1) {
        driver.submit(qv::LvtRealTimeLink::connectCommand(0, 0), now);
        std::vector<std::uint8_t> answer(35, 0);
        answer[2] = 33;
        answer[4] = static_cast<std::uint8_t>(data[1] % 2 ? 7 : 3);
        driver.received(qv::encodeLinkFrame(0xF3, answer), now);
    }
    if (stage == 2) {
        driver.submit(qv::LvtRealTimeLink::startCommand({2026, 12, 9, 1, 2, 3}), now);
        const std::uint8_t date[] = {0xEA, 0x07, 12, 9, 1, 2, 3};
        driver.received(qv::encodeLinkFrame(0xF7, date), now);
    }
    // The rest in pieces, each followed by some time: a byte 0xFE stands for a pause.
    std::size_t from = 2;
    for (std::size_t i = 2; i <= size; ++i) {
        if (i < size && data[i] != 0xFE)
            continue;
        driver.received(std::span(data + from, i - from), now);
        now += std::chrono::milliseconds(700);
        driver.advance(now);
        from = i + 1;
    }
    driver.stop(now);
    if (pool.freeCount() + 1 < pool.count())
        std::abort(); // a buffer went missing
    return 0;
}
