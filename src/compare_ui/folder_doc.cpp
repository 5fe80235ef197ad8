#include "compare_ui/folder_doc.h"

#include "compare_ui/brd_doc.h"
#include "engine/cancel_flag.h"
#include "engine/file_exception.h"
#include "engine/progress.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/template_positions.h"
#include "framework/win_app.h"
#include "platform/file_system.h"
#include "platform/tree_copy.h"
#include "platform/utf8.h"

#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <atomic>
#include <chrono>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace brindle {

namespace {

QString qs(const std::string& native) { return toQString(pathFromNative(native)); }
std::string native(const QString& path) { return nativePath(toU16String(path)); }

bool askYesNo(const QString& text)
{
    return QMessageBox::question(dialogParent(), loadString(res::kStrAppTitle), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void warn(const QString& text) { QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), text); }

// The last name of a path, also of one that ends in "/".
QString lastName(const std::u16string& path)
{
    QString text = toQString(path);
    while (text.size() > 1 && text.endsWith(u'/'))
        text.chop(1);
    return QFileInfo(text).fileName();
}

bool isFolder(const std::u16string& path)
{
    const std::optional<SFileAttributes> attributes = fileAttributes(path);
    return attributes && attributes->directory;
}

}  // namespace

CFolderDoc::CFolderDoc()
{
    onCommand(cmd::kRefresh, [this] { refresh(); });
    onUpdateCommand(cmd::kRefresh, [](CCmdUI& ui) { ui.enable(true); });
    onCommand(cmd::kFolderShowIdentical, [this] {
        m_showIdentical = !m_showIdentical;
        emit compared();
    });
    onUpdateCommand(cmd::kFolderShowIdentical, [this](CCmdUI& ui) {
        ui.enable(true);
        ui.setCheck(m_showIdentical);
    });
    onCommand(cmd::kFolderExcludePatterns, [this] { editExcludePatterns(); });
    onUpdateCommand(cmd::kFolderExcludePatterns, [](CCmdUI& ui) { ui.enable(true); });
}

CFolderDoc::~CFolderDoc() = default;

bool CFolderDoc::namesTwoFolders(const CCompFileOpt& record)
{
    return !record.m_file1Path.empty() && !record.m_file2Path.empty() && isFolder(record.m_file1Path) &&
           isFolder(record.m_file2Path);
}

CFolderDoc* CFolderDoc::openFolders(const CCompFileOpt& record)
{
    CDocTemplate* folderTemplate =
        CWinApp::instance() ? CWinApp::instance()->docTemplateAt(kFolderComparisonTemplate) : nullptr;
    if (!folderTemplate)
        return nullptr;
    CCompFileOpt(record).Save(CWinApp::instance()->profile());
    for (CDocument* existing : folderTemplate->documents()) {
        auto* document = qobject_cast<CFolderDoc*>(existing);
        if (document && sameFileOrPath(document->m_context.m_file1Path, record.m_file1Path) &&
            sameFileOrPath(document->m_context.m_file2Path, record.m_file2Path)) {
            document->m_context = record;
            if (CMDIChildWnd* frame = document->firstFrame())
                frame->activateFrame();
            document->refresh();
            return document;
        }
    }
    auto* document = qobject_cast<CFolderDoc*>(folderTemplate->openDocumentFile(QString()));
    if (!document)
        return nullptr;
    document->m_context = record;
    document->setTitle(
        loadString(res::kStrComparisonTitle).arg(lastName(record.m_file1Path), lastName(record.m_file2Path)));
    if (!document->compare()) {
        document->onCloseDocument();
        return nullptr;
    }
    return document;
}

const std::deque<SFolderEntry>& CFolderDoc::entries() const
{
    static const std::deque<SFolderEntry> none;
    return m_comparison ? m_comparison->entries() : none;
}

QString CFolderDoc::root(int side) const
{
    return toQString(side == 1 ? m_context.m_file1Path : m_context.m_file2Path);
}

QString CFolderDoc::sidePath(const SFolderEntry& entry, int side) const
{
    return qs(m_comparison->sidePath(entry, side));
}

SFolderCompareOptions CFolderDoc::comparisonOptions() const
{
    SFolderCompareOptions options;
    options.ignoreWhitespace = m_context.m_ignoreWhitespace != 0;
    options.ignoreCase = m_context.m_ignoreCase != 0;
    options.fileKinds = true;
    options.excludes = loadExcludePatterns(CWinApp::instance()->profile());
    return options;
}

bool CFolderDoc::refresh() { return compare(); }

