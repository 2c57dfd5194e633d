// The fault injector between a simulated instrument and the program.
#include "sim/FaultInjector.h"

#include <gtest/gtest.h>

using namespace qv::sim;
using namespace std::chrono_literals;

namespace {

std::vector<std::uint8_t> bytes(std::size_t count) {
    std::vector<std::uint8_t> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7);
    return out;
}

std::vector<std::uint8_t> passAll(FaultInjector &injector, const std::vector<std::uint8_t> &in) {
    injector.toProgram(in, SimTime(0));
    return injector.dueToProgram(SimTime::max() - SimTime(1));
}

} // namespace

TEST(FaultInjector, PaceAndDelayGiveEachByteItsTime) {
    FaultSettings paced;
    paced.baud = 9600; // 1041 us a byte
    paced.delay = 5ms;
    FaultInjector injector(paced);
    injector.toProgram(bytes(3), SimTime(0));
    EXPECT_EQ(injector.nextDue(), SimTime(5000 + 1041));
    EXPECT_TRUE(injector.dueToProgram(SimTime(6040)).empty());
    EXPECT_EQ(injector.dueToProgram(SimTime(5000 + 2 * 1041)).size(), 2u);
    // Bytes sent meanwhile queue behind those still on the line.
    injector.toProgram(bytes(1), SimTime(0));
    EXPECT_EQ(injector.dueToProgram(SimTime(5000 + 3 * 1041)).size(), 1u);
    EXPECT_EQ(injector.dueToProgram(SimTime(5000 + 4 * 1041)).size(), 1u);
    EXPECT_EQ(injector.nextDue(), SimTime::max());

    // Paced at the rate the program chose: 19200 baud is 520 us a byte.
    FaultSettings line;
    line.paceAtLineRate = true;
    FaultInjector atLine(line);
    atLine.toProgram(bytes(2), SimTime(0), 19200);
    EXPECT_EQ(atLine.nextDue(), SimTime(520));
    EXPECT_EQ(line.describe(), "paced at the line's rate");

    FaultInjector plain;
    plain.toProgram(bytes(4), SimTime(100));
    EXPECT_EQ(plain.dueToProgram(SimTime(100)), bytes(4)) << "no faults: at once, unchanged";
    EXPECT_EQ(plain.fromProgram(bytes(4)), bytes(4));
}

TEST(FaultInjector, EachFaultDoesWhatItSays) {
    const std::vector<std::uint8_t> in = bytes(1000);
    FaultSettings f;
    f.drop = 1;
    FaultInjector dropAll(f);
    EXPECT_TRUE(passAll(dropAll, in).empty());
    EXPECT_EQ(dropAll.fromProgram(in), in) << "the program's bytes pass unless both ways";

    f = {};
    f.duplicate = 1;
    FaultInjector twice(f);
    EXPECT_EQ(passAll(twice, {1, 2}), (std::vector<std::uint8_t>{1, 1, 2, 2}));

    f = {};
    f.corrupt = 1;
    FaultInjector flip(f);
    const std::vector<std::uint8_t> out = passAll(flip, in);
    ASSERT_EQ(out.size(), in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        EXPECT_EQ(__builtin_popcount(in[i] ^ out[i]), 1) << "one bit flipped in byte " << i;

    f = {};
    f.drop = 0.1;
    f.seed = 42;
    FaultInjector some(f), same(f);
    const std::vector<std::uint8_t> kept = passAll(some, in);
    EXPECT_GT(kept.size(), 850u);
    EXPECT_LT(kept.size(), 950u);
    EXPECT_EQ(passAll(same, in), kept) << "the same seed, the same faults";

    f = {};
    f.silent = true;
    f.deaf = true;
    FaultInjector gone(f);
    EXPECT_TRUE(passAll(gone, in).empty());
    EXPECT_TRUE(gone.fromProgram(in).empty());

    f = {};
    f.drop = 1;
    f.bothWays = true;
    FaultInjector both(f);
    EXPECT_TRUE(both.fromProgram(in).empty());
    EXPECT_EQ(f.describe(), "drop 100%, both ways");
    EXPECT_EQ(FaultSettings{}.describe(), "none");
}
