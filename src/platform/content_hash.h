// A fast 64-bit hash of a byte stream, to tell whether a file still holds what was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brindle {

// Not cryptographic: it guards against the user's own edits, not against an adversary. The
// value depends only on the bytes and their order, not on how they were split into add() calls.
class CContentHash {
public:
    void add(const void* data, std::size_t size);
    std::uint64_t value() const;

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ull;
    std::uint64_t m_length = 0;
    unsigned char m_pending[8] = {};
    std::size_t m_pendingSize = 0;
};

// The hash of a file's content, read from disk; false when it cannot be read.
bool hashFileContent(const std::string& nativePath, std::uint64_t& hash);

}  // namespace brindle
