// One report document: RTF text with the fixed colour table, written from the start onwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace brindle {

// RTF colour groups of a report: blue for a difference, red for what differs, black for common.
inline constexpr std::string_view kRtfBlue = "{\\cf1 ";
inline constexpr std::string_view kRtfRed = "{\\cf2 ";
inline constexpr std::string_view kRtfBlack = "{\\cf3 ";
inline constexpr std::string_view kRtfToRed = "}{\\cf2 ";
inline constexpr std::string_view kRtfToBlue = "}{\\cf1 ";
inline constexpr std::string_view kRtfLineEnd = "\\par ";

// The document declares code page 1252. Text goes in as 8-bit bytes of the system ANSI code page
// when that is 1252 and the line has no character above 0xFF; otherwise every character from 0x80
// up is written as \uN? (so a UTF-8 system, where the 8-bit form would be garbled, stays exact).
// "{", "}" and "\" are escaped everywhere, the font name included.
class CRtfDocument {
public:
    void reserve(std::size_t bytes) { m_bytes.reserve(bytes); }

    // The header: font table with fontName, colour table, and the size in half points.
    void start(std::u16string_view fontName, std::int32_t fontSizePoints);
    void raw(std::string_view rtf) { append(rtf.data(), rtf.size()); }
    // The line-number prefix "%4ld - ".
    void lineNumber(std::int32_t number);

    // Whether a line is written character by character with \u escapes (see the class comment).
    static bool needsUnicodeEscapes(std::u16string_view line);
    // Part of a line, escaped as the whole line would be (unicodeEscapes from the whole line).
    void text(std::u16string_view part, bool unicodeEscapes);
    void text(std::u16string_view line) { text(line, needsUnicodeEscapes(line)); }
    // Bytes shown as they are (hex dumps), with "{", "}" and "\" escaped.
    void escapedBytes(std::string_view bytes);

    std::size_t size() const { return m_used; }
    std::string_view bytes() const { return {m_bytes.data(), m_used}; }
    std::string takeBytes()
    {
        m_bytes.resize(m_used);
        m_used = 0;
        return std::move(m_bytes);
    }
    // The bytes written so far, going on in next (emptied, its memory kept): for a document
    // written out in pieces while it is built.
    std::string takeChunk(std::string next)
    {
        std::string chunk = takeBytes();
        m_bytes = std::move(next);
        m_bytes.clear();
        return chunk;
    }
    // Replaces bytes at pos (within what was written).
    void overwrite(std::size_t pos, std::string_view rtf) { std::memcpy(m_bytes.data() + pos, rtf.data(), rtf.size()); }

private:
    // Room for n more bytes at the end of what was written. The string is kept sized a little
    // ahead of the writing, so that the many small pieces of each line are copied in place
    // instead of each going through std::string::append.
    char* room(std::size_t n)
    {
        if (m_bytes.size() - m_used < n)
            grow(n);
        return m_bytes.data() + m_used;
    }
    void grow(std::size_t n);
    void append(const char* data, std::size_t n)
    {
        std::memcpy(room(n), data, n);
        m_used += n;
    }

    std::string m_bytes;  // written up to m_used; room after it
    std::size_t m_used = 0;
    std::string m_converted;
};

}  // namespace brindle
