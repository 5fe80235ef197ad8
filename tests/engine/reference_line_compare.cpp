// The reference comparison: every step of the line comparison written out as plainly as
// possible, with no attempt at speed (plain vectors, linear searches, hashes recomputed at every
// use), so that it can be read against the description of the algorithm line by line.
#include "reference_line_compare.h"

#include "engine/line_hash.h"
#include "platform/code_page.h"

#include <cstddef>
#include <deque>
#include <map>
#include <optional>

namespace brindle::reference {
namespace {

bool isSkipped(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r'; }

// The unit at index i, or NUL past the end: lines behave as NUL-terminated strings.
char16_t at(std::u16string_view text, std::size_t i) { return i < text.size() ? text[i] : u'\0'; }

std::uint8_t upper1252(std::uint8_t byte)
{
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<std::uint8_t>(byte - 0x20);
    switch (byte) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return byte;
    }
}

std::int32_t charValue(char16_t ch, SOptions options)
{
    return options.ignoreCase ? foldChar(ch) : static_cast<std::int32_t>(ch);
}

struct Line {
    std::u16string text;
    int number = 0;
    Line* partner = nullptr;
};
using LineList = std::vector<Line*>;

struct Section {
    LineList lines;
    Section* partner = nullptr;
    int kind = 0;
};
using SectionList = std::vector<Section*>;

std::optional<std::size_t> indexOf(const LineList& list, const Line* line)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == line)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> indexOf(const SectionList& list, const Section* section)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == section)
            return i;
    }
    return std::nullopt;
}

Line* firstPairedLine(const Section& section)
{
    for (Line* line : section.lines) {
        if (line->partner)
            return line;
    }
    return nullptr;
}

struct Run {
    std::size_t begin;
    std::size_t end;
    int kind;
};

class Comparer {
public:
    explicit Comparer(SOptions options) : m_options(options) {}

    std::vector<SSection> run(const std::vector<std::u16string>& text1, const std::vector<std::u16string>& text2);

private:
    bool equal(const Line* a, const Line* b) const { return linesEqual(a->text, b->text, m_options); }
    bool blank(const Line* line) const { return isBlankLine(line->text); }

    bool link(Line* a, Line* b) const;
    bool extendForwards(const LineList& list1, std::size_t p, const LineList& list2, std::size_t q) const;
    bool extendBackwards(const LineList& list1, std::size_t p, const LineList& list2, std::size_t q) const;
    bool extendMatch(const LineList& list1, std::size_t i, const LineList& list2, std::size_t j) const;
    bool matchPass(const LineList& list1, const LineList& list2) const;

    std::optional<std::size_t> next(const LineList& list, std::size_t y) const;
    std::size_t commonRunEnd(const LineList& own, std::size_t x, const LineList& other) const;
    std::size_t pairedRunEnd(const LineList& own, std::size_t y, const LineList& other) const;
    std::vector<Run> buildRuns(const LineList& own, const LineList& other, int changedKind) const;
    void buildSections(const LineList& own, const LineList& other, int changedKind, SectionList& out);

    std::optional<std::size_t> counterpart(const SectionList& list1, std::size_t i, const SectionList& list2) const;
    std::size_t split(SectionList& list, std::size_t index, const LineList& other, int changedKind);
    void linkCommonSections(const SectionList& list1, const SectionList& list2) const;
    void pairSplitSections(const SectionList& list1, std::size_t u, std::size_t uCount, const SectionList& list2,
                           std::size_t v, std::size_t vCount) const;
    bool refineSections(SectionList& list1, SectionList& list2);
    void mergeSections(const SectionList& list1, const SectionList& list2, std::vector<Section*>& out) const;

    Section* newSection(LineList lines, int kind)
    {
        m_sections.push_back(Section{std::move(lines), nullptr, kind});
        return &m_sections.back();
    }

    SOptions m_options;
    std::deque<Line> m_file1;
    std::deque<Line> m_file2;
    std::deque<Section> m_sections;
};

