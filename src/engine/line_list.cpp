#include "engine/line_list.h"

#include "platform/large_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace brindle {

namespace {

// Text blocks grow from small (a short file costs little) to 2 MiB (mapped in one piece).
constexpr std::size_t kFirstBlockBytes = std::size_t{64} << 10;
constexpr std::size_t kLargestBlockBytes = std::size_t{2} << 20;
// Records of a list whose size is not known ahead start with room for this many.
constexpr std::size_t kFirstRecords = 2048;

std::size_t nextBlockBytes(std::size_t previous)
{
    return previous == 0 ? kFirstBlockBytes : std::min(previous * 2, kLargestBlockBytes);
}

}  // namespace

// Bump allocator for line text: one allocation per block instead of one per line. A line
// larger than a quarter of the largest block gets a block of its own.
class CLineList::CTextArena {
public:
    void* allocate(std::size_t bytes)
    {
        bytes = (bytes + 1) & ~std::size_t{1};  // keep wide text 2-byte aligned
        if (bytes > kLargestBlockBytes / 4) {
            m_large.emplace_back(bytes);
            return m_large.back().data();
        }
        if (m_blocks.empty() || m_used + bytes > m_blocks.back().size()) {
            std::size_t size = nextBlockBytes(m_blocks.empty() ? 0 : m_blocks.back().size());
            while (size < bytes)
                size *= 2;
            m_blocks.emplace_back(size);
            m_used = 0;
        }
        void* p = static_cast<std::byte*>(m_blocks.back().data()) + m_used;
        m_used += bytes;
        return p;
    }

    void adopt(CLargeBuffer buffer) { m_large.push_back(std::move(buffer)); }

    // Gives back the most recent allocation when it was taken from the current block.
    void release(void* p, std::size_t bytes)
    {
        bytes = (bytes + 1) & ~std::size_t{1};
        if (!m_blocks.empty() && m_used >= bytes &&
            p == static_cast<std::byte*>(m_blocks.back().data()) + (m_used - bytes))
            m_used -= bytes;
    }

private:
    std::vector<CLargeBuffer> m_blocks;
    std::vector<CLargeBuffer> m_large;
    std::size_t m_used = 0;
};

std::u16string CDiffLine::text() const
{
    std::u16string out;
    appendTextTo(out);
    return out;
}

void CDiffLine::appendTextTo(std::u16string& out) const
{
    withText([&out](auto units) { out.append(units.begin(), units.end()); });
}

CLineList::CLineList(std::u16string path) : m_path(std::move(path)), m_arena(std::make_unique<CTextArena>()) {}

CLineList::~CLineList() = default;

void CLineList::clear()
{
    m_records = CLargeBuffer();
    m_size = 0;
    m_arena = std::make_unique<CTextArena>();
}

void CLineList::moveRecordsTo(CLargeBuffer larger)
{
    static_assert(std::is_trivially_copyable_v<CDiffLine>, "records are moved as bytes");
    if (m_size > 0)
        std::memcpy(larger.data(), m_records.data(), m_size * sizeof(CDiffLine));
    m_records = std::move(larger);
}

void CLineList::reserve(std::size_t lines)
{
    if (lines > capacity())
        moveRecordsTo(CLargeBuffer(lines * sizeof(CDiffLine)));
}

CDiffLine& CLineList::newRecord()
{
    if (m_size == capacity()) {
        // Doubling room may stay half unused: its pages are taken only when written.
        const std::size_t room = std::max(kFirstRecords, 2 * capacity());
        moveRecordsTo(CLargeBuffer(room * sizeof(CDiffLine), CLargeBuffer::EPages::OnFirstUse));
    }
    return *new (records() + m_size++) CDiffLine();
}

CDiffLine& CLineList::append(std::u16string_view text)
{
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("line too long");
    CDiffLine& line = newRecord();
    line.m_length = static_cast<std::uint32_t>(text.size());
    // One pass that copies narrow and notes what it saw; most lines are narrow.
    auto* narrow = static_cast<std::uint8_t*>(m_arena->allocate(text.size()));
    char16_t high = 0;
    char16_t nul = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        high |= c & 0xFF00;
        nul &= c != 0;
        narrow[i] = static_cast<std::uint8_t>(c);
    }
    line.setFlag(CDiffLine::kContainsNul, nul == 0);
    line.setFlag(CDiffLine::kWide, high != 0);
    line.setFlag(CDiffLine::kAscii,
                 high == 0 && std::all_of(narrow, narrow + text.size(), [](std::uint8_t c) { return c < 0x80; }));
    if (line.isWide()) {
        m_arena->release(narrow, text.size());
        auto* wide = static_cast<char16_t*>(m_arena->allocate(text.size() * sizeof(char16_t)));
        std::copy(text.begin(), text.end(), wide);
        line.m_text = wide;
    } else {
        line.m_text = narrow;
    }
    line.m_number = static_cast<std::int32_t>(m_size);
    return line;
}

void CLineList::adoptText(CLargeBuffer buffer) { m_arena->adopt(std::move(buffer)); }

CDiffLine& CLineList::appendStoredAscii(const std::uint8_t* text, std::size_t length, bool containsNul)
{
    if (length >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("line too long");
    CDiffLine& line = newRecord();
    line.m_length = static_cast<std::uint32_t>(length);
    line.m_text = text;
    line.setFlag(CDiffLine::kContainsNul, containsNul);
    line.setFlag(CDiffLine::kAscii, true);
    line.m_number = static_cast<std::int32_t>(m_size);
    return line;
}

}  // namespace brindle
