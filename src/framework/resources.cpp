#include "framework/resources.h"

#include "framework/resource_file_check.h"

#include <QFile>
#include <QResource>

// Resource initialisers must be called outside any namespace.
static void initBuiltInResources() { Q_INIT_RESOURCE(brindle_builtin_resources); }

namespace brindle {

namespace {

constexpr auto kBuiltInRoot = ":/brindle";
constexpr auto kModuleMapRoot = "/brindle-language";

QString readResourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

CResources& CResources::instance()
{
    static CResources resources;
    return resources;
}

void CResources::readSet(SResourceSet& set, const QString& root)
{
    set.root = root;
    set.script.parseStrings(readResourceText(root + "/strings.txt"), root + "/strings.txt");
    set.script.parseMenus(readResourceText(root + "/menus.txt"), root + "/menus.txt");
    set.script.parseAccelerators(readResourceText(root + "/accelerators.txt"), root + "/accelerators.txt");
    set.script.parseToolBars(readResourceText(root + "/toolbars.txt"), root + "/toolbars.txt");
    set.version = readResourceText(root + "/version.txt").trimmed();
}

void CResources::loadBuiltIn()
{
    if (m_builtInLoaded)
        return;
    // The resources are compiled into a static library: make sure they are registered.
    initBuiltInResources();
    readSet(m_builtIn, QString::fromLatin1(kBuiltInRoot));
    m_builtInLoaded = true;
}

CResources::ModuleResult CResources::loadLanguageModule(const QString& path)
{
    loadBuiltIn();
    unloadLanguageModule();
    if (!QFile::exists(path))
        return ModuleResult::NotFound;
    // Registered from a checked copy in memory: Qt follows the offsets in a resource file
    // unchecked, and a module cut short would crash the program (LanguageModule.CutShortAtAnyLength).
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ModuleResult::Unreadable;
    m_moduleData = file.readAll();
    if (!isWellFormedResourceFile(m_moduleData) ||
        !QResource::registerResource(reinterpret_cast<const uchar*>(m_moduleData.constData()),
                                     QString::fromLatin1(kModuleMapRoot))) {
        m_moduleData.clear();
        return ModuleResult::Unreadable;
    }
    m_module = std::make_unique<SResourceSet>();
    readSet(*m_module, QStringLiteral(":%1/brindle").arg(QLatin1String(kModuleMapRoot)));
    if (!m_module->version.isEmpty() && !m_builtIn.version.isEmpty() && m_module->version != m_builtIn.version) {
        unloadLanguageModule();
        return ModuleResult::VersionMismatch;
    }
    return ModuleResult::Loaded;
}

void CResources::unloadLanguageModule()
{
    if (!m_module)
        return;
    m_module.reset();
    QResource::unregisterResource(reinterpret_cast<const uchar*>(m_moduleData.constData()),
                                  QString::fromLatin1(kModuleMapRoot));
    m_moduleData.clear();
}

QString CResources::string(int id) const
{
    const_cast<CResources*>(this)->loadBuiltIn();
    if (m_module) {
        if (const auto it = m_module->script.strings.find(id); it != m_module->script.strings.end())
            return *it;
    }
    return m_builtIn.script.strings.value(id);
}

const std::vector<SMenuItem>* CResources::menu(int id) const
{
    const_cast<CResources*>(this)->loadBuiltIn();
    if (m_module) {
        if (const auto it = m_module->script.menus.find(id); it != m_module->script.menus.end())
            return &*it;
    }
    const auto it = m_builtIn.script.menus.find(id);
    return it == m_builtIn.script.menus.end() ? nullptr : &*it;
}

const std::vector<SAccelerator>* CResources::accelerators(int id) const
{
    const_cast<CResources*>(this)->loadBuiltIn();
    if (m_module) {
        if (const auto it = m_module->script.accelerators.find(id); it != m_module->script.accelerators.end())
            return &*it;
    }
    const auto it = m_builtIn.script.accelerators.find(id);
    return it == m_builtIn.script.accelerators.end() ? nullptr : &*it;
}

const std::vector<SToolButton>* CResources::toolBar(int id) const
{
    const_cast<CResources*>(this)->loadBuiltIn();
    if (m_module) {
        if (const auto it = m_module->script.toolBars.find(id); it != m_module->script.toolBars.end())
            return &*it;
    }
    const auto it = m_builtIn.script.toolBars.find(id);
    return it == m_builtIn.script.toolBars.end() ? nullptr : &*it;
}

QStringList CResources::errors() const
{
    QStringList all = m_builtIn.script.errors;
    if (m_module)
        all += m_module->script.errors;
    return all;
}

QString loadString(int id) { return CResources::instance().string(id); }

QString plainMenuText(const QString& text)
{
    QString plain = text.section(u'\t', 0, 0);
    QString out;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain[i] == u'&' && i + 1 < plain.size()) {
            out += plain[++i];
            continue;
        }
        out += plain[i];
    }
    return out;
}

}  // namespace brindle
