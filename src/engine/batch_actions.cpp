#include "engine/batch_actions.h"

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
    {u"File1 Line Prefix", &CCompFileOpt::m_file1LinePrefix},
    {u"File2 Line Prefix", &CCompFileOpt::m_file2LinePrefix},
    {u"File1 Section Header", &CCompFileOpt::m_file1SectionHeader},
    {u"File2 Section Header", &CCompFileOpt::m_file2SectionHeader},
    {u"File1 Section Footer", &CCompFileOpt::m_file1SectionFooter},
    {u"File2 Section Footer", &CCompFileOpt::m_file2SectionFooter},
    {u"Compare Output File", &CCompFileOpt::m_outputFile},
};

constexpr std::pair<std::u16string_view, IntField> kInts[] = {
    {u"Synch Scrolling", &CCompFileOpt::m_synchScrolling},
    {u"Write Common Sections", &CCompFileOpt::m_writeCommonSections},
    {u"Ignore Whitespace", &CCompFileOpt::m_ignoreWhitespace},
    {u"Ignore Case", &CCompFileOpt::m_ignoreCase},
    {u"File Compare Align", &CCompFileOpt::m_alignment},
    {u"File 1 Color", &CCompFileOpt::m_file1Color},
    {u"File 2 Color", &CCompFileOpt::m_file2Color},
    {u"Quiet Mode", &CCompFileOpt::m_quietMode},
    {u"Show Line Numbers", &CCompFileOpt::m_showLineNumbers},
};

constexpr std::pair<std::u16string_view, StringField> kFontStrings[] = {
    {u"Font Name", &CCompFileOpt::m_fontName},
    {u"Binary Font Name", &CCompFileOpt::m_binaryFontName},
};

constexpr std::pair<std::u16string_view, IntField> kFontInts[] = {
    {u"Font Size", &CCompFileOpt::m_fontSize},
    {u"Binary Font Size", &CCompFileOpt::m_binaryFontSize},
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
