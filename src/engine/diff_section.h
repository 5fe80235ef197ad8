// A run of consecutive lines of one file, and the ordered result list of a comparison.
#pragma once

#include "engine/diff_line.h"
#include "engine/line_span.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace brindle {

class CLineList;

// Section kinds of the result list.
enum SectionKind : std::int32_t {
    kSectionCommon = 1,     // lines present in both files
    kSectionFile1Only = 2,  // lines of file 1 only
    kSectionFile2Only = 3,  // lines of file 2 only
};

// The lines are a view into their CLineList (consecutive lines of one file). For a common
// section of the result list the lines are file 1's, each paired with its file-2 line, and the
// partner section holds the file-2 lines; the common section owns that partner.
class CDiffSection {
public:
    CDiffSection(CLineSpan lines, std::int32_t kind) : m_lines(lines), m_kind(kind) {}

    CLineSpan lines() const { return m_lines; }
    void setLines(CLineSpan lines) { m_lines = lines; }
    std::size_t lineCount() const { return m_lines.size(); }

    std::int32_t kind() const { return m_kind; }
    void setKind(std::int32_t kind) { m_kind = kind; }

    CDiffSection* partner() const { return m_partner; }
    void setPartner(CDiffSection* partner) { m_partner = partner; }
    void adoptPartner(std::unique_ptr<CDiffSection> partner) { m_ownedPartner = std::move(partner); }

    // The first line with a partner, or nullptr.
    CDiffLine* firstPairedLine() const;
    // Number of the section's first line.
    std::int32_t firstNumber() const { return m_lines.empty() ? 0 : m_lines.front()->number(); }
    // For a common section: where its lines start in file 2, the first line of the partner
    // section (an unpaired blank line under ignore whitespace included). Without a partner, the
    // section's own first number.
    std::int32_t file2FirstNumber() const;
    std::size_t file2LineCount() const;

private:
    CLineSpan m_lines;
    std::int32_t m_kind;
    CDiffSection* m_partner = nullptr;
    std::unique_ptr<CDiffSection> m_ownedPartner;
};

// The ordered, owned result list of a comparison. Keeps the line lists it points into alive.
// Move-only; a compare-options record copies everything but this.
class CSectionList {
public:
    CSectionList() = default;
    CSectionList(CSectionList&&) noexcept = default;
    CSectionList& operator=(CSectionList&&) noexcept = default;
    CSectionList(const CSectionList&) = delete;
    CSectionList& operator=(const CSectionList&) = delete;
    ~CSectionList();

    void clear();
    bool empty() const { return m_sections.empty(); }
    std::size_t size() const { return m_sections.size(); }
    const CDiffSection& operator[](std::size_t index) const { return *m_sections[index]; }
    CDiffSection& operator[](std::size_t index) { return *m_sections[index]; }

    void append(std::unique_ptr<CDiffSection> section) { m_sections.push_back(std::move(section)); }
    void keepAlive(std::shared_ptr<CLineList> lines);
    // The line lists the sections point into.
    const std::vector<std::shared_ptr<CLineList>>& lineLists() const { return m_lineLists; }

private:
    std::vector<std::unique_ptr<CDiffSection>> m_sections;
    std::vector<std::shared_ptr<CLineList>> m_lineLists;
};

}  // namespace brindle
