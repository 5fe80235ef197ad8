// Tests for the editor's regular-expression engine: every element of the dialect, malformed
// patterns, search windows, patterns that blow up a naive backtracker, and agreement with a
// reference backtracker on random patterns.
#include "editor/ed_regex.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace brindle {
namespace {

using Spans = std::vector<std::pair<int, int>>;  // group 0, 1, ...; empty: no match

constexpr std::uint32_t kCase = CEdRegex::kMatchCase;
constexpr std::uint32_t kFold = 0;
constexpr std::uint32_t kWord = CEdRegex::kWholeWord | CEdRegex::kMatchCase;

struct SMatchCase {
    std::string name;
    std::u16string pattern;
    std::u16string subject;
    std::uint32_t options;
    Spans spans;
};

void PrintTo(const SMatchCase& c, std::ostream* out) { *out << c.name; }

Spans spansOf(const SEdRegexMatch& match, std::size_t count)
{
    Spans spans;
    for (std::size_t group = 0; group < count; ++group)
        spans.emplace_back(match.start(static_cast<int>(group)), match.end(static_cast<int>(group)));
    return spans;
}

class RegexMatch : public testing::TestWithParam<SMatchCase> {};

TEST_P(RegexMatch, LeftmostMatchAndGroups)
{
    const SMatchCase& c = GetParam();
    CEdRegex regex;
    ASSERT_TRUE(regex.compile(c.pattern, c.options));
    SEdRegexMatch match;
    const int size = static_cast<int>(c.subject.size());
    const bool found = regex.search(c.subject, 0, size, size, match);
    EXPECT_EQ(found ? spansOf(match, c.spans.size()) : Spans{}, c.spans);
}

const SMatchCase kMatchCases[] = {
    {"Literal", u"abc", u"xxabcx", kCase, {{2, 5}}},
    {"LiteralMissing", u"abd", u"abc", kCase, {}},
    {"FoldAscii", u"ABC", u"xabc", kFold, {{1, 4}}},
    {"MatchCaseRejects", u"ABC", u"abc", kCase, {}},
    {"FoldLatin1", u"\u00e9T\u00e9", u"\u00c9t\u00c9", kFold, {{0, 3}}},
    {"FoldYDiaeresis", u"\u00ff", u"\u0178", kFold, {{0, 1}}},
    {"FoldFinalSigma", u"\u03c3\u03c2", u"\u03a3\u03a3", kFold, {{0, 2}}},
    {"DotAny", u"a.c", u"a\u4e2dc", kCase, {{0, 3}}},
    {"DotNotLineFeed", u"a.c", u"a\nc", kCase, {}},
    {"CaretAtStart", u"^ab", u"abab", kCase, {{0, 2}}},
    {"CaretNotInside", u"^b", u"ab", kCase, {}},
    {"CaretAfterLineFeed", u"^b", u"a\nb", kCase, {{2, 3}}},
    {"DollarAtEnd", u"b$", u"abab", kCase, {{3, 4}}},
    {"DollarBeforeLineFeed", u"a$", u"a\nb", kCase, {{0, 1}}},
    {"WordStart", u"<b", u"ab b", kCase, {{3, 4}}},
    {"WordEnd", u"a>", u"aa a", kCase, {{1, 2}}},
    {"WordCodesFrom128", u"a>", u"a\u00e9 a", kCase, {{3, 4}}},
    {"WordUnderscore", u"<x", u"_x x", kCase, {{3, 4}}},
    {"ClassSet", u"[bc]+", u"abca", kCase, {{1, 3}}},
    {"ClassRange", u"[a-c]+", u"xabcd", kCase, {{1, 4}}},
    {"ClassNegated", u"[^a-c]+", u"abxyc", kCase, {{2, 4}}},
    {"ClassBracketFirst", u"[]a]+", u"x]a]", kCase, {{1, 4}}},
    {"ClassNegatedBracketFirst", u"[^]]+", u"]]ab]", kCase, {{2, 4}}},
    {"ClassDashAtEdges", u"[-a][a-]", u"x-aa-", kCase, {{1, 3}}},
    {"ClassEscapes", u"[\\t\\]\\\\]+", u"a\t]\\b", kCase, {{1, 4}}},
    {"ClassCodeRange", u"[\\x41-\\o103]+", u"xABCD", kCase, {{1, 4}}},
    {"ClassWithClassLetter", u"[\\d_]+", u"a1_2b", kCase, {{1, 4}}},
    {"ClassFoldLower", u"[a-c]+", u"xABC", kFold, {{1, 4}}},
    {"ClassFoldUpper", u"[A-C]+", u"xabc", kFold, {{1, 4}}},
    {"ClassNegatedFold", u"[^a]", u"Ab", kFold, {{1, 2}}},
    {"ClassMatchCase", u"[a-c]+", u"ABCa", kCase, {{3, 4}}},
    {"ClassMatchesLineFeed", u"a[^b]c", u"a\nc", kCase, {{0, 3}}},
    {"LetterW", u"\\w+", u" a_1\u00e9 ", kCase, {{1, 5}}},
    {"LetterNotW", u"\\W+", u"ab .-c", kCase, {{2, 5}}},
    {"LetterS", u"\\s+", u"a \t\r\n\v\fb", kCase, {{1, 7}}},
    {"LetterNotS", u"\\S+", u"  ab ", kCase, {{2, 4}}},
    {"LetterD", u"\\d+", u"ab123c", kCase, {{2, 5}}},
    {"LetterNotD", u"\\D+", u"12ab3", kCase, {{2, 4}}},
    {"LetterUpper", u"\\U+", u"ab\u0393D\u00c9\u03b4", kCase, {{2, 5}}},
    {"LetterLower", u"\\L+", u"ABc\u00df\u03b4E", kCase, {{2, 5}}},
    {"LetterHexNumber", u"\\N+", u"xyz0aF9g", kCase, {{3, 7}}},
    {"LetterControl", u"\\C+", u"a\x01\x1f\x7f\u0085 b", kCase, {{1, 5}}},
    {"ControlEscapes", u"\\t\\r\\a\\e\\f\\v", u"x\t\r\a\x1b\f\vx", kCase, {{1, 7}}},
    {"LineFeedEscape", u"a\\nb", u"a\nb", kCase, {{0, 3}}},
    {"HexEscapes", u"\\x41\\x0042", u"xAB", kCase, {{1, 3}}},
    {"HexAtMostFourDigits", u"\\x00411", u"A1", kCase, {{0, 2}}},
    {"OctalEscape", u"\\o101\\o177777", u"xA\uffff", kCase, {{1, 3}}},
    {"EscapedSpecials",
     u"\\(\\)\\{\\}\\[\\]\\*\\+\\?\\@\\#\\|\\.\\^\\$\\<\\>\\\\",
     u"(){}[]*+?@#|.^$<>\\",
     kCase,
     {{0, 18}}},
    {"EscapedPlainLetters", u"\\b\\q\\1", u"bq1", kCase, {{0, 3}}},
    {"NumberedGroups", u"(a+)(b+)", u"xaabbb", kCase, {{1, 6}, {1, 3}, {3, 6}}},
    {"GroupWithoutNumber", u"{a+}(b)", u"aab", kCase, {{0, 3}, {2, 3}}},
    {"NestedGroups", u"((a)b)", u"ab", kCase, {{0, 2}, {0, 2}, {0, 1}}},
    {"UnsetGroup", u"(a)|(b)", u"b", kCase, {{0, 1}, {-1, -1}, {0, 1}}},
    {"RepeatedGroupKeepsLast", u"(a|b)+", u"ab", kCase, {{0, 2}, {1, 2}}},
    {"TenthGroupOnlyGroups",
     u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)",
     u"abcdefghij",
     kCase,
     {{0, 10}, {0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}}},
    {"EmptyGroup", u"()", u"x", kCase, {{0, 0}, {0, 0}}},
    {"StarGreedy", u"a*", u"aaa", kCase, {{0, 3}}},
    {"StarNone", u"ba*", u"b", kCase, {{0, 1}}},
    {"Plus", u"a+", u"baa", kCase, {{1, 3}}},
    {"Optional", u"ab?c", u"ac abc", kCase, {{0, 2}}},
    {"LazyStarAlone", u"a@", u"aaa", kCase, {{0, 0}}},
    {"LazyStarLeftmostStart", u"a@b", u"aab", kCase, {{0, 3}}},
    {"LazyPlusAlone", u"a#", u"aaa", kCase, {{0, 1}}},
    {"GreedyGroups", u"(a+)(a*)", u"aaa", kCase, {{0, 3}, {0, 3}, {3, 3}}},
    {"LazyPlusGroups", u"(a#)(a*)", u"aaa", kCase, {{0, 3}, {0, 1}, {1, 3}}},
    {"LazyStarGroups", u"(a@)(a*)", u"aaa", kCase, {{0, 3}, {0, 0}, {0, 3}}},
    {"LazyStopsAtFirst", u".@x", u"axbx", kCase, {{0, 2}}},
    {"GreedyRunsToLast", u".*x", u"axbx", kCase, {{0, 4}}},
    {"StackedRepeat", u"a*?b", u"aab", kCase, {{0, 3}}},
    {"AlternativeFirstWins", u"a|ab", u"ab", kCase, {{0, 1}}},
    {"AlternativeOrder", u"ab|a", u"ab", kCase, {{0, 2}}},
    {"LeftmostBeforePriority", u"b+|a", u"ab", kCase, {{0, 1}}},
    {"EmptyAlternative", u"a(|b)c", u"abc", kCase, {{0, 3}, {1, 2}}},
    {"WholeWordSkipsInsideWord", u"cat", u"concat cat", kWord, {{7, 10}}},
    {"WholeWordPattern", u"c.t", u"cat_ cut", kWord, {{5, 8}}},
    {"WholeWordNonWordEdges", u"-", u"a-b - ", kWord, {{4, 5}}},
};

