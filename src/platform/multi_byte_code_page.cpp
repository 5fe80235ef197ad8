#include "platform/multi_byte_code_page.h"

#include "platform/utf16_units.h"

#include <algorithm>

namespace brindle {

namespace {

// The longest character of the pages iconv knows (GB18030).
constexpr std::size_t kMaxCharacterBytes = 4;

// Makes room for at least `more` elements after the first `used` ones of a string iconv writes
// into.
template <class String>
void makeRoom(String& out, std::size_t used, std::size_t more)
{
    if (out.size() - used < more)
        out.resize(std::max(used + more, 2 * out.size()));
}

// True when text[i], which is not the second half of a pair, is a surrogate outside a pair.
bool isUnpairedSurrogate(std::u16string_view text, std::size_t i)
{
    return isHighSurrogate(text[i]) ? !startsSurrogatePair(text, i) : isLowSurrogate(text[i]);
}

}  // namespace

CMultiByteCodePage::CMultiByteCodePage(std::uint32_t number, const SMultiByteTraits& traits, CIconvConverter decoder,
                                       CIconvConverter encoder)
    : m_number(number), m_traits(traits), m_decoder(std::move(decoder)), m_encoder(std::move(encoder))
{
    for (std::size_t pair = 0; pair < traits.pairEncodesElsewhere.size(); ++pair) {
        if (traits.pairEncodesElsewhere[pair])
            m_leadsEncodingElsewhere[pair >> 8] = true;
    }
}

void CMultiByteCodePage::appendUtf16(std::string_view bytes, std::u16string& out) const
{
    std::lock_guard lock(m_mutex);
    if (m_traits.checkByEncoding)
        decodeChecked(bytes, out);
    else if (mayHoldPairEncodingElsewhere(bytes))
        decodePairs(bytes, out);
    else
        decodeLeniently(bytes, out);
}

// Cheaper than walking the characters: most text has no byte that leads such a pair anywhere.
bool CMultiByteCodePage::mayHoldPairEncodingElsewhere(std::string_view bytes) const
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [this](char c) { return m_leadsEncodingElsewhere[static_cast<std::uint8_t>(c)]; });
}

void CMultiByteCodePage::decodeLeniently(std::string_view bytes, std::u16string& out) const
{
    std::size_t used = out.size();
    // No character of these pages takes fewer bytes than units.
    makeRoom(out, used, bytes.size() + 2);
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    m_decoder.reset();
    for (;;) {
        char* dst = reinterpret_cast<char*>(out.data() + used);
        std::size_t room = (out.size() - used) * sizeof(char16_t);
        CIconvConverter::Outcome outcome = m_decoder.convert(in, inLeft, dst, room);
        if (outcome == CIconvConverter::Outcome::Done)
            outcome = m_decoder.flush(dst, room);
        used = out.size() - room / sizeof(char16_t);
        if (outcome == CIconvConverter::Outcome::OutputFull) {
            makeRoom(out, used, inLeft + 2);
            continue;
        }
        if (inLeft == 0)
            break;
        // Invalid, or cut off at the end: keep the byte and go on with the next one.
        makeRoom(out, used, 1);
        out[used++] = byteUnit(static_cast<std::uint8_t>(*in));
        ++in;
        --inLeft;
    }
    out.resize(used);
}

// Walks the characters as iconv does, to keep the lead byte of each pair that would encode to
// other bytes; the text between such pairs is decoded as a whole. A byte that does not start a
// pair of one character is one step: a character of one byte, or no character, after which
// iconv goes on with the next byte.
void CMultiByteCodePage::decodePairs(std::string_view bytes, std::u16string& out) const
{
    std::size_t from = 0;
    for (std::size_t i = 0; i + 1 < bytes.size();) {
        const auto pair = static_cast<std::size_t>(static_cast<std::uint8_t>(bytes[i]) << 8 |
                                                   static_cast<std::uint8_t>(bytes[i + 1]));
        if (m_traits.pairEncodesElsewhere[pair]) [[unlikely]] {
            decodeLeniently(bytes.substr(from, i - from), out);
            out += byteUnit(static_cast<std::uint8_t>(bytes[i]));
            from = ++i;
            continue;
        }
        i += m_traits.pairIsCharacter[pair] ? 2 : 1;
    }
    decodeLeniently(bytes.substr(from), out);
}

void CMultiByteCodePage::decodeChecked(std::string_view bytes, std::u16string& out) const
{
    const std::size_t start = out.size();
    decodeLeniently(bytes, out);
    if (encodesBack(std::u16string_view(out).substr(start), bytes))
        return;
    out.resize(start);
    decodeByCharacter(bytes, out);
}

