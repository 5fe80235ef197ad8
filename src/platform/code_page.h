// Code pages: 8-bit text <-> UTF-16, and the one-character upper-casing used by ignore case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// Windows code-page numbers that have a meaning of their own here.
inline constexpr std::uint32_t kCodePageAnsi = 0;  // "the system ANSI code page"
inline constexpr std::uint32_t kCodePageUtf8 = 65001;

// One 8-bit character set, known by its Windows code-page number. Every page is a superset of
// ASCII in which CR and LF are never part of a longer character, so lines split on bytes and
// ASCII text is the same in every page. Conversion never loses bytes:
// - single-byte pages map every byte to one UTF-16 unit; a byte the page leaves undefined
//   stands for the unit of the same value, as on Windows;
// - multi-byte pages (932, 936, 949, 950, ...) give a character of two or more bytes as one
//   unit or a surrogate pair, never split;
// - the UTF-8 page decodes valid sequences;
// and on multi-byte and UTF-8 pages every byte that is not part of a character (a stray byte,
// a lead byte without its trail byte, a character cut off at the end) becomes the unit
// 0xDC00 + byte. Encoding turns such units (0xDC80..0xDCFF outside a surrogate pair) back into
// their byte on every page, so any byte string decodes and encodes back to itself.
// Instances live for the whole process; obtain them through ansi() or byNumber(). Any thread may
// convert: pages that convert through iconv take a lock of their own.
class CCodePage {
public:
    virtual ~CCodePage() = default;

    // The system ANSI code page: BRINDLE_ACP (a Windows code-page number) when set and known,
    // otherwise the character set of the user's locale (LC_ALL, LC_CTYPE, LANG): UTF-8 for
    // UTF-8 locales, C and POSIX and any character set without a usable code page.
    static const CCodePage& ansi();
    // Forgets the cached ANSI code page so that the next ansi() reads the environment again.
    // For tests that change BRINDLE_ACP.
    static void resetAnsiForTesting();
    // A code page by Windows number: kCodePageUtf8, or any page glibc's iconv knows under the
    // number's name that keeps the promises of the class comment. kCodePageAnsi gives ansi().
    // nullptr when unknown or unusable (UTF-16, UTF-7, EBCDIC, ISO-2022, ...).
    static const CCodePage* byNumber(std::uint32_t number);

    virtual std::uint32_t number() const = 0;
    virtual bool isSingleByte() const = 0;

    // MultiByteToWideChar: appends the UTF-16 form of bytes to out.
    virtual void appendUtf16(std::string_view bytes, std::u16string& out) const = 0;
    std::u16string toUtf16(std::string_view bytes) const;

    // WideCharToMultiByte: appends the 8-bit form of text to out. A character the page cannot
    // represent (a surrogate pair included) becomes one `replacement`, and so does an unpaired
    // surrogate that stands for no byte. Returns true when a replacement was needed.
    virtual bool appendBytes(std::u16string_view text, std::string& out, char replacement = '?') const = 0;
    std::string toBytes(std::u16string_view text, char replacement = '?') const;

    // The byte that stands for ch on its own, when there is one (on multi-byte pages: ASCII and
    // the page's single-byte characters).
    virtual bool byteFor(char16_t ch, std::uint8_t& byte) const = 0;
    // CharUpperA on one byte of a single-byte page. Identity on the other pages: their bytes
    // above 0x7F are not characters on their own.
    virtual std::uint8_t upperByte(std::uint8_t byte) const = 0;
};

}  // namespace brindle
