// The abbreviation table of the edit view.
#include "editor/ed_abbreviations.h"

#include "editor/ed_settings_names.h"
#include "platform/settings_store.h"

namespace brindle {

std::u16string CEdAbbreviations::KeyOf(std::u16string_view textTypeName)
{
    std::u16string key(kEditorSettingsKey);
    key += u'\\';
    key += textTypeName;
    key += u"\\Expand";
    return key;
}

void CEdAbbreviations::Load(const CSettingsStore& store, std::u16string_view textTypeName)
{
    m_table.clear();
    for (auto& [name, value] : store.readStringValues(KeyOf(textTypeName)))
        m_table.insert_or_assign(std::move(name), std::move(value));
}

void CEdAbbreviations::Set(std::u16string abbreviation, std::u16string expansion)
{
    m_table.insert_or_assign(std::move(abbreviation), std::move(expansion));
}

std::u16string CEdAbbreviations::Expansion(std::u16string_view abbreviation) const
{
    const auto it = m_table.find(abbreviation);
    return it == m_table.end() ? std::u16string() : it->second;
}

std::vector<SEdExpansionStep> CEdAbbreviations::Split(std::u16string_view expansion)
{
    std::vector<SEdExpansionStep> steps;
    std::size_t next = expansion.find(u'\\');
    steps.push_back({0, std::u16string(expansion.substr(0, next))});
    while (next != std::u16string_view::npos) {
        SEdExpansionStep step;
        std::size_t textStart = next + 1;
        if (textStart < expansion.size())
            step.command = expansion[textStart++];
        next = expansion.find(u'\\', textStart);
        step.text = expansion.substr(textStart, next == std::u16string_view::npos ? next : next - textStart);
        steps.push_back(std::move(step));
    }
    return steps;
}

}  // namespace brindle
