// The program's sections of the settings store, the names of their values and the defaults a
// missing value reads as. The compare options keep theirs beside their record
// (engine/comp_file_opt.h), the folder comparison beside its functions (engine/folder_comparison.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

// "Settings": what the program shows and the viewers it starts.
inline constexpr std::u16string_view kSettingsSection = u"Settings";
inline constexpr std::u16string_view kShowMergeEditorValue = u"Show Merge Editor";  // 1 opens the merge file
inline constexpr std::u16string_view kDialogFontValue = u"Dialog Font";  // a face name; empty keeps Qt's font
inline constexpr std::u16string_view kDialogFontSizeValue = u"Dialog Font Size";
inline constexpr std::int32_t kDefaultDialogFontSize = 8;
inline constexpr std::u16string_view kPreviewPagesValue = u"PreviewPages";  // pages side by side in print preview
inline constexpr std::int32_t kDefaultPreviewPages = 1;
inline constexpr std::u16string_view kTextViewerValue = u"Viewer";  // external viewers; empty for none
inline constexpr std::u16string_view kHexViewerValue = u"Hex Viewer";

// "Paths": the files of the last comparison, and the compare dialog's histories of each, which
// pathHistoryValue names.
inline constexpr std::u16string_view kPathsSection = u"Paths";
inline constexpr std::u16string_view kFile1PathValue = u"File1";
inline constexpr std::u16string_view kFile2PathValue = u"File2";
// Entry number (from 1) of the history of the file whose value is file: "File1" then 3 is "File13".
inline std::u16string pathHistoryValue(std::u16string_view file, int entry)
{
    std::u16string name(file);
    for (const char digit : std::to_string(entry))
        name += static_cast<char16_t>(digit);
    return name;
}

// "Options": how the program starts.
inline constexpr std::u16string_view kOptionsSection = u"Options";
inline constexpr std::u16string_view kOneInstanceValue = u"One Instance";  // 1 hands files to a running copy

// Window placements: each window kind keeps its rectangle and state in a section of its own.
inline constexpr std::u16string_view kMainWindowSection = u"Main Window";
inline constexpr std::u16string_view kChildWindowsSection = u"Child Windows";
inline constexpr std::u16string_view kCompareWindowSection = u"Compare Window";
inline constexpr std::u16string_view kRectangleValue = u"Rectangle";
inline constexpr std::u16string_view kIconizedValue = u"Iconized";
inline constexpr std::u16string_view kMaximizedValue = u"Maximized";
inline constexpr std::u16string_view kSplitterValue = u"Splitter";  // of kCompareWindowSection: the list's width

// The position of progress dialogs: the edges of the last one, in pixels.
inline constexpr std::u16string_view kProgressSection = u"Progress";
inline constexpr std::u16string_view kTopValue = u"top";
inline constexpr std::u16string_view kLeftValue = u"left";
inline constexpr std::u16string_view kRightValue = u"right";
inline constexpr std::u16string_view kBottomValue = u"bottom";

// The recently used files, values "File1", "File2", ... (recentFileValue).
inline constexpr std::u16string_view kRecentFileSection = u"Recent File List";
inline std::u16string recentFileValue(int entry) { return pathHistoryValue(u"File", entry); }

// The files the program last wrote, kept by CWrittenFiles.
inline constexpr std::u16string_view kWrittenFilesSection = u"Written Files";

// The font of the comparison reports until the compare options are read.
inline constexpr std::u16string_view kDefaultTextFontName = u"Times New Roman";
inline constexpr std::int32_t kDefaultTextFontSize = 10;

}  // namespace brindle
