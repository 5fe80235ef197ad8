#include "compare_ui/rtf_lines.h"

#include "engine/cancel_flag.h"
#include "engine/progress.h"
#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

namespace brindle {

namespace {

constexpr std::uint32_t kDocumentCodePage = 1252;
constexpr std::ptrdiff_t kProgressStep = 64 * 1024;
// Groups nested deeper than this share the state of the deepest one kept, so that a document of
// nothing but "{" cannot make the state stack grow with the input.
constexpr std::size_t kMaxDepth = 4096;
// \ucN larger than this is taken as this: the fallback of one character is never that long.
constexpr std::int64_t kMaxFallback = 16;
// Numbers are read with their value saturating here, far outside every range that is used.
constexpr std::int64_t kNumberLimit = std::int64_t{1} << 40;
constexpr QRgb kAutomatic = 0;  // alpha 0: the pane's text colour

using DecodeTable = std::array<char16_t, 256>;

DecodeTable decodeTable(std::int64_t codePage)
{
    const CCodePage* page = nullptr;
    if (codePage > 0 && codePage <= 65535)
        page = CCodePage::byNumber(static_cast<std::uint32_t>(codePage));
    if (!page || !page->isSingleByte())
        page = CCodePage::byNumber(kDocumentCodePage);
    DecodeTable table{};
    std::u16string unit;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        unit.clear();
        if (page)
            page->appendUtf16(std::string_view(&byte, 1), unit);
        table[static_cast<std::size_t>(b)] =
            unit.size() == 1 ? unit[0] : (b < 0x80 ? static_cast<char16_t>(b) : char16_t{0xFFFD});
    }
    return table;
}

// Bytes that are text as they stand; everything else starts markup or is ignored (raw CR, LF).
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (std::size_t b = 0; b < plain.size(); ++b)
        plain[b] = b != '\\' && b != '{' && b != '}' && b != '\r' && b != '\n';
    return plain;
}();