INSTANTIATE_TEST_SUITE_P(Dialect, RegexMatch, testing::ValuesIn(kMatchCases), test::SCaseName{});

TEST(RegexCompile, MalformedPatternsFailAndMatchNothing)
{
    const std::u16string bad[] = {
        u"(",
        u"(a",
        u"a)",
        u")",
        u"{a",
        u"a}",
        u"(a}",
        u"[a",
        u"[",
        u"[]",
        u"[^]",
        u"]",
        u"a]",
        u"*a",
        u"+",
        u"a|*b",
        u"(*a)",
        u"{?}",
        u"@",
        u"#",
        u"\\",
        u"a\\",
        u"\\x",
        u"\\xg",
        u"\\o",
        u"\\o8",
        u"\\o200000",
        u"[z-a]",
        u"[\\x]",
        u"[a-\\w]",
        u"[\\",
        u"[a-",
        std::u16string(1000, u'(') + std::u16string(1000, u')'),
        u"a" + std::u16string(1000, u'*'),
    };
    for (const std::u16string& pattern : bad) {
        CEdRegex regex;
        EXPECT_FALSE(regex.compile(pattern, kCase)) << std::string(pattern.begin(), pattern.end());
        EXPECT_FALSE(regex.isValid());
        SEdRegexMatch match;
        EXPECT_FALSE(regex.search(u"(a)", 0, 3, 3, match));
    }
}

