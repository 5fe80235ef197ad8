// Lossless UTF-8 <-> UTF-16 conversion, used for file names, the UTF-8 code page and text files
// with the UTF-8 byte-order mark.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Decodes UTF-8 into UTF-16. Valid sequences (no overlong forms, no encoded surrogates,
// nothing above U+10FFFF) give their code point, as a surrogate pair above U+FFFF; every byte
// that is not part of a valid sequence gives the unit 0xDC00 + byte.
void appendUtf16FromUtf8Lossless(std::string_view bytes, std::u16string& out);
std::u16string utf16FromUtf8Lossless(std::string_view bytes);

// Encodes UTF-16 as UTF-8, the inverse of the decoding above: units 0xDC80..0xDCFF that do not
// complete a surrogate pair become the single byte they stand for. Other unpaired surrogates
// cannot be represented: they become `replacement`, and the function returns true.
bool appendUtf8FromUtf16Lossless(std::u16string_view text, std::string& out, char replacement = '?');
std::string utf8FromUtf16Lossless(std::u16string_view text);

// The same for text files, where no unit may silently turn into another character: an unpaired
// surrogate that does not stand for a byte (it came from UTF-16 text) is written in the
// three-byte form of its value. Reading that back gives three byte units, not the surrogate.
void appendUtf8FromUtf16KeepingSurrogates(std::u16string_view text, std::string& out);

// File names on this platform are the UTF-8 form of the UTF-16 paths.
std::string nativePath(std::u16string_view path);
std::u16string pathFromNative(std::string_view native);

// Plain UTF-16 <-> UTF-8 for ASCII-heavy texts in tests and messages (lossless as above).
inline std::u16string u16(std::string_view utf8) { return utf16FromUtf8Lossless(utf8); }
inline std::string u8(std::u16string_view text) { return utf8FromUtf16Lossless(text); }

}  // namespace brindle
