#include "platform/reg_file_format.h"

#include "platform/utf8.h"

#include <utility>

namespace brindle {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::u16string_view kUserRoot = u"HKEY_CURRENT_USER\\";

char16_t foldAscii(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? char16_t(ch + (u'a' - u'A')) : ch; }

std::u16string folded(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& ch : result)
        ch = foldAscii(ch);
    return result;
}

std::u16string_view withoutUserRoot(std::u16string_view key)
{
    if (key.size() >= kUserRoot.size() && folded(key.substr(0, kUserRoot.size())) == folded(kUserRoot))
        key.remove_prefix(kUserRoot.size());
    return key;
}

bool isHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool isLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

// Length of the surrogate pair or single unit at i, or 0 for an unpaired surrogate.
std::size_t unitLength(std::u16string_view text, std::size_t i)
{
    if (isHighSurrogate(text[i]))
        return i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 0;
    return isLowSurrogate(text[i]) ? 0 : 1;
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// Parses 1..maxDigits hex digits making up all of digits.
bool parseHexNumber(std::string_view digits, std::size_t maxDigits, std::uint32_t& value)
{
    if (digits.empty() || digits.size() > maxDigits)
        return false;
    value = 0;
    for (char ch : digits) {
        const int digit = hexValue(ch);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (foldAscii(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}

// A line that can continue a wrapped hex value: hex digits, commas, blanks and a final backslash.
bool isHexContinuation(std::string_view line)
{
    if (line.empty())
        return false;
    for (char ch : line) {
        if (hexValue(ch) < 0 && ch != ',' && ch != '\\' && !isBlank(ch))
            return false;
    }
    return true;
}

// The text line by line, blanks around each line dropped.
class CLineReader {
public:
    explicit CLineReader(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    // 1-based number of the line next() returned last.
    int lineNumber() const { return m_lineNumber; }
    // False when the line next() returned last was the end of the text without a line end.
    bool lineWasEnded() const { return m_ended; }

    std::string_view next()
    {
        const std::size_t end = m_text.find('\n', m_pos);
        m_ended = end != std::string_view::npos;
        const std::size_t stop = m_ended ? end : m_text.size();
        const std::string_view line = m_text.substr(m_pos, stop - m_pos);
        m_pos = stop + 1;
        ++m_lineNumber;
        return trimmed(line);
    }

    // regedit wraps long hex values with a trailing backslash. Only a following line of hex bytes
    // continues one: a damaged value then swallows no good line after it.
    void joinHexContinuations(std::string& line)
    {
        while (line.ends_with('\\') && !atEnd() && isHexContinuation(trimmed(peek()))) {
            line.pop_back();
            line += next();
        }
    }

private:
    std::string_view peek() const
    {
        const std::size_t end = m_text.find('\n', m_pos);
        return m_text.substr(m_pos, end == std::string_view::npos ? std::string_view::npos : end - m_pos);
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
    bool m_ended = true;
};

// Reads the quoted text starting at line[pos]; pos ends after the closing quote. Returns an
// error message, or nullptr.
const char* parseQuoted(std::string_view line, std::size_t& pos, std::u16string& out)
{
    out.clear();
    std::size_t runStart = ++pos;
    for (; pos < line.size(); ++pos) {
        const char ch = line[pos];
        if (ch != '"' && ch != '\\')
            continue;
        appendUtf16FromUtf8Lossless(line.substr(runStart, pos - runStart), out);
        if (ch == '"') {
            ++pos;
            return nullptr;
        }
        const char escape = ++pos < line.size() ? line[pos] : '\0';
        std::uint32_t unit = 0;
        switch (escape) {
        case '\\': out += u'\\'; break;
        case '"': out += u'"'; break;
        case 'r': out += u'\r'; break;
        case 'n': out += u'\n'; break;
        case 'u':
            if (pos + 5 > line.size() || !parseHexNumber(line.substr(pos + 1, 4), 4, unit))
                return "bad \\u escape";
            out += static_cast<char16_t>(unit);
            pos += 4;
            break;
        default: return "unknown escape";
        }
        runStart = pos + 1;
    }
    return "unterminated quote";
}

const char* parseHexBytes(std::string_view data, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    if (trimmed(data).empty())
        return nullptr;
    for (;;) {
        const std::size_t comma = data.find(',');
        std::uint32_t byte = 0;
        if (!parseHexNumber(trimmed(data.substr(0, comma)), 2, byte))
            return "bad hex byte";
        bytes.push_back(static_cast<std::uint8_t>(byte));
        if (comma == std::string_view::npos)
            return nullptr;
        data.remove_prefix(comma + 1);
    }
}

const char* parseValueData(std::string_view data, SRegValue& value)
{
    if (data.starts_with('"')) {
        value.type = ERegValueType::String;
        std::size_t pos = 0;
        if (const char* error = parseQuoted(data, pos, value.text))
            return error;
        return trimmed(data.substr(pos)).empty() ? nullptr : "text after the closing quote";
    }
    if (startsWithIgnoreCase(data, "dword:")) {
        value.type = ERegValueType::Dword;
        return parseHexNumber(data.substr(6), 8, value.dword) ? nullptr : "bad dword";
    }
    if (startsWithIgnoreCase(data, "hex:")) {
        value.type = ERegValueType::Binary;
        return parseHexBytes(data.substr(4), value.bytes);
    }
    return "unknown value type";
}

// Reads a value line: its name, then its data, joined with the lines that continue a wrapped hex
// value.
const char* parseValueLine(CLineReader& reader, std::string& line, std::u16string& name, SRegValue& value)
{
    std::size_t pos = 0;
    if (line.starts_with('@')) {
        name.clear();
        pos = 1;
    } else if (line.starts_with('"')) {
        if (const char* error = parseQuoted(line, pos, name))
            return error;
    } else {
        return "unrecognized line";
    }
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    if (pos >= line.size() || line[pos] != '=')
        return "'=' expected after the name";
    ++pos;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    if (startsWithIgnoreCase(std::string_view(line).substr(pos), "hex:"))
        reader.joinHexContinuations(line);
    if (const char* error = parseValueData(trimmed(std::string_view(line).substr(pos)), value))
        return error;
    // The writer ends every line. A number or hex value cut short still reads as one, only a
    // wrong one; a text value cut short has no closing quote.
    if (!reader.lineWasEnded() && value.type != ERegValueType::String)
        return "cut off at the end of the file";
    return nullptr;
}

void appendHex(std::uint32_t value, int digits, std::string& out)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

void appendQuoted(std::u16string_view text, std::string& out)
{
    out += '"';
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = unitLength(text, i);
        const char16_t ch = text[i];
        if (length > 0 && ch != u'\\' && ch != u'"' && ch != u'\r' && ch != u'\n') {
            i += length;
            continue;
        }
        appendUtf8FromUtf16Lossless(text.substr(runStart, i - runStart), out);
        switch (ch) {
        case u'\\': out += "\\\\"; break;
        case u'"': out += "\\\""; break;
        case u'\r': out += "\\r"; break;
        case u'\n': out += "\\n"; break;
        default:
            // An unpaired surrogate has no UTF-8 form of its own; as an escape it survives.
            out += "\\u";
            appendHex(ch, 4, out);
            break;
        }
        runStart = ++i;
    }
    appendUtf8FromUtf16Lossless(text.substr(runStart), out);
    out += '"';
}

}  // namespace

SRegValue SRegValue::fromDword(std::uint32_t value)
{
    SRegValue result;
    result.type = ERegValueType::Dword;
    result.dword = value;
    return result;
}

SRegValue SRegValue::fromString(std::u16string_view value)
{
    SRegValue result;
    result.type = ERegValueType::String;
    result.text = value;
    return result;
}

SRegValue SRegValue::fromBinary(std::vector<std::uint8_t> value)
{
    SRegValue result;
    result.type = ERegValueType::Binary;
    result.bytes = std::move(value);
    return result;
}

bool operator==(const SRegValue& a, const SRegValue& b)
{
    if (a.type != b.type)
        return false;
    switch (a.type) {
    case ERegValueType::Dword: return a.dword == b.dword;
    case ERegValueType::String: return a.text == b.text;
    case ERegValueType::Binary: return a.bytes == b.bytes;
    }
    return false;
}

const SRegValue* CRegistryData::find(std::u16string_view key, std::u16string_view name) const
{
    const auto keyIt = m_index.find(folded(withoutUserRoot(key)));
    if (keyIt == m_index.end())
        return nullptr;
    const auto nameIt = keyIt->second.names.find(folded(name));
    if (nameIt == keyIt->second.names.end())
        return nullptr;
    return &m_keys[keyIt->second.position].values[nameIt->second].value;
}

std::optional<std::uint32_t> CRegistryData::readDword(std::u16string_view key, std::u16string_view name) const
{
    const SRegValue* value = find(key, name);
    if (!value || value->type != ERegValueType::Dword)
        return std::nullopt;
    return value->dword;
}

std::vector<std::pair<std::u16string, std::u16string>> CRegistryData::readStringValues(std::u16string_view key) const
{
    std::vector<std::pair<std::u16string, std::u16string>> values;
    const auto keyIt = m_index.find(folded(withoutUserRoot(key)));
    if (keyIt == m_index.end())
        return values;
    for (const SNamedValue& named : m_keys[keyIt->second.position].values) {
        if (named.value.type == ERegValueType::String)
            values.emplace_back(named.name, named.value.text);
    }
    return values;
}

std::optional<std::u16string> CRegistryData::readString(std::u16string_view key, std::u16string_view name) const
{
    const SRegValue* value = find(key, name);
    if (!value || value->type != ERegValueType::String)
        return std::nullopt;
    return value->text;
}

std::optional<std::vector<std::uint8_t>> CRegistryData::readBinary(std::u16string_view key,
                                                                   std::u16string_view name) const
{
    const SRegValue* value = find(key, name);
    if (!value || value->type != ERegValueType::Binary)
        return std::nullopt;
    return value->bytes;
}

bool CRegistryData::set(std::u16string_view key, std::u16string_view name, SRegValue value)
{
    return setInPath(withoutUserRoot(key), name, std::move(value));
}

bool CRegistryData::setInPath(std::u16string_view key, std::u16string_view name, SRegValue value)
{
    auto [keyIt, newKey] = m_index.try_emplace(folded(key));
    if (newKey) {
        keyIt->second.position = m_keys.size();
        m_keys.push_back(SKey{std::u16string(key), {}});
    }
    std::vector<SNamedValue>& values = m_keys[keyIt->second.position].values;
    auto [nameIt, newName] = keyIt->second.names.try_emplace(folded(name), values.size());
    if (newName) {
        values.push_back(SNamedValue{std::u16string(name), std::move(value)});
        return true;
    }
    SRegValue& existing = values[nameIt->second].value;
    if (existing == value)
        return false;
    existing = std::move(value);
    return true;
}

void CRegistryData::clear()
{
    m_keys.clear();
    m_index.clear();
}

bool CRegistryData::isStorableKey(std::u16string_view key)
{
    for (std::size_t i = 0; i < key.size();) {
        const std::size_t length = unitLength(key, i);
        if (length == 0 || key[i] == u'\r' || key[i] == u'\n')
            return false;
        i += length;
    }
    return true;
}

std::vector<SRegParseError> CRegistryData::parse(std::string_view text)
{
    clear();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    CLineReader reader(text);
    std::vector<SRegParseError> skipped;
    std::optional<std::u16string> key;  // none before the first key line and after a damaged one
    bool keySeen = false;
    while (!reader.atEnd()) {
        std::string line(reader.next());
        const int lineNumber = reader.lineNumber();
        if (line.empty() || line.starts_with(';') || line == kHeader || line == "REGEDIT4")
            continue;
        const char* message = nullptr;
        if (line.starts_with('[')) {
            key = parseKeyLine(line);
            keySeen = true;
            message = key ? nullptr : "key without closing bracket";
        } else if (!key) {
            // The values under a damaged key line belong to a key nobody can name: filing them
            // under the key before would mix sections up.
            message = keySeen ? "value under a damaged key" : "value before the first key";
        } else {
            std::u16string name;
            SRegValue value;
            message = parseValueLine(reader, line, name, value);
            if (!message)
                setInPath(*key, name, std::move(value));
        }
        if (message)
            skipped.push_back(SRegParseError{lineNumber, message});
    }
    return skipped;
}

std::optional<std::u16string> CRegistryData::parseKeyLine(std::string_view line)
{
    if (line.size() < 2 || !line.ends_with(']'))
        return std::nullopt;
    std::u16string key(withoutUserRoot(utf16FromUtf8Lossless(line.substr(1, line.size() - 2))));
    if (m_index.try_emplace(folded(key), SKeyIndex{m_keys.size(), {}}).second)
        m_keys.push_back(SKey{key, {}});
    return key;
}

std::string CRegistryData::serialize() const
{
    std::string out(kHeader);
    out += '\n';
    for (const SKey& key : m_keys) {
        out += "\n[";
        // Reading takes one root off a key line: a path that itself starts with the root (read
        // from a line that named it twice) keeps it only when it is written with one more.
        if (withoutUserRoot(key.path).size() != key.path.size())
            appendUtf8FromUtf16Lossless(kUserRoot, out);
        appendUtf8FromUtf16Lossless(key.path, out);
        out += "]\n";
        for (const SNamedValue& named : key.values) {
            if (named.name.empty())
                out += '@';
            else
                appendQuoted(named.name, out);
            out += '=';
            const SRegValue& value = named.value;
            switch (value.type) {
            case ERegValueType::Dword:
                out += "dword:";
                appendHex(value.dword, 8, out);
                break;
            case ERegValueType::String: appendQuoted(value.text, out); break;
            case ERegValueType::Binary:
                out += "hex:";
                for (std::size_t i = 0; i < value.bytes.size(); ++i) {
                    if (i > 0)
                        out += ',';
                    appendHex(value.bytes[i], 2, out);
                }
                break;
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace brindle