// The comparison runs on a thread of its own while the progress dialog counts the file pairs
// and takes a click on Cancel.
bool CFolderDoc::compare()
{
    auto comparison = std::make_unique<CFolderComparison>(native(root(1)), native(root(2)), comparisonOptions());
    setCancelRequested(false);
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    bool completed = false;
    // A window that shows nothing yet fills while the trees are listed; one that shows a
    // comparison keeps it until the new one is complete.
    const bool fillAsListed = !m_comparison;
    std::mutex listedMutex;
    std::vector<SFolderEntry> listed;
    SFolderCallbacks callbacks;
    if (fillAsListed) {
        callbacks.listed = [&](std::size_t index) {
            const std::lock_guard lock(listedMutex);
            listed.push_back(comparison->entries()[index]);
        };
    }
    const auto passListed = [&] {
        std::vector<SFolderEntry> batch;
        {
            const std::lock_guard lock(listedMutex);
            batch.swap(listed);
        }
        if (!batch.empty())
            emit entriesListed(batch);
    };
    {
        const std::unique_ptr<CProgress> progress = createProgress(res::kStrComparingFolders, 1, true);
        std::jthread worker([&] {
            try {
                completed = comparison->run(callbacks);
            } catch (...) {
                failure = std::current_exception();
            }
            done = true;
        });
        while (!done) {
            const SFolderProgress counts = comparison->progress();
            progress->setTotal(static_cast<std::int64_t>(std::max<std::size_t>(counts.toCompare, 1)));
            progress->setPosition(static_cast<std::int64_t>(counts.compared));
            passListed();
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
    }
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            warn(QString::fromStdString(e.what()));
        }
        return false;
    }
    if (!completed)
        return false;  // cancelled: what was shown stays
    m_comparison = std::move(comparison);
    emit compared();
    return true;
}

bool CFolderDoc::openEntry(const SFolderEntry& entry)
{
    const bool file1 = entry.side1.present && entry.side1.kind == EFolderItemKind::File;
    const bool file2 = entry.side2.present && entry.side2.kind == EFolderItemKind::File;
    if (file1 && file2) {
        CCompFileOpt record = m_context;
        record.m_file1Path = toU16String(sidePath(entry, 1));
        record.m_file2Path = toU16String(sidePath(entry, 2));
        return CBRDDoc::openComparison(record, QString()) != nullptr;
    }
    // A file of one side only: its editor or hex view.
    if (entry.side1.present != entry.side2.present && (file1 || file2))
        return CWinApp::instance()->openDocumentFile(sidePath(entry, file1 ? 1 : 2)) != nullptr;
    return false;
}

bool CFolderDoc::copyEntry(const SFolderEntry& entry, int from)
{
    const SFolderSide& source = from == 1 ? entry.side1 : entry.side2;
    const SFolderSide& target = from == 1 ? entry.side2 : entry.side1;
    if (!source.present)
        return false;
    const QString sourcePath = sidePath(entry, from);
    const QString targetPath = sidePath(entry, 3 - from);
    if (target.present && target.kind != source.kind) {
        warn(loadString(res::kStrTypeDiffersNoCopy).arg(entry.path.empty() ? sourcePath : qs(entry.path)));
        return false;
    }
    if (!askYesNo(loadString(target.present ? res::kStrCopyOver : res::kStrCopyTo).arg(sourcePath, targetPath)))
        return false;
    std::string problem;
    if (!copyTree(native(sourcePath), native(targetPath), problem))
        warn(loadString(res::kStrCopyFailed).arg(sourcePath, QString::fromStdString(problem)));
    refresh();
    return problem.empty();
}

bool CFolderDoc::trashEntry(const SFolderEntry& entry, int side)
{
    if (!(side == 1 ? entry.side1 : entry.side2).present)
        return false;
    const QString path = sidePath(entry, side);
    if (!askYesNo(loadString(res::kStrTrashAsk).arg(path)))
        return false;
    const bool moved = QFile::moveToTrash(path);
    if (!moved)
        warn(loadString(res::kStrTrashFailed).arg(path));
    refresh();
    return moved;
}

void CFolderDoc::editExcludePatterns()
{
    CProfile& profile = CWinApp::instance()->profile();
    QString text;
    for (const std::string& pattern : loadExcludePatterns(profile))
        text += (text.isEmpty() ? QString() : QStringLiteral(";")) + QString::fromStdString(pattern);
    bool ok = false;
    const QString changed = QInputDialog::getText(dialogParent(), loadString(res::kStrExcludeCaption),
                                                  loadString(res::kStrExcludePrompt), QLineEdit::Normal, text, &ok);
    if (!ok || changed == text)
        return;
    std::vector<std::string> patterns;
    for (const QString& pattern : changed.split(u';', Qt::SkipEmptyParts)) {
        if (!pattern.trimmed().isEmpty())
            patterns.push_back(pattern.trimmed().toStdString());
    }
    saveExcludePatterns(profile, patterns);
    refresh();
}

}  // namespace brindle
