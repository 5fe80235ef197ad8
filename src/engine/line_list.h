// The lines of one compared file, in file order, and loading them from the file.
#pragma once

#include "engine/diff_line.h"
#include "engine/line_span.h"
#include "platform/large_buffer.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace brindle {

// Owns the line records and their text. The records lie side by side in file order, so that a
// run of lines is a CLineSpan and no table of pointers is kept beside them. Appending may move
// the records: pointers to lines (partners, sections) are taken once the list is complete, and
// stay valid for the list's lifetime; comparison results keep the list alive through a
// shared_ptr.
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

    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }

    // Appends a line numbered size() + 1. Throws std::length_error for a line of 4 Gi units.
    CDiffLine& append(std::u16string_view text);
    // Takes ownership of memory that lines appended with appendStoredAscii point into.
    void adoptText(CLargeBuffer buffer);
    // Appends a line of ASCII bytes that already live in memory the list owns.
    CDiffLine& appendStoredAscii(const std::uint8_t* text, std::size_t length, bool containsNul);
    void clear();
    // Makes room for `lines` lines in all, so that appending up to them never moves the records.
    // The room is taken at once: ask for what will be used.
    void reserve(std::size_t lines);

    // All lines in file order.
    CLineSpan lines() const { return {records(), m_size}; }
    CDiffLine& operator[](std::size_t index) const { return records()[index]; }

private:
    class CTextArena;
    CDiffLine& newRecord();
    CDiffLine* records() const { return static_cast<CDiffLine*>(m_records.data()); }
    std::size_t capacity() const { return m_records.size() / sizeof(CDiffLine); }
    void moveRecordsTo(CLargeBuffer larger);

    std::u16string m_path;
    int m_encoding = 0;
    CLargeBuffer m_records;  // line records in file order, constructed in place
    std::size_t m_size = 0;
    std::unique_ptr<CTextArena> m_arena;
};

// Reads the file at path into list (appending), numbering lines from 1, and records the
// file's encoding code in the list. Stops early when the cancel flag is set. A file that cannot
// be opened or read throws CFileException. Returns the number of lines read.
std::size_t LoadLines(std::u16string_view path, CLineList& list);

}  // namespace brindle
