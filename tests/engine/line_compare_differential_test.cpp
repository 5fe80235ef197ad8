// The engine's line comparison against the reference comparison on thousands of random file
// pairs: small vocabularies so that repeats, anchors and crossings are frequent, whitespace and
// case variants for the ignore options, edited copies and unrelated pairs, all four option sets.
#include "engine_line_compare_adapter.h"
#include "reference_line_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace brindle {
namespace {

using reference::SOptions;
using Lines = std::vector<std::u16string>;

const SOptions kAllOptions[] = {{false, false}, {true, false}, {false, true}, {true, true}};

const Lines kPlainWords = {u"alpha", u"beta",  u"gamma",  u"delta",   u"epsilon", u"zeta", u"eta",     u"theta",
                           u"iota",  u"kappa", u"lambda", u"mu",      u"nu",      u"xi",   u"omicron", u"pi",
                           u"rho",   u"sigma", u"tau",    u"upsilon", u"phi",     u"chi",  u"psi",     u"omega",
                           u"{",     u"}",     u"0",      u"1",       u"return;", u"end"};

const Lines kWhitespaceWords = {u"a",   u" a", u"a ",  u"\ta", u"",   u"  ", u"\r",  u"b",
                                u"a b", u"ab", u"b\t", u" ",   u"\t", u"c",  u" c ", u"a\r"};

const Lines kCaseWords = {u"abc", u"ABC",    u"aBc",    u"\u00e9", u"\u00c9", u"x",
                          u"X",   u"\u00ff", u"\u0178", u"\u0161", u"\u0160", u"\u4e2d",
                          u"-",   u"\u0430", u"\u0410", u"a b c",  u"A B C",  u"y"};

Lines mixedWords()
{
    Lines words = kWhitespaceWords;
    words.insert(words.end(), kCaseWords.begin(), kCaseWords.end());
    words.push_back(std::u16string(u"a\0b", 3));
    words.push_back(std::u16string(u"\0", 1));
    return words;
}

class CPairGenerator {
public:
    CPairGenerator(std::uint32_t seed, Lines words) : m_random(seed), m_allWords(std::move(words)) {}

    // A fresh vocabulary of 3 to 30 texts, file 1 and a file 2 that is either an edited copy of
    // file 1 or unrelated to it.
    void next(Lines& file1, Lines& file2)
    {
        chooseVocabulary();
        file1 = randomFile();
        if (below(10) < 3) {
            file2 = randomFile();
            return;
        }
        file2 = file1;
        for (std::size_t edits = below(7); edits > 0; --edits)
            edit(file2);
    }

private:
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : m_random() % bound; }

    void chooseVocabulary()
    {
        Lines words = m_allWords;
        for (std::size_t i = words.size(); i > 1; --i)
            std::swap(words[i - 1], words[below(i)]);
        const std::size_t size = std::min<std::size_t>(3 + below(28), words.size());
        m_vocabulary.assign(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(size));
    }

    // Skewed towards the first words, so that some texts repeat and others stay unique.
    const std::u16string& randomWord()
    {
        const std::size_t a = below(m_vocabulary.size());
        const std::size_t b = below(m_vocabulary.size());
        return m_vocabulary[below(2) == 0 ? a : std::min(a, b)];
    }

    Lines randomFile()
    {
        const std::size_t size = below(4) == 0 ? below(8) : below(61);
        Lines lines;
        for (std::size_t i = 0; i < size; ++i)
            lines.push_back(randomWord());
        return lines;
    }

    void edit(Lines& lines)
    {
        const std::size_t n = lines.size();
        const auto at = [&](std::size_t i) { return lines.begin() + static_cast<std::ptrdiff_t>(i); };
        switch (below(5)) {
        case 0:
            if (n > 0)
                lines[below(n)] = randomWord();
            break;
        case 1: lines.insert(at(below(n + 1)), randomWord()); break;
        case 2:
            if (n > 0)
                lines.erase(at(below(n)));
            break;
        case 3:
            if (n > 1) {
                const std::size_t first = below(n);
                const std::size_t last = first + 1 + below(std::min<std::size_t>(n - first, 8));
                Lines block(at(first), at(last));
                lines.erase(at(first), at(last));
                lines.insert(at(below(lines.size() + 1)), block.begin(), block.end());
            }
            break;
        default:
            if (n > 1)
                std::swap(lines[below(n)], lines[below(n)]);
            break;
        }
    }

    std::mt19937 m_random;
    Lines m_allWords;
    Lines m_vocabulary;
};

std::string optionText(SOptions options)
{
    return std::string("ignore whitespace ") + (options.ignoreWhitespace ? "on" : "off") + ", ignore case " +
           (options.ignoreCase ? "on" : "off");
}

