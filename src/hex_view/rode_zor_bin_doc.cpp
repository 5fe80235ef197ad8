#include "hex_view/rode_zor_bin_doc.h"

#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/resources.h"
#include "framework/template_positions.h"
#include "framework/win_app.h"
#include "hex_view/hex_edit_view.h"
#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <new>
#include <system_error>

namespace brindle {

CRodeZorBinDoc::CRodeZorBinDoc() = default;

CRodeZorBinDoc::~CRodeZorBinDoc() = default;

bool CRodeZorBinDoc::load(const QString& path)
{
    m_lastError.clear();
    m_bytes = QByteArray();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        m_lastError = loadString(res::kStrOpenFailed).arg(path);
        return false;
    }
    if (info.size() > kMaxFileSize) {
        // The sizes and offsets the view works with stay below 2 GiB; a larger file is refused
        // rather than shown cut.
        m_lastError = loadString(res::kStrHexTooLarge).arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_lastError = loadString(kStrCannotOpen).arg(path, file.errorString());
        return false;
    }
    QByteArray bytes;
    try {
        bytes = QByteArray(info.size(), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        m_lastError =
            loadString(kStrCannotRead)
                .arg(path, QString::fromStdString(std::make_error_code(std::errc::not_enough_memory).message()));
        return false;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            // Not shown cut: a save would write the part that was read over the whole file.
            m_lastError = loadString(kStrCannotRead).arg(path, file.errorString());
            return false;
        }
        if (got == 0)
            break;
        done += got;
    }
    // A file that shrank while it was read keeps what was there.
    bytes.truncate(done);
    m_bytes = std::move(bytes);
    handBufferToViews();
    return true;
}

void CRodeZorBinDoc::handBufferToViews()
{
    for (CView* view : views()) {
        if (auto* hexView = dynamic_cast<CHexEditView*>(view))
            hexView->setData(&m_bytes);
    }
}

bool CRodeZorBinDoc::onNewDocument()
{
    if (!CDocument::onNewDocument())
        return false;
    handBufferToViews();
    return true;
}

bool CRodeZorBinDoc::onOpenDocument(const QString& path)
{
    deleteContents();
    setModifiedFlag(false);
    // A FIFO or device is not opened: it would block the window, or never end.
    if (const std::u16string problem = inputFileProblem(path.toStdU16String()); !problem.empty()) {
        // The file is missing or unreadable: say why, then offer an empty document that saves
        // there.
        m_lastError = QString::fromStdU16String(problem);
        reportOpenFailed(path);
        if (!onNewDocument())
            return false;
        setPathName(path);
        return true;
    }
    return load(path);
}

bool CRodeZorBinDoc::writeTo(const QString& path)
{
    CAtomicFile file;
    if (!file.open(path.toStdU16String()) ||
        !file.write(m_bytes.constData(), static_cast<std::size_t>(m_bytes.size())) || !file.commit()) {
        m_lastError = loadString(res::kStrHexSaveFailed).arg(path, QString::fromStdString(file.error().message()));
        return false;
    }
    m_lastError.clear();
    return true;
}

bool CRodeZorBinDoc::onSaveDocument(const QString& path)
{
    if (!writeTo(path))
        return false;
    setModifiedFlag(false);
    return true;
}

bool CRodeZorBinDoc::writeRecoveryCopy(const QString& path) { return writeTo(path); }

void CRodeZorBinDoc::deleteContents()
{
    CDocument::deleteContents();
    m_bytes = QByteArray();
    handBufferToViews();
}

void CRodeZorBinDoc::reportSaveFailed(const QString& path)
{
    QMessageBox::warning(nullptr, loadString(res::kStrAppTitle),
                         m_lastError.isEmpty() ? loadString(res::kStrHexSaveFailed).arg(path, QString()) : m_lastError);
}

void CRodeZorBinDoc::reportOpenFailed(const QString& path)
{
    if (m_lastError.isEmpty())
        CDocument::reportOpenFailed(path);
    else
        QMessageBox::warning(nullptr, loadString(res::kStrAppTitle), m_lastError);
}

CHexEditView* CRodeZorBinDoc::firstView() const
{
    for (CView* view : views()) {
        if (auto* hexView = dynamic_cast<CHexEditView*>(view))
            return hexView;
    }
    return nullptr;
}

void CRodeZorBinDoc::selectBytes(std::int64_t offset, std::int64_t length)
{
    if (CHexEditView* view = firstView())
        view->showRange(offset, length);
}

CRodeZorBinDoc* CRodeZorBinDoc::showRange(const QString& path, std::int64_t offset, std::int64_t length)
{
    CWinApp* app = CWinApp::instance();
    CDocTemplate* docTemplate = app ? app->docTemplateAt(kHexViewTemplate) : nullptr;
    if (!docTemplate)
        return nullptr;
    auto* document = dynamic_cast<CRodeZorBinDoc*>(docTemplate->openOrActivateDocument(path));
    if (document)
        document->selectBytes(offset, length);
    return document;
}

}  // namespace brindle
