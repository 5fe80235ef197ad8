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
    bool isWide() const { return m_wide; }
    // True when the text holds a NUL character (which ends it for comparing).
    bool containsNul() const { return m_containsNul; }
    // True when every unit is below 0x80: the text is then the same bytes in every 8-bit form.
    bool isAscii() const { return m_ascii; }
    // The text as bytes; only for ASCII text.
    std::string_view asciiText() const { return {static_cast<const char*>(m_text), m_length}; }
    std::u16string text() const;
    void appendTextTo(std::u16string& out) const;
    char16_t at(std::size_t index) const
    {
        return m_wide ? static_cast<const char16_t*>(m_text)[index] : static_cast<const std::uint8_t*>(m_text)[index];
    }

    template <class F>
    decltype(auto) withText(F&& f) const
    {
        if (m_wide)
            return f(std::span<const char16_t>(static_cast<const char16_t*>(m_text), m_length));
        return f(std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(m_text), m_length));
    }

    // 1-based position in its file.
    std::int32_t number() const { return m_number; }

    // Mutual pairing with a line of the other file; maintained by the line comparison.
    CDiffLine* partner() const { return m_partner; }
    void setPartner(CDiffLine* partner) { m_partner = partner; }
    bool isPaired() const { return m_partner != nullptr; }

    // Hash under the options of the comparison in progress; computed once per comparison.
    bool hashValid() const { return m_hashValid; }
    std::int64_t hash() const { return m_hash; }
    void setHash(std::int64_t hash)
    {
        m_hash = hash;
        m_hashValid = true;
    }
    void invalidateHash() { m_hashValid = false; }

    // Occurrence count of the unique-line maps of one matching pass.
    std::int32_t occurrences() const { return m_occurrences; }
    void setOccurrences(std::int32_t count) { m_occurrences = count; }

private:
    friend class CLineList;

    const void* m_text = nullptr;
    std::uint32_t m_length = 0;
    std::int32_t m_number = 0;
    std::int64_t m_hash = 0;
    CDiffLine* m_partner = nullptr;
    std::int32_t m_occurrences = 0;
    bool m_wide = false;
    bool m_containsNul = false;
    bool m_ascii = false;
    bool m_hashValid = false;
};

}  // namespace brindle