TEST(RegexCompile, CountsGroupsAndLineBreaks)
{
    CEdRegex regex;
    ASSERT_TRUE(regex.compile(u"(a){b}(\\n[\\n])\\\\n", kCase));
    EXPECT_EQ(regex.groupCount(), 2);
    EXPECT_EQ(regex.lineBreakCount(), 2);
}

struct SWindowCase {
    std::string name;
    std::u16string pattern;
    std::u16string subject;
    int first;  // from / firstStart
    int last;   // lastStart
    int limit;
    bool backward;
    Spans spans;
};

void PrintTo(const SWindowCase& c, std::ostream* out) { *out << c.name; }

class RegexWindow : public testing::TestWithParam<SWindowCase> {};

TEST_P(RegexWindow, StartsAndLimit)
{
    const SWindowCase& c = GetParam();
    CEdRegex regex;
    ASSERT_TRUE(regex.compile(c.pattern, kCase));
    SEdRegexMatch match;
    const bool found = c.backward ? regex.searchBackward(c.subject, c.first, c.last, c.limit, match)
                                  : regex.search(c.subject, c.first, c.last, c.limit, match);
    EXPECT_EQ(found ? spansOf(match, c.spans.size()) : Spans{}, c.spans);
}

const SWindowCase kWindowCases[] = {
    {"FromSkipsEarlier", u"ab", u"abab", 1, 4, 4, false, {{2, 4}}},
    {"LastStartBounds", u"b", u"aab", 0, 1, 3, false, {}},
    {"LimitCutsGreedy", u"a+", u"aaaa", 0, 4, 2, false, {{0, 2}}},
    {"DollarSeesRealEnd", u"a+$", u"aaaa", 0, 2, 2, false, {}},
    {"WordEndSeesRealNext", u"a>", u"aab", 0, 2, 2, false, {}},
    {"CaretNotAtFrom", u"^b", u"ab", 1, 2, 2, false, {}},
    {"BackwardLast", u"ab", u"abxab", 0, 5, 5, true, {{3, 5}}},
    {"BackwardBelowLastStart", u"ab", u"abxab", 0, 2, 5, true, {{0, 2}}},
    {"BackwardMayReachPastLastStart", u"a+", u"aaaa", 0, 1, 4, true, {{1, 4}}},
    {"BackwardKeepsPriority", u"(a@)(a*)", u"baaa", 0, 1, 4, true, {{1, 4}, {1, 1}, {1, 4}}},
    {"BackwardRespectsFirstStart", u"ab", u"abxab", 1, 2, 5, true, {}},
    {"BackwardEmptyAtEnd", u"$", u"ab", 0, 2, 2, true, {{2, 2}}},
    {"BackwardLimit", u"ab", u"xab", 0, 3, 2, true, {}},
};

