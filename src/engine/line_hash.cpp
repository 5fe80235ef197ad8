#include "engine/line_hash.h"

#include "engine/diff_line.h"
#include "platform/code_page.h"
#include "platform/unicode_case.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <type_traits>

namespace brindle {

namespace {

constexpr std::uint64_t kHashMultiplier = 6293815;  // 0x600937

std::uint64_t powerAt(std::size_t k)
{
    std::uint64_t power = 1;
    for (std::size_t i = 0; i < k; ++i)
        power *= kHashMultiplier;
    return power;
}

std::int32_t asciiUpper(std::uint32_t ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<std::int32_t>(ch - 32) : static_cast<std::int32_t>(ch);
}

// Text up to its first NUL: the comparison treats a NUL as the end of the line.
template <class Unit>
std::span<const Unit> untilNul(std::span<const Unit> text)
{
    const auto nul = std::find(text.begin(), text.end(), Unit{0});
    return text.first(static_cast<std::size_t>(nul - text.begin()));
}

template <class Unit>
std::span<const Unit> comparable(const CDiffLine& line, std::span<const Unit> text)
{
    return line.containsNul() ? untilNul(text) : text;
}

// k * M^k for the first positions of a line, so that the hash loop has no chain of dependent
// multiplications for ordinary line lengths.
constexpr std::size_t kWeightCount = 512;

const std::array<std::uint64_t, kWeightCount>& positionWeights()
{
    static const std::array<std::uint64_t, kWeightCount> weights = [] {
        std::array<std::uint64_t, kWeightCount> w{};
        std::uint64_t power = 1;
        for (std::size_t k = 1; k < kWeightCount; ++k) {
            power *= kHashMultiplier;
            w[k] = k * power;
        }
        return w;
    }();
    return weights;
}

template <class Unit>
std::int64_t hashText(std::span<const Unit> text, bool ignoreWhitespace, const CCaseFolder* folder)
{
    const auto& weights = positionWeights();
    std::uint64_t sum = 0;
    std::uint64_t k = 0;
    std::uint64_t power = 1;  // M^k, kept up to date only beyond the weight table
    for (Unit unit : text) {
        const auto ch = static_cast<char16_t>(unit);
        if (ignoreWhitespace && isSkippedWhitespace(ch))
            continue;
        ++k;
        const std::int64_t value = folder ? folder->fold(ch) : ch;
        std::uint64_t weight;
        if (k < kWeightCount) {
            weight = weights[k];
        } else {
            if (k == kWeightCount)
                power = powerAt(kWeightCount - 1);
            power *= kHashMultiplier;
            weight = k * power;
        }
        sum += static_cast<std::uint64_t>(value) * weight;
    }
    return static_cast<std::int64_t>(sum);
}

template <class Unit>
std::int64_t hashPlainGeneric(std::span<const Unit> text)
{
    const auto& weights = positionWeights();
    std::uint64_t sum = 0;
    const std::size_t head = std::min(text.size(), kWeightCount - 1);
    for (std::size_t i = 0; i < head; ++i)
        sum += static_cast<std::uint64_t>(text[i]) * weights[i + 1];
    if (head == text.size())
        return static_cast<std::int64_t>(sum);
    std::uint64_t power = powerAt(head);
    for (std::size_t i = head; i < text.size(); ++i) {
        power *= kHashMultiplier;
        sum += static_cast<std::uint64_t>(text[i]) * ((i + 1) * power);
    }
    return static_cast<std::int64_t>(sum);
}

// The common case, narrow text without options, is most of the work of hashing a file: let the
// compiler use wider vector multiplies where the processor has them.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
std::int64_t
hashPlainNarrow(const std::uint8_t* text, std::size_t size)
{
    return hashPlainGeneric(std::span<const std::uint8_t>(text, size));
}

std::int64_t hashPlain(std::span<const std::uint8_t> text) { return hashPlainNarrow(text.data(), text.size()); }

// Ignore whitespace on narrow text, the other common case: without branches on the characters,
// whose spaces come at unpredictable places.
std::int64_t hashSkippingWhitespace(std::span<const std::uint8_t> text)
{
    if (text.size() >= kWeightCount)
        return hashText(text, true, nullptr);
    const auto& weights = positionWeights();
    std::uint64_t sum = 0;
    std::size_t k = 0;
    for (const std::uint8_t c : text) {
        const bool kept = c != ' ' && c != '\t' && c != '\r';
        k += kept;
        sum += (std::uint64_t{c} * weights[k]) & (std::uint64_t{0} - kept);
    }
    return static_cast<std::int64_t>(sum);
}
std::int64_t hashPlain(std::span<const char16_t> text) { return hashPlainGeneric(text); }

template <class A, class B>
bool equalTexts(std::span<const A> a, std::span<const B> b, bool ignoreWhitespace, const CCaseFolder* folder)
{
    if constexpr (std::is_same_v<A, B>) {
        // Identical text is equal under every option; most lines with equal hashes are.
        if (a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(A)) == 0)
            return true;
        if (!ignoreWhitespace && !folder)
            return false;
    }
    if (!ignoreWhitespace && !folder) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](A x, B y) {
                   return static_cast<char16_t>(x) == static_cast<char16_t>(y);
               });
    }
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (ignoreWhitespace) {
            while (i < a.size() && isSkippedWhitespace(a[i]))
                ++i;
            while (j < b.size() && isSkippedWhitespace(b[j]))
                ++j;
        }
        const char16_t ca = i < a.size() ? static_cast<char16_t>(a[i]) : u'\0';
        const char16_t cb = j < b.size() ? static_cast<char16_t>(b[j]) : u'\0';
        if (ca != cb && (!folder || folder->fold(ca) != folder->fold(cb)))
            return false;
        if (ca == u'\0')
            return true;
        if (cb == u'\0')
            return false;
        ++i;
        ++j;
    }
}

}  // namespace

