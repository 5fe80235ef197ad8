#include "engine/compare_lines.h"

#include "engine/cancel_flag.h"
#include "engine/line_list.h"
#include "engine/line_matcher.h"
#include "engine/line_span.h"
#include "engine/section_builder.h"
#include "engine/section_refiner.h"

namespace brindle {

namespace {

using Node = CSectionChain::Node;

// A section emitted as changed loses its pairs; its partner pointer is dropped as well, since
// nothing after the merge may follow it (the partner may not survive a cancelled merge).
void emit(CSectionChain& chain, Node* node, std::int32_t kind, CSectionList& result)
{
    std::unique_ptr<CDiffSection> section = chain.take(node);
    section->setKind(kind);
    if (kind != kSectionCommon) {
        for (CDiffLine* line : section->lines())
            CLineMatcher::Unlink(*line);
        section->setPartner(nullptr);
    }
    result.append(std::move(section));
}

CSectionChain buildChain(CLineSpan own, CLineSpan other, bool ignoreWhitespace, std::int32_t changedKind)
{
    CSectionChain chain;
    for (const SLineRun& run : CSectionBuilder(own, other, ignoreWhitespace).BuildSections(changedKind))
        chain.append(std::make_unique<CDiffSection>(own.subspan(run.begin, run.end - run.begin), run.kind));
    return chain;
}

void resetLines(CLineList& list)
{
    for (CDiffLine* line : list.lines()) {
        line->invalidateHash();
        line->setPartner(nullptr);
    }
}

// A list made in memory has no path and nothing to load.
bool loadIfEmpty(CLineList& list)
{
    if (cancelRequested())
        return false;
    if (list.empty() && !list.path().empty())
        LoadLines(list.path(), list);
    return !cancelRequested();
}

}  // namespace

bool MergeSections(CSectionChain& list1, CSectionChain& list2, CSectionList& result)
{
    Node* a = list1.head();
    Node* b = list2.head();
    while (a || b) {
        if (pollCancel())
            return false;
        if (!a) {
            emit(list2, b, kSectionFile2Only, result);
            b = b->next;
            continue;
        }
        if (!b) {
            emit(list1, a, kSectionFile1Only, result);
            a = a->next;
            continue;
        }
        CDiffSection& sectionA = *a->section;
        CDiffSection& sectionB = *b->section;
        if (sectionA.kind() == kSectionFile1Only || !sectionA.partner()) {
            emit(list1, a, kSectionFile1Only, result);
            a = a->next;
        } else if (!sectionB.partner()) {
            emit(list2, b, kSectionFile2Only, result);
            b = b->next;
        } else if (sectionA.partner() == &sectionB) {
            sectionA.adoptPartner(list2.take(b));
            result.append(list1.take(a));
            a = a->next;
            b = b->next;
        } else if (sectionA.lineCount() < sectionB.lineCount()) {
            emit(list1, a, kSectionFile1Only, result);
            a = a->next;
        } else {
            emit(list2, b, kSectionFile2Only, result);
            b = b->next;
        }
    }
    return true;
}

bool CompareLines(const std::shared_ptr<CLineList>& file1, const std::shared_ptr<CLineList>& file2,
                  const SLineCompareOptions& options, CSectionList& result)
{
    if (!loadIfEmpty(*file1) || !loadIfEmpty(*file2))
        return false;
    resetLines(*file1);
    resetLines(*file2);
    result.keepAlive(file1);
    result.keepAlive(file2);

    const CLineSpan lines1 = file1->lines();
    const CLineSpan lines2 = file2->lines();
    CLineMatcher matcher(options);
    matcher.MatchPass(lines1, lines2);
    if (cancelRequested())
        return false;
    CSectionChain sections1 = buildChain(lines1, lines2, options.ignoreWhitespace, kSectionFile1Only);
    if (cancelRequested())
        return false;
    CSectionChain sections2 = buildChain(lines2, lines1, options.ignoreWhitespace, kSectionFile2Only);
    if (cancelRequested())
        return false;
    CSectionRefiner(matcher).RefineSections(sections1, sections2);
    if (cancelRequested())
        return false;
    return MergeSections(sections1, sections2, result);
}

}  // namespace brindle
