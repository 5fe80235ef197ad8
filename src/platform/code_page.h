// Code pages: 8-bit text <-> UTF-16, and the one-character upper-casing used by ignore case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// Windows code-page numbers that have a meaning of their own here.
inline constexpr std::uint32_t kCodePageAnsi = 0;       // "the system ANSI code page"
inline constexpr std::uint32_t kCodePageUtf8 = 65001;

// One 8-bit character set. Single-byte pages map every byte to one UTF-16 unit; the UTF-8
// page decodes without loss: a byte that is not part of a valid UTF-8 sequence becomes the
// unit 0xDC00 + byte and is encoded back to that same byte, so any byte string round-trips.
// Instances live for the whole process; obtain them through ansi() or byNumber().
class CCodePage {
public:
    virtual ~CCodePage() = default;

    // The system ANSI code page: BRINDLE_ACP (a Windows code-page number) when set and known,
    // otherwise the character set of the user's locale (LC_ALL, LC_CTYPE, LANG): UTF-8 for
    // UTF-8 locales, C and POSIX; the matching single-byte page for single-byte locales.
    static const CCodePage& ansi();
    // Forgets the cached ANSI code page so that the next ansi() reads the environment again.
    // For tests that change BRINDLE_ACP.
    static void resetAnsiForTesting();
    // A code page by Windows number; kCodePageAnsi gives ansi(). nullptr when unknown.
    static const CCodePage* byNumber(std::uint32_t number);

    virtual std::uint32_t number() const = 0;
    virtual bool isSingleByte() const = 0;

    // MultiByteToWideChar: appends the UTF-16 form of bytes to out.
    virtual void appendUtf16(std::string_view bytes, std::u16string& out) const = 0;
    std::u16string toUtf16(std::string_view bytes) const;

    // WideCharToMultiByte: appends the 8-bit form of text to out. A unit the page cannot
    // represent becomes `replacement`. Returns true when a replacement was needed.
    virtual bool appendBytes(std::u16string_view text, std::string& out,
                             char replacement = '?') const = 0;
    std::string toBytes(std::u16string_view text, char replacement = '?') const;

    // Single-byte pages: the byte that stands for ch, when there is one.
    virtual bool byteFor(char16_t ch, std::uint8_t& byte) const = 0;
    // CharUpperA on one byte of a single-byte page (identity for UTF-8).
    virtual std::uint8_t upperByte(std::uint8_t byte) const = 0;
};

}  // namespace brindle
