// Start-up of brd64 with a language module beside the program: which texts the main frame shows and
// what the user is told.
#include "app/brd_app.h"

#include "app/main_frame.h"
#include "framework/resources.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#ifndef BRINDLE_TEST_LANGUAGE_DIR
#error "BRINDLE_TEST_LANGUAGE_DIR names the folder of the test language modules"
#endif

namespace brindle {
namespace {

constexpr int kStrAppTitle = 57344;
constexpr int kStrLanguageMismatch = 3018;

struct SStartUpCase {
    std::string name;
    std::string module;  // test module copied beside the program as BRDLANG.rcc; empty: none
    bool moduleInUse;
    bool warnsOfMismatch;
};
void PrintTo(const SStartUpCase& c, std::ostream* out) { *out << c.name; }

class StartUpLanguageModule : public testing::TestWithParam<SStartUpCase> {
protected:
    void TearDown() override { CResources::instance().unloadLanguageModule(); }

    test::CTempDir m_programFolder;
    test::CTempDir m_runtime;
    // Keeps the single-instance server away from a brd64 the user may be running.
    test::CScopedEnv m_runtimeEnv{"XDG_RUNTIME_DIR", m_runtime.path().c_str()};
};

TEST_P(StartUpLanguageModule, MainFrameTextsAndWarning)
{
    const SStartUpCase& param = GetParam();
    if (!param.module.empty())
        std::filesystem::copy_file(std::string(BRINDLE_TEST_LANGUAGE_DIR "/") + param.module + ".rcc",
                                   m_programFolder.file("BRDLANG.rcc"));
    CResources::instance().unloadLanguageModule();
    const QString builtInMismatchText = loadString(kStrLanguageMismatch);

    struct SWarning {
        QString title;
        QString text;
    };
    std::vector<SWarning> warnings;
    CBRDApp app;
    app.setLanguageModuleFolder(QString::fromStdString(m_programFolder.path().string()));
    app.setWarningFunction([&warnings](const QString& title, const QString& text) { warnings.push_back({title, text}); });
    ASSERT_TRUE(app.initInstance(QString()));

    EXPECT_EQ(CResources::instance().hasLanguageModule(), param.moduleInUse);
    ASSERT_NE(app.mainFrame(), nullptr);
    const QList<QAction*> menus = app.mainFrame()->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.front()->text(), param.moduleInUse ? QStringLiteral("&Datei") : QStringLiteral("&File"));

    ASSERT_EQ(warnings.size(), param.warnsOfMismatch ? 1u : 0u);
    if (param.warnsOfMismatch) {
        // The module is unloaded before the message is made: its text is the program's own.
        EXPECT_EQ(warnings.front().title, loadString(kStrAppTitle));
        EXPECT_EQ(warnings.front().text, builtInMismatchText);
        EXPECT_TRUE(warnings.front().text.startsWith(QStringLiteral("Language DLL version does not match")))
            << warnings.front().text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, StartUpLanguageModule,
                         testing::Values(SStartUpCase{"NoModule", "", false, false},
                                         SStartUpCase{"MatchingVersion", "match", true, false},
                                         SStartUpCase{"OtherVersion", "old", false, true}),
                         test::SCaseName());

}  // namespace
}  // namespace brindle
