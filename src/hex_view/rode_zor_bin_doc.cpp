#include "hex_view/rode_zor_bin_doc.h"

#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "framework/cmd_target.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/qt_utf16.h"
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
#include <utility>

namespace brindle {

namespace {
constexpr int kCutShortWatchMs = 250;
}  // namespace

CRodeZorBinDoc::CRodeZorBinDoc()
{
    // A mapped file is shown, not edited: there is nothing of it to write.
    for (const int id : {cmd::kFileSave, cmd::kFileSaveAs})
        onUpdateCommand(id, [this](CCmdUI& ui) { ui.enable(!isReadOnly()); });
    m_cutShortWatch.setInterval(kCutShortWatchMs);
    connect(&m_cutShortWatch, &QTimer::timeout, this, &CRodeZorBinDoc::tellIfCutShort);
}

CRodeZorBinDoc::~CRodeZorBinDoc() = default;

std::span<const std::uint8_t> CRodeZorBinDoc::content() const
{
    if (m_mapped)
        return m_mapped->bytes();
    return {reinterpret_cast<const std::uint8_t*>(m_bytes.constData()), static_cast<std::size_t>(m_bytes.size())};
}

void CRodeZorBinDoc::showIn(CHexEditView& view)
{
    if (m_mapped)
        view.setReadOnlyData(m_mapped->bytes());
    else
        view.setData(&m_bytes);
}

bool CRodeZorBinDoc::isShownIn(const CHexEditView& view) const
{
    if (m_mapped)
        return view.isReadOnly() && view.bytes().data() == m_mapped->bytes().data();
    return view.data() == &m_bytes;
}

bool CRodeZorBinDoc::load(const QString& path)
{
    m_lastError.clear();
    m_bytes = QByteArray();
    releaseMapping();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        m_lastError = loadString(res::kStrOpenFailed).arg(path);
        return false;
    }
    // Read whole, a larger file would cost seconds and its size in memory before the first row
    // shows, and each inserted byte would move gigabytes; mapped, only the pages shown are read.
    if (!(info.size() > kMaxEditableSize ? loadMapped(path) : loadWhole(path, info.size())))
        return false;
    handBufferToViews();
    return true;
}

bool CRodeZorBinDoc::loadMapped(const QString& path)
{
    std::error_code error;
    std::optional<CMappedFile> mapped = CMappedFile::map(toU16String(path), error);
    if (!mapped) {
        m_lastError = loadString(kStrCannotOpen).arg(path, QString::fromStdString(error.message()));
        return false;
    }
    m_mapped = std::move(mapped);
    m_cutShortWatch.start();
    return true;
}

void CRodeZorBinDoc::tellIfCutShort()
{
    if (!m_mapped || !m_mapped->shrank())
        return;
    m_cutShortWatch.stop();
    QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle),
                         loadString(res::kStrCutShortWhileShown).arg(pathName()));
}

bool CRodeZorBinDoc::loadWhole(const QString& path, std::int64_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_lastError = loadString(kStrCannotOpen).arg(path, file.errorString());
        return false;
    }
    QByteArray bytes;
    try {
        bytes = QByteArray(size, Qt::Uninitialized);
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
    return true;
}

void CRodeZorBinDoc::releaseMapping()
{
    if (!m_mapped)
        return;
    m_cutShortWatch.stop();
    // The views let go of the mapped bytes before they are unmapped.
    const std::optional<CMappedFile> released = std::exchange(m_mapped, std::nullopt);
    handBufferToViews();
}

void CRodeZorBinDoc::handBufferToViews()
{
    for (CView* view : views()) {
        if (auto* hexView = dynamic_cast<CHexEditView*>(view))
            showIn(*hexView);
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
    if (const std::u16string problem = inputFileProblem(toU16String(path)); !problem.empty()) {
        // The file is missing or unreadable: say why, then offer an empty document that saves
        // there.
        m_lastError = toQString(problem);
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
    if (!file.open(toU16String(path)) || !file.write(m_bytes.constData(), static_cast<std::size_t>(m_bytes.size())) ||
        !file.commit()) {
        m_lastError = loadString(res::kStrHexSaveFailed).arg(path, QString::fromStdString(file.error().message()));
        return false;
    }
    m_lastError.clear();
    return true;
}

bool CRodeZorBinDoc::onSaveDocument(const QString& path)
{
    if (m_mapped) {
        // Writing the mapping back could put zeros where another program has cut the file short.
        m_lastError = CHexEditView::readOnlyMessage(pathName(), static_cast<std::int64_t>(content().size()));
        return false;
    }
    if (!writeTo(path))
        return false;
    setModifiedFlag(false);
    return true;
}

bool CRodeZorBinDoc::writeRecoveryCopy(const QString& path) { return !m_mapped && writeTo(path); }

void CRodeZorBinDoc::deleteContents()
{
    CDocument::deleteContents();
    m_bytes = QByteArray();
    releaseMapping();
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