bool Comparer::link(Line* a, Line* b) const
{
    if (!equal(a, b))
        return false;
    if (a->partner)
        a->partner->partner = nullptr;
    if (b->partner)
        b->partner->partner = nullptr;
    a->partner = b;
    b->partner = a;
    return true;
}

bool Comparer::extendForwards(const LineList& list1, std::size_t p, const LineList& list2, std::size_t q) const
{
    bool paired = false;
    while (p < list1.size() && q < list2.size()) {
        if (equal(list1[p], list2[q])) {
            paired = link(list1[p++], list2[q++]) || paired;
            continue;
        }
        if (!m_options.ignoreWhitespace)
            break;
        bool skipped = false;
        for (; p < list1.size() && blank(list1[p]); ++p)
            skipped = true;
        for (; q < list2.size() && blank(list2[q]); ++q)
            skipped = true;
        if (!skipped)
            break;
    }
    return paired;
}

// Never compares, skips past or pairs the first line of either list.
bool Comparer::extendBackwards(const LineList& list1, std::size_t p, const LineList& list2, std::size_t q) const
{
    bool paired = false;
    while (p > 0 && q > 0) {
        if (equal(list1[p], list2[q])) {
            paired = link(list1[p--], list2[q--]) || paired;
            continue;
        }
        if (!m_options.ignoreWhitespace)
            break;
        bool skipped = false;
        for (; p > 0 && blank(list1[p]); --p)
            skipped = true;
        for (; q > 0 && blank(list2[q]); --q)
            skipped = true;
        if (!skipped)
            break;
    }
    return paired;
}

bool Comparer::extendMatch(const LineList& list1, std::size_t i, const LineList& list2, std::size_t j) const
{
    const bool forwards = extendForwards(list1, i, list2, j);
    const bool backwards = i > 0 && j > 0 && extendBackwards(list1, i - 1, list2, j - 1);
    return forwards || backwards;
}

struct MapEntry {
    std::size_t index;  // of the first unpaired line with the hash
    int count;          // unpaired lines with the hash
};
using UniqueLineMap = std::map<std::int64_t, MapEntry>;

UniqueLineMap buildUniqueLineMap(const LineList& list, SOptions options)
{
    UniqueLineMap map;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->partner)
            continue;
        const auto [it, inserted] = map.try_emplace(lineHash(list[i]->text, options), MapEntry{i, 1});
        if (!inserted)
            ++it->second.count;
    }
    return map;
}

bool hasCountOne(const UniqueLineMap& map, std::int64_t hash)
{
    const auto it = map.find(hash);
    return it != map.end() && it->second.count == 1;
}

bool Comparer::matchPass(const LineList& list1, const LineList& list2) const
{
    if (list1.empty() || list2.empty())
        return false;
    bool paired = extendMatch(list1, 0, list2, 0);
    paired = extendMatch(list1, list1.size(), list2, list2.size()) || paired;
    const UniqueLineMap map1 = buildUniqueLineMap(list1, m_options);
    const UniqueLineMap map2 = buildUniqueLineMap(list2, m_options);
    for (std::size_t i = 0; i < list1.size(); ++i) {
        Line* left = list1[i];
        const std::int64_t hash = lineHash(left->text, m_options);
        if (left->partner || !hasCountOne(map1, hash) || !hasCountOne(map2, hash))
            continue;
        const std::size_t j = map2.at(hash).index;
        if (link(left, list2[j])) {
            paired = true;
            extendMatch(list1, i, list2, j);
        }
    }
    return paired;
}

std::optional<std::size_t> Comparer::next(const LineList& list, std::size_t y) const
{
    for (std::size_t i = y + 1; i < list.size(); ++i) {
        if (!m_options.ignoreWhitespace || list[i]->partner || !blank(list[i]))
            return i;
    }
    return std::nullopt;
}

// One past the last line of the common run that starts at x.
std::size_t Comparer::commonRunEnd(const LineList& own, std::size_t x, const LineList& other) const
{
    if (own[x]->partner)
        return pairedRunEnd(own, x, other);
    const std::optional<std::size_t> n = next(own, x);
    if (!n)
        return own.size() - x - 1 <= 1 ? own.size() : x + 1;
    if (own[*n]->partner)
        return pairedRunEnd(own, *n, other);
    return *n;
}

