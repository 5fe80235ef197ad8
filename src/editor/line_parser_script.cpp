// Parsers of the script languages: Basic, Batch, Perl, Python, Shell and TCL.
#include "editor/line_parsers.h"

#include "editor/line_scanner_p.h"
#include "editor/word_list_p.h"

namespace brindle {

namespace {

using namespace parse;

// State bits shared by these parsers (each uses the ones it needs).
constexpr std::uint32_t kLineCommentBit = 0x1;
constexpr std::uint32_t kDirectiveBit = 0x2;
constexpr std::uint32_t kPodBit = 0x4;
constexpr std::uint32_t kDoubleQuoteBit = 0x8;
constexpr std::uint32_t kSingleQuoteBit = 0x10;
constexpr std::uint32_t kBackQuoteBit = 0x20;
constexpr std::uint32_t kTripleDoubleBit = 0x40;
constexpr std::uint32_t kTripleSingleBit = 0x80;

bool isNameChar(char16_t ch) { return isWordChar(ch); }

std::size_t skipName(std::u16string_view line, std::size_t j)
{
    while (j < line.size() && isNameChar(line[j]))
        ++j;
    return j;
}

// "${...}" to its closing brace (or the line end).
std::size_t skipBraced(std::u16string_view line, std::size_t j)
{
    const std::size_t close = line.find(u'}', j);
    return close == std::u16string_view::npos ? line.size() : close + 1;
}

// --- Basic -----------------------------------------------------------------------------------

constexpr SCommentRule kBasicComments[] = {{u"'", u"", kLineCommentBit}};
constexpr SQuoteRule kBasicQuotes[] = {{u"\"", kDoubleQuoteBit, false, true}};

// --- Batch -----------------------------------------------------------------------------------

// %1, %*, %~dp0, %%i and %name%.
std::size_t batchVariable(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'%' || i + 1 >= line.size())
        return i;
    colour = kPreprocessor;
    const char16_t next = line[i + 1];
    if (next == u'%')
        return i + 2 < line.size() && isWordChar(line[i + 2]) ? i + 3 : i;
    if (isDigit(next) || next == u'*')
        return i + 2;
    if (next == u'~') {
        std::size_t j = i + 2;
        while (j < line.size() && isLetter(line[j]))
            ++j;
        return j < line.size() && isDigit(line[j]) ? j + 1 : j;
    }
    const std::size_t close = line.find(u'%', i + 1);
    if (close == std::u16string_view::npos || close == i + 1)
        return i;
    for (std::size_t j = i + 1; j < close; ++j) {
        if (isSpace(line[j]))
            return i;
    }
    return close + 1;
}

constexpr SQuoteRule kBatchQuotes[] = {{u"\"", kDoubleQuoteBit, false, false}};

// "rem" and "::" make the whole line a comment and ":label" a jump target, both only as the
// line's first command ("@" before it hides the echo and changes nothing).
bool batchWholeLine(std::u16string_view line, CBlockSink& sink)
{
    const std::size_t first = line.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos)
        return false;
    std::int32_t colour = kComment;
    if (line[first] == u':') {
        colour = first + 1 < line.size() && line[first + 1] == u':' ? kComment : kFunctionName;
    } else {
        const std::size_t i = line[first] == u'@' ? line.find_first_not_of(u" \t", first + 1) : first;
        if (i == std::u16string_view::npos || line.size() - i < 3)
            return false;
        const std::u16string_view word = line.substr(i, 3);
        const bool rem = (word[0] | 0x20) == u'r' && (word[1] | 0x20) == u'e' && (word[2] | 0x20) == u'm';
        if (!rem || (i + 3 < line.size() && !isSpace(line[i + 3]) && line[i + 3] != u'.'))
            return false;
    }
    if (first > 0)
        sink.define(0, kOperator);  // the indentation, as any non-word character
    sink.define(first, colour);
    return true;
}

// --- Perl ------------------------------------------------------------------------------------

// A package-qualified name from j on (Foo::Bar).
std::size_t skipPerlName(std::u16string_view line, std::size_t j)
{
    while (j < line.size()) {
        if (isNameChar(line[j]))
            ++j;
        else if (startsAt(line, j, u"::"))
            j += 2;
        else
            break;
    }
    return j;
}

// $name, ${...}, $1, $_ and the punctuation variables; @name and %name ("% 2" and "%2" stay
// the modulo operator). "$#name" is the last index, not a comment.
std::size_t perlVariable(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    const char16_t sigil = line[i];
    if ((sigil != u'$' && sigil != u'@' && sigil != u'%') || i + 1 >= line.size())
        return i;
    colour = kPreprocessor;
    std::size_t j = i + 1;
    if (sigil == u'$' && line[j] == u'#')
        ++j;
    if (j == line.size())
        return j;
    if (line[j] == u'{')
        return skipBraced(line, j);
    const char16_t next = line[j];
    if (isLetter(next) || next == u'_' || startsAt(line, j, u"::") || (sigil == u'$' && isDigit(next)))
        return skipPerlName(line, j);
    if (sigil != u'$')
        return i;
    if (std::u16string_view(u"&`'+!@/\\,;.<>[]^$?-").find(next) != std::u16string_view::npos)
        return j + 1;
    return j > i + 1 ? j : i;
}

constexpr SCommentRule kPerlComments[] = {{u"#", u"", kLineCommentBit}};
constexpr SQuoteRule kPerlQuotes[] = {
    {u"\"", kDoubleQuoteBit, true, false},
    {u"'", kSingleQuoteBit, true, false},
    {u"`", kBackQuoteBit, true, false},
};

