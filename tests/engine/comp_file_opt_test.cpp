// The compare-options record: defaults, persistence in kCompareFilesSection, copying.
#include "engine/comp_file_opt.h"
#include "engine/compare_lines.h"
#include "engine/line_list.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

// The store key of kCompareFilesSection under the program's root.
std::u16string compareFilesKey()
{
    CMemorySettingsStore store;
    return CProfile(store).sectionKey(kCompareFilesSection);
}

const std::u16string kKey = compareFilesKey();

TEST(CompFileOpt, DefaultsSurviveSaveAndLoad)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    CCompFileOpt saved;
    saved.Save(profile);

    CCompFileOpt loaded;
    loaded.m_file1LinePrefix = u"changed";
    loaded.m_maxLinesShowDiff = 1;
    loaded.Load(profile);
    EXPECT_EQ(loaded.m_file1LinePrefix, u"|<<");
    EXPECT_EQ(loaded.m_file2LinePrefix, u"||>>");
    EXPECT_EQ(loaded.m_maxLinesShowDiff, 250);
    EXPECT_EQ(loaded.m_fontName, kDefaultTextFontName);
    EXPECT_EQ(loaded.m_binaryFontName, u"Courier");
    EXPECT_EQ(loaded.m_file1Color, 0x800080);
    EXPECT_EQ(loaded.m_file2Color, 0x008000);
    EXPECT_EQ(store.readString(kKey, kFile1LinePrefixValue), u"|<<");
    EXPECT_EQ(store.readDword(kKey, kSynchScrollingValue), 1u);
}

TEST(CompFileOpt, LoadFromEmptyStoreKeepsValues)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    CCompFileOpt options;
    options.m_ignoreCase = 1;
    options.m_outputFile = u"/tmp/out";
    options.m_fontSize = 0;
    options.Load(profile);
    EXPECT_EQ(options.m_ignoreCase, 1);
    EXPECT_EQ(options.m_outputFile, u"/tmp/out");
    EXPECT_EQ(options.m_fontSize, 0);
}

TEST(CompFileOpt, EveryPersistedValueRoundTrips)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    CCompFileOpt options;
    options.m_alignment = 1;
    options.m_ignoreWhitespace = 1;
    options.m_ignoreCase = 1;
    options.m_outputFile = u"out \"x\".txt";
    options.m_file1LinePrefix = u"";
    options.m_file1SectionHeader = u"H1";
    options.m_file1SectionFooter = u"F1";
    options.m_file2LinePrefix = u"\\2";
    options.m_file2SectionHeader = u"H2";
    options.m_file2SectionFooter = u"F2";
    options.m_synchScrolling = 0;
    options.m_writeCommonSections = 0;
    options.m_file1Color = 0x123456;
    options.m_file2Color = 0x654321;
    options.m_showLineNumbers = 0;
    options.m_fontName = u"Mono";
    options.m_binaryFontName = u"Fixed";
    options.m_fontSize = -1;
    options.m_binaryFontSize = 101;
    options.m_maxLinesShowDiff = 7;
    options.Save(profile);

    CCompFileOpt loaded;
    loaded.Load(profile);
    CCompFileOpt expected = options;
    EXPECT_EQ(loaded.m_alignment, expected.m_alignment);
    EXPECT_EQ(loaded.m_ignoreWhitespace, 1);
    EXPECT_EQ(loaded.m_ignoreCase, 1);
    EXPECT_EQ(loaded.m_outputFile, expected.m_outputFile);
    EXPECT_EQ(loaded.m_file1LinePrefix, u"");
    EXPECT_EQ(loaded.m_file1SectionHeader, u"H1");
    EXPECT_EQ(loaded.m_file1SectionFooter, u"F1");
    EXPECT_EQ(loaded.m_file2LinePrefix, u"\\2");
    EXPECT_EQ(loaded.m_file2SectionHeader, u"H2");
    EXPECT_EQ(loaded.m_file2SectionFooter, u"F2");
    EXPECT_EQ(loaded.m_synchScrolling, 0);
    EXPECT_EQ(loaded.m_writeCommonSections, 0);
    EXPECT_EQ(loaded.m_file1Color, 0x123456);
    EXPECT_EQ(loaded.m_file2Color, 0x654321);
    EXPECT_EQ(loaded.m_showLineNumbers, 0);
    EXPECT_EQ(loaded.m_fontName, u"Mono");
    EXPECT_EQ(loaded.m_binaryFontName, u"Fixed");
    EXPECT_EQ(loaded.m_fontSize, -1);
    EXPECT_EQ(loaded.m_binaryFontSize, 101);
    EXPECT_EQ(loaded.m_maxLinesShowDiff, 7);
    EXPECT_EQ(CCompFileOpt::validFontSize(loaded.m_fontSize), 10);
    EXPECT_EQ(CCompFileOpt::validFontSize(loaded.m_binaryFontSize), 10);
    EXPECT_EQ(CCompFileOpt::validFontSize(0), 0);
}

TEST(CompFileOpt, TransientFieldsNeverReachTheStore)
{
    CMemorySettingsStore store;
    CProfile profile(store);
    CCompFileOpt options;
    options.m_quietMode = 0;
    options.m_comparisonKind = kComparisonBinary;
    options.m_file1Path = u"/a";
    options.m_file2Path = u"/b";
    options.Save(profile);
    ASSERT_EQ(store.data().keys().size(), 1u);
    EXPECT_EQ(store.data().keys()[0].path, kKey);
    EXPECT_EQ(store.data().keys()[0].values.size(), 20u);
    for (const std::u16string_view name :
         {kQuietModeValue, std::u16string_view(u"File1"), std::u16string_view(u"File2")})
        EXPECT_FALSE(store.readDword(kKey, name) || store.readString(kKey, name))
            << std::string(name.begin(), name.begin() + 5);
}

TEST(CompFileOpt, WrongTypeReadsAsDefault)
{
    CMemorySettingsStore store;
    store.writeString(kKey, kFontSizeValue, u"12");
    store.writeDword(kKey, kFontNameValue, 3);
    CProfile profile(store);
    CCompFileOpt options;
    options.Load(profile);
    EXPECT_EQ(options.m_fontSize, kDefaultTextFontSize);
    EXPECT_EQ(options.m_fontName, kDefaultTextFontName);
}

TEST(CompFileOpt, CopyLeavesTheResultListAlone)
{
    auto a = std::make_shared<CLineList>();
    a->append(u"x");
    auto b = std::make_shared<CLineList>();
    b->append(u"y");
    CCompFileOpt source;
    source.m_fontName = u"Copied";
    source.m_file1Path = u"/one";
    CCompFileOpt target;
    ASSERT_TRUE(CompareLines(a, b, {}, target.m_sections));
    const std::size_t sections = target.m_sections.size();
    target = source;
    EXPECT_EQ(target.m_fontName, u"Copied");
    EXPECT_EQ(target.m_file1Path, u"/one");
    EXPECT_EQ(target.m_sections.size(), sections);
    EXPECT_TRUE(CCompFileOpt(target).m_sections.empty());
}

}  // namespace
}  // namespace brindle
