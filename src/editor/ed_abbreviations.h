// The abbreviation table of the edit view ("Auto Expand") and the pieces of an expansion.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

class CSettingsStore;

// One step of an expansion: first the command (0 for the leading text, else the character after
// a backslash), then the text that follows it up to the next backslash.
struct SEdExpansionStep {
    char16_t command = 0;
    std::u16string text;

    friend bool operator==(const SEdExpansionStep&, const SEdExpansionStep&) = default;
};

// Abbreviations of one text type: the text values of the settings key
// "Software\RodeZor\<text type name>\Expand", value name = abbreviation, value = expansion.
class CEdAbbreviations {
public:
    // Replaces the table with the values stored for the text type; a missing key empties it.
    void Load(const CSettingsStore& store, std::u16string_view textTypeName);
    static std::u16string KeyOf(std::u16string_view textTypeName);

    void Set(std::u16string abbreviation, std::u16string expansion);
    void Clear() { m_table.clear(); }
    bool IsEmpty() const { return m_table.empty(); }
    // The expansion of abbreviation (compared exactly); empty when there is none.
    std::u16string Expansion(std::u16string_view abbreviation) const;

    // Splits an expansion at its backslashes: the text before the first one, then for every
    // backslash its command character and the text after it. Codes: b back-delete, d down,
    // e delete, f line end, h line start, l left, n line break, r right, t indentation step,
    // u up; others are kept and ignored when run. A backslash at the very end has command 0.
    static std::vector<SEdExpansionStep> Split(std::u16string_view expansion);

private:
    std::map<std::u16string, std::u16string, std::less<>> m_table;
};

}  // namespace brindle
