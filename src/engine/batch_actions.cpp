#include "engine/batch_actions.h"

#include "engine/comp_file_opt.h"
#include "engine/script_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace brindle {

namespace {

using StringField = std::u16string CCompFileOpt::*;
using IntField = std::int32_t CCompFileOpt::*;

// Script keys and the record fields they set, in the order they are read.
constexpr std::pair<std::u16string_view, StringField> kFirstStrings[] = {
    {u"File2", &CCompFileOpt::m_file2Path},
    {kFile1LinePrefixValue, &CCompFileOpt::m_file1LinePrefix},
    {kFile2LinePrefixValue, &CCompFileOpt::m_file2LinePrefix},
    {kFile1SectionHeaderValue, &CCompFileOpt::m_file1SectionHeader},
    {kFile2SectionHeaderValue, &CCompFileOpt::m_file2SectionHeader},
    {kFile1SectionFooterValue, &CCompFileOpt::m_file1SectionFooter},
    {kFile2SectionFooterValue, &CCompFileOpt::m_file2SectionFooter},
    {kOutputFileValue, &CCompFileOpt::m_outputFile},
};

constexpr std::pair<std::u16string_view, IntField> kInts[] = {
    {kSynchScrollingValue, &CCompFileOpt::m_synchScrolling},
    {kWriteCommonSectionsValue, &CCompFileOpt::m_writeCommonSections},
    {kIgnoreWhitespaceValue, &CCompFileOpt::m_ignoreWhitespace},
    {kIgnoreCaseValue, &CCompFileOpt::m_ignoreCase},
    {kAlignmentValue, &CCompFileOpt::m_alignment},
    {kFile1ColorValue, &CCompFileOpt::m_file1Color},
    {kFile2ColorValue, &CCompFileOpt::m_file2Color},
    {kQuietModeValue, &CCompFileOpt::m_quietMode},
    {kShowLineNumbersValue, &CCompFileOpt::m_showLineNumbers},
};

constexpr std::pair<std::u16string_view, StringField> kFontStrings[] = {
    {kFontNameValue, &CCompFileOpt::m_fontName},
    {kBinaryFontNameValue, &CCompFileOpt::m_binaryFontName},
};

constexpr std::pair<std::u16string_view, IntField> kFontInts[] = {
    {kFontSizeValue, &CCompFileOpt::m_fontSize},
    {kBinaryFontSizeValue, &CCompFileOpt::m_binaryFontSize},
};

template <std::size_t N>
void readStrings(const CSection& section, const std::pair<std::u16string_view, StringField> (&keys)[N],
                 CCompFileOpt& record)
{
    for (const auto& [key, field] : keys)
        CScriptFile::GetString(section, key, record.*field);
}

template <std::size_t N>
void readInts(const CSection& section, const std::pair<std::u16string_view, IntField> (&keys)[N], CCompFileOpt& record)
{
    for (const auto& [key, field] : keys)
        CScriptFile::GetInt(section, key, record.*field);
}

std::u16string actionName(std::size_t number)
{
    std::u16string name = u"Action";
    for (char digit : std::to_string(number))
        name.push_back(static_cast<char16_t>(digit));
    return name;
}

}  // namespace

std::size_t LoadActions(std::vector<CCompFileOpt>& actions, const CScriptFile& script, CProfile& profile)
{
    actions.clear();
    CCompFileOpt record;
    for (std::size_t number = 1; number <= kMaxBatchActions; ++number) {
        const CSection* section = script.FindSection(actionName(number));
        std::u16string file1;
        if (!section || !CScriptFile::GetString(*section, u"File1", file1))
            break;
        record.Load(profile);
        record.m_file1Path = std::move(file1);
        readStrings(*section, kFirstStrings, record);
        readInts(*section, kInts, record);
        readStrings(*section, kFontStrings, record);
        readInts(*section, kFontInts, record);
        actions.push_back(record);
    }
    return actions.size();
}

}  // namespace brindle
