#include "compare_ui/brd_doc.h"

#include "compare_ui/brd_form_view.h"
#include "compare_ui/brd_view.h"
#include "compare_ui/comp_ctrl.h"
#include "compare_ui/compare_dlg.h"
#include "compare_ui/external_viewer.h"
#include "compare_ui/folder_doc.h"
#include "compare_ui/recovery_file.h"
#include "compare_ui/report_position.h"
#include "editor/colour_table.h"
#include "editor/merge_tags.h"
#include "engine/engine_strings.h"
#include "engine/file_exception.h"
#include "engine/progress.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/utf8.h"

#include <QFileInfo>

#include <QMessageBox>
#include <algorithm>
#include <new>
#include <utility>

namespace brindle {

namespace {

CDocTemplate* templateAt(std::size_t position)
{
    return CWinApp::instance() ? CWinApp::instance()->docTemplateAt(position) : nullptr;
}

// Before a new comparison closes the first document of a template, asks as Close does when it is
// modified: Yes saves, No discards the edits. False when the user cancels or the save fails.
bool mayCloseForNewComparison(std::size_t position)
{
    CDocTemplate* docTemplate = templateAt(position);
    if (!docTemplate || docTemplate->documents().empty())
        return true;
    CDocument* document = docTemplate->documents().front();
    if (!document->saveModified())
        return false;
    document->setModifiedFlag(false);
    return true;
}

// Closes the first document of a template without asking, keeping unsaved edits in a recovery
// file and saying where in the status bar.
void closeWithoutAsking(std::size_t position)
{
    CDocTemplate* docTemplate = templateAt(position);
    if (!docTemplate || docTemplate->documents().empty())
        return;
    CDocument* document = docTemplate->documents().front();
    const QString kept = keepUnsavedEdits(*document);
    if (!kept.isEmpty()) {
        if (CMDIFrameWnd* frame = CWinApp::instance()->mainFrame())
            frame->setMessageText(loadString(res::kStrKeptUnsavedEdits).arg(document->pathName(), kept));
    }
    document->setModifiedFlag(false);
    document->onCloseDocument();
}

// Why the record's files cannot be compared (the first that cannot be opened); empty when both
// can, or when a path is missing and the run would do nothing.
QString inputFilesProblem(const CCompFileOpt& record)
{
    if (record.m_file1Path.empty() || record.m_file2Path.empty())
        return {};
    std::u16string problem = inputFileProblem(record.m_file1Path);
    if (problem.empty())
        problem = inputFileProblem(record.m_file2Path);
    return toQString(problem);
}

}  // namespace

CBRDDoc::CBRDDoc() : m_pane1(std::make_unique<CCompCtrl>()), m_pane2(std::make_unique<CCompCtrl>())
{
    // As the merge editor's document the buffer holds the merge file: comparing again there would
    // empty it, so the comparison commands only act in the comparison window.
    onCommand(cmd::kRefresh, [this] {
        if (isComparisonWindow())
            refresh();
    });
    onUpdateCommand(cmd::kRefresh, [this](CCmdUI& ui) { ui.enable(isComparisonWindow()); });
    onCommand(cmd::kNextSection, [this] {
        if (isComparisonWindow())
            nextSection();
    });
    onCommand(cmd::kPrevSection, [this] {
        if (isComparisonWindow())
            prevSection();
    });
    onCommand(cmd::kCompareFiles, [this] { compareFiles(); });
}

CBRDDoc::~CBRDDoc()
{
    // The form may still hold the panes as its children: take them back before they go.
    m_pane1->setParent(nullptr);
    m_pane2->setParent(nullptr);
}

bool CBRDDoc::isComparisonWindow() const { return !docTemplate() || docTemplate() == templateAt(kComparisonTemplate); }

CBRDView* CBRDDoc::sectionList() const { return views().empty() ? nullptr : dynamic_cast<CBRDView*>(views()[0]); }

CBrdFormView* CBRDDoc::formView() const
{
    return views().size() < 2 ? nullptr : dynamic_cast<CBrdFormView*>(views()[1]);
}

void CBRDDoc::deleteContents()
{
    CEditDoc::deleteContents();
    m_context.m_sections.clear();
    m_report = SReport{};
}

CBRDDoc* CBRDDoc::openComparison(const CCompFileOpt& record, const QString& mergePath)
{
    CDocTemplate* comparisonTemplate = templateAt(kComparisonTemplate);
    if (!comparisonTemplate)
        return nullptr;
    // Two folders are compared entry by entry, in a folder comparison window of their own.
    if (CFolderDoc::namesTwoFolders(record)) {
        CFolderDoc::openFolders(record);
        return nullptr;
    }
    // A file that cannot be read is said at once, before anything is closed or saved: comparing
    // it as an empty file would show a difference that is not there.
    if (const QString problem = inputFilesProblem(record); !problem.isEmpty()) {
        QMessageBox::warning(dialogParent(), loadString(res::kStrAppTitle), problem);
        return nullptr;
    }
    // Cancel leaves everything as it was: no window, no settings, no file written.
    if (!mayCloseForNewComparison(kMergeEditorTemplate) || !mayCloseForNewComparison(kHexViewTemplate))
        return nullptr;
    CBRDDoc* document = nullptr;
    for (CDocument* existing : comparisonTemplate->documents()) {
        if ((document = qobject_cast<CBRDDoc*>(existing)))
            break;
    }
    const bool newWindow = !document;
    if (newWindow)
        document = qobject_cast<CBRDDoc*>(comparisonTemplate->openDocumentFile(QString()));
    if (!document)
        return nullptr;

    document->m_context = record;
    document->m_context.Save(CWinApp::instance()->profile());
    setProgramColour(kColourFile1, static_cast<std::uint32_t>(record.m_file1Color));
    setProgramColour(kColourFile2, static_cast<std::uint32_t>(record.m_file2Color));
    closeWithoutAsking(kMergeEditorTemplate);
    closeWithoutAsking(kHexViewTemplate);
    document->m_pane1->setFileName(toQString(record.m_file1Path));
    document->m_pane2->setFileName(toQString(record.m_file2Path));
    if (!mergePath.isEmpty())
        document->m_mergePath = mergePath;
    document->refresh();
    // A file that could not be read (the message was shown) leaves no window of empty panes.
    if (document->m_outcome.status == SRunOutcome::Status::Failed && newWindow) {
        document->onCloseDocument();
        return nullptr;
    }
    if (mergePath.isEmpty())
        return document;

    setMergeTags({record.m_file1SectionHeader, record.m_file1SectionFooter, record.m_file1LinePrefix,
                  record.m_file2SectionHeader, record.m_file2SectionFooter, record.m_file2LinePrefix});
    // A merge file that names a compared file was not written: that file is no merge file.
    if (!QFileInfo(mergePath).isFile() || document->m_outcome.mergeFileRefused)
        return document;
    if (document->m_context.m_comparisonKind == kComparisonBinary) {
        if (CDocTemplate* hex = templateAt(kHexViewTemplate))
            hex->openOrActivateDocument(mergePath);
    } else if (CDocTemplate* merge = templateAt(kMergeEditorTemplate)) {
        if (auto* mergeDocument = qobject_cast<CBRDDoc*>(merge->openDocumentFile(mergePath)))
            mergeDocument->m_context = document->m_context;
    }
    return document;
}

void CBRDDoc::refresh()
{
    textBuffer().ClearAll();
    m_context.m_sections.clear();
    m_pane1->clear();
    m_pane2->clear();
    CBRDView* list = sectionList();
    if (list)
        list->deleteRoot();
    updateAllViews(list);
    m_context.m_comparisonKind = kComparisonText;
    m_context.m_file1Path = toU16String(m_pane1->fileName());
    m_context.m_file2Path = toU16String(m_pane2->fileName());
    if (isComparisonWindow() && !m_pane1->fileName().isEmpty() && !m_pane2->fileName().isEmpty()) {
        setTitle(loadString(res::kStrComparisonTitle)
                     .arg(QFileInfo(m_pane1->fileName()).fileName(), QFileInfo(m_pane2->fileName()).fileName()));
    }

    m_report = SReport{};
    SRunOptions options;
    options.panesOnly = true;
    m_outcome = RunComparison(m_context, toU16String(m_mergePath), m_report, options);
    // The panes keep the compared lines they show; the rest of the result is not needed again.
    // A binary report's documents are let go as soon as their panes have read them.
    m_context.m_sections.clear();
    if (m_outcome.status == SRunOutcome::Status::Completed && showReportInPanes())
        fillSectionList();
    QWidget* owner = dialogParent();
    if (!m_outcome.keptBackups.empty())
        QMessageBox::information(owner, loadString(res::kStrAppTitle), keptBackupsMessage(m_outcome.keptBackups));
    if (m_outcome.status == SRunOutcome::Status::Failed)
        QMessageBox::warning(owner, loadString(res::kStrAppTitle), QString::fromStdString(m_outcome.message));
    m_mergePath.clear();
    nextSection();
}

// Hands the report to the panes. A pane that cannot be made for want of memory (a binary report's
// text is several times the files) fails the run as the comparison itself would have, instead of
// ending the program: the panes are left empty and false is returned.
bool CBRDDoc::showReportInPanes()
{
    try {
        if (m_report.leftPane) {
            m_pane1->setReportPane(std::move(m_report.leftPane));
            m_pane2->setReportPane(std::move(m_report.rightPane));
            return true;
        }
        // Streaming the documents into the panes advances a progress display of its own.
        const auto total = static_cast<std::int64_t>(m_report.left.size() + m_report.right.size());
        const std::unique_ptr<CProgress> progress = createProgress(kStrCreatingReport, total, true);
        CActiveProgressScope active(progress.get());
        m_pane1->setRtf(std::exchange(m_report.left, std::string()));
        m_pane2->setRtf(std::exchange(m_report.right, std::string()));
        return true;
    } catch (const std::bad_alloc&) {
        m_pane1->clear();
        m_pane2->clear();
        m_report = SReport{};
        m_outcome.status = SRunOutcome::Status::Failed;
        m_outcome.message = u8(engineString(kStrNotEnoughMemory));
        return false;
    }
}

std::int64_t CBRDDoc::filePosition(int line, int side) const
{
    return reportLinePosition(m_report.items, line, side, m_context.m_comparisonKind == kComparisonBinary);
}

// The dialog edits a copy of this window's options, reloaded from the settings store so that it
// always starts from the saved ones (a font confirmed on a page of a cancelled sheet is not kept),
// with the files the panes show now.
void CBRDDoc::compareFiles()
{
    CCompFileOpt record = m_context;
    record.Load(CWinApp::instance()->profile());
    // The merge editor's document has no panes of its own: its record names the files.
    if (isComparisonWindow()) {
        record.m_file1Path = toU16String(m_pane1->fileName());
        record.m_file2Path = toU16String(m_pane2->fileName());
    }
    QString mergePath;
    if (runCompareDialog(record, dialogParent(), &mergePath))
        openComparison(record, mergePath);
}

// The section list, and the count of differences in the status bar. Identical files say so in the
// list too: without colour in the panes, the absence of red is easy to miss.
void CBRDDoc::fillSectionList()
{
    const auto differences = std::count_if(m_report.items.begin(), m_report.items.end(),
                                           [](const SSectionItem& item) { return item.image != kImageCommon; });
    const QString summary = differences == 0   ? loadString(res::kStrFilesIdentical)
                            : differences == 1 ? loadString(res::kStrOneDifference)
                                               : loadString(res::kStrDifferences).arg(differences);
    if (CMDIFrameWnd* frame = CWinApp::instance() ? CWinApp::instance()->mainFrame() : nullptr)
        frame->setMessageText(summary);
    const QString rootText = toQString(m_report.rootText);
    if (CBRDView* list = sectionList())
        list->setItems(differences == 0 ? rootText + QStringLiteral(": ") + summary : rootText, m_report.items);
}

void CBRDDoc::nextSection()
{
    if (CBRDView* list = sectionList())
        list->selectNext();
}

void CBRDDoc::prevSection()
{
    if (CBRDView* list = sectionList())
        list->selectPrevious();
}

}  // namespace brindle
