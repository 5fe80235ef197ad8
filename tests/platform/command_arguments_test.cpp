// Splitting argument texts into words: quotes and escapes as a shell reads them, and nothing a
// shell would expand or execute.
#include "platform/command_arguments.h"

#include "platform/utf8.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace brindle {
namespace {

std::vector<std::string> split(std::string_view text)
{
    std::vector<std::string> words;
    for (const std::u16string& word : splitCommandArguments(u16(text)))
        words.push_back(u8(word));
    return words;
}

struct SSplitCase {
    const char* name;
    const char* text;
    std::vector<std::string> words;
};

class SplitCommandArguments : public testing::TestWithParam<SSplitCase> {};

TEST_P(SplitCommandArguments, GivesTheWordsAShellWould) { EXPECT_EQ(GetParam().words, split(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(Words, SplitCommandArguments,
                         testing::Values(SSplitCase{"empty", "", {}}, SSplitCase{"blanks_and_tabs_only", "  \t \t", {}},
                                         SSplitCase{"blanks_separate", "  a b   c  ", {"a", "b", "c"}},
                                         SSplitCase{"tabs_separate", "a\tb\t \tc", {"a", "b", "c"}},
                                         SSplitCase{"line_end_is_part_of_a_word", "a\nb c", {"a\nb", "c"}},
                                         SSplitCase{"non_ascii", "\xc3\xa9 '\xc3\xbc x'", {"\xc3\xa9", "\xc3\xbc x"}}),
                         test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    Quotes, SplitCommandArguments,
    testing::Values(
        SSplitCase{
            "single_quotes_keep_everything", R"('a  b' 'x\y' '"$HOME"' '\')", {"a  b", R"(x\y)", R"("$HOME")", "\\"}},
        SSplitCase{"double_quote_escapes", R"("a \" b" "\\" "\$x" "\`")", {"a \" b", "\\", "$x", "`"}},
        SSplitCase{"double_quotes_keep_other_backslashes", R"("a\b" "\n" "\'")", {R"(a\b)", R"(\n)", R"(\')"}},
        SSplitCase{"quote_of_the_other_kind_is_literal", R"('a"b' "it's")", {"a\"b", "it's"}},
        SSplitCase{"empty_quotes_make_empty_words", R"("" '' a ""'' "")", {"", "", "a", "", ""}},
        SSplitCase{"adjacent_parts_make_one_word", R"(a"b c"'d e'f)", {"ab cd ef"}},
        SSplitCase{"blank_inside_quotes_does_not_separate", "\"a\tb\" 'c d'", {"a\tb", "c d"}},
        SSplitCase{"unterminated_double_runs_to_the_end", R"(a "b c)", {"a", "b c"}},
        SSplitCase{"unterminated_single_runs_to_the_end", R"('b c\)", {R"(b c\)"}},
        SSplitCase{"unterminated_double_with_escape_at_end", R"("a\")", {"a\""}}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    Backslashes, SplitCommandArguments,
    testing::Values(SSplitCase{"escapes_blank_and_quotes", R"(a\ b \'c \"d \\e)", {"a b", "'c", "\"d", "\\e"}},
                    SSplitCase{"escapes_ordinary_letter", R"(\n\t)", {"nt"}},
                    SSplitCase{"escaped_blank_at_end", "a\\ ", {"a "}}, SSplitCase{"escaped_tab", "a\\\tb", {"a\tb"}},
                    SSplitCase{"trailing_backslash_stays", R"(a b\)", {"a", "b\\"}},
                    SSplitCase{"lone_backslash", "\\", {"\\"}}),
    test::SCaseName());

// Nothing a shell would act on: each of these characters is just a character of a word.
INSTANTIATE_TEST_SUITE_P(
    Hostile, SplitCommandArguments,
    testing::Values(
        SSplitCase{"semicolon", "a; touch pwned;", {"a;", "touch", "pwned;"}},
        SSplitCase{"command_substitution", "$(touch pwned) \"$(id)\"", {"$(touch", "pwned)", "$(id)"}},
        SSplitCase{"backticks", "`touch pwned` \"`id`\"", {"`touch", "pwned`", "`id`"}},
        SSplitCase{"variables", "$HOME ${HOME} \"$HOME\" ~", {"$HOME", "${HOME}", "$HOME", "~"}},
        SSplitCase{"globs", "* ?.txt [ab] \"*\"", {"*", "?.txt", "[ab]", "*"}},
        SSplitCase{"redirection_and_pipes", "a>b <c 2>&1 | x && y &", {"a>b", "<c", "2>&1", "|", "x", "&&", "y", "&"}},
        SSplitCase{"comment", "a #b c#d", {"a", "#b", "c#d"}}, SSplitCase{"grouping", "(a) {b;}", {"(a)", "{b;}"}}),
    test::SCaseName());

// Quoting words as a shell script would and splitting the joined text gives the words back,
// whatever characters they hold.
std::string singleQuoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string doubleQuoted(const std::string& word)
{
    std::string quoted = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\' || c == '$' || c == '`')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string backslashed(const std::string& word)
{
    std::string quoted = word.empty() ? "''" : "";
    for (char c : word)
        quoted += std::string("\\") + c;
    return quoted;
}

TEST(SplitCommandArgumentsRoundTrip, QuotedWordsComeBackUnchanged)
{
    const std::string alphabet = "ab Z\t'\"\\$`;*?|&<>()#~\n%=";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> count(0, 5);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> words(static_cast<std::size_t>(count(random)));
        std::string text;
        for (std::string& word : words) {
            for (int i = length(random); i > 0; --i)
                word += alphabet[letter(random)];
            const int style = static_cast<int>(random() % 3);
            text += (style == 0 ? singleQuoted(word) : style == 1 ? doubleQuoted(word) : backslashed(word)) + " \t";
        }
        ASSERT_EQ(words, split(text)) << "text: " << text;
    }
}

}  // namespace
}  // namespace brindle
