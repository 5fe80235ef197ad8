#include "engine/comp_file_opt.h"

#include "platform/profile.h"

namespace brindle {

namespace {

void moveString(CProfile& profile, bool save, std::u16string_view name, std::u16string& value)
{
    if (save)
        profile.writeString(kCompareFilesSection, name, value);
    else
        value = profile.readString(kCompareFilesSection, name, value);
}

void moveInt(CProfile& profile, bool save, std::u16string_view name, std::int32_t& value)
{
    if (save)
        profile.writeInt(kCompareFilesSection, name, value);
    else
        value = profile.readInt(kCompareFilesSection, name, value);
}

}  // namespace

CCompFileOpt::CCompFileOpt(const CCompFileOpt& other) { copyOptions(other); }

CCompFileOpt& CCompFileOpt::operator=(const CCompFileOpt& other)
{
    if (this != &other)
        copyOptions(other);
    return *this;
}

void CCompFileOpt::copyOptions(const CCompFileOpt& other)
{
    m_alignment = other.m_alignment;
    m_ignoreWhitespace = other.m_ignoreWhitespace;
    m_ignoreCase = other.m_ignoreCase;
    m_outputFile = other.m_outputFile;
    m_file1LinePrefix = other.m_file1LinePrefix;
    m_file1SectionFooter = other.m_file1SectionFooter;
    m_file1SectionHeader = other.m_file1SectionHeader;
    m_file2LinePrefix = other.m_file2LinePrefix;
    m_file2SectionFooter = other.m_file2SectionFooter;
    m_file2SectionHeader = other.m_file2SectionHeader;
    m_synchScrolling = other.m_synchScrolling;
    m_quietMode = other.m_quietMode;
    m_writeCommonSections = other.m_writeCommonSections;
    m_comparisonKind = other.m_comparisonKind;
    m_file1Path = other.m_file1Path;
    m_file2Path = other.m_file2Path;
    m_file1Color = other.m_file1Color;
    m_file2Color = other.m_file2Color;
    m_showLineNumbers = other.m_showLineNumbers;
    m_fontName = other.m_fontName;
    m_binaryFontName = other.m_binaryFontName;
    m_fontSize = other.m_fontSize;
    m_binaryFontSize = other.m_binaryFontSize;
    m_maxLinesShowDiff = other.m_maxLinesShowDiff;
}

void CCompFileOpt::LoadSave(CProfile& profile, bool save)
{
    moveString(profile, save, kFile1LinePrefixValue, m_file1LinePrefix);
    moveString(profile, save, kFile2LinePrefixValue, m_file2LinePrefix);
    moveString(profile, save, kFile1SectionHeaderValue, m_file1SectionHeader);
    moveString(profile, save, kFile2SectionHeaderValue, m_file2SectionHeader);
    moveString(profile, save, kFile1SectionFooterValue, m_file1SectionFooter);
    moveString(profile, save, kFile2SectionFooterValue, m_file2SectionFooter);
    moveString(profile, save, kOutputFileValue, m_outputFile);
    moveInt(profile, save, kSynchScrollingValue, m_synchScrolling);
    moveInt(profile, save, kWriteCommonSectionsValue, m_writeCommonSections);
    moveInt(profile, save, kIgnoreWhitespaceValue, m_ignoreWhitespace);
    moveInt(profile, save, kIgnoreCaseValue, m_ignoreCase);
    moveInt(profile, save, kAlignmentValue, m_alignment);
    moveInt(profile, save, kFile1ColorValue, m_file1Color);
    moveInt(profile, save, kFile2ColorValue, m_file2Color);
    moveInt(profile, save, kShowLineNumbersValue, m_showLineNumbers);
    moveString(profile, save, kFontNameValue, m_fontName);
    moveString(profile, save, kBinaryFontNameValue, m_binaryFontName);
    moveInt(profile, save, kFontSizeValue, m_fontSize);
    moveInt(profile, save, kBinaryFontSizeValue, m_binaryFontSize);
    moveInt(profile, save, kMaxLinesShowDiffValue, m_maxLinesShowDiff);
}

}  // namespace brindle
