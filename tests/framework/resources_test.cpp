// Language modules: what loading each kind of file does to the texts the program shows, falling
// back to the built-in resources, and unloading.
#include "framework/resources.h"

#include "engine/engine_strings.h"
#include "framework/command_ids.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QString>
#include <string>

#ifndef BRINDLE_TEST_LANGUAGE_DIR
#error "BRINDLE_TEST_LANGUAGE_DIR names the folder of the test language modules"
#endif

namespace brindle {
namespace {

using Result = CResources::ModuleResult;

const QString kTranslatedResults = QStringLiteral("Vergleichsergebnisse");

std::string languageModule(const char* name) { return std::string(BRINDLE_TEST_LANGUAGE_DIR "/") + name + ".rcc"; }

// The first popup of a menu bar ("&File"), or a note that there is none.
QString firstPopup(int menuId)
{
    const std::vector<SMenuItem>* menu = CResources::instance().menu(menuId);
    return menu && !menu->empty() ? menu->front().text : QStringLiteral("<no menu>");
}

std::string resultName(Result result)
{
    switch (result) {
    case Result::Loaded: return "Loaded";
    case Result::NotFound: return "NotFound";
    case Result::Unreadable: return "Unreadable";
    case Result::VersionMismatch: return "VersionMismatch";
    }
    return "?";
}

class LanguageModule : public testing::Test {
protected:
    void SetUp() override
    {
        CResources::instance().unloadLanguageModule();
        m_builtInResults = loadString(kStrComparisonResults);
        m_builtInFile = firstPopup(res::kMainFrame);
    }
    void TearDown() override { CResources::instance().unloadLanguageModule(); }

    // Loads path and checks the result and which texts are then in use.
    void expectLoad(const std::string& path, Result expected)
    {
        SCOPED_TRACE(path);
        CResources& resources = CResources::instance();
        EXPECT_EQ(resultName(resources.loadLanguageModule(QString::fromStdString(path))), resultName(expected));
        const bool loaded = expected == Result::Loaded;
        EXPECT_EQ(resources.hasLanguageModule(), loaded);
        EXPECT_EQ(loadString(kStrComparisonResults), loaded ? kTranslatedResults : m_builtInResults);
        EXPECT_EQ(firstPopup(res::kMainFrame), loaded ? QStringLiteral("&Datei") : m_builtInFile);
    }