bool isLetter(std::uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

int hexValue(std::uint8_t c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document.
bool isIgnoredDestination(std::string_view word)
{
    static constexpr std::string_view kIgnored[] = {
        "info",     "stylesheet", "pict",    "object", "header",           "footer",
        "footnote", "listtable",  "filetbl", "revtbl", "listoverridetable"};
    return std::find(std::begin(kIgnored), std::end(kIgnored), word) != std::end(kIgnored);
}

char16_t namedCharacter(std::string_view word)
{
    static constexpr std::pair<std::string_view, char16_t> kNamed[] = {
        {"emdash", u'\u2014'},    {"endash", u'\u2013'},    {"lquote", u'\u2018'}, {"rquote", u'\u2019'},
        {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"bullet", u'\u2022'}};
    for (const auto& [name, character] : kNamed) {
        if (name == word)
            return character;
    }
    return 0;
}

}  // namespace

// One pass over the document. Text is written straight into the line string, which is allocated
// once at the size of the input: no construct of the subset turns into more characters than it
// has bytes.
class CRtfReader {
public:
    CRtfReader(std::string_view rtf, CRtfLines& out)
        : m_begin(reinterpret_cast<const std::uint8_t*>(rtf.data())), m_p(m_begin), m_end(m_begin + rtf.size()),
          m_out(out), m_decode(decodeTable(kDocumentCodePage))
    {
        m_out.m_text = QString(static_cast<qsizetype>(rtf.size()), Qt::Uninitialized);
        m_writeBegin = reinterpret_cast<char16_t*>(m_out.m_text.data());
        m_write = m_writeBegin;
        m_out.m_lineStarts.push_back(0);
        if (CProgress* progress = activeProgress())
            progress->setTotal(static_cast<std::int64_t>(rtf.size()));
        m_nextReport = nextReport();
    }

    void read();

private:
    enum class Destination : std::uint8_t { Text, FontTable, ColourTable, Skip };
    struct SState {
        std::int64_t colour = 0;
        std::int64_t fallback = 1;
        Destination destination = Destination::Text;
    };

    const std::uint8_t* nextReport() const { return m_end - m_p > kProgressStep ? m_p + kProgressStep : m_end; }
    void reportProgress();
    void copyPlainText();
    void escape();
    void controlWord(std::string_view word, bool hasParameter, std::int64_t parameter);
    void destinationWord(std::string_view word, bool hasParameter, std::int64_t parameter);
    void symbol(std::uint8_t c);
    void hexByte();
    void openGroup();
    void closeGroup();
    void put(char16_t c);
    void putText(char16_t c);
    void noteColour();
    void lineEnd();
    void updateColour();
    void finishFont();
    void finishColour();
    void finish();

    const std::uint8_t* m_begin;
    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
    const std::uint8_t* m_nextReport;
    CRtfLines& m_out;
    char16_t* m_writeBegin = nullptr;
    char16_t* m_write = nullptr;
    DecodeTable m_decode;

    SState m_state;
    std::vector<SState> m_stack;
    std::size_t m_overflowDepth = 0;
    std::int64_t m_skip = 0;  // fallback characters of the last \u still to skip

    std::vector<QRgb> m_colours;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourHasComponents = false;
    QRgb m_currentRgb = kAutomatic;
    QRgb m_runRgb = kAutomatic;
    bool m_haveRun = false;

    std::vector<std::pair<std::int64_t, QString>> m_fonts;
    std::int64_t m_fontNumber = 0;
    QString m_fontName;
    std::int64_t m_defaultFont = -1;
    bool m_sizeSeen = false;
};

void CRtfReader::read()
{
    while (m_p < m_end) {
        if (m_p >= m_nextReport)
            reportProgress();
        if (kPlain[*m_p] && m_skip == 0 && m_state.destination == Destination::Text) {
            copyPlainText();
            continue;
        }
        const std::uint8_t c = *m_p++;
        switch (c) {
        case '{': openGroup(); break;
        case '}': closeGroup(); break;
        case '\\': escape(); break;
        case '\r':
        case '\n': break;
        default: put(m_decode[c]); break;
        }
    }
    finish();
}

void CRtfReader::reportProgress()
{
    if (!cancelRequested()) {
        if (CProgress* progress = activeProgress())
            progress->setPosition(m_p - m_begin);
    }
    m_nextReport = nextReport();
}

void CRtfReader::copyPlainText()
{
    // The loop that reads nearly every byte of a report.
    noteColour();
    const std::uint8_t* p = m_p;
    const std::uint8_t* const stop = m_nextReport;
    char16_t* write = m_write;
    while (p < stop && kPlain[*p])
        *write++ = m_decode[*p++];
    m_p = p;
    m_write = write;
}

void CRtfReader::escape()
{
    if (m_p == m_end)
        return;
    if (!isLetter(*m_p)) {
        symbol(*m_p++);
        return;
    }
    const std::uint8_t* const wordStart = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    const std::string_view word(reinterpret_cast<const char*>(wordStart), static_cast<std::size_t>(m_p - wordStart));
    bool negative = false;
    if (m_end - m_p >= 2 && *m_p == '-' && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    bool hasParameter = false;
    std::int64_t parameter = 0;
    while (m_p < m_end && isDigit(*m_p)) {
        hasParameter = true;
        if (parameter < kNumberLimit)
            parameter = parameter * 10 + (*m_p - '0');
        ++m_p;
    }
    if (negative)
        parameter = -parameter;
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    // While the fallback of a \u is skipped, a control word counts as one character.
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    controlWord(word, hasParameter, parameter);
}

void CRtfReader::controlWord(std::string_view word, bool hasParameter, std::int64_t parameter)
{
    if (word == "par" || word == "line") {
        lineEnd();
    } else if (word == "cf") {
        m_state.colour = parameter;
        updateColour();
    } else if (word == "u") {
        if (!hasParameter)
            return;
        if (parameter < -32768 || parameter > 65535)
            put(u'\uFFFD');
        else
            put(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
        m_skip = m_state.fallback;
    } else if (word == "tab") {
        put(u'\t');
    } else if (word == "plain") {
        m_state.colour = 0;
        updateColour();
    } else if (word == "uc") {
        m_state.fallback = std::clamp<std::int64_t>(parameter, 0, kMaxFallback);
    } else if (const char16_t named = namedCharacter(word)) {
        put(named);
    } else {
        destinationWord(word, hasParameter, parameter);
    }
}

void CRtfReader::destinationWord(std::string_view word, bool hasParameter, std::int64_t parameter)
{
    const auto component = [&](int& value) {
        if (m_state.destination == Destination::ColourTable) {
            value = static_cast<int>(std::clamp<std::int64_t>(parameter, 0, 255));
            m_colourHasComponents = true;
        }
    };
    if (word == "fonttbl") {
        m_state.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        m_state.destination = Destination::ColourTable;
    } else if (word == "f") {
        if (m_state.destination == Destination::FontTable) {
            m_fontNumber = parameter;
            m_fontName.clear();
        }
    } else if (word == "deff") {
        m_defaultFont = parameter;
    } else if (word == "fs") {
        if (!m_sizeSeen && hasParameter && parameter > 0 && parameter <= 3276) {
            m_out.m_pointSize = static_cast<qreal>(parameter) / 2;
            m_sizeSeen = true;
        }
    } else if (word == "red") {
        component(m_red);
    } else if (word == "green") {
        component(m_green);
    } else if (word == "blue") {
        component(m_blue);
    } else if (word == "ansicpg") {
        m_decode = decodeTable(parameter);
    } else if (isIgnoredDestination(word)) {
        m_state.destination = Destination::Skip;
    }
}

void CRtfReader::symbol(std::uint8_t c)
{
    if (c == '\'') {
        hexByte();
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}': put(c); break;
    case '~': put(u'\u00A0'); break;
    case '_': put(u'\u2011'); break;
    case '*': m_state.destination = Destination::Skip; break;
    case '\r':
    case '\n': lineEnd(); break;
    default:  // "\-" (optional hyphen) and symbols of no meaning here
        break;
    }
}

void CRtfReader::hexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_p < m_end && hexValue(*m_p) >= 0) {
        value = value * 16 + hexValue(*m_p++);
        ++digits;
    }
    if (digits > 0)
        put(m_decode[static_cast<std::size_t>(value)]);
    else if (m_skip > 0)
        --m_skip;
}

