// The application object of brd64: start-up, language module, templates, shared fonts, and the
// one routine through which every shown comparison goes.
#pragma once

#include "app/update_check.h"
#include "framework/win_app.h"

#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace brindle {

class CCompFileOpt;
class CDialogFontApplier;
class CMainFrame;

class CBRDApp : public CWinApp {
    Q_OBJECT
public:
    // Probes for the update library at updateLibraryPath (empty: the one beside the program).
    explicit CBRDApp(const QString& updateLibraryPath = {});
    ~CBRDApp() override;

    static CBRDApp* instance();

    // The start-up routine. rawCommandLine is the text after the program name. With "One
    // Instance" on it first hands the text to a running copy on the same screen, and otherwise
    // listens for later copies itself; with it off no copy is looked for and none listens.
    // Returns false when the program is to end at once (no main window, or the command line went
    // to a running copy).
    bool initInstance(const QString& rawCommandLine);
    // Measuring start-up: no hand-over to a running copy, whatever "One Instance" says.
    void setStandAlone(bool standAlone) { m_standAlone = standAlone; }
    // Saves what is kept across runs; called once before the program ends.
    void exitInstance();

    CMainFrame* mainFrame() const;

    // Opens a comparison in the one comparison window (made when needed) with record's files and
    // options; mergePath, when not empty, is written as the merge file and opened afterwards.
    virtual void openComparison(const CCompFileOpt& record, const QString& mergePath);

    // The font of the report panes and editors, from "Font Name" and "Font Size".
    // The font given to the program's dialogs ("Dialog Font", "Dialog Font Size"), when set.
    const std::optional<QFont>& dialogFont() const { return m_dialogFont; }
    void readDialogFont();

    // The update check behind "Check for updates..." (command 40084, enabled when the library was
    // there at start).
    CUpdateCheck& updateCheck() { return m_updateCheck; }

    // The folder the program runs from (language module, update library).
    static QString programFolder();
    // The folder start-up looks for the language module in; programFolder() when not set.
    void setLanguageModuleFolder(const QString& folder) { m_languageModuleFolder = folder; }
    // How start-up shows a warning (title, text): that the language module does not match, or
    // that the settings file was damaged or not read. A message box when not set. Tests put
    // their own in to see what the user would be told.
    using WarningFunction = std::function<void(const QString& title, const QString& text)>;
    void setWarningFunction(WarningFunction function) { m_warningFunction = std::move(function); }
    // The raw command line of argv (after the program name): every argument in double quotes, a
    // double quote inside written as backslash and quote, joined by blanks. The tokenizer reads
    // every argument back except one that ends in a backslash, whose closing quote then counts as
    // escaped (a folder written with its final separator).
    static QString rawCommandLine(const QStringList& arguments);

protected:
    // Binary files open in the hex view, all others in the plain text editor.
    CDocTemplate* docTemplateFor(const QString& path) const override;

private:
    void bindLanguageModule();
    void warn(QWidget* parent, const QString& text);
    void warnOfSettingsFile();
    void registerTemplates();
    void openLastComparison();

    bool m_standAlone = false;
    std::optional<QFont> m_dialogFont;
    std::unique_ptr<CDialogFontApplier> m_dialogFontApplier;
    QString m_languageModuleFolder;
    WarningFunction m_warningFunction;
    CUpdateCheck m_updateCheck;
};

}  // namespace brindle
