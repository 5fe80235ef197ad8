// Object and reference counts used from several shell threads at once.
#include "shell_ext/shell_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

namespace brindle {
namespace {

constexpr int kThreads = 4;
constexpr int kSteps = 20000;

// Runs step kSteps times on each of kThreads threads; returns every count produced, sorted.
template <typename Step>
std::vector<std::int32_t> countsFromThreads(Step step)
{
    std::vector<std::vector<std::int32_t>> seen(kThreads);
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < kSteps; ++i)
                seen[t].push_back(step());
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    std::vector<std::int32_t> all;
    for (const auto& part : seen)
        all.insert(all.end(), part.begin(), part.end());
    std::sort(all.begin(), all.end());
    return all;
}

// With a plain integer two threads could both see the same count, and an object would be
// destroyed twice or never: every count must be produced exactly once, and one release reaches 0.
TEST(ShellCounter, EveryCountIsSeenOnceAcrossThreads)
{
    CShellCounter counter;
    std::vector<std::int32_t> expected(kThreads * kSteps);

    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(countsFromThreads([&] { return counter.increment(); }), expected);
    EXPECT_EQ(counter.value(), kThreads * kSteps);

    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(countsFromThreads([&] { return counter.decrement(); }), expected);
    EXPECT_EQ(counter.value(), 0);
}

}  // namespace
}  // namespace brindle
