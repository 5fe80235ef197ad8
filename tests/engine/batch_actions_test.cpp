// Batch actions from scripts: which sections count, which values each action takes and keeps.
#include "engine/batch_actions.h"
#include "engine/comp_file_opt.h"
#include "engine/script_file.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

std::vector<CCompFileOpt> loadActions(std::u16string_view script, CProfile& profile)
{
    std::vector<CCompFileOpt> actions(2);  // stale entries that loading must drop
    const std::size_t count = LoadActions(actions, CScriptFile::FromText(script), profile);
    EXPECT_EQ(count, actions.size());
    return actions;
}

std::vector<std::u16string> file1Paths(const std::vector<CCompFileOpt>& actions)
{
    std::vector<std::u16string> paths;
    for (const CCompFileOpt& action : actions)
        paths.push_back(action.m_file1Path);
    return paths;
}

struct SCountCase {
    const char* name;
    std::u16string script;
    std::vector<std::u16string> file1;
};

class BatchActionsCountTest : public testing::TestWithParam<SCountCase> {};

TEST_P(BatchActionsCountTest, TakesActionsUpToTheFirstGap)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    EXPECT_EQ(file1Paths(loadActions(GetParam().script, profile)), GetParam().file1);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BatchActionsCountTest,
    testing::Values(SCountCase{"NoSections", u"", {}},
                    SCountCase{"GapAfterFirst", u"[Action1]\nFile1=a\n[Action3]\nFile1=c\n", {u"a"}},
                    SCountCase{"FirstWithoutFile1", u"[Action1]\nFile2=b\n[Action2]\nFile1=c\n", {}},
                    SCountCase{
                        "SecondWithoutFile1", u"[Action1]\nFile1=a\n[Action2]\nFile 1=b\n[Action3]\nFile1=c\n", {u"a"}},
                    SCountCase{"NumberOrderNotFileOrder", u"[Action2]\nFile1=b\n[action1]\nfile1=a\n", {u"a", u"b"}},
                    SCountCase{"LeadingZeroIsNoAction", u"[Action01]\nFile1=a\n", {}},
                    SCountCase{"FirstOfDuplicatesCounts", u"[Action1]\nFile1=a\n[ACTION1]\nFile1=b\n", {u"a"}},
                    SCountCase{"EmptyFile1StillCounts", u"[Action1]\nFile1=\n", {u""}},
                    SCountCase{"TenAndMore",
                               u"[Action1]\nFile1=1\n[Action2]\nFile1=2\n[Action3]\nFile1=3\n[Action4]\nFile1=4\n"
                               u"[Action5]\nFile1=5\n[Action6]\nFile1=6\n[Action7]\nFile1=7\n[Action8]\nFile1=8\n"
                               u"[Action9]\nFile1=9\n[Action10]\nFile1=10\n[Action11]\nFile1=11\n",
                               {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11"}}),
    test::SCaseName());

TEST(BatchActions, EveryScriptKeyReachesItsField)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    const auto actions = loadActions(
        u"[Action1]\n"
        u"File1=f1\nFile2=f2\n"
        u"File1 Line Prefix=p1\nFile2 Line Prefix=p2\n"
        u"File1 Section Header=h1\nFile2 Section Header=h2\n"
        u"File1 Section Footer=e1\nFile2 Section Footer=e2\n"
        u"Compare Output File=out\n"
        u"Synch Scrolling=0\nWrite Common Sections=0\nIgnore Whitespace=1\n"
        u"Ignore Case=1\nFile Compare Align=2\nFile 1 Color=11\nFile 2 Color=12\n"
        u"Quiet Mode=0\nShow Line Numbers=0\n"
        u"Font Name=Mono\nBinary Font Name=Fixed\nFont Size=13\nBinary Font Size=14\n",
        profile);
    ASSERT_EQ(actions.size(), 1u);
    const CCompFileOpt& a = actions[0];
    EXPECT_EQ(a.m_file1Path, u"f1");
    EXPECT_EQ(a.m_file2Path, u"f2");
    EXPECT_EQ(a.m_file1LinePrefix, u"p1");
    EXPECT_EQ(a.m_file2LinePrefix, u"p2");
    EXPECT_EQ(a.m_file1SectionHeader, u"h1");
    EXPECT_EQ(a.m_file2SectionHeader, u"h2");
    EXPECT_EQ(a.m_file1SectionFooter, u"e1");
    EXPECT_EQ(a.m_file2SectionFooter, u"e2");
    EXPECT_EQ(a.m_outputFile, u"out");
    EXPECT_EQ(a.m_synchScrolling, 0);
    EXPECT_EQ(a.m_writeCommonSections, 0);
    EXPECT_EQ(a.m_ignoreWhitespace, 1);
    EXPECT_EQ(a.m_ignoreCase, 1);
    EXPECT_EQ(a.m_alignment, 2);
    EXPECT_EQ(a.m_file1Color, 11);
    EXPECT_EQ(a.m_file2Color, 12);
    EXPECT_EQ(a.m_quietMode, 0);
    EXPECT_EQ(a.m_showLineNumbers, 0);
    EXPECT_EQ(a.m_fontName, u"Mono");
    EXPECT_EQ(a.m_binaryFontName, u"Fixed");
    EXPECT_EQ(a.m_fontSize, 13);
    EXPECT_EQ(a.m_binaryFontSize, 14);
    EXPECT_EQ(a.m_maxLinesShowDiff, 250);
    EXPECT_EQ(a.m_comparisonKind, kComparisonText);
}

struct SQuietCase {
    const char* name;
    std::u16string script;
    std::int32_t quiet;
};

class BatchActionsQuietTest : public testing::TestWithParam<SQuietCase> {};

TEST_P(BatchActionsQuietTest, QuietUnlessTheActionSaysOtherwise)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    const auto actions = loadActions(GetParam().script, profile);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].m_quietMode, GetParam().quiet);
}