CCaseFolder::CCaseFolder(const CCodePage& page) : m_page(page)
{
    for (std::uint32_t ch = 0; ch < 0x100; ++ch) {
        if (ch < 0x80)
            m_low[ch] = asciiUpper(ch);
        else if (page.isSingleByte())
            m_low[ch] = static_cast<std::int8_t>(page.upperByte(static_cast<std::uint8_t>(ch)));
        else
            m_low[ch] = simpleUpper(static_cast<char16_t>(ch));
    }
}

std::int32_t CCaseFolder::foldHigh(char16_t ch) const
{
    // Half of a pair, or 0xDC00 + a byte that was no character of the file: compared by value,
    // never as a letter of the code page that happens to have that byte.
    if (ch >= 0xD800 && ch <= 0xDFFF)
        return ch;
    const char16_t upper = simpleUpper(ch);
    std::uint8_t byte = 0;
    if (m_page.isSingleByte() && m_page.byteFor(upper, byte))
        return m_low[byte];
    return upper;
}

const CCaseFolder& CCaseFolder::forCodePage(const CCodePage& page)
{
    static std::mutex mutex;
    static std::map<const CCodePage*, std::unique_ptr<CCaseFolder>> folders;
    std::lock_guard lock(mutex);
    auto& folder = folders[&page];
    if (!folder)
        folder.reset(new CCaseFolder(page));
    return *folder;
}

const CCaseFolder& SLineCompareOptions::caseFolder() const
{
    return folder ? *folder : CCaseFolder::forCodePage(CCodePage::ansi());
}

std::int64_t LineHash(const CDiffLine& line, const SLineCompareOptions& options)
{
    const CCaseFolder* folder = options.ignoreCase ? &options.caseFolder() : nullptr;
    return line.withText([&](auto text) {
        text = comparable(line, text);
        if (!folder && !options.ignoreWhitespace)
            return hashPlain(text);
        if constexpr (std::is_same_v<typename decltype(text)::value_type, std::uint8_t>) {
            if (!folder)
                return hashSkippingWhitespace(text);
        }
        return hashText(text, options.ignoreWhitespace, folder);
    });
}

std::int64_t cachedHash(CDiffLine& line, const SLineCompareOptions& options)
{
    if (!line.hashValid())
        line.setHash(LineHash(line, options));
    return line.hash();
}

bool LinesEqual(CDiffLine& a, CDiffLine& b, const SLineCompareOptions& options)
{
    if (cachedHash(a, options) != cachedHash(b, options))
        return false;
    const CCaseFolder* folder = options.ignoreCase ? &options.caseFolder() : nullptr;
    return a.withText([&](auto textA) {
        return b.withText([&](auto textB) {
            return equalTexts(comparable(a, textA), comparable(b, textB), options.ignoreWhitespace, folder);
        });
    });
}

bool IsBlankLine(const CDiffLine& line)
{
    return line.withText([&line](auto text) {
        for (auto unit : comparable(line, text)) {
            if (!isSkippedWhitespace(static_cast<char16_t>(unit)))
                return false;
        }
        return true;
    });
}

}  // namespace brindle
