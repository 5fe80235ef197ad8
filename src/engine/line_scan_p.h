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

// True when every byte of [p, end) is below 0x80.
inline bool isAscii(const std::uint8_t* p, const std::uint8_t* end)
{
    using namespace line_scan;
    std::uint64_t high = 0;
    while (end - p >= 8) {
        high |= load(p);
        p += 8;
    }
    std::uint8_t tail = 0;
    while (p != end)
        tail |= *p++;
    return ((high & kHighs) | (tail & 0x80)) == 0;
}

}  // namespace brindle
