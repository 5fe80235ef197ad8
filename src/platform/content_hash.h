// A fast 64-bit hash of a byte stream, to tell whether a file still holds what was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// A file's content hash, taken ahead of the moment it is needed, with the state of the file it
// was taken from. Content cannot change without moving the file's change time, which unlike the
// modification time no program can set back: while the file shows the same identity, size and
// times, the hash still holds.
struct SHashedFile {
    std::uint64_t hash = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970-01-01 UTC
    std::int64_t changed = 0;

    // The hash, when the file at nativePath is still in the state it was taken from.
    std::optional<std::uint64_t> hashIfUnchanged(const std::string& nativePath) const;
};

// Hashes the ordinary file at nativePath, which is about to be replaced, and drops its content
// from the system's cache; nullopt when there is none, it cannot be read, or it changed while it
// was read.
std::optional<SHashedFile> hashFileAhead(const std::string& nativePath);

}  // namespace brindle
