// The binary viewer's document: a file's raw bytes, shown and edited by hex views; a file too large
// to edit is mapped and shown read-only.
#pragma once

#include "framework/document.h"
#include "framework/position_target.h"
#include "platform/mapped_file.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <span>

namespace brindle {

class CHexEditView;

// A file of up to kMaxEditableSize bytes is read whole into one block of memory, edited there by
// its views (see CHexEditView::setData) and written back on save; saving replaces the file only
// once the new content is completely written. A larger file is mapped read-only (CMappedFile): the
// system reads only the pages shown, the views refuse to edit it, the document is never modified
// and cannot be saved. A mapped file cut short by another program reads as zeros from its new end;
// the user is told so once, soon after the view first reads past it. GUI thread only.
class CRodeZorBinDoc : public CDocument, public CPositionTarget {
    Q_OBJECT
public:
    // The largest file read into memory and editable.
    static constexpr std::int64_t kMaxEditableSize = (std::int64_t{1} << 31) - 1;

    CRodeZorBinDoc();
    ~CRodeZorBinDoc() override;

    // The editable buffer; empty while a mapped file is shown.
    QByteArray& bytes() { return m_bytes; }
    const QByteArray& bytes() const { return m_bytes; }
    // True while the document shows a mapped file.
    bool isReadOnly() const { return m_mapped.has_value(); }
    // What the views show: the buffer, or the mapped file.
    std::span<const std::uint8_t> content() const;
    // Hands view the bytes: the buffer to edit, or the mapped file to read.
    void showIn(CHexEditView& view);
    bool isShownIn(const CHexEditView& view) const;

    // Reads path into the buffer, or maps it when it is larger than kMaxEditableSize, and hands
    // the bytes to every view. False (nothing loaded, lastError() set) when the file cannot be
    // opened, read or mapped.
    bool load(const QString& path);
    // The message of the last failed load or save; empty after a success.
    const QString& lastError() const { return m_lastError; }

    bool onNewDocument() override;
    // A file that cannot be opened is reported and gives an empty document carrying its path, so
    // that saving writes a new file there; a file that cannot be read or mapped fails the open.
    bool onOpenDocument(const QString& path) override;
    // Writes the buffer through a temporary file in the target's folder; on failure the target is
    // untouched and false is returned (lastError() says why). A mapped file is never written.
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
    bool loadWhole(const QString& path, std::int64_t size);
    bool loadMapped(const QString& path);
    bool writeTo(const QString& path);
    void releaseMapping();
    void handBufferToViews();
    void tellIfCutShort();

    QByteArray m_bytes;
    std::optional<CMappedFile> m_mapped;
    QString m_lastError;
    // While a file is mapped: looks now and then whether it was found cut short, so that the
    // user is told without the painting that found it showing a message.
    QTimer m_cutShortWatch;
};

}  // namespace brindle
