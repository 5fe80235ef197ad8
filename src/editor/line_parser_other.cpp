// Parsers of Fortran, AutoLISP, SIOD, Pascal, REXX, SQL and TeX.
#include "editor/line_parsers.h"

#include "editor/line_scanner_p.h"
#include "editor/word_list_p.h"

namespace brindle {

namespace {

using namespace parse;

constexpr std::uint32_t kLineCommentBit = 0x1;
constexpr std::uint32_t kDirectiveBit = 0x2;
constexpr std::uint32_t kBlockCommentBit = 0x4;
constexpr std::uint32_t kDoubleQuoteBit = 0x8;
constexpr std::uint32_t kSingleQuoteBit = 0x10;
constexpr std::uint32_t kSecondCommentBit = 0x20;

// --- Fortran ---------------------------------------------------------------------------------

// Dotted operators and constants (.and., .eq., .true.) as a whole, when the list has them.
std::size_t fortranDotted(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'.')
        return i;
    std::size_t j = i + 1;
    while (j < line.size() && isLetter(line[j]))
        ++j;
    if (j == i + 1 || j >= line.size() || line[j] != u'.')
        return i;
    if (!words::fortran()[0].contains(line.substr(i, j + 1 - i)))
        return i;
    colour = kKeyword;
    return j + 1;
}

constexpr SCommentRule kFortranComments[] = {{u"!", u"", kLineCommentBit}};
constexpr SQuoteRule kFortranQuotes[] = {
    {u"'", kSingleQuoteBit, false, true},
    {u"\"", kDoubleQuoteBit, false, true},
};

// Fixed form: "C", "c" or "*" in column 1 marks a comment line. A letter after the "c" means a
// free-form statement such as "call" or "character", which is code.
bool fortranCommentLine(std::u16string_view line)
{
    const char16_t first = line[0];
    if (first == u'*')
        return true;
    return (first == u'C' || first == u'c') && !isWordChar(line[1]) && line[1] != u'=' && line[1] != u'(';
}

// --- Lisp ------------------------------------------------------------------------------------

// Lisp symbols take every character except blanks, parentheses, quotes and the comment mark.
bool lispWordChar(char16_t ch)
{
    return !isSpace(ch) && ch != u'(' && ch != u')' && ch != u'\'' && ch != u'"' && ch != u';' && ch != u'`' &&
           ch != u',';
}

constexpr SCommentRule kLispComments[] = {
    {u";|", u"|;", kBlockCommentBit},
    {u";", u"", kLineCommentBit},
};
constexpr SQuoteRule kLispQuotes[] = {{u"\"", kDoubleQuoteBit, true, false}};

// --- Pascal ----------------------------------------------------------------------------------

// $FF hexadecimal numbers and #13 character codes.
std::size_t pascalNumber(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if ((line[i] != u'$' && line[i] != u'#') || i + 1 >= line.size())
        return i;
    std::size_t j = i + 1;
    if (line[i] == u'$') {
        while (j < line.size() && (isDigit(line[j]) || ((line[j] | 0x20) >= u'a' && (line[j] | 0x20) <= u'f')))
            ++j;
        colour = kNumber;
    } else {
        while (j < line.size() && isDigit(line[j]))
            ++j;
        colour = kString;
    }
    return j > i + 1 ? j : i;
}

constexpr SCommentRule kPascalComments[] = {
    {u"{$", u"}", kDirectiveBit, kPreprocessor},
    {u"{", u"}", kBlockCommentBit},
    {u"(*", u"*)", kSecondCommentBit},
    {u"//", u"", kLineCommentBit},
};
constexpr SQuoteRule kPascalQuotes[] = {{u"'", kSingleQuoteBit, false, true}};

// --- REXX and SQL ----------------------------------------------------------------------------

constexpr SCommentRule kRexxComments[] = {{u"/*", u"*/", kBlockCommentBit}};
constexpr SQuoteRule kRexxQuotes[] = {
    {u"\"", kDoubleQuoteBit, false, true},
    {u"'", kSingleQuoteBit, false, true},
};

constexpr SCommentRule kSqlComments[] = {
    {u"/*", u"*/", kBlockCommentBit},
    {u"--", u"", kLineCommentBit},
    {u"//", u"", kLineCommentBit},
};
constexpr SQuoteRule kSqlQuotes[] = {
    {u"'", kSingleQuoteBit, false, true},
    {u"\"", kDoubleQuoteBit, false, true},
};

// --- TeX -------------------------------------------------------------------------------------

// A control word (letters, and "@" as in macro packages) or a control symbol ("\%", "\\").
// Known words take their list's colour, other words the function colour.
std::size_t texCommand(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'\\' || i + 1 >= line.size())
        return i;
    std::size_t j = i + 1;
    while (j < line.size() &&
           ((line[j] >= u'a' && line[j] <= u'z') || (line[j] >= u'A' && line[j] <= u'Z') || line[j] == u'@'))
        ++j;
    if (j == i + 1) {
        colour = kOperator;
        return i + 2;
    }
    const std::u16string_view name = line.substr(i + 1, j - i - 1);
    const std::span<const SWordList> lists = words::tex();
    colour = lists[0].contains(name) ? kKeyword : lists[1].contains(name) ? kList2 : kFunctionName;
    return j;
}

