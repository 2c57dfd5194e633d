// The findings store gives every finding back in frame order, findings of one frame in the
// order they came, whether they stayed in memory or went to the disk in runs.
#include "analysis/ExpertItemStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qv {
namespace {

std::vector<ExpertItem> shuffledFindings(std::size_t count) {
    std::mt19937 rng(7);
    std::vector<ExpertItem> items;
    for (std::size_t k = 0; k < count; ++k)
        items.push_back({static_cast<std::uint32_t>(1 + rng() % 50),
                         static_cast<Severity>(rng() % 3), static_cast<ExpertGroup>(rng() % 5),
                         "finding " + std::to_string(k) + std::string(k % 300, 'x')});
    return items;
}

TEST(ExpertItemStoreTest, FindingsComeBackInFrameOrderFromMemoryAndFromRuns) {
    const std::vector<ExpertItem> items = shuffledFindings(1000);
    std::vector<ExpertItem> expected = items;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const ExpertItem &a, const ExpertItem &b) { return a.frame < b.frame; });
    for (std::size_t runSize :
         {std::size_t(1), std::size_t(7), std::size_t(1000), std::size_t(5000)}) {
        ExpertItemStore store(runSize);
        for (const ExpertItem &item : items)
            store.add(item);
        std::vector<ExpertItem> got;
        EXPECT_TRUE(store.forEach([&](const ExpertItem &item) { got.push_back(item); }));
        ASSERT_EQ(got.size(), expected.size()) << runSize;
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].frame, expected[k].frame) << runSize << " " << k;
            EXPECT_EQ(got[k].text, expected[k].text) << runSize << " " << k;
            EXPECT_EQ(got[k].severity, expected[k].severity) << runSize << " " << k;
            EXPECT_EQ(got[k].group, expected[k].group) << runSize << " " << k;
        }
        std::size_t again = 0;
        store.forEach([&](const ExpertItem &) { ++again; });
        EXPECT_EQ(again, 0u) << "the findings are given once";
    }
}

} // namespace
} // namespace qv
