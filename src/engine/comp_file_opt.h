// The compare-options record: what the user chose for one comparison, the two files, the
// detected kind and the result list of the last text comparison.
#pragma once

#include "engine/diff_section.h"
#include "platform/settings_names.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CProfile;

// Comparison kinds.
enum ComparisonKind : std::int32_t {
    kComparisonText = 0,    // text, after testing both files for binary content
    kComparisonBinary = 2,  // binary
};

// Twenty values persist in the settings section kCompareFilesSection (Load/Save); quiet mode, the
// comparison kind, the file paths and the result list never do. Copying copies every field but
// the result list, which stays as it was. The comparison window attaches its report panes to the
// record; the engine only needs the two paths.
class CCompFileOpt {
public:
    CCompFileOpt() = default;
    CCompFileOpt(const CCompFileOpt& other);
    CCompFileOpt& operator=(const CCompFileOpt& other);
    CCompFileOpt(CCompFileOpt&&) = default;
    CCompFileOpt& operator=(CCompFileOpt&&) = default;

    // Moves the persisted values between the record and the settings store. Loading reads each
    // value with the record's current value as its default.
    void LoadSave(CProfile& profile, bool save);
    void Load(CProfile& profile) { LoadSave(profile, false); }
    void Save(CProfile& profile) { LoadSave(profile, true); }

    // A font size below 0 or above 100 becomes 10 when a report is built.
    static std::int32_t validFontSize(std::int32_t size) { return size < 0 || size > 100 ? 10 : size; }

    std::int32_t m_alignment = 0;
    std::int32_t m_ignoreWhitespace = 0;
    std::int32_t m_ignoreCase = 0;
    std::u16string m_outputFile;
    std::u16string m_file1LinePrefix = u"|<<";
    std::u16string m_file1SectionFooter;
    std::u16string m_file1SectionHeader;
    std::u16string m_file2LinePrefix = u"||>>";
    std::u16string m_file2SectionFooter;
    std::u16string m_file2SectionHeader;
    std::int32_t m_synchScrolling = 1;
    std::int32_t m_quietMode = 1;
    std::int32_t m_writeCommonSections = 1;
    CSectionList m_sections;
    std::int32_t m_comparisonKind = kComparisonText;
    std::u16string m_file1Path;
    std::u16string m_file2Path;
    std::int32_t m_file1Color = 0x800080;
    std::int32_t m_file2Color = 0x008000;
    std::int32_t m_showLineNumbers = 1;
    std::u16string m_fontName{kDefaultTextFontName};
    std::u16string m_binaryFontName = u"Courier";
    std::int32_t m_fontSize = kDefaultTextFontSize;
    std::int32_t m_binaryFontSize = 10;
    std::int32_t m_maxLinesShowDiff = 250;

private:
    void copyOptions(const CCompFileOpt& other);
};

// Section of the settings store holding the compare options, and the names of their values. A batch
// script names the options it sets the same way.
inline constexpr std::u16string_view kCompareFilesSection = u"Compare Files";
inline constexpr std::u16string_view kFile1LinePrefixValue = u"File1 Line Prefix";
inline constexpr std::u16string_view kFile2LinePrefixValue = u"File2 Line Prefix";
inline constexpr std::u16string_view kFile1SectionHeaderValue = u"File1 Section Header";
inline constexpr std::u16string_view kFile2SectionHeaderValue = u"File2 Section Header";
inline constexpr std::u16string_view kFile1SectionFooterValue = u"File1 Section Footer";
inline constexpr std::u16string_view kFile2SectionFooterValue = u"File2 Section Footer";
inline constexpr std::u16string_view kOutputFileValue = u"Compare Output File";
inline constexpr std::u16string_view kSynchScrollingValue = u"Synch Scrolling";
inline constexpr std::u16string_view kWriteCommonSectionsValue = u"Write Common Sections";
inline constexpr std::u16string_view kIgnoreWhitespaceValue = u"Ignore Whitespace";
inline constexpr std::u16string_view kIgnoreCaseValue = u"Ignore Case";
inline constexpr std::u16string_view kAlignmentValue = u"File Compare Align";
inline constexpr std::u16string_view kFile1ColorValue = u"File 1 Color";
inline constexpr std::u16string_view kFile2ColorValue = u"File 2 Color";
inline constexpr std::u16string_view kShowLineNumbersValue = u"Show Line Numbers";
inline constexpr std::u16string_view kFontNameValue = u"Font Name";
inline constexpr std::u16string_view kBinaryFontNameValue = u"Binary Font Name";
inline constexpr std::u16string_view kFontSizeValue = u"Font Size";
inline constexpr std::u16string_view kBinaryFontSizeValue = u"Binary Font Size";
inline constexpr std::u16string_view kMaxLinesShowDiffValue = u"Max Lines Show Diff";
// Set by batch scripts only, never stored.
inline constexpr std::u16string_view kQuietModeValue = u"Quiet Mode";

}  // namespace brindle