INSTANTIATE_TEST_SUITE_P(Quiet, BatchActionsQuietTest,
                         testing::Values(SQuietCase{"Omitted", u"[Action1]\nFile1=a\nFile2=b\n", 1},
                                         SQuietCase{"Zero", u"[Action1]\nFile1=a\nQuiet Mode=0\n", 0},
                                         SQuietCase{"NotANumber", u"[Action1]\nFile1=a\nQuiet Mode=no\n", 0},
                                         SQuietCase{"BlankBeforeEquals", u"[Action1]\nFile1=a\nQuiet Mode =0\n", 1}),
                         test::SCaseName());

// The working record is loaded from the store before every action: stored values come back,
// values the store lacks carry over from the previous action.
TEST(BatchActions, StoredValuesReturnOthersCarryOver)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    profile.writeInt(kCompareFilesSection, kIgnoreCaseValue, 1);
    profile.writeString(kCompareFilesSection, kOutputFileValue, u"stored.out");
    const auto actions = loadActions(
        u"[Action1]\nFile1=a1\nFile2=b1\nQuiet Mode=0\nIgnore Case=0\n"
        u"Compare Output File=one.out\nFont Name=Mono\n"
        u"[Action2]\nFile1=a2\n"
        u"[Action3]\nFile1=a3\nFile2=b3\nQuiet Mode=1\n",
        profile);
    ASSERT_EQ(actions.size(), 3u);

    EXPECT_EQ(actions[0].m_ignoreCase, 0);
    EXPECT_EQ(actions[0].m_outputFile, u"one.out");
    EXPECT_EQ(actions[0].m_quietMode, 0);

    EXPECT_EQ(actions[1].m_file1Path, u"a2");
    EXPECT_EQ(actions[1].m_file2Path, u"b1");
    EXPECT_EQ(actions[1].m_quietMode, 0);
    EXPECT_EQ(actions[1].m_ignoreCase, 1);
    EXPECT_EQ(actions[1].m_outputFile, u"stored.out");
    EXPECT_EQ(actions[1].m_fontName, u"Mono");

    EXPECT_EQ(actions[2].m_file2Path, u"b3");
    EXPECT_EQ(actions[2].m_quietMode, 1);
    // Loading actions reads the store and never writes it.
    EXPECT_EQ(profile.readInt(kCompareFilesSection, kIgnoreCaseValue, -1), 1);
    EXPECT_EQ(profile.readString(kCompareFilesSection, kFontNameValue, u"none"), u"none");
}

TEST(BatchActions, MaxLinesShowDiffComesFromTheStoreOnly)
{
    const std::u16string script = u"[Action1]\nFile1=a\nMax Lines Show Diff=5\n";
    CMemorySettingsStore store;
    CProfile profile(store);
    EXPECT_EQ(loadActions(script, profile).at(0).m_maxLinesShowDiff, 250);
    profile.writeInt(kCompareFilesSection, kMaxLinesShowDiffValue, 100);
    EXPECT_EQ(loadActions(script, profile).at(0).m_maxLinesShowDiff, 100);
}

TEST(BatchActions, StopsAfterTheLastAllowedAction)
{
    std::u16string script;
    for (std::size_t n = 1; n <= kMaxBatchActions + 1; ++n) {
        const std::string number = std::to_string(n);
        const std::u16string digits(number.begin(), number.end());
        script += u"[Action" + digits + u"]\nFile1=" + digits + u"\n";
    }
    CMemorySettingsStore store;
    CProfile profile(store);
    std::vector<CCompFileOpt> actions;
    ASSERT_EQ(LoadActions(actions, CScriptFile::FromText(script), profile), kMaxBatchActions);
    EXPECT_EQ(actions.back().m_file1Path, u"100000");
}

}  // namespace
}  // namespace brindle
