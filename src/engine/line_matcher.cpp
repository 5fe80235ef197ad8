#include "engine/line_matcher.h"

#include "engine/cancel_flag.h"
#include "engine/line_span.h"
#include "engine/unique_line_map.h"

#include <future>
#include <string>
#include <system_error>
#include <vector>

namespace brindle {

std::size_t positionInRun(CLineSpan list, const CDiffLine* line)
{
    if (!line || list.empty())
        return std::u16string::npos;
    const std::int64_t offset = static_cast<std::int64_t>(line->number()) - list.front()->number();
    if (offset < 0 || offset >= static_cast<std::int64_t>(list.size()) ||
        list[static_cast<std::size_t>(offset)] != line)
        return std::u16string::npos;
    return static_cast<std::size_t>(offset);
}

void CLineMatcher::Unlink(CDiffLine& line)
{
    if (CDiffLine* partner = line.partner(); partner && partner->partner() == &line)
        partner->setPartner(nullptr);
    line.setPartner(nullptr);
}

bool CLineMatcher::Link(CDiffLine& a, CDiffLine& b)
{
    if (!equal(a, b))
        return false;
    if (CDiffLine* old = a.partner())
        old->setPartner(nullptr);
    if (CDiffLine* old = b.partner())
        old->setPartner(nullptr);
    a.setPartner(&b);
    b.setPartner(&a);
    return true;
}

CLineMatcher::SExtension CLineMatcher::extendOneWay(CLineSpan list1, std::size_t i, CLineSpan list2, std::size_t j,
                                                    EDirection direction)
{
    // Going backward the walk stops at index 0 without examining it.
    const bool forward = direction == EDirection::Forward;
    const auto inside = [forward](std::size_t k, std::size_t size) { return forward ? k < size : k > 0; };
    const auto step = [forward](std::size_t& k) { forward ? ++k : --k; };
    SExtension result;
    while (inside(i, list1.size()) && inside(j, list2.size())) {
        if (pollCancel()) {
            result.cancelled = true;
            return result;
        }
        if (Link(*list1[i], *list2[j])) {
            result.paired = true;
            step(i);
            step(j);
            continue;
        }
        if (!m_options.ignoreWhitespace)
            break;
        const std::size_t skippedFrom = i + j;
        while (inside(i, list1.size()) && blank(*list1[i]))
            step(i);
        while (inside(j, list2.size()) && blank(*list2[j]))
            step(j);
        if (i + j == skippedFrom)
            break;
    }
    return result;
}

bool CLineMatcher::ExtendMatch(CLineSpan list1, std::size_t i, CLineSpan list2, std::size_t j)
{
    const SExtension ahead = extendOneWay(list1, i, list2, j, EDirection::Forward);
    if (ahead.cancelled || i == 0 || j == 0)
        return ahead.paired;
    return extendOneWay(list1, i - 1, list2, j - 1, EDirection::Backward).paired || ahead.paired;
}

void CLineMatcher::hashAll(CLineSpan lines)
{
    for (CDiffLine* line : lines)
        cachedHash(*line, m_options);
}

std::vector<bool> CLineMatcher::hashBoth(CLineSpan list1, CLineSpan list2)
{
    // Below this a thread costs more than it saves.
    constexpr std::size_t kLinesForAThread = std::size_t{1} << 16;
    std::future<void> second;
    if (list1.size() + list2.size() >= kLinesForAThread) {
        try {
            second = std::async(std::launch::async, [&] { hashAll(list2); });
        } catch (const std::system_error&) {
        }
    }
    hashAll(list1);
    std::vector<bool> unique1 = uniqueHashes(list1);
    if (second.valid())
        second.get();
    else
        hashAll(list2);
    return unique1;
}

// Whether each line's hash is held by exactly one line of the list that was unpaired when the
// pass began. Asked per hash rather than per line: a line paired then may be released later in
// the pass and must then be judged as the map would have judged it. The lines that were unpaired
// are all in the map, so a pass over it finds theirs; only the paired ones are looked up.
std::vector<bool> CLineMatcher::uniqueHashes(CLineSpan lines)
{
    CUniqueLineMap map;
    map.build(lines);
    std::vector<bool> unique(lines.size());
    map.forEachUnique([&unique](std::size_t index) { unique[index] = true; });
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if ((i & 1023) == 0 && pollCancel())
            break;
        if (lines[i]->isPaired())
            unique[i] = map.findUnique(lines[i]->hash()) != nullptr;
    }
    return unique;
}

bool CLineMatcher::MatchPass(CLineSpan list1, CLineSpan list2)
{
    if (list1.empty() || list2.empty())
        return false;
    bool paired = ExtendMatch(list1, 0, list2, 0);
    paired |= ExtendMatch(list1, list1.size(), list2, list2.size());
    if (cancelRequested())
        return paired;

    // One map at a time: list 1's is given up, as bits, before list 2's is built, so that a
    // long comparison never holds both.
    const std::vector<bool> unique1 = hashBoth(list1, list2);
    CUniqueLineMap map2;
    map2.build(list2);

    for (std::size_t i = 0; i < list1.size(); ++i) {
        if (pollCancel())
            return paired;
        CDiffLine& line = *list1[i];
        if (line.isPaired())
            continue;
        // Only a line found once in each list anchors a match.
        if (!unique1[i])
            continue;
        CDiffLine* first2 = map2.findUnique(line.hash());
        if (!first2)
            continue;
        if (!Link(line, *first2))
            continue;
        paired = true;
        ExtendMatch(list1, i, list2, positionInRun(list2, first2));
    }
    return paired;
}

}  // namespace brindle