INSTANTIATE_TEST_SUITE_P(Windows, RegexWindow, testing::ValuesIn(kWindowCases), test::SCaseName{});

// Each of these takes exponential time in a plain backtracker on a line of 100000 "a"; here they
// just have to finish.
TEST(RegexBlowUp, NestedRepeatsOnLongLineFinish)
{
    const std::u16string line(100000, u'a');
    const int size = static_cast<int>(line.size());
    const std::u16string failing[] = {u"(a*)*b", u"(a|aa)*c", u"(a+)+b", u"(a|a)*b", u"{{a*}*}*<b", u"a*a*a*a*a*b"};
    for (const std::u16string& pattern : failing) {
        CEdRegex regex;
        ASSERT_TRUE(regex.compile(pattern, kFold));
        SEdRegexMatch match;
        EXPECT_FALSE(regex.search(line, 0, size, size, match));
        EXPECT_FALSE(regex.searchBackward(line, 0, size, size, match));
    }
    CEdRegex regex;
    ASSERT_TRUE(regex.compile(u"(a|aa)*$", kCase));
    SEdRegexMatch match;
    ASSERT_TRUE(regex.search(line, 0, size, size, match));
    EXPECT_EQ(match.end(0), size);
    ASSERT_TRUE(regex.searchBackward(line, 0, size, size, match));
    EXPECT_EQ(match.start(0), size);
}

// Pattern soup from the dialect's own characters: every pattern either fails to compile or
// matches inside the subject.
TEST(RegexHostile, RandomPatternsCompileOrFailCleanly)
{
    const std::u16string alphabet = u"ab()[]{}^$.<>*+?@#|\\-xonwWsSdDULNC019";
    std::mt19937 random(7);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    int compiled = 0;
    for (int round = 0; round < 5000; ++round) {
        std::u16string pattern(pick(13), u'a');
        for (char16_t& ch : pattern)
            ch = alphabet[pick(alphabet.size())];
        std::u16string subject(pick(10), u'a');
        for (char16_t& ch : subject)
            ch = u"ab\n -_1"[pick(7)];
        CEdRegex regex;
        if (!regex.compile(pattern, pick(2) ? kCase : kFold))
            continue;
        ++compiled;
        const int size = static_cast<int>(subject.size());
        const int limit = static_cast<int>(pick(subject.size() + 1));
        SEdRegexMatch match;
        for (const bool backward : {false, true}) {
            const bool found = backward ? regex.searchBackward(subject, 0, size, limit, match)
                                        : regex.search(subject, 0, size, limit, match);
            if (found) {
                EXPECT_LE(0, match.start(0));
                EXPECT_LE(match.start(0), match.end(0));
                EXPECT_LE(match.end(0), limit);
            }
        }
    }
    EXPECT_GT(compiled, 500);
}

