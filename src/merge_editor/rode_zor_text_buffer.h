// The editor document's text buffer: the editor component's buffer, reporting changes of its
// modified state to the document that owns it.
#pragma once

#include "editor/ed_text_buffer.h"

namespace brindle {

class CEditDoc;

// Embedded in a CEditDoc; the document outlives it.
class CRodeZorTextBuffer : public CEdTextBuffer {
public:
    explicit CRodeZorTextBuffer(CEditDoc& owner) : m_owner(owner) {}

    CEditDoc& owner() const { return m_owner; }

    // Sets the buffer's flag and the document's, then the title markers of the main window and
    // its active child window.
    void MarkModified(bool modified) override;

private:
    CEditDoc& m_owner;
};

}  // namespace brindle
