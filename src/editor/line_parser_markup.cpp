// Parsers of markup: HTML and SGML, and ASP and PHP with their script sections.
#include "editor/line_parsers.h"

#include "editor/line_scanner_p.h"
#include "editor/word_list_p.h"

namespace brindle {

namespace {

using namespace parse;

// Markup state bits; the script bits of kScriptRules live above them.
constexpr std::uint32_t kMarkupComment = 0x4;
constexpr std::uint32_t kTagDoubleQuote = 0x8;
constexpr std::uint32_t kTagSingleQuote = 0x10;
constexpr std::uint32_t kInTag = 0x40;
constexpr std::uint32_t kTagNamed = 0x80;  // the tag's name is behind us: words are attributes
constexpr std::uint32_t kInScript = 0x100;
constexpr std::uint32_t kScriptLineComment = 0x1000;
constexpr std::uint32_t kScriptBlockComment = 0x2000;
constexpr std::uint32_t kScriptDoubleQuote = 0x4000;
constexpr std::uint32_t kScriptSingleQuote = 0x8000;
constexpr std::uint32_t kScriptBits =
    kScriptLineComment | kScriptBlockComment | kScriptDoubleQuote | kScriptSingleQuote;
constexpr std::uint32_t kCarried = kMarkupComment | kTagDoubleQuote | kTagSingleQuote | kInTag | kTagNamed | kInScript |
                                   kScriptBlockComment | kScriptDoubleQuote | kScriptSingleQuote;

struct SMarkup {
    std::span<const SWordList> lists;  // tags, attributes, entities
    const SLanguageRules* script;      // nullptr: no script sections
    std::u16string_view scriptOpen;    // "<%", "<?"
    std::u16string_view scriptClose;   // "%>", "?>"
};

constexpr std::u16string_view kPhpNameText[] = {u"php"};
constexpr SWordList kPhpName{kPhpNameText, false};  // "<?php" opens a section like "<?"

bool isNameChar(char16_t ch) { return isWordChar(ch) || ch == u'-' || ch == u':' || ch == u'.'; }

// "&name;" or "&#123;" / "&#x1F;": the end after the ";" when it is a known entity, else start.
std::size_t entityEnd(const SMarkup& markup, std::u16string_view line, std::size_t start)
{
    const std::size_t semicolon = line.find(u';', start + 1);
    if (semicolon == std::u16string_view::npos || semicolon == start + 1)
        return start;
    const std::u16string_view name = line.substr(start + 1, semicolon - start - 1);
    if (name[0] == u'#') {
        for (const char16_t ch : name.substr(1)) {
            if (!isWordChar(ch))
                return start;
        }
        return semicolon + 1;
    }
    return markup.lists[2].contains(name) ? semicolon + 1 : start;
}

class CMarkupParser {
public:
    CMarkupParser(const SMarkup& markup, std::u16string_view line, std::vector<SColourBlock>* blocks)
        : m_markup(markup), m_line(line), m_sink(blocks)
    {
    }

    std::uint32_t run(std::uint32_t state);

private:
    std::size_t script(std::size_t i, std::uint32_t& state);
    std::size_t inTag(std::size_t i, std::uint32_t& state);
    std::size_t inText(std::size_t i, std::uint32_t& state);

