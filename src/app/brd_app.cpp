#include "app/brd_app.h"

#include "app/bin_child_frame.h"
#include "app/child_frame.h"
#include "app/dialog_font_applier.h"
#include "app/main_frame.h"
#include "app/single_instance.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/brd_form_view.h"
#include "compare_ui/brd_view.h"
#include "compare_ui/folder_doc.h"
#include "compare_ui/folder_view.h"
#include "compare_ui/progress_dlg.h"
#include "engine/binary_test.h"
#include "engine/comp_file_opt.h"
#include "engine/engine_strings.h"
#include "engine/settings_file_warning.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/template_positions.h"
#include "hex_view/rode_zor_bin_doc.h"
#include "hex_view/rode_zor_bin_view.h"
#include "merge_editor/edit_doc.h"
#include "merge_editor/rode_zor_view.h"
#include "merge_editor/tl_edit_view.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/reg_file_store.h"
#include "platform/settings_names.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace brindle {

namespace {

// Engine texts ("Comparison Results", "missing", ...) come from the resources too.
std::u16string engineStringFromResources(int id) { return toU16String(loadString(id)); }

constexpr auto kLanguageModuleName = "BRDLANG.rcc";

}  // namespace

CBRDApp::CBRDApp(const QString& updateLibraryPath) : m_updateCheck(updateLibraryPath)
{
    m_updateCheck.probe();
    onCommand(cmd::kCheckForUpdates, [this] { m_updateCheck.run(); });
    onUpdateCommand(cmd::kCheckForUpdates, [this](CCmdUI& ui) { ui.enable(m_updateCheck.available()); });
}

CBRDApp::~CBRDApp() { uninstallProgressDialogs(); }

CBRDApp* CBRDApp::instance() { return static_cast<CBRDApp*>(CWinApp::instance()); }

CMainFrame* CBRDApp::mainFrame() const { return static_cast<CMainFrame*>(CWinApp::mainFrame()); }

QString CBRDApp::programFolder() { return QApplication::applicationDirPath(); }

QString CBRDApp::rawCommandLine(const QStringList& arguments)
{
    QStringList quoted;
    for (QString argument : arguments) {
        argument.replace(u'"', QStringLiteral("\\\""));
        quoted << u'"' + argument + u'"';
    }
    return quoted.join(u' ');
}

void CBRDApp::bindLanguageModule()
{
    const QString folder = m_languageModuleFolder.isEmpty() ? programFolder() : m_languageModuleFolder;
    const QString path = folder + u'/' + QLatin1String(kLanguageModuleName);
    if (CResources::instance().loadLanguageModule(path) != CResources::ModuleResult::VersionMismatch)
        return;
    warn(nullptr, loadString(res::kStrLanguageMismatch));
}

void CBRDApp::warn(QWidget* parent, const QString& text)
{
    if (m_warningFunction)
        m_warningFunction(loadString(res::kStrAppTitle), text);
    else
        QMessageBox::warning(parent, loadString(res::kStrAppTitle), text);
}

void CBRDApp::warnOfSettingsFile()
{
    const std::u16string text = settingsFileWarning(profile().store().fileReport(), u"\n\n");
    if (!text.empty())
        warn(mainFrame(), toQString(text));
}

