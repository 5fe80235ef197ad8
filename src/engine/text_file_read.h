// Reading a text file line by line in any of the four encodings.
#pragma once

#include "engine/text_encoding.h"
#include "engine/text_file_base.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

// Detects the byte-order mark at Open and returns lines without their line ends. CR LF, a lone
// CR and a lone LF each end a line; LF followed by CR is two line ends. An empty file reads as
// one empty line; a file that cannot be opened (missing, unreadable, a folder) reads as no lines.
// A read that fails ends the file too, and leaves its reason in Error(): callers that must not
// take a damaged file for a shorter one check it after the last line.
// Text without a mark is 8-bit text in the reader's code page. Reading loses no byte of a file
// with a mark: a byte of UTF-8 that is not part of a valid sequence (overlong forms, encoded
// surrogates and values above U+10FFFF included, and a sequence cut off at the end) becomes the
// unit 0xDC00 + byte, which the writer turns back into that byte; four-byte sequences become
// surrogate pairs. UTF-16 units, lone surrogates included, pass through; an odd last byte of
// UTF-16 becomes 0xDC00 + byte too (see endsWithOddByte).
class CTextFileRead : public CTextFileBase {
public:
    CTextFileRead();
    ~CTextFileRead() override;

    // Opens path and detects its encoding. Returns whether the file could be opened; when not,
    // the reader is at end of file at once.
    bool Open(std::u16string_view path);
    bool IsOpen() const { return m_fd >= 0; }

    // False once the end of the file was reached before the call; otherwise true with the next
    // line (possibly empty) in line.
    bool ReadLine(std::u16string& line);

    void Close();

    // The line end between the line the last ReadLine gave and the line before it; nullopt for
    // the first line.
    std::optional<ELineEnd> PrecedingLineEnd() const { return m_precedingLineEnd; }

    // Why Open or a read failed; clear while every read succeeded.
    const std::error_code& Error() const { return m_error; }

    // True once the reader met an odd last byte of a UTF-16 file: the last unit of the last line
    // is then 0xDC00 + that byte. The unit alone cannot say so, as UTF-16 text may hold any lone
    // low surrogate; CTextFileWrite::setEndsWithOddByte writes the unit back as the one byte.
    bool endsWithOddByte() const { return m_endsWithOddByte; }

private:
    void detectEncoding();
    bool refill();
    int nextByte();
    int nextChar();
    bool takePending(int& c);
    void pushBack(int c);
    // Appends c to line; false instead at the end of the file or at a CR or LF (kept).
    bool addToLine(int c, std::u16string& line);
    void skipLineEnd();
    bool startLine();
    bool readLineBytes(std::string& bytes);
    void collectLineBytes(std::string& bytes);
    void collectChars(std::u16string& line);

    int m_fd = -1;
    std::error_code m_error;
    std::optional<ELineEnd> m_precedingLineEnd;
    bool m_firstLine = true;
    char16_t m_pushedBack = 0;  // the CR or LF that ended the previous line
    bool m_hasPushedBack = false;
    int m_pending = 0;  // a character taken after a CR that begins the next line
    bool m_hasPending = false;
    std::string m_lineBytes;  // codes 0 and 3: the line's bytes before conversion
    bool m_endsWithOddByte = false;
};

}  // namespace brindle
