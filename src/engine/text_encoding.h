// Encoding codes of text files, shared by the text-file reader and writer and the editor buffer.
#pragma once

namespace brindle {

// The numeric values are stored and passed around as plain int32 codes.
enum TextEncoding : int {
    kEncodingAnsi = 0,     // 8-bit text in a code page, no byte-order mark
    kEncodingUtf16Be = 1,  // FE FF
    kEncodingUtf16Le = 2,  // FF FE
    kEncodingUtf8 = 3,     // EF BB BF
};

// The line end that follows a line in a file. Stored with the editor's lines, so that every line
// keeps its own end when the file is saved again.
enum class ELineEnd : unsigned char { CrLf, Lf, Cr };

}  // namespace brindle
