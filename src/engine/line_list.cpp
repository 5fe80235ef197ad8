#include "engine/line_list.h"

#include "engine/cancel_flag.h"
#include "engine/text_file_read.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace brindle {

namespace {
constexpr std::size_t kRecordsPerBlock = 4096;
constexpr std::size_t kArenaBlockBytes = std::size_t{1} << 20;
}  // namespace

// Bump allocator for line text: one allocation per megabyte instead of one per line. A line
// larger than a quarter block gets a block of its own so that little space is wasted.
class CLineList::CTextArena {
public:
    void* allocate(std::size_t bytes)
    {
        bytes = (bytes + 1) & ~std::size_t{1};  // keep wide text 2-byte aligned
        if (bytes > kArenaBlockBytes / 4) {
            m_large.push_back(std::make_unique<std::byte[]>(bytes));
            return m_large.back().get();
        }
        if (m_blocks.empty() || m_used + bytes > kArenaBlockBytes) {
            m_blocks.push_back(std::make_unique<std::byte[]>(kArenaBlockBytes));
            m_used = 0;
        }
        void* p = m_blocks.back().get() + m_used;
        m_used += bytes;
        return p;
    }

    // Gives back the most recent allocation when it was taken from the current block.
    void release(void* p, std::size_t bytes)
    {
        bytes = (bytes + 1) & ~std::size_t{1};
        if (!m_blocks.empty() && m_used >= bytes && p == m_blocks.back().get() + (m_used - bytes))
            m_used -= bytes;
    }

private:
    std::vector<std::unique_ptr<std::byte[]>> m_blocks;
    std::vector<std::unique_ptr<std::byte[]>> m_large;
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
    m_blocks.clear();
    m_order.clear();
    m_usedInLastBlock = 0;
    m_arena = std::make_unique<CTextArena>();
}

CDiffLine& CLineList::newRecord()
{
    if (m_blocks.empty() || m_usedInLastBlock == kRecordsPerBlock) {
        m_blocks.push_back(std::make_unique<CDiffLine[]>(kRecordsPerBlock));
        m_usedInLastBlock = 0;
    }
    return m_blocks.back()[m_usedInLastBlock++];
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
    line.m_containsNul = nul == 0;
    line.m_wide = high != 0;
    if (line.m_wide) {
        m_arena->release(narrow, text.size());
        auto* wide = static_cast<char16_t*>(m_arena->allocate(text.size() * sizeof(char16_t)));
        std::copy(text.begin(), text.end(), wide);
        line.m_text = wide;
    } else {
        line.m_text = narrow;
    }
    line.m_number = static_cast<std::int32_t>(m_order.size() + 1);
    m_order.push_back(&line);
    return line;
}

std::size_t LoadLines(std::u16string_view path, CLineList& list)
{
    CTextFileRead reader;
    reader.Open(path);
    std::u16string text;
    std::size_t count = 0;
    while (reader.ReadLine(text)) {
        if (pollCancel())
            break;
        list.append(text);
        ++count;
    }
    reader.Close();
    list.setEncoding(reader.Encoding());
    return count;
}

}  // namespace brindle
