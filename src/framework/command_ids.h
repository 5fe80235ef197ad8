// Numeric command and resource ids shared by the framework and the program.
#pragma once

#include "framework/string_ids.h"  // IWYU pragma: export

namespace brindle::cmd {

// Commands of the program.
inline constexpr int kCompareFiles = 32772;
inline constexpr int kRefresh = 32774;
inline constexpr int kNextSection = 32777;
inline constexpr int kPrevSection = 32778;
// The merge editor's tag commands: remove the remaining tags of file 1, of file 2, or all.
inline constexpr int kRemoveFile1Tags = 32780;
inline constexpr int kRemoveFile2Tags = 32781;
inline constexpr int kRemoveAllTags = 32782;
// The folder comparison window's entry commands.
inline constexpr int kFolderCopyTo2 = 32901;
inline constexpr int kFolderCopyTo1 = 32902;
inline constexpr int kFolderTrash1 = 32903;
inline constexpr int kFolderTrash2 = 32904;
inline constexpr int kFolderShowIdentical = 32905;
inline constexpr int kFolderExcludePatterns = 32906;
inline constexpr int kCheckForUpdates = 40084;

// Standard commands of the toolkit's numbering.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMruFirst = 57616;  // "Recent File": entries 57616..57631
inline constexpr int kFileMruLast = 57631;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditFind = 57636;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditRepeat = 57640;
inline constexpr int kEditReplace = 57641;
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kWindowSplit = 57653;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpTopics = 57670;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;

// Status bar indicators.
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

}  // namespace brindle::cmd

namespace brindle::res {

// Resource ids.
inline constexpr int kMainFrame = 128;  // main menu, tool bar, accelerators, app title string
inline constexpr int kComparisonWindow = 129;
inline constexpr int kHexView = 131;
inline constexpr int kMergeEditor = 153;
inline constexpr int kTextEditor = 154;
inline constexpr int kFolderComparison = 160;
inline constexpr int kLinkMenu = 103;

}  // namespace brindle::res
