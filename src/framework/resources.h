// The program's resources by id: built in, or from a language module that replaces them.
#pragma once

#include "framework/resource_script.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace brindle {

// Built-in resources live under ":/brindle". A language module is a binary Qt resource file with
// the same files (strings.txt, menus.txt, accelerators.txt, toolbars.txt, version.txt); while it is
// loaded, every lookup tries it first and falls back to the built-in entry. One instance serves the
// process.
class CResources {
public:
    enum class ModuleResult {
        Loaded,           // in use
        NotFound,         // no file: silently no module
        Unreadable,       // not a resource file
        VersionMismatch,  // versions differ: unloaded again
    };

    static CResources& instance();

    // Reads the built-in resources (done on first use).
    void loadBuiltIn();
    // Loads the module at path and compares its version text with the program's; a module whose
    // version (or the program's) cannot be read stays in use.
    ModuleResult loadLanguageModule(const QString& path);
    void unloadLanguageModule();
    bool hasLanguageModule() const { return m_module != nullptr; }

    QString string(int id) const;  // empty when neither has it
    const std::vector<SMenuItem>* menu(int id) const;
    const std::vector<SAccelerator>* accelerators(int id) const;
    const std::vector<SToolButton>* toolBar(int id) const;

    QString programVersion() const { return m_builtIn.version; }
    QString moduleVersion() const { return m_module ? m_module->version : QString(); }
    // Problems found while reading resource files, for diagnostics.
    QStringList errors() const;

private:
    struct SResourceSet {
        CResourceScript script;
        QString version;
        QString root;  // resource path the files were read from
    };
    static void readSet(SResourceSet& set, const QString& root);

    SResourceSet m_builtIn;
    bool m_builtInLoaded = false;
    std::unique_ptr<SResourceSet> m_module;
    QByteArray m_moduleData;  // the registered module; Qt reads it in place
};

// The text of a string id (CResources::instance().string(id)).
QString loadString(int id);

// The menu text without its "&" mnemonic marks and the shortcut after a tab.
QString plainMenuText(const QString& text);

}  // namespace brindle
