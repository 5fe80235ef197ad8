// One line of a compared file: its text, number, cached hash and partner in the other file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace brindle {

// Lines are created by CLineList, which owns their records and text; everything else holds
// raw pointers to them. Text whose units are all below 0x100 is stored one byte per unit, so
// a million-line file costs little more than its own size; withText() hands the text to a
// callable as either std::span<const std::uint8_t> (units 0..0xFF) or std::span<const char16_t>.
class CDiffLine {
public:
    std::size_t length() const { return m_length; }
    bool isWide() const { return flag(kWide); }
    // True when the text holds a NUL character (which ends it for comparing).
    bool containsNul() const { return flag(kContainsNul); }
    // True when every unit is below 0x80: the text is then the same bytes in every 8-bit form.
    bool isAscii() const { return flag(kAscii); }
    // The text as bytes; only for ASCII text.
    std::string_view asciiText() const { return {static_cast<const char*>(m_text), m_length}; }
    std::u16string text() const;
    void appendTextTo(std::u16string& out) const;
    char16_t at(std::size_t index) const
    {
        return isWide() ? static_cast<const char16_t*>(m_text)[index] : static_cast<const std::uint8_t*>(m_text)[index];
    }

    template <class F>
    decltype(auto) withText(F&& f) const
    {
        if (isWide())
            return f(std::span<const char16_t>(static_cast<const char16_t*>(m_text), m_length));
        return f(std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(m_text), m_length));
    }

    // 1-based position in its file.
    std::int32_t number() const { return m_number; }

    // Mutual pairing with a line of the other file; maintained by the line comparison.
    CDiffLine* partner() const { return m_partner; }
    void setPartner(CDiffLine* partner) { m_partner = partner; }
    bool isPaired() const { return m_partner != nullptr; }

    // Hash under the options of the comparison in progress; computed once per comparison. Only its
    // low 60 bits are kept (equal hashes still have their texts compared).
    bool hashValid() const { return flag(kHashValid); }
    std::int64_t hash() const { return static_cast<std::int64_t>(m_hashAndFlags) >> kFlagBits; }
    void setHash(std::int64_t hash)
    {
        m_hashAndFlags = (static_cast<std::uint64_t>(hash) << kFlagBits) | (m_hashAndFlags & kFlagMask) | kHashValid;
    }
    void invalidateHash() { m_hashAndFlags &= ~kHashValid; }

private:
    friend class CLineList;

    // The flags share a word with the hash, so that a million-line file needs 32 MB of records.
    static constexpr int kFlagBits = 4;
    static constexpr std::uint64_t kFlagMask = (std::uint64_t{1} << kFlagBits) - 1;
    static constexpr std::uint64_t kWide = 1;
    static constexpr std::uint64_t kContainsNul = 2;
    static constexpr std::uint64_t kAscii = 4;
    static constexpr std::uint64_t kHashValid = 8;

    bool flag(std::uint64_t which) const { return (m_hashAndFlags & which) != 0; }
    void setFlag(std::uint64_t which, bool on)
    {
        m_hashAndFlags = on ? m_hashAndFlags | which : m_hashAndFlags & ~which;
    }

    const void* m_text = nullptr;
    std::uint64_t m_hashAndFlags = 0;
    CDiffLine* m_partner = nullptr;
    std::uint32_t m_length = 0;
    std::int32_t m_number = 0;
};
static_assert(sizeof(CDiffLine) == 32, "a million-line file should need 32 MB of line records");

}  // namespace brindle
