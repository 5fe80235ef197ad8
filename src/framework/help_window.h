// The user manual: HTML pages built into the program, shown in a help window with contents, back
// and forward, and find. F1 opens it, in a dialog at that dialog's page.
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;

namespace brindle {

// Pages live under ":/brindle/help" (installed as HTML under share/doc/brindle as well).
// Window of its own (not a child window of the main frame), so that it stays beside the window it
// explains. Deletes itself when closed.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows page ("index.html", "merge-editor.html#tags"); an unknown page shows the contents.
    void showPage(const QString& page);
    QString currentPage() const;
    QTextBrowser* browser() const { return m_browser; }

    // Finds the text of the find field after (or, backwards, before) the current selection,
    // going round the page's end once; false when the page does not hold it.
    bool findText(bool backwards = false);

private:
    void fillContents();
    void onSourceChanged(const QUrl& source);

    QListWidget* m_contents;
    QTextBrowser* m_browser;
    QLineEdit* m_find;
};

// Marks window (a dialog, or a page of a tabbed dialog) with the manual page F1 opens there.
void setHelpPage(QWidget* window, const QString& page);
// The page F1 opens from widget: that of the nearest marked widget up to its window; empty when
// none is marked.
QString helpPageFor(const QWidget* widget);

// Opens the manual at page (the contents when empty). Called from a modal dialog (from), the help
// window belongs to that dialog, so that the dialog does not block it; otherwise the one help
// window of the program is reused.
CHelpWindow* showHelp(const QString& page = {}, QWidget* from = nullptr);

// F1 in any dialog opens the manual at the dialog's page. Installed once on the application.
void installDialogHelpKey();

}  // namespace brindle