bool CMultiByteCodePage::encodesBack(std::u16string_view text, std::string_view bytes) const
{
    m_encoded.clear();
    return !encode(text, m_encoded, '?') && m_encoded == bytes;
}

// The slow road, for the rare text with a character that would not encode back.
void CMultiByteCodePage::decodeByCharacter(std::string_view bytes, std::u16string& out) const
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = characterAt(bytes.substr(i), m_character);
        if (length > 0 && encodesBack(m_character, bytes.substr(i, length))) {
            out += m_character;
            i += length;
        } else {
            out += byteUnit(static_cast<std::uint8_t>(bytes[i]));
            ++i;
        }
    }
}

// The length of the character at the start of bytes, with its units; 0 when there is none.
std::size_t CMultiByteCodePage::characterAt(std::string_view bytes, std::u16string& units) const
{
    for (std::size_t length = 1; length <= std::min(bytes.size(), kMaxCharacterBytes); ++length) {
        units.assign(2, u'\0');
        const char* in = bytes.data();
        std::size_t inLeft = length;
        char* dst = reinterpret_cast<char*>(units.data());
        std::size_t room = units.size() * sizeof(char16_t);
        m_decoder.reset();
        const CIconvConverter::Outcome outcome = m_decoder.convert(in, inLeft, dst, room);
        if (outcome == CIconvConverter::Outcome::Incomplete)
            continue;
        if (outcome != CIconvConverter::Outcome::Done || m_decoder.flush(dst, room) != CIconvConverter::Outcome::Done)
            return 0;
        units.resize(units.size() - room / sizeof(char16_t));
        return length;
    }
    return 0;
}

bool CMultiByteCodePage::appendBytes(std::u16string_view text, std::string& out, char replacement) const
{
    std::lock_guard lock(m_mutex);
    return encode(text, out, replacement);
}

bool CMultiByteCodePage::encode(std::u16string_view text, std::string& out, char replacement) const
{
    std::size_t written = out.size();
    bool replaced = false;
    m_encoder.reset();
    for (std::size_t i = 0; i <= text.size();) {
        // iconv refuses unpaired surrogates: encode the text between them, and them here.
        std::size_t end = i;
        while (end < text.size() && !isUnpairedSurrogate(text, end))
            end += startsSurrogatePair(text, end) ? 2 : 1;
        replaced |= encodeRun(text.substr(i, end - i), out, written, replacement);
        if (end == text.size())
            break;
        makeRoom(out, written, 1);
        const bool byte = isByteUnit(text, end);
        out[written++] = byte ? static_cast<char>(text[end] - kByteUnitBase) : replacement;
        replaced |= !byte;
        i = end + 1;
    }
    out.resize(written);
    return replaced;
}

bool CMultiByteCodePage::encodeRun(std::u16string_view text, std::string& out, std::size_t& written,
                                   char replacement) const
{
    bool replaced = false;
    const char* const begin = reinterpret_cast<const char*>(text.data());
    const char* in = begin;
    std::size_t inLeft = text.size() * sizeof(char16_t);
    makeRoom(out, written, 2 * text.size() + 8);
    for (;;) {
        char* dst = out.data() + written;
        std::size_t room = out.size() - written;
        CIconvConverter::Outcome outcome = m_encoder.convert(in, inLeft, dst, room);
        if (outcome == CIconvConverter::Outcome::Done)
            outcome = m_encoder.flush(dst, room);
        written = out.size() - room;
        if (outcome == CIconvConverter::Outcome::OutputFull) {
            makeRoom(out, written, inLeft + 8);
            continue;
        }
        if (inLeft == 0)
            return replaced;
        // A character the page does not have: one replacement, for a surrogate pair too.
        makeRoom(out, written, 1);
        out[written++] = replacement;
        replaced = true;
        const auto unit = static_cast<std::size_t>(in - begin) / sizeof(char16_t);
        const std::size_t skipped = (startsSurrogatePair(text, unit) ? 2 : 1) * sizeof(char16_t);
        in += skipped;
        inLeft -= std::min(skipped, inLeft);
    }
}

bool CMultiByteCodePage::byteFor(char16_t ch, std::uint8_t& byte) const
{
    // Few callers, and not per character of a file: a scan will do.
    if (ch == SMultiByteTraits::kNoUnit)
        return false;
    const auto& units = m_traits.singleUnits;
    const auto found = std::find(units.begin(), units.end(), ch);
    if (found == units.end())
        return false;
    byte = static_cast<std::uint8_t>(found - units.begin());
    return true;
}

}  // namespace brindle
