#include "platform/large_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace brindle {

namespace {
constexpr std::size_t kMapGranule = std::size_t{2} << 20;

}  // namespace

CLargeBuffer::CLargeBuffer(std::size_t bytes, EPages pages) : m_size(bytes)
{
    if (bytes == 0)
        return;
    if (bytes < kMapGranule) {
        m_data = std::calloc(bytes, 1);
        if (!m_data)
            throw std::bad_alloc();
        return;
    }
    // Map one huge page more than needed and trim both ends to a 2 MiB boundary. Pages asked for
    // as present are populated at once: such buffers are filled completely, and one call is
    // cheaper than a fault per page.
    const std::size_t length = (bytes + kMapGranule - 1) / kMapGranule * kMapGranule;
    const int populate = pages == EPages::Present ? MAP_POPULATE : 0;
    void* raw =
        ::mmap(nullptr, length + kMapGranule, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | populate, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kMapGranule - 1) / kMapGranule * kMapGranule;
    if (aligned > start)
        ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + length + kMapGranule;
    if (end > aligned + length)
        ::munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    m_data = reinterpret_cast<void*>(aligned);
    m_mapped = length;
}

CLargeBuffer::~CLargeBuffer() { release(); }

CLargeBuffer::CLargeBuffer(CLargeBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0))
{
}

CLargeBuffer& CLargeBuffer::operator=(CLargeBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, 0);
    }
    return *this;
}

void CLargeBuffer::release() noexcept
{
    if (!m_data)
        return;
    if (m_mapped)
        ::munmap(m_data, m_mapped);
    else
        std::free(m_data);
    m_data = nullptr;
    m_size = m_mapped = 0;
}

}  // namespace brindle