std::string disagreement(const std::vector<reference::SSection>& expected, const testing::SEngineOutcome& engine)
{
    const std::string expectedList = reference::sectionListText(expected);
    if (engine.completed && engine.sections == expected && engine.sectionList == expectedList)
        return {};
    return "reference:\n" + testing::dumpSections(expected) + expectedList + "engine:\n" +
           testing::dumpSections(engine.sections) + engine.sectionList;
}

// Empty when engine and reference agree; otherwise both results side by side.
std::string difference(const Lines& file1, const Lines& file2, SOptions options)
{
    return disagreement(reference::compareLines(file1, file2, options), testing::engineCompare(file1, file2, options));
}

// Drops lines one at a time, from either file, while the two still disagree.
void minimise(Lines& file1, Lines& file2, SOptions options)
{
    for (bool shrunk = true; shrunk;) {
        shrunk = false;
        for (Lines* file : {&file1, &file2}) {
            for (std::size_t i = 0; i < file->size();) {
                Lines smaller = *file;
                smaller.erase(smaller.begin() + static_cast<std::ptrdiff_t>(i));
                std::swap(*file, smaller);
                if (!difference(file1, file2, options).empty()) {
                    shrunk = true;
                    continue;
                }
                std::swap(*file, smaller);
                ++i;
            }
        }
    }
}

// Every file-1 line once, in order, as a common or file-1-only line; every file-2 line once, in
// order, in a common section's partner or as a file-2-only line.
std::string coverageFault(const std::vector<reference::SSection>& result, std::size_t lines1, std::size_t lines2)
{
    std::vector<int> seen1;
    std::vector<int> seen2;
    for (const reference::SSection& section : result) {
        std::vector<int>& seen = section.kind == 3 ? seen2 : seen1;
        seen.insert(seen.end(), section.lines.begin(), section.lines.end());
        seen2.insert(seen2.end(), section.partnerLines.begin(), section.partnerLines.end());
    }
    std::vector<int> expected1(lines1);
    std::vector<int> expected2(lines2);
    for (std::size_t i = 0; i < lines1; ++i)
        expected1[i] = static_cast<int>(i) + 1;
    for (std::size_t i = 0; i < lines2; ++i)
        expected2[i] = static_cast<int>(i) + 1;
    if (seen1 != expected1)
        return "file 1 lines out of order or missing";
    if (seen2 != expected2)
        return "file 2 lines out of order or missing";
    return {};
}

// BRINDLE_DIFFERENTIAL_PAIRS sets the count for a longer run by hand; the sanitizer build runs
// the same seeds, only fewer pairs from each.
std::size_t pairsPerSeed()
{
    if (const char* count = std::getenv("BRINDLE_DIFFERENTIAL_PAIRS"))
        return std::strtoul(count, nullptr, 10);
    return std::getenv("BRINDLE_SANITIZED") ? 150 : 1500;
}

struct SFamily {
    const char* name;
    std::uint32_t seed;
    Lines words;
};

class LineCompareDifferential : public ::testing::TestWithParam<SFamily> {};

TEST_P(LineCompareDifferential, EngineMatchesReference)
{
    const SFamily& family = GetParam();
    CPairGenerator generator(family.seed, family.words);
    int failures = 0;
    Lines file1;
    Lines file2;
    for (std::size_t pair = 0; pair < pairsPerSeed() && failures < 3; ++pair) {
        generator.next(file1, file2);
        for (const SOptions options : kAllOptions) {
            const auto where = [&] {
                return std::string(family.name) + " pair " + std::to_string(pair) + ", " + optionText(options) +
                       "\nfile 1 " + testing::escapeLines(file1) + "\nfile 2 " + testing::escapeLines(file2) + "\n";
            };
            const std::vector<reference::SSection> expected = reference::compareLines(file1, file2, options);
            const testing::SEngineOutcome engine = testing::engineCompare(file1, file2, options);
            if (!options.ignoreWhitespace && !options.ignoreCase) {
                EXPECT_EQ(coverageFault(engine.sections, file1.size(), file2.size()), "") << where();
            }
            if (disagreement(expected, engine).empty())
                continue;
            ++failures;
            Lines small1 = file1;
            Lines small2 = file2;
            minimise(small1, small2, options);
            ADD_FAILURE() << where() << "smallest disagreement:\nfile 1 " << testing::escapeLines(small1) << "\nfile 2 "
                          << testing::escapeLines(small2) << "\n"
                          << difference(small1, small2, options);
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, LineCompareDifferential,
                         ::testing::Values(SFamily{"plain", 1001, kPlainWords},
                                           SFamily{"whitespace", 2002, kWhitespaceWords},
                                           SFamily{"case", 3003, kCaseWords}, SFamily{"mixed", 4004, mixedWords()}),
                         [](const ::testing::TestParamInfo<SFamily>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace brindle