constexpr SCommentRule kTexComments[] = {{u"%", u"", kLineCommentBit}};
constexpr SQuoteRule kTexMath[] = {
    {u"$$", kSingleQuoteBit, true, false},
    {u"$", kDoubleQuoteBit, true, false},
};

SLanguageRules fortranRules()
{
    SLanguageRules rules;
    rules.lists = words::fortran();
    rules.comments = kFortranComments;
    rules.quotes = kFortranQuotes;
    rules.token = fortranDotted;
    return rules;
}

SLanguageRules lispRules(std::span<const SWordList> lists)
{
    SLanguageRules rules;
    rules.lists = lists;
    rules.comments = kLispComments;
    rules.quotes = kLispQuotes;
    rules.wordChar = lispWordChar;
    rules.functionNames = false;
    rules.carryMask = kBlockCommentBit | kDoubleQuoteBit;
    return rules;
}

SLanguageRules pascalRules()
{
    SLanguageRules rules;
    rules.lists = words::pascal();
    rules.comments = kPascalComments;
    rules.quotes = kPascalQuotes;
    rules.token = pascalNumber;
    rules.carryMask = kDirectiveBit | kBlockCommentBit | kSecondCommentBit;
    return rules;
}

SLanguageRules rexxRules()
{
    SLanguageRules rules;
    rules.lists = words::rexx();
    rules.comments = kRexxComments;
    rules.quotes = kRexxQuotes;
    rules.carryMask = kBlockCommentBit;
    return rules;
}

SLanguageRules sqlRules()
{
    SLanguageRules rules;
    rules.lists = words::sql();
    rules.comments = kSqlComments;
    rules.quotes = kSqlQuotes;
    rules.carryMask = kBlockCommentBit | kDoubleQuoteBit | kSingleQuoteBit;
    return rules;
}

SLanguageRules texRules()
{
    SLanguageRules rules;
    // Plain words of running text are not looked up: only control words are (texCommand).
    rules.comments = kTexComments;
    rules.quotes = kTexMath;
    rules.token = texCommand;
    rules.functionNames = false;
    rules.carryMask = kDoubleQuoteBit | kSingleQuoteBit;
    return rules;
}

}  // namespace

std::uint32_t ParseLineFortran(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = fortranRules();
    if (line.size() >= 2 && fortranCommentLine(line)) {
        CBlockSink(blocks).define(0, kComment);
        return 0;
    }
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineAutoLisp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = lispRules(words::autoLisp());
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineSiod(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = lispRules(words::siod());
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLinePascal(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = pascalRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineRexx(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = rexxRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineSql(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = sqlRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineTex(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = texRules();
    return ParseLineByRules(rules, line, state, blocks);
}

}  // namespace brindle
