// Lossless UTF-8 <-> UTF-16 conversion, used for file names, the UTF-8 code page and text files
// with the UTF-8 byte-order mark.
#include "platform/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brindle {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the sequence starting at a non-ASCII lead byte. When the whole sequence is not
// valid, only the lead byte is taken as invalid: the bytes after it get their own chance to
// start a valid sequence, which is what makes encode(decode(b)) == b hold for every b.
const unsigned char* decodeSequence(const unsigned char* p, const unsigned char* end, char16_t*& dst)
{
    const unsigned lead = p[0];
    const auto avail = end - p;
    if (lead >= 0xC2 && lead <= 0xDF) {
        if (avail >= 2 && isContinuation(p[1])) {
            *dst++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F));
            return p + 2;
        }
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        // E0 below A0 would be overlong; ED from A0 on would encode a surrogate.
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        if (avail >= 3 && p[1] >= low && p[1] <= high && isContinuation(p[2])) {
            *dst++ = static_cast<char16_t>(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            return p + 3;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        // F0 below 90 would be overlong; F4 from 90 on would exceed U+10FFFF.
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        if (avail >= 4 && p[1] >= low && p[1] <= high && isContinuation(p[2]) && isContinuation(p[3])) {
            const std::uint32_t cp =
                ((lead & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
            *dst++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            *dst++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            return p + 4;
        }
    }
    *dst++ = static_cast<char16_t>(0xDC00 + lead);
    return p + 1;
}

// What the encoder does with an unpaired surrogate that does not stand for a byte: write its
// three-byte form, or the replacement in its place.
struct SLoneSurrogate {
    bool threeBytes = false;
    char replacement = '?';
    bool replaced = false;
};

void encodeThreeBytes(unsigned u, char*& dst)
{
    *dst++ = static_cast<char>(0xE0 | (u >> 12));
    *dst++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    *dst++ = static_cast<char>(0x80 | (u & 0x3F));
}

// Writes one non-ASCII unit (or a surrogate pair starting at p) and returns the next unit.
const char16_t* encodeUnit(const char16_t* p, const char16_t* end, char*& dst, SLoneSurrogate& lone)
{
    const unsigned u = *p;
    if (u < 0x800) {
        *dst++ = static_cast<char>(0xC0 | (u >> 6));
        *dst++ = static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0xD800 || u > 0xDFFF) {
        encodeThreeBytes(u, dst);
    } else if (u <= 0xDBFF && end - p >= 2 && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
        const std::uint32_t cp = 0x10000 + ((u - 0xD800) << 10) + (p[1] - 0xDC00u);
        *dst++ = static_cast<char>(0xF0 | (cp >> 18));
        *dst++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *dst++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *dst++ = static_cast<char>(0x80 | (cp & 0x3F));
        return p + 2;
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
        *dst++ = static_cast<char>(u - 0xDC00);
    } else if (lone.threeBytes) {
        encodeThreeBytes(u, dst);
    } else {
        *dst++ = lone.replacement;
        lone.replaced = true;
    }
    return p + 1;
}

// Output is sized for the worst case (3 bytes per unit) one chunk at a time, so that a huge
// line does not briefly need three times its size.
constexpr std::size_t kEncodeChunk = 4096;

}  // namespace

void appendUtf16FromUtf8Lossless(std::string_view bytes, std::u16string& out)
{
    const std::size_t start = out.size();
    // Each unit takes at least one byte, so this is never too short.
    out.resize(start + bytes.size());
    char16_t* dst = out.data() + start;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080u)
                break;
            for (int i = 0; i < 8; ++i)
                dst[i] = p[i];
            p += 8;
            dst += 8;
        }
        while (p != end && *p < 0x80)
            *dst++ = *p++;
        if (p != end)
            p = decodeSequence(p, end, dst);
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
}

std::u16string utf16FromUtf8Lossless(std::string_view bytes)
{
    std::u16string out;
    appendUtf16FromUtf8Lossless(bytes, out);
    return out;
}

namespace {

void appendUtf8(std::u16string_view text, std::string& out, SLoneSurrogate& lone)
{
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p != end) {
        const char16_t* const chunkEnd = p + std::min<std::size_t>(static_cast<std::size_t>(end - p), kEncodeChunk);
        const std::size_t start = out.size();
        // +1: a pair that straddles the chunk end writes 4 bytes for its last unit.
        out.resize(start + 3 * static_cast<std::size_t>(chunkEnd - p) + 1);
        char* dst = out.data() + start;
        while (p < chunkEnd) {
            while (chunkEnd - p >= 4) {
                std::uint64_t word;
                std::memcpy(&word, p, sizeof word);
                if (word & 0xFF80FF80FF80FF80u)
                    break;
                for (int i = 0; i < 4; ++i)
                    dst[i] = static_cast<char>(p[i]);
                p += 4;
                dst += 4;
            }
            while (p < chunkEnd && *p < 0x80)
                *dst++ = static_cast<char>(*p++);
            if (p < chunkEnd)
                p = encodeUnit(p, end, dst, lone);
        }
        out.resize(static_cast<std::size_t>(dst - out.data()));
    }
}

}  // namespace

bool appendUtf8FromUtf16Lossless(std::u16string_view text, std::string& out, char replacement)
{
    SLoneSurrogate lone{false, replacement};
    appendUtf8(text, out, lone);
    return lone.replaced;
}

void appendUtf8FromUtf16KeepingSurrogates(std::u16string_view text, std::string& out)
{
    SLoneSurrogate lone{true};
    appendUtf8(text, out, lone);
}

std::string utf8FromUtf16Lossless(std::u16string_view text)
{
    std::string out;
    appendUtf8FromUtf16Lossless(text, out);
    return out;
}

std::string nativePath(std::u16string_view path) { return utf8FromUtf16Lossless(path); }

std::u16string pathFromNative(std::string_view native) { return utf16FromUtf8Lossless(native); }

}  // namespace brindle
