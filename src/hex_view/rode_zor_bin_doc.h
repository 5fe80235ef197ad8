// The binary viewer's document: a whole file as raw bytes, shown and edited by hex views.
#pragma once

#include "framework/document.h"
#include "framework/position_target.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace brindle {

class CHexEditView;

// Reads the whole file into one block of memory and writes it back on save. Its views edit the
// block in place (see CHexEditView::setData). Files of 2 GiB or more are refused when opening:
// offsets and sizes of the view's commands and of the compare engine's binary offsets are kept
// below that. Saving replaces the file only once the new content is completely written.
class CRodeZorBinDoc : public CDocument, public CPositionTarget {
    Q_OBJECT
public:
    // The largest file the document opens.
    static constexpr std::int64_t kMaxFileSize = (std::int64_t{1} << 31) - 1;

    CRodeZorBinDoc();
    ~CRodeZorBinDoc() override;

    QByteArray& bytes() { return m_bytes; }
    const QByteArray& bytes() const { return m_bytes; }

    // Reads path into the buffer and hands the buffer to every view. False (buffer empty,
    // lastError() set) when the file cannot be read or is too large.
    bool load(const QString& path);
    // The message of the last failed load or save; empty after a success.
    const QString& lastError() const { return m_lastError; }

    bool onNewDocument() override;
    // A file that cannot be opened is reported and gives an empty document carrying its path, so
    // that saving writes a new file there; a file too large or unreadable fails the open.
    bool onOpenDocument(const QString& path) override;
    // Writes the buffer through a temporary file in the target's folder; on failure the target is
    // untouched and false is returned (lastError() says why).
    bool onSaveDocument(const QString& path) override;
    void deleteContents() override;
    bool writeRecoveryCopy(const QString& path) override;
    void reportOpenFailed(const QString& path) override;

    // Shows a range in the document's first view (CPositionTarget).
    void selectBytes(std::int64_t offset, std::int64_t length) override;

    // Shows length bytes from offset of path in the hex view (template position 2): an open
    // document of the same file (CDocTemplate::findOpenDocument) is reused and its frame
    // activated, else the file is opened in a new window. Returns the document, nullptr when the
    // file could not be opened.
    static CRodeZorBinDoc* showRange(const QString& path, std::int64_t offset, std::int64_t length);

    CHexEditView* firstView() const;

protected:
    void reportSaveFailed(const QString& path) override;

private:
    bool writeTo(const QString& path);
    void handBufferToViews();

    QByteArray m_bytes;
    QString m_lastError;
};

}  // namespace brindle
