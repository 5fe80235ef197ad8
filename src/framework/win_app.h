// The application object: document templates by position, the main frame, recent files, settings.
#pragma once

#include "framework/cmd_target.h"

#include <QFont>
#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace brindle {

class CDocTemplate;
class CDocument;
class CMDIFrameWnd;
class CProfile;

// One per process. Owns the templates (found by their registration position), the recent-file
// list and the printer of every print job; the main frame is a top-level widget owned by the
// application object as well. Handles the application's standard commands: Print Setup and Help
// Topics.
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
    // "Recent File List" as "File1".."FileN". One entry per file (sameFileOrPath): adding another
    // name of a listed file replaces its entry; names differing only in case are two files.
    void loadRecentFiles(int size);
    void saveRecentFiles();
    void addToRecentFiles(const QString& path);
    const QStringList& recentFiles() const { return m_recentFiles; }

    // The printer every print job starts from; Print Setup changes it.
    QPrinter& printer();

    // The shared text font of the report panes and the editors: the desktop's font at normal
    // weight with the face (at most 31 characters) and point size given. The Text Font button of
    // the compare dialog changes it at once; it starts as "Times New Roman", 10 points, until the
    // program sets it from the settings.
    const QFont& textFont() const { return m_textFont; }
    void setTextFont(const QString& face, int pointSize);

    // Opens path as File > Open and the recent-file list do: a document open for the same file in
    // any window is brought forward; otherwise the template docTemplateFor() names opens it.
    // nullptr when it could not be opened (the user was told why).
    CDocument* openDocumentFile(const QString& path);

    // Asks to save every modified document; false when the user cancels.
    bool saveAllModified();
    void closeAllDocuments();

protected:
    // The template that opens path; the first one unless a program chooses by the file.
    virtual CDocTemplate* docTemplateFor(const QString& path) const;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CMDIFrameWnd> m_mainFrame;
    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<QPrinter> m_printer;
    QStringList m_recentFiles;
    int m_recentFileCount = 4;
    QFont m_textFont;
};

// The parent of the dialogs and message boxes that no one view owns (documents, the application):
// the main window, or nullptr while there is none.
QWidget* dialogParent();

}  // namespace brindle