// POD: from a line that starts with "=word" to the line that starts with "=cut".
bool perlPod(std::u16string_view line, std::uint32_t& state, CBlockSink& sink)
{
    const bool directive = line.size() >= 2 && line[0] == u'=' && isLetter(line[1]);
    if ((state & kPodBit) != 0) {
        if (startsAt(line, 0, u"=cut"))
            state &= ~kPodBit;
    } else if (directive && (state & (kDoubleQuoteBit | kSingleQuoteBit | kBackQuoteBit)) == 0) {
        if (!startsAt(line, 0, u"=cut"))
            state |= kPodBit;
    } else {
        return false;
    }
    sink.define(0, kComment);
    return true;
}

// --- Python ----------------------------------------------------------------------------------

constexpr SCommentRule kPythonComments[] = {{u"#", u"", kLineCommentBit}};
constexpr SQuoteRule kPythonQuotes[] = {
    {u"\"\"\"", kTripleDoubleBit, true, false},
    {u"'''", kTripleSingleBit, true, false},
    {u"\"", kDoubleQuoteBit, true, false},
    {u"'", kSingleQuoteBit, true, false},
};

// --- Shell and TCL ---------------------------------------------------------------------------

// $name, ${...}, $1 and the special parameters; "$(" is a command substitution, not a variable.
std::size_t shellVariable(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'$' || i + 1 >= line.size())
        return i;
    colour = kPreprocessor;
    const char16_t next = line[i + 1];
    if (next == u'{')
        return skipBraced(line, i + 1);
    if (isDigit(next) || std::u16string_view(u"?#$@*!-").find(next) != std::u16string_view::npos)
        return i + 2;
    return isNameChar(next) ? skipName(line, i + 1) : i;
}

constexpr SCommentRule kShellComments[] = {{u"#", u"", kLineCommentBit, kComment, MarkerPlace::WordStart}};
constexpr SQuoteRule kShellQuotes[] = {
    {u"\"", kDoubleQuoteBit, true, false},
    {u"'", kSingleQuoteBit, false, false},
    {u"`", kBackQuoteBit, true, false},
};

// $name, ${name} and namespace names ($::env).
std::size_t tclVariable(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'$' || i + 1 >= line.size())
        return i;
    colour = kPreprocessor;
    std::size_t j = i + 1;
    if (line[j] == u'{')
        return skipBraced(line, j);
    while (j < line.size() && (isNameChar(line[j]) || (line[j] == u':' && j + 1 < line.size() && line[j + 1] == u':')))
        j += line[j] == u':' ? 2 : 1;
    return j > i + 1 ? j : i;
}

constexpr SCommentRule kTclComments[] = {{u"#", u"", kLineCommentBit, kComment, MarkerPlace::CommandStart}};
constexpr SQuoteRule kTclQuotes[] = {{u"\"", kDoubleQuoteBit, true, false}};

SLanguageRules basicRules()
{
    SLanguageRules rules;
    rules.lists = words::basic();
    rules.comments = kBasicComments;
    rules.quotes = kBasicQuotes;
    rules.commentWord = u"Rem";
    return rules;
}

SLanguageRules batchRules()
{
    SLanguageRules rules;
    rules.lists = words::batch();
    rules.quotes = kBatchQuotes;
    rules.token = batchVariable;
    rules.functionNames = false;
    return rules;
}

SLanguageRules perlRules()
{
    SLanguageRules rules;
    rules.lists = words::perl();
    rules.comments = kPerlComments;
    rules.quotes = kPerlQuotes;
    rules.token = perlVariable;
    rules.carryMask = kPodBit | kDoubleQuoteBit | kSingleQuoteBit | kBackQuoteBit;
    return rules;
}

SLanguageRules pythonRules()
{
    SLanguageRules rules;
    rules.lists = words::python();
    rules.comments = kPythonComments;
    rules.quotes = kPythonQuotes;
    rules.preprocessorBit = kDirectiveBit;  // decorators
    rules.preprocessorChar = u'@';
    rules.carryMask = kTripleDoubleBit | kTripleSingleBit;
    rules.backslashCarries = true;
    return rules;
}

SLanguageRules shellRules()
{
    SLanguageRules rules;
    rules.lists = words::shell();
    rules.comments = kShellComments;
    rules.quotes = kShellQuotes;
    rules.token = shellVariable;
    rules.carryMask = kDoubleQuoteBit | kSingleQuoteBit | kBackQuoteBit;
    rules.backslashCarries = true;
    return rules;
}

SLanguageRules tclRules()
{
    SLanguageRules rules;
    rules.lists = words::tcl();
    rules.comments = kTclComments;
    rules.quotes = kTclQuotes;
    rules.token = tclVariable;
    rules.carryMask = kDoubleQuoteBit;
    rules.backslashCarries = true;
    return rules;
}

}  // namespace

std::uint32_t ParseLineBasic(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = basicRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineBatch(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = batchRules();
    if (line.size() < 2)
        return shortLineState(rules, state);
    CBlockSink sink(blocks);
    if (batchWholeLine(line, sink))
        return 0;
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLinePerl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = perlRules();
    if (line.size() < 2)
        return shortLineState(rules, state);
    CBlockSink sink(blocks);
    if (perlPod(line, state, sink))
        return state & rules.carryMask;
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLinePython(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = pythonRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineShell(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = shellRules();
    return ParseLineByRules(rules, line, state, blocks);
}

std::uint32_t ParseLineTcl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules rules = tclRules();
    return ParseLineByRules(rules, line, state, blocks);
}

}  // namespace brindle
