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
    moveString(profile, save, u"File1 Line Prefix", m_file1LinePrefix);
    moveString(profile, save, u"File2 Line Prefix", m_file2LinePrefix);
    moveString(profile, save, u"File1 Section Header", m_file1SectionHeader);
    moveString(profile, save, u"File2 Section Header", m_file2SectionHeader);
    moveString(profile, save, u"File1 Section Footer", m_file1SectionFooter);
    moveString(profile, save, u"File2 Section Footer", m_file2SectionFooter);
    moveString(profile, save, u"Compare Output File", m_outputFile);
    moveInt(profile, save, u"Synch Scrolling", m_synchScrolling);
    moveInt(profile, save, u"Write Common Sections", m_writeCommonSections);
    moveInt(profile, save, u"Ignore Whitespace", m_ignoreWhitespace);
    moveInt(profile, save, u"Ignore Case", m_ignoreCase);
    moveInt(profile, save, u"File Compare Align", m_alignment);
    moveInt(profile, save, u"File 1 Color", m_file1Color);
    moveInt(profile, save, u"File 2 Color", m_file2Color);
    moveInt(profile, save, u"Show Line Numbers", m_showLineNumbers);
    moveString(profile, save, u"Font Name", m_fontName);
    moveString(profile, save, u"Binary Font Name", m_binaryFontName);
    moveInt(profile, save, u"Font Size", m_fontSize);
    moveInt(profile, save, u"Binary Font Size", m_binaryFontSize);
    moveInt(profile, save, u"Max Lines Show Diff", m_maxLinesShowDiff);
}

}  // namespace brindle