void CRtfReader::openGroup()
{
    m_skip = 0;
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
}

void CRtfReader::closeGroup()
{
    m_skip = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.empty())
        return;  // unbalanced: more "}" than "{"
    if (m_state.destination == Destination::FontTable && !m_fontName.isEmpty())
        finishFont();
    if (m_state.destination == Destination::ColourTable && m_colourHasComponents)
        finishColour();
    m_state = m_stack.back();
    m_stack.pop_back();
    updateColour();
}

void CRtfReader::put(char16_t c)
{
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (m_state.destination) {
    case Destination::Text: putText(c); break;
    case Destination::FontTable:
        if (c == u';')
            finishFont();
        else
            m_fontName.append(QChar(c));
        break;
    case Destination::ColourTable:
        if (c == u';')
            finishColour();
        break;
    case Destination::Skip: break;
    }
}

void CRtfReader::putText(char16_t c)
{
    // An escaped line feed (\'0a, \u10) ends the line: kept as a character, it would be a "\n"
    // inside a line that no line start follows (hostile case EscapedLineFeedEndsTheLine
    // in rtf_lines_test.cpp).
    if (c == u'\n') {
        lineEnd();
        return;
    }
    noteColour();
    *m_write++ = c;
}

void CRtfReader::noteColour()
{
    if (m_haveRun && m_runRgb == m_currentRgb)
        return;
    m_out.m_changes.push_back({m_write - m_writeBegin, m_currentRgb});
    m_runRgb = m_currentRgb;
    m_haveRun = true;
}

void CRtfReader::lineEnd()
{
    if (m_state.destination != Destination::Text)
        return;
    *m_write++ = u'\n';
    m_out.m_lineStarts.push_back(m_write - m_writeBegin);
}

