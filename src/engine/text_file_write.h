// Writing a text file in any of the four encodings, replacing the target only when complete.
#pragma once

#include "engine/text_file_base.h"

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

class CByteSink;

// Open writes the byte-order mark of the encoding (none for code 0); WriteString encodes text;
// WriteEndl writes CR LF. UTF-8 is written so that whatever CTextFileRead read comes back byte
// for byte: a unit 0xDC80..0xDCFF that is not the second half of a surrogate pair becomes the
// byte it stands for, a pair becomes its four-byte sequence. Other lone surrogates (from UTF-16
// text) are written in their three-byte form. UTF-16 writes every unit as it is. The bytes go to
// a temporary file in the target's folder that replaces the target at Close, so a failed or
// interrupted write never leaves a half-written file in place of a good one.
//
// Failures: a file that cannot be created is not reported by Open beyond its result; the
// CFileException comes when 1024 bytes are pending, or at Close, whichever is first. A write
// error (disk full) throws at the next write-out; Close throws when the target cannot be
// replaced. The destructor closes a writer that was not closed, unless an exception is being
// thrown, in which case the target is left untouched; it never throws.
class CTextFileWrite : public CTextFileBase {
public:
    CTextFileWrite();
    ~CTextFileWrite() override;

    bool Open(std::u16string_view path, int encoding);
    // Opens like Open, for a file a comparison produces: an existing file that this program did
    // not write in its present state is kept as a numbered backup (openOutputFileSink).
    bool OpenOutputFile(std::u16string_view path, int encoding);
    // Writes into sink instead of a file; path names the file in messages.
    bool Open(std::unique_ptr<CByteSink> sink, int encoding, std::u16string_view path = {});

    void WriteString(std::u16string_view text);
    // Text of units below 0x80 only, given as bytes: the same as WriteString of the same text.
    void WriteAscii(std::string_view text);
    void WriteEndl();
    // Writes out what is pending and flushes it to disk ahead of Close, on the thread that wrote
    // (CByteSink::sync). Throws as the writes do, or as Close does when the flush fails.
    void sync();
    void Close();
    // Drops what was written without replacing the target; the writer is then closed.
    void discard();

    // Byte used for characters the 8-bit code page cannot represent; 0 (default) means "?".
    void SetReplacementChar(char replacement) { m_replacement = replacement; }
    // True once a character of the text had to be replaced (code 0 only).
    bool ReplacementUsed() const { return m_replacementUsed; }

    // For UTF-16 text read from a file with an odd last byte (CTextFileRead::endsWithOddByte):
    // the last unit written before Close, when it is 0xDC00..0xDCFF, is written as its low byte
    // alone. Only the flag can say so, since UTF-16 text may hold any lone low surrogate; text
    // edited so that another unit of that range came last would lose that unit's high byte,
    // which is not worth tracking every edit for. Kept across Open, like the code page.
    void setEndsWithOddByte(bool odd) { m_endsWithOddByte = odd; }

private:
    bool openSink(std::unique_ptr<CByteSink> sink, const std::error_code& error, int encoding,
                  std::u16string_view path);
    void put(const void* data, std::size_t size);
    bool isUtf16() const;
    void putUnit(char16_t unit);
    void putUtf16(char16_t unit);
    void putHeldUnit(bool last);
    void flush();
    [[noreturn]] void fail(int operation);

    std::unique_ptr<CByteSink> m_sink;
    std::u16string m_path;
    std::error_code m_openError;
    bool m_open = false;
    char m_replacement = 0;
    bool m_replacementUsed = false;
    std::string m_converted;
    bool m_endsWithOddByte = false;
    // With m_endsWithOddByte, the last UTF-16 unit waits here until it is known to be the last.
    char16_t m_heldUnit = 0;
    bool m_hasHeldUnit = false;
};

}  // namespace brindle
