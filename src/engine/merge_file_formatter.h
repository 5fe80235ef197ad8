// The layout of a merge file: common lines, and both sides of every difference marked with the
// per-file line prefixes and framed by the per-file section headers and footers.
#pragma once

#include <string_view>

namespace brindle {

class CCompFileOpt;
class CDiffLine;
class CDiffSection;

// Receives the merge file line by line: a marker line (header or footer) comes as text with no
// line; a file line as its prefix (possibly empty) and the line.
class CMergeLineSink {
public:
    virtual ~CMergeLineSink() = default;
    virtual void writeLine(std::u16string_view prefixOrMarker, const CDiffLine* line) = 0;
};

// Walks a result list for the writers of merge files. Headers and footers are written once per
// difference group; an empty marker is not written at all. Does not own the record or the sink.
class CMergeFileFormatter {
public:
    CMergeFileFormatter(const CCompFileOpt& options, CMergeLineSink& sink) : m_options(options), m_sink(sink) {}

    // The whole result list of the record.
    void writeAll();

    // Piecewise, for writers that walk the list themselves.
    void commonSection(const CDiffSection& section);
    void beginGroup();
    void groupSection(const CDiffSection& section);
    void endGroup();

private:
    void marker(std::u16string_view text);

    const CCompFileOpt& m_options;
    CMergeLineSink& m_sink;
    bool m_file1HeaderOpen = false;
    bool m_file2HeaderOpen = false;
    bool m_seenFile1 = false;
    bool m_seenFile2 = false;
};

}  // namespace brindle
