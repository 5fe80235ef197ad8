#include "engine/section_refiner.h"

#include "engine/cancel_flag.h"
#include "engine/line_span.h"
#include "engine/section_builder.h"

#include <algorithm>
#include <unordered_map>

namespace brindle {

namespace {

void makePartners(CDiffSection& a, CDiffSection& b)
{
    a.setPartner(&b);
    b.setPartner(&a);
}

bool isCommon(const CSectionChain::Node* node) { return node->section->kind() == kSectionCommon; }

}  // namespace

void CSectionRefiner::linkCommonSections(CSectionChain& list1, CSectionChain& list2)
{
    std::unordered_map<const CDiffLine*, CDiffSection*> byFirstPairedLine;
    for (Node* node = list2.head(); node; node = node->next) {
        if (!isCommon(node))
            continue;
        if (const CDiffLine* first = node->section->firstPairedLine())
            byFirstPairedLine[first] = node->section.get();
    }
    for (Node* node = list1.head(); node; node = node->next) {
        if (!isCommon(node))
            continue;
        const CDiffLine* first = node->section->firstPairedLine();
        if (!first)
            continue;
        const auto it = byFirstPairedLine.find(first->partner());
        if (it != byFirstPairedLine.end())
            makePartners(*node->section, *it->second);
    }
}

// The changed section of list 2 that stands where u stands in list 1, or nullptr.
CSectionChain::Node* CSectionRefiner::counterpart(Node* u, CSectionChain& list2) const
{
    Node* before = u->prev;
    Node* after = u->next;
    if (!before && !after)
        return list2.head();
    if (!before) {
        const CDiffSection* following = after->section->partner();
        Node* n = following ? list2.find(following) : nullptr;
        if (!n || n == list2.head())
            return nullptr;
        Node* v = n->prev;
        if (v == list2.head() || v->section->partner())
            return nullptr;
        return v;
    }
    const CDiffSection* preceding = before->section->partner();
    Node* p = preceding ? list2.find(preceding) : nullptr;
    if (!p)
        return nullptr;
    Node* v = p->next;
    if (!v || v->section->partner() || !v->next)
        return nullptr;
    if (!after)
        return v;
    return v->next->section.get() == after->section->partner() ? v : nullptr;
}

std::vector<CDiffSection*> CSectionRefiner::applyRuns(CSectionChain& chain, Node* node,
                                                      const std::vector<SLineRun>& runs)
{
    const CLineSpan lines = node->section->lines();
    const auto part = [&lines](const SLineRun& run) { return lines.subspan(run.begin, run.end - run.begin); };
    std::vector<CDiffSection*> sections{node->section.get()};
    node->section->setLines(part(runs.front()));
    node->section->setKind(runs.front().kind);
    Node* last = node;
    for (auto run = runs.begin() + 1; run != runs.end(); ++run) {
        last = chain.insertAfter(last, std::make_unique<CDiffSection>(part(*run), run->kind));
        sections.push_back(last->section.get());
    }
    return sections;
}

// Each new common section of U goes with the new common section of V that holds the partner of
// its first paired line. Pairing them by position instead would pair the wrong sections when
// the pass matched lines crosswise inside the region.
void CSectionRefiner::pairNewCommonSections(const std::vector<CDiffSection*>& fromU,
                                            const std::vector<CDiffSection*>& fromV)
{
    for (CDiffSection* section : fromU) {
        if (section->kind() != kSectionCommon)
            continue;
        const CDiffLine* first = section->firstPairedLine();
        const CDiffLine* partner = first ? first->partner() : nullptr;
        if (!partner)
            continue;
        // Sections made from V hold consecutive lines in file order: search by line number.
        const auto it =
            std::upper_bound(fromV.begin(), fromV.end(), partner->number(),
                             [](std::int32_t number, const CDiffSection* s) { return number < s->firstNumber(); });
        if (it == fromV.begin())
            continue;
        CDiffSection* holder = *(it - 1);
        if (holder->kind() == kSectionCommon && !holder->partner() &&
            positionInRun(holder->lines(), partner) != static_cast<std::size_t>(-1))
            makePartners(*section, *holder);
    }
}

bool CSectionRefiner::split(CSectionChain& list1, Node* u, CSectionChain& list2, Node* v)
{
    const bool ignoreWhitespace = m_matcher.options().ignoreWhitespace;
    const CLineSpan linesU = u->section->lines();
    const CLineSpan linesV = v->section->lines();
    const std::vector<SLineRun> runsU =
        CSectionBuilder(linesU, linesV, ignoreWhitespace).BuildSections(kSectionFile1Only);
    const std::vector<SLineRun> runsV =
        CSectionBuilder(linesV, linesU, ignoreWhitespace).BuildSections(kSectionFile2Only);
    if (cancelRequested() || runsU.empty() || runsV.empty())
        return false;
    pairNewCommonSections(applyRuns(list1, u, runsU), applyRuns(list2, v, runsV));
    return true;
}

bool CSectionRefiner::RefineSections(CSectionChain& list1, CSectionChain& list2)
{
    linkCommonSections(list1, list2);
    bool splitAny = false;
    for (Node* u = list1.head(); u; u = u->next) {
        if (pollCancel())
            return splitAny;
        if (isCommon(u))
            continue;
        if ((u->prev && !isCommon(u->prev)) || (u->next && !isCommon(u->next)))
            continue;
        Node* v = counterpart(u, list2);
        if (!v)
            continue;
        if (!m_matcher.MatchPass(u->section->lines(), v->section->lines()))
            continue;
        splitAny |= split(list1, u, list2, v);
    }
    return splitAny;
}

}  // namespace brindle
