// Refining changed regions: pairing lines again inside each region and splitting its sections.
#pragma once

#include "engine/line_matcher.h"
#include "engine/section_builder.h"
#include "engine/section_chain.h"

#include <vector>

namespace brindle {

// Works on the two section lists of a comparison, after the first matching pass.
class CSectionRefiner {
public:
    explicit CSectionRefiner(CLineMatcher& matcher) : m_matcher(matcher) {}

    // Links the common sections of both lists, then for every changed section of list 1 that
    // lies between common sections (or the list's edges) finds its counterpart in list 2, runs
    // a matching pass over the two and splits both by the new pairs. True when anything split.
    bool RefineSections(CSectionChain& list1, CSectionChain& list2);

private:
    using Node = CSectionChain::Node;

    void linkCommonSections(CSectionChain& list1, CSectionChain& list2);
    Node* counterpart(Node* u, CSectionChain& list2) const;
    bool split(CSectionChain& list1, Node* u, CSectionChain& list2, Node* v);
    std::vector<CDiffSection*> applyRuns(CSectionChain& chain, Node* node, const std::vector<SLineRun>& runs);
    static void pairNewCommonSections(const std::vector<CDiffSection*>& fromU, const std::vector<CDiffSection*>& fromV);

    CLineMatcher& m_matcher;
};

}  // namespace brindle
