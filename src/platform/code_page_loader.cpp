#include "platform/code_page_loader.h"

#include "platform/code_page_names.h"
#include "platform/iconv_converter.h"
#include "platform/multi_byte_code_page.h"
#include "platform/single_byte_code_page.h"
#include "platform/utf16_units.h"

#include <array>
#include <bitset>
#include <string_view>

namespace brindle {

namespace {

// What a few bytes decode to on their own.
struct SByteMeaning {
    enum class Kind {
        Character,  // one character of one unit
        Lead,       // the start of a longer character
        Invalid,    // no character
        Several,    // more than one unit
    };
    Kind kind = Kind::Invalid;
    char16_t unit = 0;  // for Character
};

using ByteMeanings = std::array<SByteMeaning, 256>;

// The flush makes a decoder that holds a letter back for an accent that may follow (1255, 1258)
// give the letter alone.
SByteMeaning probe(CIconvConverter& decoder, std::string_view bytes)
{
    decoder.reset();
    char16_t units[4];
    char* out = reinterpret_cast<char*>(units);
    std::size_t room = sizeof units;
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    const CIconvConverter::Outcome outcome = decoder.convert(in, inLeft, out, room);
    if (outcome == CIconvConverter::Outcome::Incomplete)
        return {SByteMeaning::Kind::Lead};
    if (outcome != CIconvConverter::Outcome::Done || decoder.flush(out, room) != CIconvConverter::Outcome::Done)
        return {};
    const std::size_t count = (sizeof units - room) / sizeof(char16_t);
    if (count != 1)
        return {count == 0 ? SByteMeaning::Kind::Invalid : SByteMeaning::Kind::Several};
    return {SByteMeaning::Kind::Character, units[0]};
}

bool encodesTo(CIconvConverter& encoder, char16_t unit, std::string_view bytes)
{
    encoder.reset();
    char encoded[8];
    char* out = encoded;
    std::size_t room = sizeof encoded;
    const char* in = reinterpret_cast<const char*>(&unit);
    std::size_t inLeft = sizeof unit;
    if (encoder.convert(in, inLeft, out, room) != CIconvConverter::Outcome::Done ||
        encoder.flush(out, room) != CIconvConverter::Outcome::Done)
        return false;
    return std::string_view(encoded, sizeof encoded - room) == bytes;
}

ByteMeanings probeEveryByte(CIconvConverter& decoder)
{
    ByteMeanings meanings;
    for (unsigned b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        meanings[b] = probe(decoder, std::string_view(&byte, 1));
    }
    return meanings;
}

bool isAsciiCompatible(const ByteMeanings& meanings)
{
    for (unsigned b = 0; b < 0x80; ++b) {
        if (meanings[b].kind != SByteMeaning::Kind::Character || meanings[b].unit != b)
            return false;
    }
    return true;
}

bool hasLeadBytes(const ByteMeanings& meanings)
{
    for (const SByteMeaning& meaning : meanings) {
        if (meaning.kind == SByteMeaning::Kind::Lead)
            return true;
    }
    return false;
}

// Decodes every lead byte with every byte after it. False when CR or LF can be part of a longer
// character: lines are split on those bytes before they are decoded.
bool probePairs(CIconvConverter& decoder, CIconvConverter& encoder, const ByteMeanings& meanings,
                SMultiByteTraits& traits)
{
    for (unsigned lead = 0x80; lead < 256; ++lead) {
        const char byte = static_cast<char>(lead);
        if (meanings[lead].kind == SByteMeaning::Kind::Character &&
            !encodesTo(encoder, meanings[lead].unit, std::string_view(&byte, 1)))
            traits.checkByEncoding = true;  // a character of one byte that encodes to others
        if (meanings[lead].kind != SByteMeaning::Kind::Lead)
            continue;
        for (unsigned next = 0; next < 256; ++next) {
            const char pair[] = {static_cast<char>(lead), static_cast<char>(next)};
            const std::string_view bytes(pair, 2);
            const SByteMeaning meaning = probe(decoder, bytes);
            if ((next == '\r' || next == '\n') && meaning.kind != SByteMeaning::Kind::Invalid)
                return false;
            const std::size_t pairIndex = lead << 8 | next;
            if (meaning.kind == SByteMeaning::Kind::Lead || meaning.kind == SByteMeaning::Kind::Several) {
                traits.checkByEncoding = true;
            } else if (meaning.kind == SByteMeaning::Kind::Character) {
                traits.pairIsCharacter[pairIndex] = true;
                traits.pairEncodesElsewhere[pairIndex] = !encodesTo(encoder, meaning.unit, bytes);
            }
        }
    }
    return true;
}

// Each byte's unit. A byte the page leaves undefined, or whose unit an earlier byte took, stands
// for the unit of its own value, as Windows passes such bytes through, or for 0xDC00 + byte when
// that unit is taken too; so no two bytes share a unit and every byte encodes back to itself.
std::array<char16_t, 256> singleByteTable(const ByteMeanings& meanings)
{
    std::array<char16_t, 256> table{};
    std::bitset<0x10000> taken;
    std::array<bool, 256> defined{};
    for (unsigned b = 0; b < 256; ++b) {
        const SByteMeaning& meaning = meanings[b];
        if (meaning.kind == SByteMeaning::Kind::Character && !taken[meaning.unit]) {
            table[b] = meaning.unit;
            taken[meaning.unit] = true;
            defined[b] = true;
        }
    }
    for (unsigned b = 0; b < 256; ++b) {
        if (!defined[b])
            table[b] = taken[b] ? byteUnit(static_cast<std::uint8_t>(b)) : static_cast<char16_t>(b);
        taken[table[b]] = true;
    }
    return table;
}

std::array<char16_t, 256> singleUnits(const ByteMeanings& meanings)
{
    std::array<char16_t, 256> units{};
    for (unsigned b = 0; b < 256; ++b) {
        const bool character = meanings[b].kind == SByteMeaning::Kind::Character;
        units[b] = character ? meanings[b].unit : SMultiByteTraits::kNoUnit;
    }
    return units;
}

std::unique_ptr<CCodePage> loadFromIconv(std::uint32_t number, const std::string& name)
{
    CIconvConverter decoder(kIconvUtf16, name.c_str());
    CIconvConverter encoder(name.c_str(), kIconvUtf16);
    if (!decoder.isOpen() || !encoder.isOpen())
        return nullptr;
    const ByteMeanings meanings = probeEveryByte(decoder);
    if (!isAsciiCompatible(meanings))
        return nullptr;
    if (!hasLeadBytes(meanings))
        return std::make_unique<CSingleByteCodePage>(number, singleByteTable(meanings));
    SMultiByteTraits traits;
    traits.singleUnits = singleUnits(meanings);
    if (!probePairs(decoder, encoder, meanings, traits))
        return nullptr;
    return std::make_unique<CMultiByteCodePage>(number, traits, std::move(decoder), std::move(encoder));
}

}  // namespace

std::unique_ptr<CCodePage> loadCodePage(std::uint32_t number)
{
    for (const std::string& name : iconvNamesFor(number)) {
        if (std::unique_ptr<CCodePage> page = loadFromIconv(number, name))
            return page;
    }
    return nullptr;
}

}  // namespace brindle
