// Word lists: their sizes per language, the words that tell them apart, and their case rules.
#include "editor/word_list.h"

#include "editor/text_type.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace brindle {
namespace {

struct SLanguageCase {
    const char* name;
    std::int32_t row;
    std::vector<std::size_t> sizes;
    std::vector<std::u16string> tellingWords;
    bool caseSensitive;
};

class KeywordListTest : public testing::TestWithParam<SLanguageCase> {};

bool anyListHolds(std::span<const SWordList> lists, std::u16string_view word)
{
    for (const SWordList& list : lists) {
        if (list.contains(word))
            return true;
    }
    return false;
}

std::u16string flipCase(std::u16string word)
{
    for (char16_t& ch : word) {
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - 32);
        else if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch + 32);
    }
    return word;
}

TEST_P(KeywordListTest, HasItsSizesAndTellingWords)
{
    const SLanguageCase& c = GetParam();
    const std::span<const SWordList> lists = wordListsOfTextType(c.row);
    std::vector<std::size_t> sizes;
    for (const SWordList& list : lists) {
        sizes.push_back(list.words.size());
        EXPECT_EQ(list.caseSensitive, c.caseSensitive);
        std::set<std::u16string_view> seen;
        for (const std::u16string_view word : list.words) {
            EXPECT_FALSE(word.empty());
            EXPECT_TRUE(seen.insert(word).second) << "duplicate " << std::string(word.begin(), word.end());
        }
    }
    EXPECT_EQ(sizes, c.sizes);
    for (const std::u16string& word : c.tellingWords) {
        EXPECT_TRUE(anyListHolds(lists, word)) << std::string(word.begin(), word.end());
        EXPECT_EQ(anyListHolds(lists, flipCase(word)), !c.caseSensitive) << std::string(word.begin(), word.end());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, KeywordListTest,
    testing::Values(
        SLanguageCase{"ASP", 1, {77, 57, 101, 159}, {u"DOCTYPE", u"BGCOLOR", u"nbsp", u"Function", u"Wend"}, false},
        SLanguageCase{"Basic", 2, {159}, {u"If", u"Function", u"Wend"}, true},
        SLanguageCase{"Batch", 3, {93, 66}, {u"CALL", u"CHCP", u"ATTRIB", u"DELTREE"}, false},
        SLanguageCase{"C", 4, {109, 21}, {u"__asm", u"__based", u"template", u"LPCTSTR", u"TCHAR"}, true},
        SLanguageCase{"DCL", 5, {20, 18, 31}, {u"boxed_column", u"ok_cancel_help", u"edit_width"}, true},
        SLanguageCase{"Fortran", 6, {205}, {u"adjustl", u"allocatable", u".and."}, false},
        SLanguageCase{"HTML", 7, {77, 57, 101}, {u"FRAMESET", u"HREF", u"copy"}, false},
        SLanguageCase{"InstallShield", 8, {44, 30, 15}, {u"endswitch", u"COMMANDEX", u"SUPPORTDIR"}, true},
        SLanguageCase{"Java", 9, {50}, {u"synchronized", u"package"}, true},
        SLanguageCase{"AutoLISP", 10, {226}, {u"acad_colordlg", u"action_tile"}, true},
        SLanguageCase{"Pascal", 11, {51}, {u"program", u"record"}, false},
        SLanguageCase{"Perl", 12, {222}, {u"qq", u"qw", u"sub"}, false},
        SLanguageCase{"PHP", 13, {77, 57, 101, 51, 3}, {u"cfunction", u"old_function", u"OR", u"AND", u"XOR"}, false},
        SLanguageCase{"Python", 14, {28, 37, 53}, {u"elif", u"exc_traceback", u"__members__"}, true},
        SLanguageCase{"REXX", 15, {57, 10}, {u"INTERPRET", u"EXTENDS"}, false},
        SLanguageCase{"Resources", 16, {6}, {u"MENUITEM", u"POPUP"}, false},
        SLanguageCase{"Sgml", 17, {55, 4, 101}, {u"DEBIANDOC", u"CHAPT"}, false},
        SLanguageCase{"Shell", 18, {28, 8}, {u"esac", u"chmod"}, false},
        SLanguageCase{"SIOD", 19, {70, 9, 203}, {u"assq", u"base64decode", u"*eval-history-ptr*"}, false},
        SLanguageCase{"SQL", 20, {17, 10}, {u"select", u"VARCHAR", u"MEMO"}, false},
        SLanguageCase{"TCL", 21, {14}, {u"esac", u"done"}, false},
        SLanguageCase{"TEX", 22, {521, 291}, {u"documentclass", u"maketitle", u"AtBeginDocument"}, false}),
    test::SCaseName{});

TEST(KeywordLookup, ComparesWholeWordsOnly)
{
    const std::u16string_view words[] = {u"for", u"format"};
    const SWordList sensitive{words, true};
    const SWordList folded{words, false};
    struct SCase {
        std::u16string_view word;
        bool inSensitive;
        bool inFolded;
    };
    const SCase cases[] = {{u"for", true, true},    {u"FOR", false, true},    {u"fo", false, false},
                           {u"form", false, false}, {u"Format", false, true}, {u"", false, false},
                           {u"for ", false, false}};
    for (const SCase& c : cases) {
        EXPECT_EQ(sensitive.contains(c.word), c.inSensitive) << std::string(c.word.begin(), c.word.end());
        EXPECT_EQ(folded.contains(c.word), c.inFolded) << std::string(c.word.begin(), c.word.end());
    }
    // Folding is ASCII only: a Latin-1 capital does not match its small letter.
    const std::u16string_view accented[] = {u"\u00e9t\u00e9"};
    EXPECT_FALSE((SWordList{accented, false}.contains(u"\u00c9T\u00c9")));
    EXPECT_TRUE(wordListsOfTextType(0).empty());
    EXPECT_TRUE(wordListsOfTextType(23).empty());
    EXPECT_TRUE(wordListsOfTextType(24).empty());
}

}  // namespace
}  // namespace brindle