// A direct backtracker over a random syntax tree, the semantics the engine must reproduce. Repeat
// bodies always consume, where a backtracker and the automaton agree exactly.
struct SRefNode {
    char kind =
        0;  // 'c' char, '.' any, '^' '$' '<' '>' assertions, 's' sequence, '|' alternation, 'g' group, '*' '+' '?' '@' '#'
    char16_t ch = 0;
    int group = 0;
    std::vector<SRefNode> children;
};

SRefNode refNode(char kind, char16_t ch = 0)
{
    SRefNode node;
    node.kind = kind;
    node.ch = ch;
    return node;
}

class CReference {
public:
    explicit CReference(std::u16string_view subject) : m_s(subject) {}

    bool matchAt(const SRefNode& root, int pos, std::vector<int>& slots)
    {
        slots.assign(20, -1);
        return run(root, pos, slots, [&](int end) {
            slots[0] = pos;
            slots[1] = end;
            return true;
        });
    }

private:
    using Next = std::function<bool(int)>;

    bool word(int p) const
    {
        return p >= 0 && p < static_cast<int>(m_s.size()) && isalnum(m_s[static_cast<std::size_t>(p)]);
    }

    bool holds(char kind, int p) const
    {
        const int size = static_cast<int>(m_s.size());
        switch (kind) {
        case '^': return p == 0;
        case '$': return p == size;
        case '<': return word(p) && !word(p - 1);
        default: return word(p - 1) && !word(p);
        }
    }

    bool sequence(const std::vector<SRefNode>& items, std::size_t i, int p, std::vector<int>& slots, const Next& next)
    {
        if (i == items.size())
            return next(p);
        return run(items[i], p, slots, [&, i](int q) { return sequence(items, i + 1, q, slots, next); });
    }

    bool repeat(const SRefNode& node, int count, int p, std::vector<int>& slots, const Next& next)
    {
        const bool greedy = node.kind != '@' && node.kind != '#';
        const int least = node.kind == '+' || node.kind == '#' ? 1 : 0;
        const bool more = node.kind != '?' || count == 0;
        const auto again = [&] {
            return more &&
                   run(node.children[0], p, slots, [&](int q) { return repeat(node, count + 1, q, slots, next); });
        };
        if (count < least)
            return again();
        return greedy ? (again() || next(p)) : (next(p) || again());
    }

    bool run(const SRefNode& node, int p, std::vector<int>& slots, const Next& next)
    {
        switch (node.kind) {
        case 'c':
        case '.':
            return p < static_cast<int>(m_s.size()) &&
                   (node.kind == '.' || m_s[static_cast<std::size_t>(p)] == node.ch) && next(p + 1);
        case '^':
        case '$':
        case '<':
        case '>': return holds(node.kind, p) && next(p);
        case 's': return sequence(node.children, 0, p, slots, next);
        case '|':
            for (const SRefNode& branch : node.children) {
                if (run(branch, p, slots, next))
                    return true;
            }
            return false;
        case 'g': {
            const std::vector<int> saved = slots;
            const bool ok = run(node.children[0], p, slots, [&](int q) {
                const int oldStart = slots[2 * node.group];
                const int oldEnd = slots[2 * node.group + 1];
                slots[2 * node.group] = p;
                slots[2 * node.group + 1] = q;
                if (next(q))
                    return true;
                slots[2 * node.group] = oldStart;
                slots[2 * node.group + 1] = oldEnd;
                return false;
            });
            if (!ok)
                slots = saved;
            return ok;
        }
        default: return repeat(node, 0, p, slots, next);
        }
    }