    QString m_builtInResults;
    QString m_builtInFile;
    test::CTempDir m_temp;
};

TEST_F(LanguageModule, BuiltInTextsAreTheProgramsOwn)
{
    EXPECT_EQ(m_builtInResults, QStringLiteral("Comparison Results"));
    EXPECT_EQ(m_builtInFile, QStringLiteral("&File"));
    EXPECT_FALSE(CResources::instance().programVersion().isEmpty());
}

struct SLoadCase {
    std::string name;
    // Makes the file to load in the temporary folder (or names a built module) and returns its path.
    std::string (*make)(const test::CTempDir& temp);
    Result expected;
};
void PrintTo(const SLoadCase& c, std::ostream* out) { *out << c.name; }

class LanguageModuleLoad : public LanguageModule, public testing::WithParamInterface<SLoadCase> {};

TEST_P(LanguageModuleLoad, ResultAndTextsInUse) { expectLoad(GetParam().make(m_temp), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageModuleLoad,
    testing::Values(
        SLoadCase{"MatchingVersion", [](const test::CTempDir&) { return languageModule("match"); }, Result::Loaded},
        // A module whose version cannot be read stays in use.
        SLoadCase{"NoVersionFile", [](const test::CTempDir&) { return languageModule("unversioned"); }, Result::Loaded},
        SLoadCase{"OtherVersion", [](const test::CTempDir&) { return languageModule("old"); }, Result::VersionMismatch},
        SLoadCase{"NoFile", [](const test::CTempDir& temp) { return temp.file("BRDLANG.rcc"); }, Result::NotFound},
        SLoadCase{"TextFile",
                  [](const test::CTempDir& temp) { return temp.write("BRDLANG.rcc", "2338\tComparison Results\n"); },
                  Result::Unreadable},
        SLoadCase{"EmptyFile", [](const test::CTempDir& temp) { return temp.write("BRDLANG.rcc", ""); },
                  Result::Unreadable},
        SLoadCase{"Folder", [](const test::CTempDir& temp) { return temp.path().string(); }, Result::Unreadable}),
    test::SCaseName());

// A module cut short, as an interrupted copy leaves it, is refused at every length rather than
// followed past its end (Qt trusts the offsets inside a resource file).
TEST_F(LanguageModule, CutShortAtAnyLength)
{
    const std::string whole = test::readBytes(languageModule("match"));
    ASSERT_GT(whole.size(), 24u);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::string path = m_temp.write("BRDLANG.rcc", whole.substr(0, size));
        const Result result = CResources::instance().loadLanguageModule(QString::fromStdString(path));
        ASSERT_EQ(resultName(result), "Unreadable") << "cut to " << size << " of " << whole.size() << " bytes";
    }
}

// Damage inside a module of full length: each offset or size pointing past the end is refused.
struct SDamageCase {
    std::string name;
    void (*damage)(std::string& module);
    Result expected;
};
void PrintTo(const SDamageCase& c, std::ostream* out) { *out << c.name; }

quint32 get32(const std::string& bytes, std::size_t at)
{
    quint32 value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

void put32(std::string& bytes, std::size_t at, quint32 value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<char>(value >> (8 * (3 - i)));
}

// Header fields of a module (format version 3): tree, data and names offsets.
constexpr std::size_t kTreeField = 8;
constexpr std::size_t kDataField = 12;
constexpr std::size_t kNamesField = 16;
// Fields of the root node: child count and index of the first child.
constexpr std::size_t kRootChildCount = 6;
constexpr std::size_t kRootFirstChild = 10;

class LanguageModuleDamage : public LanguageModule, public testing::WithParamInterface<SDamageCase> {};

TEST_P(LanguageModuleDamage, IsRefused)
{
    std::string module = test::readBytes(languageModule("match"));
    ASSERT_EQ(get32(module, 4), 3u) << "the cases below assume format version 3";
    GetParam().damage(module);
    expectLoad(m_temp.write("BRDLANG.rcc", module), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LanguageModuleDamage,
    testing::Values(
        SDamageCase{"Intact", [](std::string&) {}, Result::Loaded},
        SDamageCase{"Magic", [](std::string& m) { m[0] = 'x'; }, Result::Unreadable},
        SDamageCase{"VersionZero", [](std::string& m) { put32(m, 4, 0); }, Result::Unreadable},
        SDamageCase{"VersionFour", [](std::string& m) { put32(m, 4, 4); }, Result::Unreadable},
        SDamageCase{"TreePastEnd", [](std::string& m) { put32(m, kTreeField, quint32(m.size())); }, Result::Unreadable},
        SDamageCase{"DataPastEnd", [](std::string& m) { put32(m, kDataField, quint32(m.size())); }, Result::Unreadable},
        SDamageCase{"NamesPastEnd", [](std::string& m) { put32(m, kNamesField, quint32(m.size())); },
                    Result::Unreadable},
        SDamageCase{"RootChildCountHuge",
                    [](std::string& m) { put32(m, get32(m, kTreeField) + kRootChildCount, 0x7fffffff); },
                    Result::Unreadable},
        SDamageCase{"RootFirstChildPastEnd",
                    [](std::string& m) { put32(m, get32(m, kTreeField) + kRootFirstChild, 0xffffffff); },
                    Result::Unreadable},
        SDamageCase{"RootIsItsOwnChild", [](std::string& m) { put32(m, get32(m, kTreeField) + kRootFirstChild, 0); },
                    Result::Unreadable},
        // The first data block (a file's size, then its bytes) and the first name (length, hash,
        // text) start at their section's offset.
        SDamageCase{"DataSizeHuge", [](std::string& m) { put32(m, get32(m, kDataField), 0x7fffffff); },
                    Result::Unreadable},
        SDamageCase{"NameLengthHuge",
                    [](std::string& m) {
                        const std::size_t at = get32(m, kNamesField);
                        m.at(at) = m.at(at + 1) = '\xff';
                    },
                    Result::Unreadable}),
    test::SCaseName());

TEST_F(LanguageModule, MatchingModuleFallsBackToBuiltInForWhatItLacks)
{
    CResources& resources = CResources::instance();
    const QString builtInMissing = loadString(kStrMissing);
    const QString builtInComparisonFile = firstPopup(res::kComparisonWindow);
    const std::vector<SAccelerator>* builtInKeys = resources.accelerators(res::kMainFrame);
    const std::vector<SToolButton>* builtInButtons = resources.toolBar(res::kMainFrame);
    ASSERT_NE(builtInKeys, nullptr);
    ASSERT_NE(builtInButtons, nullptr);

    ASSERT_EQ(resultName(resources.loadLanguageModule(QString::fromStdString(languageModule("match")))), "Loaded");
    EXPECT_EQ(resources.moduleVersion(), resources.programVersion());
    EXPECT_TRUE(resources.errors().isEmpty()) << resources.errors().join(u'\n').toStdString();

    EXPECT_EQ(loadString(kStrComparisonResults), kTranslatedResults);
    EXPECT_EQ(loadString(kStrMissing), builtInMissing);
    EXPECT_EQ(loadString(424242), QString());
    EXPECT_EQ(firstPopup(res::kMainFrame), QStringLiteral("&Datei"));
    EXPECT_EQ(firstPopup(res::kComparisonWindow), builtInComparisonFile);
    EXPECT_EQ(resources.accelerators(res::kMainFrame), builtInKeys);
    EXPECT_EQ(resources.toolBar(res::kMainFrame), builtInButtons);
}

TEST_F(LanguageModule, UnloadingRestoresBuiltInTexts)
{
    CResources& resources = CResources::instance();
    ASSERT_EQ(resultName(resources.loadLanguageModule(QString::fromStdString(languageModule("match")))), "Loaded");
    resources.unloadLanguageModule();
    EXPECT_FALSE(resources.hasLanguageModule());
    EXPECT_EQ(resources.moduleVersion(), QString());
    EXPECT_EQ(loadString(kStrComparisonResults), m_builtInResults);
    EXPECT_EQ(firstPopup(res::kMainFrame), m_builtInFile);
}

// Each load replaces what the one before left registered: a module that was unloaded again (or
// replaced) must not shine through the next one.
TEST_F(LanguageModule, SwitchingModulesLeavesNothingBehind)
{
    CResources& resources = CResources::instance();
    expectLoad(languageModule("match"), Result::Loaded);
    expectLoad(languageModule("old"), Result::VersionMismatch);
    expectLoad(languageModule("unversioned"), Result::Loaded);
    EXPECT_EQ(resources.moduleVersion(), QString());
    expectLoad(languageModule("match"), Result::Loaded);
    EXPECT_EQ(resources.moduleVersion(), resources.programVersion());
    expectLoad(languageModule("match"), Result::Loaded);
    expectLoad(m_temp.file("gone.rcc"), Result::NotFound);
}

}  // namespace
}  // namespace brindle
