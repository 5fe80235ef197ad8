// Start-up of brd64 with a language module beside the program: which texts the main frame shows and
// what the user is told.
#include "app/brd_app.h"

#include "app/main_frame.h"
#include "framework/command_ids.h"
#include "framework/resources.h"
#include "platform/reg_file_store.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/scoped_settings_store.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

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
    const QString builtInMismatchText = loadString(res::kStrLanguageMismatch);

    struct SWarning {
        QString title;
        QString text;
    };
    std::vector<SWarning> warnings;
    CBRDApp app;
    app.setLanguageModuleFolder(QString::fromStdString(m_programFolder.path().string()));
    app.setWarningFunction([&warnings](const QString& title, const QString& text) {
        warnings.push_back({title, text});
    });
    ASSERT_TRUE(app.initInstance(QString()));

    EXPECT_EQ(CResources::instance().hasLanguageModule(), param.moduleInUse);
    ASSERT_NE(app.mainFrame(), nullptr);
    const QList<QAction*> menus = app.mainFrame()->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.front()->text(), param.moduleInUse ? QStringLiteral("&Datei") : QStringLiteral("&File"));

    ASSERT_EQ(warnings.size(), param.warnsOfMismatch ? 1u : 0u);
    if (param.warnsOfMismatch) {
        // The module is unloaded before the message is made: its text is the program's own.
        EXPECT_EQ(warnings.front().title, loadString(res::kStrAppTitle));
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

// Start-up with a damaged or refused settings file: one message box over the main frame, whatever
// number of times start-up reads the store, and the values that could be read are in use.
struct SSettingsFileCase {
    std::string name;
    std::string content;  // of user.reg; empty: a file larger than the store reads
    std::string message;  // "$F" stands for the settings file; empty: no message
    QString textFont;
};
void PrintTo(const SSettingsFileCase& c, std::ostream* out) { *out << c.name; }

class StartUpSettingsFile : public testing::TestWithParam<SSettingsFileCase> {
protected:
    test::CTempDir m_config;
    test::CTempDir m_runtime;
    test::CScopedEnv m_runtimeEnv{"XDG_RUNTIME_DIR", m_runtime.path().c_str()};
    std::string m_path = m_config.file("user.reg");
    CRegFileStore m_store{pathFromNative(m_path)};
    test::CScopedSettingsStore m_useStore{m_store};
};

TEST_P(StartUpSettingsFile, TellsTheUserOnce)
{
    const SSettingsFileCase& c = GetParam();
    if (c.content.empty())
        std::filesystem::resize_file(m_config.write("user.reg", "; spare\n"), kMaxSettingsFileSize + 1);
    else
        m_config.write("user.reg", c.content);
    test::CDialogAnswers answers;
    {
        CBRDApp app;
        ASSERT_TRUE(app.initInstance(QString()));
        EXPECT_EQ(app.textFont().family(), c.textFont);
        app.exitInstance();
    }
    QString expected = QString::fromStdString(c.message);
    expected.replace(QStringLiteral("$F"), QString::fromStdString(m_path));
    EXPECT_EQ(answers.shown(), c.message.empty() ? QStringList() : QStringList{expected});
}

constexpr const char* kDamagedSettings =
    "[Software\\Tollan Software Inc.\\Brindle\\Compare Files]\n"
    "\"Font Name\"=\"Courier New\"\n"
    "\"Font Size\"=dword:0000000c\n"
    "\"Font Size\"=dword:\n"
    "\"Ignore Case\"=dword:00000001\n"
    "\"Viewer\"=\"unterminated\n";

INSTANTIATE_TEST_SUITE_P(
    Files, StartUpSettingsFile,
    testing::Values(
        SSettingsFileCase{"Healthy",
                          "[Software\\Tollan Software Inc.\\Brindle\\Compare Files]\n\"Font Name\"=\"Courier New\"\n",
                          "", QStringLiteral("Courier New")},
        SSettingsFileCase{"Damaged", kDamagedSettings,
                          "The settings file $F is damaged: 2 lines could not be read and were skipped. All other "
                          "settings were kept.\n\nThe damaged file was copied to $F.bad.",
                          QStringLiteral("Courier New")},
        SSettingsFileCase{"TooLarge", "",
                          "The settings file $F was not read, because it is larger than 16 MiB. Default settings "
                          "are used, and the file will not be written over.",
                          QStringLiteral("Times New Roman")}),
    test::SCaseName());

// The start after a damaged one is quiet: what the first session saved left the damaged lines out
// and kept the rest.
TEST_F(StartUpSettingsFile, NextStartIsQuiet)
{
    m_config.write("user.reg", kDamagedSettings);
    for (const int expectedMessages : {1, 0}) {
        test::CDialogAnswers answers;
        CBRDApp app;
        ASSERT_TRUE(app.initInstance(QString()));
        EXPECT_EQ(app.textFont().family(), QStringLiteral("Courier New"));
        app.exitInstance();
        EXPECT_EQ(answers.shown().size(), expectedMessages);
    }
    EXPECT_EQ(test::readBytes(m_path + ".bad"), kDamagedSettings);
    EXPECT_FALSE(std::filesystem::exists(m_path + ".bad.1"));
}

}  // namespace
}  // namespace brindle
