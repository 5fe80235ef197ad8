#include "merge_editor/rode_zor_text_buffer.h"

#include "merge_editor/edit_doc.h"
#include "merge_editor/title_markers.h"

namespace brindle {

void CRodeZorTextBuffer::MarkModified(bool modified)
{
    CEdTextBuffer::MarkModified(modified);
    // The child frame retitles itself from the document when the flag changes: the markers go on
    // afterwards.
    m_owner.setModifiedFlag(modified);
    applyTitleMarkersToActiveChild(modified);
}

}  // namespace brindle
