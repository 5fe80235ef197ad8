#include "platform/content_hash.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brindle {

namespace {

constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDull;

std::int64_t nanoseconds(const struct timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The state of the ordinary file at nativePath, its hash left 0.
std::optional<SHashedFile> fileState(const std::string& nativePath)
{
    struct stat info {};
    if (::stat(nativePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    SHashedFile state;
    state.device = static_cast<std::uint64_t>(info.st_dev);
    state.inode = static_cast<std::uint64_t>(info.st_ino);
    state.size = static_cast<std::int64_t>(info.st_size);
    state.modified = nanoseconds(info.st_mtim);
    state.changed = nanoseconds(info.st_ctim);
    return state;
}

// The file is hashed ahead because it is about to be replaced: its pages are dropped from the
// cache here, on the thread that read them, so that replacing it does not wait for that.
void dropCachedContent(const std::string& nativePath)
{
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

bool sameState(const SHashedFile& a, const SHashedFile& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified &&
           a.changed == b.changed;
}

std::uint64_t finalMix(std::uint64_t value)
{
    value ^= value >> 33;
    value *= kMultiplier;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    value ^= value >> 33;
    return value;
}

// The state is passed in and out rather than kept in the member: written through this, it would
// be stored and loaded again for every word, since the bytes read through an unsigned char*
// might alias it.
std::uint64_t mixWord(std::uint64_t state, std::uint64_t word)
{
    state = (state ^ word) * kMultiplier;
    return state ^ (state >> 29);
}

}  // namespace

void CContentHash::add(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    m_length += size;
    while (size > 0 && m_pendingSize > 0 && m_pendingSize < sizeof m_pending) {
        m_pending[m_pendingSize++] = *bytes++;
        --size;
    }
    std::uint64_t state = m_state;
    if (m_pendingSize == sizeof m_pending) {
        std::uint64_t word = 0;
        std::memcpy(&word, m_pending, sizeof word);
        state = mixWord(state, word);
        m_pendingSize = 0;
    }
    for (; size >= sizeof(std::uint64_t); size -= sizeof(std::uint64_t), bytes += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        state = mixWord(state, word);
    }
    m_state = state;
    std::memcpy(m_pending + m_pendingSize, bytes, size);
    m_pendingSize += size;
}

std::uint64_t CContentHash::value() const
{
    std::uint64_t tail = 0;
    std::memcpy(&tail, m_pending, m_pendingSize);
    return finalMix((m_state ^ tail) * kMultiplier ^ m_length);
}

bool hashFileContent(const std::string& nativePath, std::uint64_t& hash)
{
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    CContentHash content;
    std::vector<char> block(1 << 20);
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            if (got < 0)
                return false;
            hash = content.value();
            return true;
        }
        content.add(block.data(), static_cast<std::size_t>(got));
    }
}

std::optional<std::uint64_t> SHashedFile::hashIfUnchanged(const std::string& nativePath) const
{
    const std::optional<SHashedFile> now = fileState(nativePath);
    if (!now || !sameState(*now, *this))
        return std::nullopt;
    return hash;
}

std::optional<SHashedFile> hashFileAhead(const std::string& nativePath)
{
    std::optional<SHashedFile> before = fileState(nativePath);
    if (!before || !hashFileContent(nativePath, before->hash))
        return std::nullopt;
    // A change while the file was read would leave a hash of neither content.
    const std::optional<SHashedFile> after = fileState(nativePath);
    if (!after || !sameState(*after, *before))
        return std::nullopt;
    dropCachedContent(nativePath);
    return before;
}

}  // namespace brindle
