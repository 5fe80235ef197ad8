// Word-at-a-time scanning of 8-bit text for line ends and for bytes outside ASCII.
#pragma once

#include <algorithm>
#include <cstddef>
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

// The number of lines scanLine finds in [begin, end): one more than the line ends, CR LF
// counting once, so a line end at the very end leaves an empty last line. One branch-free pass
// that the compiler turns into vector code; counts go in bytes for 255 bytes at a time.
inline std::size_t countLines(const std::uint8_t* begin, const std::uint8_t* end)
{
    const auto size = static_cast<std::size_t>(end - begin);
    if (size == 0)
        return 1;
    std::size_t ends = 0;
    for (std::size_t i = 0; i + 1 < size;) {
        const std::size_t stop = std::min(size - 1, i + 255);
        std::uint8_t block = 0;
        for (; i < stop; ++i) {
            const std::uint8_t c = begin[i];
            block += static_cast<std::uint8_t>((c == '\n') | ((c == '\r') & (begin[i + 1] != '\n')));
        }
        ends += block;
    }
    ends += begin[size - 1] == '\n' || begin[size - 1] == '\r';
    return ends + 1;
}

}  // namespace brindle
