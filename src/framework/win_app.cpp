#include "framework/win_app.h"

#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/help_window.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/print_setup_dlg.h"
#include "framework/qt_utf16.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QPrinter>

namespace brindle {

namespace {
CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() : m_profile(std::make_unique<CProfile>(userSettingsStore()))
{
    g_app = this;
    setTextFont(QStringView(kDefaultTextFontName).toString(), kDefaultTextFontSize);
    onCommand(cmd::kHelpTopics, [] { showHelp(); });
    onCommand(cmd::kFilePrintSetup, [this] {
        CPrintSetupDlg dialog(printer(), mainFrame());
        dialog.exec();
    });
    installDialogHelpKey();
}

CWinApp::~CWinApp()
{
    // Windows first: frames and views reach back into documents and templates.
    m_mainFrame.reset();
    m_templates.clear();
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::instance() { return g_app; }

QWidget* dialogParent() { return g_app ? g_app->mainFrame() : nullptr; }

void CWinApp::addDocTemplate(std::unique_ptr<CDocTemplate> docTemplate)
{
    m_templates.push_back(std::move(docTemplate));
}

CDocTemplate* CWinApp::docTemplateAt(std::size_t position) const
{
    return position < m_templates.size() ? m_templates[position].get() : nullptr;
}

QPrinter& CWinApp::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CWinApp::setMainFrame(std::unique_ptr<CMDIFrameWnd> frame) { m_mainFrame = std::move(frame); }

void CWinApp::setRegistryKey(const QString& company, const QString& application)
{
    m_profile->setRegistryKey(toU16String(company), toU16String(application));
}

void CWinApp::loadRecentFiles(int size)
{
    m_recentFileCount = size;
    m_recentFiles.clear();
    for (int i = 1; i <= size; ++i) {
        const QString path = toQString(m_profile->readString(kRecentFileSection, recentFileValue(i)));
        if (!path.isEmpty())
            m_recentFiles.append(path);
    }
}

void CWinApp::saveRecentFiles()
{
    for (int i = 1; i <= m_recentFileCount; ++i) {
        const QString path = i <= m_recentFiles.size() ? m_recentFiles[i - 1] : QString();
        m_profile->writeString(kRecentFileSection, recentFileValue(i), toU16String(path));
    }
}

void CWinApp::addToRecentFiles(const QString& path)
{
    // One entry per file: another name of it moves up under the name last used.
    const std::u16string added = toU16String(path);
    m_recentFiles.removeIf([&added](const QString& entry) { return sameFileOrPath(toU16String(entry), added); });
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > m_recentFileCount)
        m_recentFiles.removeLast();
}

CDocument* CWinApp::openDocumentFile(const QString& path)
{
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->findOpenDocument(path))
            return docTemplate->openOrActivateDocument(path);
    }
    CDocTemplate* docTemplate = docTemplateFor(path);
    return docTemplate ? docTemplate->openDocumentFile(path) : nullptr;
}

CDocTemplate* CWinApp::docTemplateFor(const QString&) const { return docTemplateAt(0); }

bool CWinApp::saveAllModified()
{
    for (const auto& docTemplate : m_templates) {
        for (CDocument* document : docTemplate->documents()) {
            if (!document->saveModified())
                return false;
        }
    }
    return true;
}

void CWinApp::closeAllDocuments()
{
    for (const auto& docTemplate : m_templates)
        docTemplate->closeAllDocuments();
}

void CWinApp::setTextFont(const QString& face, int pointSize)
{
    m_textFont = QApplication::font();
    m_textFont.setWeight(QFont::Normal);
    m_textFont.setFamily(face.left(31));
    if (pointSize > 0)
        m_textFont.setPointSize(pointSize);
}

}  // namespace brindle