std::size_t Comparer::pairedRunEnd(const LineList& own, std::size_t y, const LineList& other) const
{
    for (;;) {
        const std::optional<std::size_t> n = next(own, y);
        if (!n)
            return own.size() - y - 1 <= 1 ? own.size() : y + 1;
        if (!own[*n]->partner)
            return *n;
        const std::optional<std::size_t> p = indexOf(other, own[y]->partner);
        const std::optional<std::size_t> q = p ? next(other, *p) : std::nullopt;
        if (!q || own[*n]->partner != other[*q])
            return *n;
        y = *n;
    }
}

std::vector<Run> Comparer::buildRuns(const LineList& own, const LineList& other, int changedKind) const
{
    std::vector<Run> runs;
    std::size_t x = 0;
    while (x < own.size()) {
        if (own[x]->partner || (m_options.ignoreWhitespace && blank(own[x]))) {
            runs.push_back({x, commonRunEnd(own, x, other), 1});
        } else {
            std::size_t end = x + 1;
            while (end < own.size() && !own[end]->partner)
                ++end;
            runs.push_back({x, end, changedKind});
        }
        x = runs.back().end;
    }
    return runs;
}

LineList slice(const LineList& lines, const Run& run)
{
    return LineList(lines.begin() + static_cast<std::ptrdiff_t>(run.begin),
                    lines.begin() + static_cast<std::ptrdiff_t>(run.end));
}

void Comparer::buildSections(const LineList& own, const LineList& other, int changedKind, SectionList& out)
{
    for (const Run& run : buildRuns(own, other, changedKind))
        out.push_back(newSection(slice(own, run), run.kind));
}

void Comparer::linkCommonSections(const SectionList& list1, const SectionList& list2) const
{
    for (Section* u : list1) {
        const Line* first = u->kind == 1 ? firstPairedLine(*u) : nullptr;
        if (!first)
            continue;
        for (Section* v : list2) {
            if (v->kind == 1 && firstPairedLine(*v) == first->partner) {
                u->partner = v;
                v->partner = u;
                break;
            }
        }
    }
}

// Index in list2 of the section to refine list1[i] against, if any.
std::optional<std::size_t> Comparer::counterpart(const SectionList& list1, std::size_t i,
                                                 const SectionList& list2) const
{
    const bool last = i + 1 == list1.size();
    if ((i > 0 && list1[i - 1]->kind != 1) || (!last && list1[i + 1]->kind != 1))
        return std::nullopt;
    if (list1.size() == 1) {
        if (list2.empty())
            return std::nullopt;
        return 0;
    }
    if (i == 0) {
        const Section* n = list1[1]->partner;
        const std::optional<std::size_t> at = n ? indexOf(list2, n) : std::nullopt;
        if (!at || *at == 0 || *at - 1 == 0 || list2[*at - 1]->partner)
            return std::nullopt;
        return *at - 1;
    }
    const Section* p = list1[i - 1]->partner;
    const std::optional<std::size_t> at = p ? indexOf(list2, p) : std::nullopt;
    if (!at)
        return std::nullopt;
    const std::size_t v = *at + 1;
    if (v >= list2.size() || list2[v]->partner || v + 1 >= list2.size())
        return std::nullopt;
    if (!last && list2[v + 1] != list1[i + 1]->partner)
        return std::nullopt;
    return v;
}

// Splits list[index] into its runs (the first stays in the section, the others are inserted
// after it); returns the number of sections it became.
std::size_t Comparer::split(SectionList& list, std::size_t index, const LineList& other, int changedKind)
{
    Section* section = list[index];
    const LineList lines = section->lines;
    const std::vector<Run> runs = buildRuns(lines, other, changedKind);
    section->lines = slice(lines, runs.front());
    section->kind = runs.front().kind;
    for (std::size_t r = 1; r < runs.size(); ++r) {
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(index + r),
                    newSection(slice(lines, runs[r]), runs[r].kind));
    }
    return runs.size();
}

