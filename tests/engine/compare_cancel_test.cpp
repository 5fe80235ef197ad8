// Cancelling a comparison at any point: it reports the cancel and leaves a result that is safe
// to use and to free.
#include "engine/cancel_flag.h"
#include "engine/compare_lines.h"
#include "engine/line_list.h"
#include "engine/section_groups.h"
#include "support/scoped_cancel.h"

#include <gtest/gtest.h>

#include <random>

namespace brindle {
namespace {

int g_pollsLeft = 0;

void cancelAfterSomePolls()
{
    if (--g_pollsLeft == 0)
        setCancelRequested(true);
}

std::shared_ptr<CLineList> randomLines(std::mt19937& random, int count)
{
    auto list = std::make_shared<CLineList>();
    for (int i = 0; i < count; ++i)
        list->append(std::u16string(1, static_cast<char16_t>(u'a' + random() % 6)) + (random() % 4 ? u"" : u" "));
    return list;
}

TEST(CompareCancel, EveryCancelPointLeavesAUsableResult)
{
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        const int size1 = static_cast<int>(random() % 50);
        const int size2 = static_cast<int>(random() % 50);
        const std::uint32_t seed = random();
        for (int polls = 1; polls < 400; polls += 7) {
            std::mt19937 lines(seed);
            auto a = randomLines(lines, size1);
            auto b = randomLines(lines, size2);
            CSectionList result;
            g_pollsLeft = polls;
            {
                const test::CScopedCancel cancel(&cancelAfterSomePolls);
                const bool completed = CompareLines(a, b, SLineCompareOptions{(seed & 1) != 0, false, nullptr}, result);
                EXPECT_EQ(completed, !cancelRequested());
            }
            // Walk everything a report would touch.
            for (const SSectionGroup& group : groupSections(result))
                EXPECT_FALSE(sectionLabel(group, u"missing").empty());
            for (std::size_t i = 0; i < result.size(); ++i) {
                for (const CDiffLine* line : result[i].lines())
                    EXPECT_FALSE(line->partner() && line->partner()->partner() != line);
            }
            a.reset();
            b.reset();
        }
    }
}

TEST(CompareCancel, CancelledBeforeLoadingReadsNothing)
{
    auto a = std::make_shared<CLineList>(u"/nonexistent/a");
    auto b = std::make_shared<CLineList>(u"/nonexistent/b");
    const test::CScopedCancel cancel;
    setCancelRequested(true);
    CSectionList result;
    EXPECT_FALSE(CompareLines(a, b, {}, result));
    EXPECT_TRUE(result.empty());
}

}  // namespace
}  // namespace brindle
