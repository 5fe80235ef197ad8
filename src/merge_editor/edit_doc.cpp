#include "merge_editor/edit_doc.h"

#include "engine/file_exception.h"
#include "framework/command_ids.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/file_system.h"
#include "platform/fill_template.h"

#include <QFileInfo>
#include <QMessageBox>

namespace brindle {

namespace {

// The text after the last "." of the file name, without the dot; empty when there is none.
QString extensionOf(const QString& path) { return QFileInfo(path).suffix(); }

}  // namespace

CEditDoc::CEditDoc() : m_buffer(*this) {}

CEditDoc::~CEditDoc() = default;

void CEditDoc::deleteContents()
{
    CDocument::deleteContents();
    m_buffer.ClearAll();
}

bool CEditDoc::onOpenDocument(const QString& path)
{
    CDocument::onOpenDocument(path);
    // A FIFO or device is not opened: it would block the window, or never end.
    const std::u16string file = toU16String(path);
    if (const std::u16string problem = inputFileProblem(file); !problem.empty()) {
        openEmptyInstead(toQString(problem));
        return true;
    }
    if (m_buffer.LoadFile(file))
        return true;
    const std::error_code& reason = m_buffer.lastLoadError();
    openEmptyInstead(reason ? toQString(inputFileProblem(file, CFileException::Operation::Read, reason))
                            : loadString(res::kStrOpenFailed).arg(path));
    return true;
}

// The editor opens empty rather than not at all, and says why.
void CEditDoc::openEmptyInstead(const QString& message)
{
    QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), message);
    onNewDocument();
    m_buffer.InitNew();
}

bool CEditDoc::onSaveDocument(const QString& path)
{
    if (extensionOf(pathName()).compare(extensionOf(path), Qt::CaseInsensitive) != 0) {
        m_buffer.ApplyTextTypeToViews(toU16String(path));
        updateAllViews(nullptr);
    }
    const std::u16string target = toU16String(path);
    CWritableForSave writable(target);
    // The buffer writes a temporary file beside the target and only then replaces it.
    if (m_buffer.SaveFile(target, true)) {
        writable.keep();
        return true;
    }
    QString text = toQString(fillTemplate(toU16String(loadString(res::kStrCannotSave)), {toU16String(path)}));
    if (const std::error_code& reason = m_buffer.lastSaveError())
        text += u'\n' + QString::fromStdString(reason.message());
    QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), text, QMessageBox::Ok);
    return false;
}

void CEditDoc::reportSaveFailed(const QString&) {}

bool CEditDoc::writeRecoveryCopy(const QString& path)
{
    const bool backup = m_buffer.CreateBackup();
    m_buffer.SetCreateBackup(false);
    const bool written = m_buffer.SaveFile(toU16String(path), false);
    m_buffer.SetCreateBackup(backup);
    return written;
}

}  // namespace brindle