// Pairs each new common section of list1 with the new common section of list2 that holds the
// partner of its first paired line, so that crosswise matches inside a region pair the right
// sections.
void Comparer::pairSplitSections(const SectionList& list1, std::size_t u, std::size_t uCount, const SectionList& list2,
                                 std::size_t v, std::size_t vCount) const
{
    for (std::size_t a = u; a < u + uCount; ++a) {
        const Line* first = list1[a]->kind == 1 ? firstPairedLine(*list1[a]) : nullptr;
        if (!first)
            continue;
        for (std::size_t b = v; b < v + vCount; ++b) {
            Section* target = list2[b];
            if (target->kind != 1 || !indexOf(target->lines, first->partner))
                continue;
            if (!target->partner) {
                list1[a]->partner = target;
                target->partner = list1[a];
            }
            break;
        }
    }
}

bool Comparer::refineSections(SectionList& list1, SectionList& list2)
{
    linkCommonSections(list1, list2);
    bool anySplit = false;
    for (std::size_t i = 0; i < list1.size(); ++i) {
        if (list1[i]->kind == 1)
            continue;
        const std::optional<std::size_t> v = counterpart(list1, i, list2);
        if (!v || !matchPass(list1[i]->lines, list2[*v]->lines))
            continue;
        anySplit = true;
        const LineList uLines = list1[i]->lines;
        const LineList vLines = list2[*v]->lines;
        const std::size_t uCount = split(list1, i, vLines, 2);
        const std::size_t vCount = split(list2, *v, uLines, 3);
        pairSplitSections(list1, i, uCount, list2, *v, vCount);
    }
    return anySplit;
}

void emitAs(Section* section, int kind, std::vector<Section*>& out)
{
    section->kind = kind;
    if (kind != 1) {
        for (Line* line : section->lines) {
            if (line->partner && line->partner->partner == line)
                line->partner->partner = nullptr;
            line->partner = nullptr;
        }
        section->partner = nullptr;
    }
    out.push_back(section);
}

void Comparer::mergeSections(const SectionList& list1, const SectionList& list2, std::vector<Section*>& out) const
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < list1.size() || j < list2.size()) {
        if (i == list1.size()) {
            emitAs(list2[j++], 3, out);
            continue;
        }
        if (j == list2.size()) {
            emitAs(list1[i++], 2, out);
            continue;
        }
        Section* a = list1[i];
        Section* b = list2[j];
        if (a->kind == 2 || !a->partner) {
            emitAs(a, 2, out);
            ++i;
        } else if (!b->partner) {
            emitAs(b, 3, out);
            ++j;
        } else if (a->partner == b) {
            out.push_back(a);
            ++i;
            ++j;
        } else if (a->lines.size() < b->lines.size()) {
            emitAs(a, 2, out);
            ++i;
        } else {
            emitAs(b, 3, out);
            ++j;
        }
    }
}

std::vector<int> numbers(const LineList& lines)
{
    std::vector<int> result;
    for (const Line* line : lines)
        result.push_back(line->number);
    return result;
}

SSection describe(const Section& section)
{
    SSection result{section.kind, numbers(section.lines), {}, {}};
    if (section.kind != 1)
        return result;
    if (section.partner)
        result.partnerLines = numbers(section.partner->lines);
    for (const Line* line : section.lines)
        result.pairedWith.push_back(line->partner ? line->partner->number : 0);
    return result;
}

LineList loadLines(const std::vector<std::u16string>& text, std::deque<Line>& storage)
{
    LineList list;
    for (const std::u16string& line : text) {
        storage.push_back(Line{line, static_cast<int>(storage.size()) + 1, nullptr});
        list.push_back(&storage.back());
    }
    return list;
}

