// A slow, literal second implementation of the line comparison, for checking the engine's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::reference {

struct SOptions {
    bool ignoreWhitespace = false;
    bool ignoreCase = false;
};

// One section of the result list. For kind 1 `lines` are file-1 numbers, `partnerLines` the
// file-2 numbers of the partner section and `pairedWith` the file-2 number each file-1 line is
// paired with (0 when it has no partner). Kind 2 holds file-1 numbers, kind 3 file-2 numbers;
// their lines are never paired.
struct SSection {
    int kind = 0;
    std::vector<int> lines;
    std::vector<int> partnerLines;
    std::vector<int> pairedWith;

    bool operator==(const SSection&) const = default;
};

// Folding for ignore case under code page 1252: ASCII letters to upper case, 0x80..0xFF as the
// code page upper-cases the byte (taken as signed 8-bit), anything above by the engine's folder.
std::int32_t foldChar(char16_t ch);

// The three primitives; a NUL unit ends the text.
std::int64_t lineHash(std::u16string_view text, SOptions options);
bool linesEqual(std::u16string_view a, std::u16string_view b, SOptions options);
bool isBlankLine(std::u16string_view text);

// The whole comparison: file lines (without line ends) in, result list out. Quadratic or worse;
// meant for a few hundred lines.
std::vector<SSection> compareLines(const std::vector<std::u16string>& file1, const std::vector<std::u16string>& file2,
                                   SOptions options);

// Label of a section-list entry from first numbers and line counts; a side with no lines shows
// "missing".
std::string label(int file1First, int file1Count, int file2First, int file2Count);

// The section list as text, one entry a line: "same LABEL" per common section, "diff LABEL" per
// difference group (maximal run of kind 2 and 3 sections).
std::string sectionListText(const std::vector<SSection>& result);

}  // namespace brindle::reference