    std::u16string_view m_s;
};

class CRandomPattern {
public:
    explicit CRandomPattern(unsigned seed) : m_random(seed) {}

    // A node and its pattern text; consuming is set when every match of it is non-empty.
    SRefNode make(int depth, std::u16string& text, bool& consuming)
    {
        const int pick = pick0(depth > 2 ? 5 : 9);
        if (pick <= 2) {
            const char16_t ch = u"ab"[pick0(2)];
            text += pick == 2 ? u'.' : ch;
            consuming = true;
            return pick == 2 ? refNode('.') : refNode('c', ch);
        }
        if (pick <= 4) {
            const char kind = "^$<>"[pick0(4)];
            text += static_cast<char16_t>(kind);
            consuming = false;
            return refNode(kind);
        }
        if (pick <= 6) {
            SRefNode node = refNode(pick == 5 ? 's' : '|');
            consuming = pick == 6;
            text += pick == 6 ? u"{" : u"";
            const int count = 2 + pick0(2);
            for (int i = 0; i < count; ++i) {
                if (i > 0 && pick == 6)
                    text += u'|';
                bool part;
                node.children.push_back(make(depth + 1, text, part));
                consuming = pick == 5 ? (consuming || part) : (consuming && part);
            }
            text += pick == 6 ? u"}" : u"";
            return node;
        }
        if (pick == 7 && m_groups < 9) {
            SRefNode node = refNode('g');
            node.group = ++m_groups;
            text += u'(';
            node.children.push_back(make(depth + 1, text, consuming));
            text += u')';
            return node;
        }
        std::u16string body;
        bool bodyConsumes;
        SRefNode inner = make(depth + 1, body, bodyConsumes);
        text += u'{' + body + u'}';
        if (!bodyConsumes) {
            consuming = false;
            return inner;
        }
        const char kind = "*+?@#"[pick0(5)];
        text += static_cast<char16_t>(kind);
        consuming = kind == '+' || kind == '#';
        SRefNode node = refNode(kind);
        node.children.push_back(std::move(inner));
        return node;
    }

    std::u16string subject()
    {
        std::u16string s(static_cast<std::size_t>(pick0(9)), u'a');
        for (char16_t& ch : s)
            ch = u"ab "[pick0(3)];
        return s;
    }

private:
    int pick0(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::mt19937 m_random;
    int m_groups = 0;
};

TEST(RegexReference, AgreesWithBacktrackerOnRandomPatterns)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        CRandomPattern random(seed);
        std::u16string pattern;
        bool consuming;
        const SRefNode root = random.make(0, pattern, consuming);
        CEdRegex regex;
        ASSERT_TRUE(regex.compile(pattern, kCase)) << seed;
        for (int round = 0; round < 4; ++round) {
            const std::u16string subject = random.subject();
            const int size = static_cast<int>(subject.size());
            CReference reference(subject);
            std::vector<int> slots;
            int first = -1;
            int last = -1;
            Spans expectFirst;
            for (int pos = 0; pos <= size; ++pos) {
                if (!reference.matchAt(root, pos, slots))
                    continue;
                if (first < 0)
                    first = pos;
                last = pos;
                if (pos == first)
                    expectFirst = Spans{{slots[0], slots[1]}, {slots[2], slots[3]}, {slots[4], slots[5]}};
            }
            SEdRegexMatch match;
            const std::string where = "seed " + std::to_string(seed) + " /" +
                                      std::string(pattern.begin(), pattern.end()) + "/ on \"" +
                                      std::string(subject.begin(), subject.end()) + "\"";
            EXPECT_EQ(regex.search(subject, 0, size, size, match) ? spansOf(match, 3) : Spans{}, expectFirst) << where;
            EXPECT_EQ(regex.searchBackward(subject, 0, size, size, match) ? match.start(0) : -1, last) << where;
        }
    }
}

}  // namespace
}  // namespace brindle
