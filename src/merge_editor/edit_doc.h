// The editor document: a text file in a text buffer, for the plain text editor and, through the
// compare document, the merge editor.
#pragma once

#include "framework/document.h"
#include "merge_editor/rode_zor_text_buffer.h"

#include <QString>

namespace brindle {

// Holds the text buffer, loads and saves the file through it and keeps its modified flag (and
// the title markers) in step with the buffer, which sets them through MarkModified.
class CEditDoc : public CDocument {
    Q_OBJECT
public:
    CEditDoc();
    ~CEditDoc() override;

    CRodeZorTextBuffer& textBuffer() { return m_buffer; }
    const CRodeZorTextBuffer& textBuffer() const { return m_buffer; }

    // Empties the buffer (ClearAll).
    void deleteContents() override;
    bool marksModifiedInTitles() const override { return true; }
    // Loads path into the buffer. A file that cannot be opened or read is reported with its
    // reason ("... is not an ordinary file", "Cannot read ...") and the document becomes a new
    // one instead, one empty line that can be typed in (true).
    bool onOpenDocument(const QString& path) override;
    // Saves the buffer to path without ever losing the previous file on failure. A new extension
    // (compared without case) retypes the views; a read-only target is made writable first. A
    // failure shows "File %s cannot be saved." and leaves the document modified.
    bool onSaveDocument(const QString& path) override;
    // Writes the buffer's content to path; the document's path, modified flag and undo history
    // stay as they are, and no backup is made. False when writing failed.
    bool writeRecoveryCopy(const QString& path) override;

protected:
    // onSaveDocument has told the user already.
    void reportSaveFailed(const QString& path) override;

private:
    void openEmptyInstead(const QString& message);

    CRodeZorTextBuffer m_buffer;
};

}  // namespace brindle
