// One pane of a text comparison's report, kept as references to the compared lines: the window
// shows the report without a second copy of both files.
#pragma once

#include "engine/diff_line.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

class CLineList;

// The report's colours, numbered as in the colour table of the report documents.
enum EReportColour : std::uint8_t {
    kReportBlue = 1,   // a difference
    kReportRed = 2,    // what differs
    kReportBlack = 3,  // common lines
};

// A stretch of one report line in one colour.
struct SReportRun {
    std::size_t length = 0;
    EReportColour colour = kReportBlack;
};

// "%4ld - ", the prefix of a numbered report line, into out (at least 16 characters); returns
// its length.
std::size_t formatLineNumber(std::int32_t number, char* out);

// Each report line is a compared line (or none: a filler facing a longer other side) with its
// number before it when numbers are shown, all in one colour but for an optional red stretch of
// the text, or red as a whole. Shows exactly what the report document of the same pane shows.
class CReportPane {
public:
    CReportPane(std::u16string fontName, std::int32_t fontSizePoints);

    // A line in colour; number 0 shows none.
    void addLine(const CDiffLine* line, std::int32_t number, EReportColour colour);
    // A line of a difference whose text is red in [redBegin, redEnd).
    void addLineWithRedPart(const CDiffLine& line, std::int32_t number, EReportColour colour, std::size_t redBegin,
                            std::size_t redEnd);
    // The compared lines stay alive as long as the pane.
    void keepAlive(std::shared_ptr<const CLineList> lines);

    const std::u16string& fontName() const { return m_fontName; }
    std::int32_t fontSize() const { return m_fontSize; }
    std::size_t lineCount() const { return m_lines.size(); }
    // Characters of a line, the number included.
    std::size_t lineLength(std::size_t line) const;
    void appendLine(std::size_t line, std::u16string& out) const;
    // The runs of a line, in order, covering it completely (none for an empty line).
    void runs(std::size_t line, std::vector<SReportRun>& out) const;

private:
    struct SLine {
        const CDiffLine* line;
        std::int32_t number;
        // The colour in the low two bits; above them, the index + 1 of its red stretch (0: none).
        std::uint32_t colourAndRed;
    };
    struct SRedPart {
        std::uint32_t begin;
        std::uint32_t end;
    };
    static constexpr int kColourBits = 2;

    std::size_t prefixLength(const SLine& line) const;

    std::u16string m_fontName;
    std::int32_t m_fontSize;
    std::vector<SLine> m_lines;
    std::vector<SRedPart> m_redParts;
    std::vector<std::shared_ptr<const CLineList>> m_keptAlive;
};

}  // namespace brindle
