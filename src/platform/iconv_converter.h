// One glibc iconv conversion descriptor, for the code pages that convert through iconv.
#pragma once

#include <bit>
#include <cstddef>

namespace brindle {

// The iconv name of UTF-16 in the byte order of char16_t on this machine, without a mark.
inline constexpr const char* kIconvUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// Owns one iconv descriptor (iconv_open) and closes it on destruction. A descriptor carries
// shift state between calls, so one object must not convert on two threads at once: the owner
// serialises. Move-only.
class CIconvConverter {
public:
    // How one call of convert() ended.
    enum class Outcome {
        Done,        // all input converted
        OutputFull,  // the output has no room for the next character
        Invalid,     // the input at the read position is no character of the source set
        Incomplete,  // the input ends inside a character
    };

    CIconvConverter() = default;
    ~CIconvConverter();
    CIconvConverter(CIconvConverter&& other) noexcept;
    CIconvConverter& operator=(CIconvConverter&& other) noexcept;
    CIconvConverter(const CIconvConverter&) = delete;
    CIconvConverter& operator=(const CIconvConverter&) = delete;

    // A converter from one iconv character set to another; isOpen() is false when iconv does not
    // know one of the names.
    CIconvConverter(const char* to, const char* from);
    bool isOpen() const;

    // Back to the initial shift state, dropping any character held back.
    void reset();
    // Converts from in onwards, moving both positions past what was converted.
    Outcome convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft);
    // Writes what the descriptor still holds back (a decoder that combines a letter with the
    // accent after it holds the letter) and returns to the initial state: Done, or OutputFull
    // when out has no room for it.
    Outcome flush(char*& out, std::size_t& outLeft);

private:
    void close();
    static Outcome outcomeOf(std::size_t result);

    void* m_descriptor = nullptr;  // an iconv_t; nullptr when not open
};

}  // namespace brindle
