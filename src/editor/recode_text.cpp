#include "editor/recode_text.h"

#include "editor/recode_tables_p.h"
#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <new>

namespace brindle {

namespace {

constexpr std::array<SRecodeSet, kRecodeSetCount> kSets = {{
    {u"ASCII (without accents)", u"ASCII"},
    {u"MS-Windows CP 1250", u"CP1250"},
    {u"MS-Windows CP 1252", u"CP1252"},
    {u"PC Latin I (CP 850)", u"CP850"},
    {u"PC Latin II (CP 852)", u"CP852"},
    {u"IBM Latin II (IBM 852)", u"IBM852"},
    {u"ISO-8859-1", u"ISO-8859-1"},
    {u"ISO-8859-2", u"ISO-8859-2"},
    {u"Brothers Kamenicky", u"KEYBCS2"},
    {u"KOI8-CS", u"KOI8-CS"},
    {u"Apple Macintosh", u"MAC"},
    {u"Apple Macintosh for Central Europe", u"MACCE"},
    {u"Corky", u"CORK"},
}};

static_assert(detail::kRecodeTableSets == kRecodeSetCount);
static_assert(detail::kRecodeTablePositions == kRecodePositions);

constexpr std::u16string_view kKeyword = u"MYCHARSET";

char16_t foldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c; }

bool startsWithNoCase(std::u16string_view text, std::u16string_view word)
{
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(word[i]))
            return false;
    }
    return true;
}

std::size_t skipBlanks(std::u16string_view text, std::size_t at)
{
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    return at;
}

// The set whose marker name starts text, the longest such name; -1 when none does.
int markerNameAt(std::u16string_view text)
{
    int found = -1;
    for (int set = 0; set < kRecodeSetCount; ++set) {
        const std::u16string_view name = kSets[set].markerName;
        if (startsWithNoCase(text, name) && (found < 0 || name.size() > kSets[found].markerName.size()))
            found = set;
    }
    return found;
}

// How the text shows a code of 0x80 or above: the unit itself, or what codePage decodes the byte
// to. False when the page gives no single unit for it.
bool unitForCode(const CCodePage* codePage, std::uint8_t code, char16_t& unit)
{
    if (codePage == nullptr) {
        unit = code;
        return true;
    }
    const std::u16string units = codePage->toUtf16(std::string(1, static_cast<char>(code)));
    if (units.size() != 1 || units[0] < 0x80)
        return false;
    unit = units[0];
    return true;
}

// The source codes as units, sorted by unit; of two positions with one unit the first wins.
class CSourceLookup {
public:
    CSourceLookup(std::span<const std::uint8_t> row, const CCodePage* codePage)
    {
        for (std::size_t position = 0; position < row.size(); ++position) {
            char16_t unit = 0;
            if (row[position] >= 0x80 && unitForCode(codePage, row[position], unit))
                m_entries[m_count++] = {unit, static_cast<std::uint8_t>(position)};
        }
        std::sort(m_entries.begin(), m_entries.begin() + m_count, [](const SEntry& a, const SEntry& b) {
            return a.unit != b.unit ? a.unit < b.unit : a.position < b.position;
        });
    }

    // The position of unit in the row, or -1.
    int find(char16_t unit) const
    {
        const auto end = m_entries.begin() + m_count;
        const auto it =
            std::lower_bound(m_entries.begin(), end, unit, [](const SEntry& e, char16_t u) { return e.unit < u; });
        return it != end && it->unit == unit ? it->position : -1;
    }

private:
    struct SEntry {
        char16_t unit;
        std::uint8_t position;
    };
    std::array<SEntry, kRecodePositions> m_entries{};
    std::size_t m_count = 0;
};

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void convertUnits(std::u16string& text, int sourceSet, int destinationSet, bool alphabetOnly, const CCodePage* codePage)
{
    std::span<const std::uint8_t> source = recodeSourceRow(sourceSet);
    source =
        source.first(std::min<std::size_t>(source.size(), alphabetOnly ? kRecodeLetterPositions : kRecodePositions));
    const CSourceLookup lookup(source, codePage);
    // 0 where the page shows the destination code as no single character: the unit then stays.
    std::array<char16_t, kRecodePositions> replacements{};
    const auto destination = recodeDestinationRow(destinationSet);
    for (std::size_t position = 0; position < replacements.size(); ++position) {
        const std::uint8_t code = destination[position];
        if (code < 0x80)
            replacements[position] = code;
        else if (!unitForCode(codePage, code, replacements[position]))
            replacements[position] = 0;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80)
            continue;
        // The lossless UTF-8 page shows a stray byte as a lone low surrogate; the same unit
        // inside a pair is half of a real character.
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            ++i;
            continue;
        }
        const int position = lookup.find(unit);
        if (position >= 0 && replacements[position] != 0)
            text[i] = replacements[position];
    }
}

int recode(std::u16string_view text, int sourceSet, int destinationSet, bool alphabetOnly, const CCodePage* codePage,
           std::u16string& converted)
{
    if (destinationSet < 0 || destinationSet >= kRecodeSetCount)
        return kRecodeBadDestination;
    std::optional<SRecodeMarker> marker;
    if (sourceSet < 0 || sourceSet >= kRecodeSetCount) {
        marker = findRecodeMarker(text);
        if (!marker)
            return kRecodeNoSource;
        sourceSet = marker->set;
    }
    try {
        std::u16string result(text);
        convertUnits(result, sourceSet, destinationSet, alphabetOnly, codePage);
        // Marker names are ASCII, which conversion never touches, so the place still holds.
        if (marker)
            result.replace(marker->nameStart, marker->nameLength, kSets[destinationSet].markerName);
        converted = std::move(result);
    } catch (const std::bad_alloc&) {
        return kRecodeNoMemory;
    }
    return kRecodeOk;
}

}  // namespace

std::span<const SRecodeSet, kRecodeSetCount> recodeSets() { return kSets; }

std::span<const std::uint8_t> recodeSourceRow(int set)
{
    if (set == kRecodeAscii)
        return {};
    return detail::kRecodeTable[set];
}

std::span<const std::uint8_t, kRecodePositions> recodeDestinationRow(int set)
{
    return std::span<const std::uint8_t, kRecodePositions>(detail::kRecodeTable[set], kRecodePositions);
}

std::optional<SRecodeMarker> findRecodeMarker(std::u16string_view text)
{
    for (std::size_t at = 0; at + kKeyword.size() <= text.size(); ++at) {
        if (!startsWithNoCase(text.substr(at), kKeyword))
            continue;
        std::size_t name = skipBlanks(text, at + kKeyword.size());
        if (name >= text.size() || text[name] != u'=')
            continue;
        name = skipBlanks(text, name + 1);
        const int set = markerNameAt(text.substr(name));
        if (set >= 0)
            return SRecodeMarker{name, kSets[set].markerName.size(), set};
    }
    return std::nullopt;
}

int RecodeText(std::u16string_view text, int sourceSet, int destinationSet, bool alphabetOnly,
               std::u16string& converted)
{
    return recode(text, sourceSet, destinationSet, alphabetOnly, nullptr, converted);
}

int RecodeText(std::u16string_view text, int sourceSet, int destinationSet, bool alphabetOnly,
               const CCodePage& codePage, std::u16string& converted)
{
    return recode(text, sourceSet, destinationSet, alphabetOnly, &codePage, converted);
}

}  // namespace brindle
