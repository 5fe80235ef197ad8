// The application object: document templates by position, the main frame, recent files, settings.
#pragma once

#include "framework/cmd_target.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace brindle {

class CDocTemplate;
class CDocument;
class CMDIFrameWnd;
class CProfile;

// One per process. Owns the templates (found by their registration position) and the recent-file
// list; the main frame is a top-level widget owned by the application object as well.
class CWinApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    CWinApp();
    ~CWinApp() override;

    static CWinApp* instance();

    void addDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    CDocTemplate* docTemplateAt(std::size_t position) const;
    std::size_t docTemplateCount() const { return m_templates.size(); }

    CMDIFrameWnd* mainFrame() const { return m_mainFrame.get(); }
    void setMainFrame(std::unique_ptr<CMDIFrameWnd> frame);

    // The application's settings ("Software\<company>\<title>").
    CProfile& profile() const { return *m_profile; }
    void setRegistryKey(const QString& company, const QString& application);

    // The recent-file list: at most `size` entries, most recent first, kept in the settings section
    // "Recent File List" as "File1".."FileN".
    void loadRecentFiles(int size);
    void saveRecentFiles();
    void addToRecentFiles(const QString& path);
    const QStringList& recentFiles() const { return m_recentFiles; }

    // Asks to save every modified document; false when the user cancels.
    bool saveAllModified();
    void closeAllDocuments();

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CMDIFrameWnd> m_mainFrame;
    std::unique_ptr<CProfile> m_profile;
    QStringList m_recentFiles;
    int m_recentFileCount = 4;
};

}  // namespace brindle