std::vector<SSection> Comparer::run(const std::vector<std::u16string>& text1, const std::vector<std::u16string>& text2)
{
    const LineList list1 = loadLines(text1, m_file1);
    const LineList list2 = loadLines(text2, m_file2);
    matchPass(list1, list2);
    SectionList sections1;
    SectionList sections2;
    buildSections(list1, list2, 2, sections1);
    buildSections(list2, list1, 3, sections2);
    refineSections(sections1, sections2);
    std::vector<Section*> merged;
    mergeSections(sections1, sections2, merged);
    std::vector<SSection> result;
    for (const Section* section : merged)
        result.push_back(describe(*section));
    return result;
}

std::string side(int first, int count)
{
    if (count == 0)
        return "missing";
    if (count == 1)
        return std::to_string(first);
    return std::to_string(first) + "-" + std::to_string(first + count - 1);
}

}  // namespace

std::int32_t foldChar(char16_t ch)
{
    if (ch < 0x80)
        return ch >= u'a' && ch <= u'z' ? ch - 0x20 : ch;
    if (ch <= 0xFF)
        return static_cast<std::int8_t>(upper1252(static_cast<std::uint8_t>(ch)));
    static const CCaseFolder& folder = CCaseFolder::forCodePage(*CCodePage::byNumber(1252));
    return folder.fold(ch);
}

std::int64_t lineHash(std::u16string_view text, SOptions options)
{
    constexpr std::uint64_t kMultiplier = 6293815;
    std::uint64_t hash = 0;
    std::uint64_t power = 1;
    std::uint64_t k = 0;
    for (std::size_t i = 0; at(text, i) != u'\0'; ++i) {
        const char16_t ch = text[i];
        if (options.ignoreWhitespace && isSkipped(ch))
            continue;
        ++k;
        power *= kMultiplier;
        hash += k * static_cast<std::uint64_t>(static_cast<std::int64_t>(charValue(ch, options))) * power;
    }
    return static_cast<std::int64_t>(hash);
}

bool linesEqual(std::u16string_view a, std::u16string_view b, SOptions options)
{
    if (lineHash(a, options) != lineHash(b, options))
        return false;
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (options.ignoreWhitespace) {
            while (isSkipped(at(a, i)))
                ++i;
            while (isSkipped(at(b, j)))
                ++j;
        }
        const char16_t ca = at(a, i);
        const char16_t cb = at(b, j);
        if (ca != cb && (!options.ignoreCase || foldChar(ca) != foldChar(cb)))
            return false;
        if (ca == u'\0' || cb == u'\0')
            return true;
        ++i;
        ++j;
    }
}

bool isBlankLine(std::u16string_view text)
{
    for (std::size_t i = 0; at(text, i) != u'\0'; ++i) {
        if (!isSkipped(text[i]))
            return false;
    }
    return true;
}

std::vector<SSection> compareLines(const std::vector<std::u16string>& file1, const std::vector<std::u16string>& file2,
                                   SOptions options)
{
    return Comparer(options).run(file1, file2);
}

std::string label(int file1First, int file1Count, int file2First, int file2Count)
{
    return side(file1First, file1Count) + ";" + side(file2First, file2Count);
}

std::string sectionListText(const std::vector<SSection>& result)
{
    std::string text;
    for (std::size_t i = 0; i < result.size();) {
        if (result[i].kind == 1) {
            const SSection& s = result[i++];
            const int f2 = s.partnerLines.empty() ? s.lines.front() : s.partnerLines.front();
            text +=
                "same " +
                label(s.lines.front(), static_cast<int>(s.lines.size()), f2, static_cast<int>(s.partnerLines.size())) +
                "\n";
            continue;
        }
        int first[2] = {0, 0};
        int count[2] = {0, 0};
        for (; i < result.size() && result[i].kind != 1; ++i) {
            const int s = result[i].kind == 2 ? 0 : 1;
            if (count[s] == 0)
                first[s] = result[i].lines.front();
            count[s] += static_cast<int>(result[i].lines.size());
        }
        text += "diff " + label(first[0], count[0], first[1], count[1]) + "\n";
    }
    return text;
}

}  // namespace brindle::reference
