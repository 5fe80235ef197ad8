// Command ids and resource ids of the editor's text view.
#pragma once

namespace brindle::edcmd {

// Caret movement: each even id moves, the odd id after it extends the selection.
inline constexpr int kCharLeft = 37100;
inline constexpr int kCharRight = 37102;
inline constexpr int kWordLeft = 37104;
inline constexpr int kWordRight = 37106;
inline constexpr int kLineUp = 37108;
inline constexpr int kLineDown = 37110;
inline constexpr int kScrollUp = 37112;  // scroll one row without moving the caret
inline constexpr int kScrollDown = 37113;
inline constexpr int kPageUp = 37114;
inline constexpr int kPageDown = 37116;
inline constexpr int kLineEnd = 37118;
inline constexpr int kLineHome = 37120;
inline constexpr int kTextHome = 37122;
inline constexpr int kTextEnd = 37124;

inline constexpr int kFindPrevious = 37126;
inline constexpr int kToggleBookmarkFirst = 37200;  // 37200..37209: bookmark 0..9 on the caret line
inline constexpr int kGoBookmarkFirst = 37210;      // 37210..37219: caret to bookmark 0..9
inline constexpr int kClearNumberedBookmarks = 37220;
inline constexpr int kToggleAnonymousBookmark = 37223;
inline constexpr int kNextAnonymousBookmark = 37224;
inline constexpr int kPrevAnonymousBookmark = 37225;
inline constexpr int kClearAnonymousBookmarks = 37226;
inline constexpr int kIncrementalSearchForward = 37228;
inline constexpr int kIncrementalSearchBackward = 37229;
inline constexpr int kMatchBracket = 37302;
inline constexpr int kGoToLine = 37308;
inline constexpr int kCompanionFile = 37401;
inline constexpr int kToggleSelectionMargin = 37402;
inline constexpr int kToggleWordWrap = 37404;
inline constexpr int kTextTypeFirst = 37500;  // 37500..37522: text type row 0..22
inline constexpr int kTextTypeLast = 37522;
inline constexpr int kStatusLineEnd = 37902;   // "DOS", "UNIX", "MAC"
inline constexpr int kStatusPosition = 37903;  // "Ln %d, Col %d"
inline constexpr int kRedraw = 37999;

inline constexpr int kPageSetup = 57605;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintDirect = 57608;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kCopy = 57634;
inline constexpr int kSelectAll = 57642;

// Resources.
inline constexpr int kAcceleratorTable = 22901;
inline constexpr int kMarginIcons = 22902;

// Strings.
inline constexpr int kStrStatusPosition = 3300;  // "Ln %d, Col %d"
inline constexpr int kStrLineEndDos = 3301;
inline constexpr int kStrLineEndUnix = 3302;
inline constexpr int kStrLineEndMac = 3303;
inline constexpr int kStrPrintFooter = 3304;  // "Page %d/%d"

}  // namespace brindle::edcmd