void CRtfReader::updateColour()
{
    const std::int64_t index = m_state.colour;
    m_currentRgb = index > 0 && index < static_cast<std::int64_t>(m_colours.size())
                       ? m_colours[static_cast<std::size_t>(index)]
                       : kAutomatic;
}

void CRtfReader::finishFont()
{
    const QString name = m_fontName.trimmed();
    m_fontName.clear();
    if (name.isEmpty())
        return;
    const auto known =
        std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto& font) { return font.first == m_fontNumber; });
    if (known == m_fonts.end())
        m_fonts.emplace_back(m_fontNumber, name);
}

void CRtfReader::finishColour()
{
    m_colours.push_back(m_colourHasComponents ? qRgb(m_red, m_green, m_blue) : kAutomatic);
    m_red = m_green = m_blue = 0;
    m_colourHasComponents = false;
}

void CRtfReader::finish()
{
    if (m_p != m_begin)
        reportProgress();
    qsizetype length = m_write - m_writeBegin;
    Q_ASSERT(length <= m_out.m_text.size());
    std::vector<qsizetype>& starts = m_out.m_lineStarts;
    if (starts.back() == length) {
        // The empty line after a final \par (or an empty document) is no line.
        if (starts.size() > 1) {
            starts.pop_back();
            --length;
        } else {
            starts.clear();
        }
    }
    m_out.m_text.truncate(length);
    while (!m_out.m_changes.empty() && m_out.m_changes.back().start >= length)
        m_out.m_changes.pop_back();

    const auto font =
        std::find_if(m_fonts.begin(), m_fonts.end(), [&](const auto& f) { return f.first == m_defaultFont; });
    if (font != m_fonts.end())
        m_out.m_fontFamily = font->second;
    else if (!m_fonts.empty())
        m_out.m_fontFamily = m_fonts.front().second;
}

CRtfLines CRtfLines::read(std::string_view rtf)
{
    CRtfLines lines;
    CRtfReader reader(rtf, lines);
    reader.read();
    return lines;
}

qsizetype CRtfLines::lineEnd(int line) const
{
    const auto next = static_cast<std::size_t>(line) + 1;
    return next < m_lineStarts.size() ? m_lineStarts[next] - 1 : m_text.size();
}

QStringView CRtfLines::line(int line) const
{
    const qsizetype start = lineStart(line);
    return QStringView(m_text).mid(start, lineEnd(line) - start);
}

int CRtfLines::lineOfOffset(qsizetype offset) const
{
    if (m_lineStarts.empty())
        return 0;
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return after == m_lineStarts.begin() ? 0 : static_cast<int>(after - m_lineStarts.begin()) - 1;
}

std::size_t CRtfLines::changeAt(qsizetype offset) const
{
    const auto after =
        std::upper_bound(m_changes.begin(), m_changes.end(), offset,
                         [](qsizetype value, const SColourChange& change) { return value < change.start; });
    return after == m_changes.begin() ? std::numeric_limits<std::size_t>::max()
                                      : static_cast<std::size_t>(after - m_changes.begin()) - 1;
}

QColor CRtfLines::toColour(QRgb rgb) { return qAlpha(rgb) == 0 ? QColor() : QColor::fromRgb(rgb); }

std::vector<SRtfRun> CRtfLines::runs(int line) const
{
    std::vector<SRtfRun> result;
    const qsizetype end = lineEnd(line);
    qsizetype position = lineStart(line);
    std::size_t change = changeAt(position);
    while (position < end) {
        // change is the colour in force at position (none before the first change).
        const std::size_t next = change < m_changes.size() ? change + 1 : 0;
        const qsizetype runEnd = next < m_changes.size() ? std::min(end, m_changes[next].start) : end;
        const QColor colour = change < m_changes.size() ? toColour(m_changes[change].rgb) : QColor();
        if (runEnd > position)
            result.push_back({QStringView(m_text).mid(position, runEnd - position), colour});
        position = runEnd;
        change = next;
    }
    return result;
}

}  // namespace brindle
