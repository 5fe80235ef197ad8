// Zero-filled memory for large arrays that are filled once, mapped in one piece.
#pragma once

#include <cstddef>

namespace brindle {

// Large arrays of a comparison (line records, line text, hash tables) are filled once from start
// to end: taking them page by page costs a fault per 4 KiB. Buffers of 2 MiB and more are mapped
// directly, 2 MiB aligned, with all pages made present at once; smaller ones come from the heap.
// A buffer that may stay partly unused (room to grow into) takes its pages as they are first
// written instead. The memory reads as zero until written. Move-only; throws std::bad_alloc.
class CLargeBuffer {
public:
    enum class EPages { Present, OnFirstUse };

    CLargeBuffer() = default;
    explicit CLargeBuffer(std::size_t bytes, EPages pages = EPages::Present);
    ~CLargeBuffer();
    CLargeBuffer(CLargeBuffer&& other) noexcept;
    CLargeBuffer& operator=(CLargeBuffer&& other) noexcept;
    CLargeBuffer(const CLargeBuffer&) = delete;
    CLargeBuffer& operator=(const CLargeBuffer&) = delete;

    void* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void release() noexcept;

    void* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mapped = 0;  // bytes mapped with mmap; 0 when the buffer came from the heap
};

}  // namespace brindle
