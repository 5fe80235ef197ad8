// A code page whose characters take one or more bytes (932, 936, 949, 950, ...), through iconv.
#pragma once

#include "platform/code_page.h"
#include "platform/iconv_converter.h"

#include <array>
#include <bitset>
#include <mutex>

namespace brindle {

// What the loader learnt about a multi-byte page by decoding every byte and every byte pair.
struct SMultiByteTraits {
    static constexpr char16_t kNoUnit = 0xFFFF;

    // What each byte decodes to on its own; kNoUnit for bytes that are no character alone.
    std::array<char16_t, 256> singleUnits{};
    // Some character is longer than two bytes, or two bytes decode to a surrogate pair (54936,
    // 20932): the pairs below do not tell every character, and decoded text is checked by
    // encoding it back instead.
    bool checkByEncoding = false;
    // Otherwise, by lead byte << 8 | next byte: the pairs that are one character, and those of
    // them that encode to other bytes (932 has many kanji both in NEC's and in IBM's rows, and
    // encodes them to IBM's).
    std::bitset<0x10000> pairIsCharacter;
    std::bitset<0x10000> pairEncodesElsewhere;
};

// Converts with one cached iconv descriptor per direction. A descriptor carries state, so each
// conversion holds the page's lock: any thread may convert, one at a time.
// Decoding is lossless: bytes iconv cannot decode (a stray trail byte, a lead byte whose trail
// byte is missing or wrong, a character cut off at the end), and a character that would not
// encode back to its own bytes, become 0xDC00 + byte one byte at a time, and decoding goes on
// with the next byte, which may start a character of its own.
class CMultiByteCodePage final : public CCodePage {
public:
    // decoder: from the page to kIconvUtf16; encoder: the other way.
    CMultiByteCodePage(std::uint32_t number, const SMultiByteTraits& traits, CIconvConverter decoder,
                       CIconvConverter encoder);

    std::uint32_t number() const override { return m_number; }
    bool isSingleByte() const override { return false; }
    void appendUtf16(std::string_view bytes, std::u16string& out) const override;
    bool appendBytes(std::u16string_view text, std::string& out, char replacement) const override;
    bool byteFor(char16_t ch, std::uint8_t& byte) const override;
    std::uint8_t upperByte(std::uint8_t byte) const override { return byte; }

private:
    // The callers below hold m_mutex.
    void decodeLeniently(std::string_view bytes, std::u16string& out) const;
    bool mayHoldPairEncodingElsewhere(std::string_view bytes) const;
    void decodePairs(std::string_view bytes, std::u16string& out) const;
    void decodeChecked(std::string_view bytes, std::u16string& out) const;
    bool encodesBack(std::u16string_view text, std::string_view bytes) const;
    void decodeByCharacter(std::string_view bytes, std::u16string& out) const;
    std::size_t characterAt(std::string_view bytes, std::u16string& units) const;
    bool encode(std::u16string_view text, std::string& out, char replacement) const;
    bool encodeRun(std::u16string_view text, std::string& out, std::size_t& written, char replacement) const;

    std::uint32_t m_number;
    SMultiByteTraits m_traits;
    std::array<bool, 256> m_leadsEncodingElsewhere{};
    mutable std::mutex m_mutex;
    mutable CIconvConverter m_decoder;
    mutable CIconvConverter m_encoder;
    mutable std::string m_encoded;       // scratch of encodesBack()
    mutable std::u16string m_character;  // scratch of decodeByCharacter()
};

}  // namespace brindle
