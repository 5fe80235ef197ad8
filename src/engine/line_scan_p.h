// Word-at-a-time scanning of 8-bit text for line ends and for bytes outside ASCII.
#pragma once

#include <cstdint>
#include <cstring>

namespace brindle {

namespace line_scan {
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

inline std::uint64_t load(const std::uint8_t* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Non-zero when some byte of word equals byte.
inline std::uint64_t hasByte(std::uint64_t word, std::uint8_t byte)
{
    const std::uint64_t x = word ^ (kOnes * byte);
    return (x - kOnes) & ~x & kHighs;
}
}  // namespace line_scan

// First CR or LF in [p, end), or end. Runs once per line of million-line files: eight bytes
// are tested at a time before single bytes are looked at.
inline const std::uint8_t* findLineEnd(const std::uint8_t* p, const std::uint8_t* end)
{
    using namespace line_scan;
    while (end - p >= 8) {
        const std::uint64_t word = load(p);
        if (hasByte(word, '\r') | hasByte(word, '\n'))
            break;
        p += 8;
    }
    while (p != end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// What one pass over a line of 8-bit text learns: where it ends (the first CR or LF, or end),
// whether all its bytes are below 0x80, and whether it holds a NUL.
struct SLineScan {
    const std::uint8_t* lineEnd;
    bool ascii;
    bool containsNul;
};

inline SLineScan scanLine(const std::uint8_t* p, const std::uint8_t* end)
{
    using namespace line_scan;
    std::uint64_t high = 0;
    std::uint64_t nul = 0;
    while (end - p >= 8) {
        const std::uint64_t word = load(p);
        if (hasByte(word, '\r') | hasByte(word, '\n'))
            break;
        high |= word;
        nul |= hasByte(word, 0);
        p += 8;
    }
    std::uint8_t tail = 0;
    bool tailNul = false;
    while (p != end && *p != '\r' && *p != '\n') {
        tail |= *p;
        tailNul |= *p == 0;
        ++p;
    }
    return {p, ((high & kHighs) | (tail & 0x80)) == 0, nul != 0 || tailNul};
}

}  // namespace brindle
