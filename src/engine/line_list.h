// The lines of one compared file, in file order, and loading them from the file.
#pragma once

#include "engine/diff_line.h"
#include "platform/large_buffer.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// Owns the line records and their text. Records never move once appended, so pointers to
// them (partners, sections) stay valid for the list's lifetime; comparison results keep the
// list alive through a shared_ptr.
class CLineList {
public:
    explicit CLineList(std::u16string path = {});
    ~CLineList();
    CLineList(const CLineList&) = delete;
    CLineList& operator=(const CLineList&) = delete;

    // The file the lines come from; CompareLines loads an empty list from it.
    const std::u16string& path() const { return m_path; }
    void setPath(std::u16string path) { m_path = std::move(path); }

    // Encoding code the reader detected (TextEncoding); 0 before loading.
    int encoding() const { return m_encoding; }
    void setEncoding(int encoding) { m_encoding = encoding; }

    bool empty() const { return m_order.empty(); }
    std::size_t size() const { return m_order.size(); }

    // Appends a line numbered size() + 1. Throws std::length_error for a line of 4 Gi units.
    CDiffLine& append(std::u16string_view text);
    // Takes ownership of memory that lines appended with appendStoredAscii point into.
    void adoptText(CLargeBuffer buffer);
    // Appends a line of ASCII bytes that already live in memory the list owns.
    CDiffLine& appendStoredAscii(const std::uint8_t* text, std::size_t length, bool containsNul);
    void clear();
    // Prepares for about `lines` lines.
    void reserve(std::size_t lines) { m_order.reserve(lines); }

    // All lines in file order.
    std::span<CDiffLine* const> lines() const { return m_order; }
    CDiffLine& operator[](std::size_t index) const { return *m_order[index]; }

private:
    class CTextArena;
    CDiffLine& newRecord();

    std::u16string m_path;
    int m_encoding = 0;
    std::vector<CLargeBuffer> m_blocks;  // line records, constructed in place
    std::size_t m_usedInLastBlock = 0;
    std::vector<CDiffLine*> m_order;
    std::unique_ptr<CTextArena> m_arena;
};

// Reads the file at path into list (appending), numbering lines from 1, and records the
// file's encoding code in the list. Stops early when the cancel flag is set. A file that cannot
// be opened or read throws CFileException. Returns the number of lines read.
std::size_t LoadLines(std::u16string_view path, CLineList& list);

}  // namespace brindle
