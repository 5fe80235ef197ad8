// The string-table ids of the windows and dialogs (resources/strings.txt). The texts the Qt-free
// engine and editor core look up are in engine/engine_strings.h; the editor view's own strings in
// editor/ui/ed_view_commands.h.
#pragma once

namespace brindle::res {

// The program and its main window.
inline constexpr int kStrIdleMessage = 57345;  // "Ready"
inline constexpr int kStrAppTitle = 57344;     // "Brindle"
inline constexpr int kStrCompanyName = 2140;   // "Tollan Software Inc."
inline constexpr int kStrLanguageMismatch = 3018;
inline constexpr int kStrAllFiles = 2138;         // "All Files|*.*||": every file, also those without a dot
inline constexpr int kStrComparisonTitle = 3238;  // "%1 — %2": the names of the two compared files or folders
inline constexpr int kStrOneDifference = 3248;    // "1 difference"
inline constexpr int kStrDifferences = 3249;      // "%1 differences"
inline constexpr int kStrStartHint = 3239;        // "To start, choose Compare Files... ..."
inline constexpr int kStrCancel = 3211;           // "Cancel"

// Documents (framework/document.h and the documents built on it).
inline constexpr int kStrCannotSave = 136;     // "File %s cannot be saved."
inline constexpr int kStrAskToSave = 61696;    // "Save changes to %1?"
inline constexpr int kStrSaveFailed = 61697;   // "%1 could not be saved."
inline constexpr int kStrOpenFailed = 61698;   // "%1 could not be opened."
inline constexpr int kStrBadFileName = 65199;  // "Bad file name"

// The About box.
inline constexpr int kStrMemoryKb = 2012;      // "%lu KB"
inline constexpr int kStrBytes = 2134;         // "%ld bytes"
inline constexpr int kStrKb = 2146;            // "%.0lf KB"
inline constexpr int kStrMb = 2147;            // "%.2lf MB"
inline constexpr int kStrGb = 2178;            // "%.2lf GB"
inline constexpr int kStrAboutCaption = 3200;  // "About %1"
inline constexpr int kStrVersionLine = 3201;   // "%1 Version %2"
inline constexpr int kStrDescription = 3202;
inline constexpr int kStrMemoryLabel = 3203;  // "Available Memory:"
inline constexpr int kStrDiskLabel = 3204;    // "Disk Space:"

// The update check.
inline constexpr int kStrNewVersionAvailable = 2188;  // Yes/No
inline constexpr int kStrUpToDate = 2189;             // "<PROG_NAME> is up to date!"
inline constexpr int kStrUpdateFailed = 2190;
inline constexpr int kStrUpdateRequestSubject = 3230;  // "Request for %1 %2"
inline constexpr int kStrUpdateRequestBody = 3231;     // "Please send me the new version of %1. ..."

// The report of a batch script run.
inline constexpr int kStrActionsFailed = 3232;  // "%1 of the %2 actions of the batch script were not done; ..."
inline constexpr int kStrFailedAction = 3233;   // "Action %1 (%2, %3): %4"
inline constexpr int kStrOutputIsCompared = 3234;
inline constexpr int kStrNotTwoFiles = 3235;
inline constexpr int kStrActionCancelled = 3236;
inline constexpr int kStrMoreFailures = 3237;  // "... and %1 more."

// The progress dialog.
inline constexpr int kStrProgressTitle = 3210;      // "Processing"
inline constexpr int kStrMatchingFileNames = 3212;  // "Matching file names"

// The comparison window.
inline constexpr int kStrKeptUnsavedEdits = 3240;  // "Unsaved changes of %1 were kept in %2"
inline constexpr int kStrSelectFile = 3241;        // "Select (or Drop) File"
inline constexpr int kStrKeptBackup = 3242;        // "%1 was not as Brindle last wrote it. Before replacing it, ..."
inline constexpr int kStrFilesIdentical = 3247;    // "The files are identical"
inline constexpr int kStrOther = 3260;             // "&Other..." of the colour buttons

// Find and replace, in the comparison window and the editor.
inline constexpr int kStrFindTitle = 3250;     // "Find"
inline constexpr int kStrFindWhat = 3251;      // "Fi&nd what:"
inline constexpr int kStrWholeWord = 3252;     // "Match &whole word only"
inline constexpr int kStrMatchCase = 3253;     // "Match &case"
inline constexpr int kStrFindNext = 3254;      // "&Find Next"
inline constexpr int kStrRegExp = 3350;        // "R&egular Expression"
inline constexpr int kStrDirection = 3351;     // "Direction"
inline constexpr int kStrUp = 3352;            // "&Up"
inline constexpr int kStrDown = 3353;          // "&Down"
inline constexpr int kStrReplaceTitle = 3354;  // "Replace"
inline constexpr int kStrReplaceWith = 3355;   // "Re&place with:"
inline constexpr int kStrReplaceIn = 3356;     // "Replace in"
inline constexpr int kStrSelection = 3357;     // "&Selection"
inline constexpr int kStrWholeFile = 3358;     // "Wh&ole file"
inline constexpr int kStrReplace = 3359;       // "&Replace"
inline constexpr int kStrReplaceAll = 3360;    // "Replace &All"
inline constexpr int kStrNotFound = 8606;      // Cannot find string"%s"

// The editor's character encoding dialog.
inline constexpr int kStrCharConvTitle = 3361;         // "Change character encoding"
inline constexpr int kStrCharConvSource = 3362;        // "&Source encoding:"
inline constexpr int kStrCharConvDestination = 3363;   // "&Destination encoding:"
inline constexpr int kStrCharConvAlphabetOnly = 3364;  // "&Alphabet characters only"
inline constexpr int kStrCharConvProceed = 3365;       // "&Proceed"
inline constexpr int kStrCharConvPreview = 3366;       // "P&review"
inline constexpr int kStrCharConvCancel = 3367;        // "&Cancel"
inline constexpr int kStrCharConvNote = 3368;  // "Note: nowadays only czech accented characters are recognized."

// The compare dialog and its pages.
inline constexpr int kStrResultsTxt = 2136;         // "results.txt": the proposed merge-file name
inline constexpr int kStrTxt = 2137;                // "txt": its default extension
inline constexpr int kStrCompareDlgCaption = 2139;  // "Compare Files"
inline constexpr int kStrHeaderFooterPairs = 2148;  // "Please use Header and Footer pairs"
inline constexpr int kStrSelPage = 3261;
inline constexpr int kStrCompFilesPage = 3262;
inline constexpr int kStrDisplayPage = 3263;
inline constexpr int kStrFile1 = 3264;         // "File &1:"
inline constexpr int kStrFile2 = 3265;         // "File &2:"
inline constexpr int kStrSwap = 3266;          // "&Swap File Names"
inline constexpr int kStrOlderFirst = 3267;    // "&Older File First"
inline constexpr int kStrDisplayMerge = 3268;  // "&Display Merge File"
inline constexpr int kStrMergeFile = 3269;     // "&Merge File:"
inline constexpr int kStrCopyName1 = 3270;     // "Co&py File 1 Name"
inline constexpr int kStrCopyName2 = 3271;     // "Cop&y File 2 Name"
inline constexpr int kStrWriteCommon = 3278;   // "&Write Common Sections"
inline constexpr int kStrAlignment = 3279;
inline constexpr int kStrAlignVertical = 3280;
inline constexpr int kStrAlignHorizontal = 3281;
inline constexpr int kStrTextFont = 3282;
inline constexpr int kStrBinaryFont = 3283;
inline constexpr int kStrIgnoreWhitespace = 3284;
inline constexpr int kStrIgnoreCase = 3285;
inline constexpr int kStrSynchScrolling = 3286;
inline constexpr int kStrColor1 = 3287;
inline constexpr int kStrColor2 = 3288;
inline constexpr int kStrUser1 = 3289;
inline constexpr int kStrUser2 = 3290;
inline constexpr int kStrShowLineNumbers = 3291;

// The hex view.
inline constexpr int kStrPrintedBy = 2141;  // "Printed by Brindle"
inline constexpr int kStrPageOf = 3310;     // "Page %1 of %2"
// "%1 is too large to edit here (%2); it is shown read-only.": the file and its size
inline constexpr int kStrTooLargeToEdit = 3313;
// "The selection (%1) is too large to copy; at most %2 can be copied at once."
inline constexpr int kStrTooLargeToCopy = 3314;
// "%1 was cut short by another program while it was shown. ...": the file
inline constexpr int kStrCutShortWhileShown = 3315;
inline constexpr int kStrHexSaveFailed = 3312;  // "%1 could not be saved: %2 ..."

// The folder comparison window.
inline constexpr int kStrComparingFolders = 3400;   // "Comparing folders"
inline constexpr int kStrCopyOver = 3401;           // "Copy %1\nover %2?"
inline constexpr int kStrCopyTo = 3402;             // "Copy %1\nto %2?"
inline constexpr int kStrCopyFailed = 3403;         // "%1 could not be copied: %2"
inline constexpr int kStrTrashAsk = 3404;           // "Move %1 to the trash?"
inline constexpr int kStrTrashFailed = 3405;        // "%1 could not be moved to the trash."
inline constexpr int kStrExcludeCaption = 3406;     // "Exclude Patterns"
inline constexpr int kStrExcludePrompt = 3407;      // "Names to leave out (shell patterns, separated by ;):"
inline constexpr int kStrTypeDiffersNoCopy = 3408;  // "%1 is a file on one side and a folder on the other; ..."
// "Name", then "State", "Kind", "Size 1", "Modified 1", "Size 2", "Modified 2".
inline constexpr int kStrColumnName = 3410;
inline constexpr int kStrPending = 3419;  // "comparing..."
// The texts of the entry states, in the order of EEntryState from Same on.
inline constexpr int kStrStateSame = 3420;
inline constexpr int kStrSameIgnoring = 3426;      // "identical apart from what is ignored"
inline constexpr int kStrKindText = 3427;          // "text"
inline constexpr int kStrKindBinary = 3428;        // "binary"
inline constexpr int kStrFoldersIdentical = 3429;  // "The folders are identical"

}  // namespace brindle::res
