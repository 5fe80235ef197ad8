#include "merge_editor/rode_zor_view.h"

#include "framework/command_ids.h"

namespace brindle {

namespace {

CRodeZorView::TagSource g_tagSource = nullptr;

}  // namespace

CRodeZorView::CRodeZorView(QWidget* parent) : CTlEditView(parent)
{
    onCommand(cmd::kRemoveFile1Tags, [this] { removeTags(1); });
    onCommand(cmd::kRemoveFile2Tags, [this] { removeTags(2); });
    onCommand(cmd::kRemoveAllTags, [this] { removeTags(0); });
    onCommand(cmd::kNextSection, [this] { goToSection(true); });
    onCommand(cmd::kPrevSection, [this] { goToSection(false); });
    SetRememberCaretPos(true);
}

void CRodeZorView::SetTagSource(TagSource source) { g_tagSource = source; }

SMergeCommandTags CRodeZorView::Tags()
{
    if (!g_tagSource || !document())
        return {};
    return g_tagSource(*document());
}

SMergeSelection CRodeZorView::selection() const
{
    SMergeSelection result;
    CEdTextView::GetSelection(result.start, result.end);
    return result;
}

void CRodeZorView::select(const SMergeSelection& selection)
{
    CEdTextView::SetSelection(selection.start, selection.end);
    viewport()->update();
}

void CRodeZorView::removeTags(int file)
{
    CEdTextBuffer* buffer = TextBuffer();
    if (!buffer)
        return;
    const SMergeCommandTags tags = Tags();
    SMergeSelection current = selection();
    const SMergeSelection before = current;
    if (file == 0)
        RemoveAllRemainingTags(*buffer, this, tags, current);
    else
        RemoveRemainingFileTags(*buffer, this, tags, file, current);
    if (current == before)
        return;
    CEdTextView::SetAnchor(current.start);
    CEdTextView::SetCursorPos(current.end);
    select(current);
    CEdTextView::EnsureVisible(current.end);
}

// The caret stays where it is; only the selection and the scroll position change.
void CRodeZorView::goToSection(bool next)
{
    const CEdTextBuffer* buffer = TextBuffer();
    if (!buffer)
        return;
    const SMergeCommandTags tags = Tags();
    const auto hit = next ? NextMergeSection(*buffer, tags, selection()) : PrevMergeSection(*buffer, tags, selection());
    if (!hit)
        return;
    select(hit->selection);
    CEdTextView::EnsureVisible(hit->scrollTo);
}

}  // namespace brindle