    const SMarkup& m_markup;
    std::u16string_view m_line;
    CBlockSink m_sink;
};

// Inside a script section: the script's own rules up to the closing marker.
std::size_t CMarkupParser::script(std::size_t i, std::uint32_t& state)
{
    CLineScanner scanner(*m_markup.script, m_line, m_sink);
    std::uint32_t scriptState = state & kScriptBits;
    const std::size_t stop = scanner.scan(i, scriptState, m_markup.scriptClose);
    state = (state & ~kScriptBits) | scriptState;
    if (stop == m_line.size())
        return stop;
    m_sink.define(stop, kPreprocessor);
    state &= ~(kInScript | kScriptBits);
    return stop + m_markup.scriptClose.size();
}

std::size_t CMarkupParser::inTag(std::size_t i, std::uint32_t& state)
{
    const char16_t ch = m_line[i];
    if (ch == u'>') {
        m_sink.define(i, kOperator);
        state &= ~(kInTag | kTagNamed);
        return i + 1;
    }
    if (ch == u'"' || ch == u'\'') {
        m_sink.define(i, kString);
        state |= ch == u'"' ? kTagDoubleQuote : kTagSingleQuote;
        return i + 1;
    }
    if (!isNameChar(ch)) {
        m_sink.define(i, kOperator);
        return i + 1;
    }
    std::size_t end = i;
    while (end < m_line.size() && isNameChar(m_line[end]))
        ++end;
    const std::u16string_view name = m_line.substr(i, end - i);
    std::int32_t colour = kNormal;
    if ((state & kTagNamed) == 0)
        colour = m_markup.lists[0].contains(name) ? kKeyword : kNormal;
    else if (m_markup.lists[1].contains(name))
        colour = kList2;
    else if (isDigit(ch))
        colour = kNumber;
    m_sink.define(i, colour);
    state |= kTagNamed;
    return end;
}

std::size_t CMarkupParser::inText(std::size_t i, std::uint32_t& state)
{
    const char16_t ch = m_line[i];
    const char16_t next = i + 1 < m_line.size() ? m_line[i + 1] : u'\0';
    if (ch == u'<' && (isLetter(next) || next == u'/' || next == u'!' || next == u'?')) {
        m_sink.define(i, kOperator);
        state |= kInTag;
        state &= ~kTagNamed;
        return i + 1;
    }
    if (ch == u'&') {
        const std::size_t end = entityEnd(m_markup, m_line, i);
        if (end > i) {
            m_sink.define(i, kList3);
            return end;
        }
    }
    m_sink.define(i, kNormal);
    return i + 1;
}

std::uint32_t CMarkupParser::run(std::uint32_t state)
{
    std::size_t i = 0;
    while (i < m_line.size()) {
        if ((state & kInScript) != 0) {
            i = script(i, state);
            continue;
        }
        if ((state & kMarkupComment) != 0) {
            m_sink.define(i, kComment);
            if (startsAt(m_line, i, u"-->")) {
                state &= ~kMarkupComment;
                i += 3;
            } else {
                ++i;
            }
            continue;
        }
        const std::uint32_t quote = state & (kTagDoubleQuote | kTagSingleQuote);
        if (quote != 0) {
            m_sink.define(i, kString);
            if (m_line[i] == (quote == kTagDoubleQuote ? u'"' : u'\''))
                state &= ~quote;
            ++i;
            continue;
        }
        if (m_markup.script != nullptr && startsAt(m_line, i, m_markup.scriptOpen)) {
            m_sink.define(i, kPreprocessor);
            i += m_markup.scriptOpen.size();
            if (m_markup.scriptOpen == u"<?" && m_line.size() - i >= 3 && kPhpName.contains(m_line.substr(i, 3)))
                i += 3;
            state |= kInScript;
            continue;
        }
        if (startsAt(m_line, i, u"<!--")) {
            m_sink.define(i, kComment);
            state |= kMarkupComment;
            i += 4;
            continue;
        }
        i = (state & kInTag) != 0 ? inTag(i, state) : inText(i, state);
    }
    return state & kCarried;
}

std::uint32_t parseMarkup(const SMarkup& markup, std::u16string_view line, std::uint32_t state,
                          std::vector<SColourBlock>* blocks)
{
    if (line.size() < 2)
        return state & kCarried;
    return CMarkupParser(markup, line, blocks).run(state);
}

// --- Script sections -------------------------------------------------------------------------

constexpr SCommentRule kAspComments[] = {{u"'", u"", kScriptLineComment}};
constexpr SQuoteRule kAspQuotes[] = {{u"\"", kScriptDoubleQuote, false, true}};

// $name variables.
std::size_t phpVariable(std::u16string_view line, std::size_t i, std::int32_t& colour)
{
    if (line[i] != u'$' || i + 1 >= line.size() || !(isLetter(line[i + 1]) || line[i + 1] == u'_'))
        return i;
    std::size_t j = i + 1;
    while (j < line.size() && isWordChar(line[j]))
        ++j;
    colour = kPreprocessor;
    return j;
}

constexpr SCommentRule kPhpComments[] = {
    {u"/*", u"*/", kScriptBlockComment},
    {u"//", u"", kScriptLineComment},
    {u"#", u"", kScriptLineComment},
};
constexpr SQuoteRule kPhpQuotes[] = {
    {u"\"", kScriptDoubleQuote, true, false},
    {u"'", kScriptSingleQuote, true, false},
};

SLanguageRules aspScriptRules()
{
    SLanguageRules rules;
    rules.lists = words::asp().subspan(3);
    rules.comments = kAspComments;
    rules.quotes = kAspQuotes;
    rules.commentWord = u"Rem";
    return rules;
}

SLanguageRules phpScriptRules()
{
    SLanguageRules rules;
    rules.lists = words::php().subspan(3);
    rules.listColours = {kKeyword, kOperator, kList3, kList3};
    rules.comments = kPhpComments;
    rules.quotes = kPhpQuotes;
    rules.token = phpVariable;
    return rules;
}

}  // namespace

std::uint32_t ParseLineHtml(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SMarkup markup{words::html(), nullptr, {}, {}};
    return parseMarkup(markup, line, state, blocks);
}

std::uint32_t ParseLineSgml(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SMarkup markup{words::sgml(), nullptr, {}, {}};
    return parseMarkup(markup, line, state, blocks);
}

std::uint32_t ParseLineAsp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules script = aspScriptRules();
    static const SMarkup markup{words::asp(), &script, u"<%", u"%>"};
    return parseMarkup(markup, line, state, blocks);
}

std::uint32_t ParseLinePhp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks)
{
    static const SLanguageRules script = phpScriptRules();
    static const SMarkup markup{words::php(), &script, u"<?", u"?>"};
    return parseMarkup(markup, line, state, blocks);
}

}  // namespace brindle