void CBRDApp::registerTemplates()
{
    // The merge editor's commands read the tags of the comparison that wrote the merge file.
    CRodeZorView::SetTagSource([](CDocument& document) {
        const auto* compareDocument = qobject_cast<CBRDDoc*>(&document);
        return compareDocument ? SMergeCommandTags::fromOptions(compareDocument->context()) : SMergeCommandTags{};
    });
    // The comparison window: the section list beside the form view with the two report panes.
    const auto comparisonFrame = [](CDocTemplate& docTemplate, CDocument& document) -> CMDIChildWnd* {
        return new CChildFrame(docTemplate, document,
                               [](CDocument&, QWidget* parent) -> CView* { return new CBrdFormView(parent); });
    };
    addDocTemplate(std::make_unique<CDocTemplate>(
        res::kComparisonWindow, [] { return new CBRDDoc; }, comparisonFrame,
        [](CDocument&, QWidget* parent) -> CView* { return new CBRDView(parent); }));
    addDocTemplate(std::make_unique<CDocTemplate>(
        res::kMergeEditor, [] { return new CBRDDoc; }, nullptr,
        [](CDocument&, QWidget* parent) -> CView* { return new CRodeZorView(parent); }));
    addDocTemplate(std::make_unique<CDocTemplate>(
        res::kHexView, [] { return new CRodeZorBinDoc; },
        [](CDocTemplate& docTemplate, CDocument& document) -> CMDIChildWnd* {
            return new CBinChildFrame(docTemplate, document);
        },
        [](CDocument& document, QWidget* parent) -> CView* {
            auto* view = new CRodeZorBinView(parent);
            if (auto* binDocument = dynamic_cast<CRodeZorBinDoc*>(&document))
                binDocument->showIn(*view);
            return view;
        }));
    addDocTemplate(std::make_unique<CDocTemplate>(
        res::kTextEditor, [] { return new CEditDoc; }, nullptr,
        [](CDocument&, QWidget* parent) -> CView* { return new CTlEditView(parent); }));
    addDocTemplate(std::make_unique<CDocTemplate>(
        res::kFolderComparison, [] { return new CFolderDoc; }, nullptr,
        [](CDocument&, QWidget* parent) -> CView* { return new CFolderView(parent); }));
}

CDocTemplate* CBRDApp::docTemplateFor(const QString& path) const
{
    return docTemplateAt(IsBinary(toU16String(path)) ? kHexViewTemplate : kTextEditorTemplate);
}

void CBRDApp::readDialogFont()
{
    const QString face = toQString(profile().readString(kSettingsSection, kDialogFontValue));
    const int size = profile().readInt(kSettingsSection, kDialogFontSizeValue, kDefaultDialogFontSize);
    if (face.isEmpty()) {
        m_dialogFont.reset();
        return;
    }
    QFont font = QApplication::font();
    font.setFamily(face);
    if (size > 0)
        font.setPointSize(size);
    m_dialogFont = font;
}

bool CBRDApp::initInstance(const QString& rawCommandLine)
{
    setStringLoader(&engineStringFromResources);
    setSettingsWriteFailureReporter(&printSettingsWriteWarning);
    installProgressDialogs();
    bindLanguageModule();
    setRegistryKey(loadString(res::kStrCompanyName), loadString(res::kStrAppTitle));

    // Read once: a copy listens only when it would itself have handed over.
    const bool oneInstance = !m_standAlone && profile().readInt(kOptionsSection, kOneInstanceValue, 0) != 0;
    if (oneInstance && CSingleInstance::handOver(rawCommandLine))
        return false;

    loadRecentFiles(4);
    readDialogFont();
    m_dialogFontApplier = std::make_unique<CDialogFontApplier>();
    qApp->installEventFilter(m_dialogFontApplier.get());
    registerTemplates();

    auto frame = std::make_unique<CMainFrame>();
    if (!frame->create())
        return false;
    setMainFrame(std::move(frame));

    setTextFont(toQString(profile().readString(kCompareFilesSection, kFontNameValue, kDefaultTextFontName)),
                profile().readInt(kCompareFilesSection, kFontSizeValue, kDefaultTextFontSize));

    mainFrame()->showFromPlacement();
    // Once, from the one store of the process, over the frame the user now sees.
    warnOfSettingsFile();
    if (oneInstance)
        CSingleInstance::listen(*mainFrame());

    if (!rawCommandLine.isEmpty())
        mainFrame()->processCommandLine(rawCommandLine);
    else
        openLastComparison();
    return true;
}

void CBRDApp::openLastComparison()
{
    CCompFileOpt record;
    record.Load(profile());
    const std::u16string file1 = profile().readString(kPathsSection, kFile1PathValue);
    const std::u16string file2 = profile().readString(kPathsSection, kFile2PathValue);
    if (!pathExists(file1) && !pathExists(file2))
        return;
    record.m_file1Path = file1;
    record.m_file2Path = file2;
    openComparison(record, toQString(record.m_outputFile));
}

void CBRDApp::openComparison(const CCompFileOpt& record, const QString& mergePath)
{
    CBRDDoc::openComparison(record, mergePath);
}

void CBRDApp::exitInstance() { saveRecentFiles(); }

}  // namespace brindle
