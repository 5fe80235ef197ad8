// Command ids and resource ids of the editor's edit view, beside those of the text view.
#pragma once

namespace brindle::edcmd {

inline constexpr int kDeleteWordRight = 32771;  // Ctrl+Del
inline constexpr int kSpellCheck = 32800;
inline constexpr int kCharConversion = 32803;
inline constexpr int kDelete = 37000;  // "&Delete", Del
inline constexpr int kBackspace = 37001;
inline constexpr int kDeleteWordLeft = 37002;  // Ctrl+Backspace
inline constexpr int kTab = 37003;
inline constexpr int kShiftTab = 37004;
inline constexpr int kToggleOvertype = 37005;  // Insert
inline constexpr int kGoToLastChange = 37227;
inline constexpr int kAutoComplete = 37300;
inline constexpr int kAutoExpand = 37301;
inline constexpr int kLowerCase = 37303;
inline constexpr int kUpperCase = 37304;
inline constexpr int kCapitalize = 37305;
inline constexpr int kSentencize = 37306;
inline constexpr int kInvertCase = 37307;
inline constexpr int kStatusReadOnly = 37901;  // lit while the buffer is read-only
inline constexpr int kStatusOvertype = 59140;  // "OVR"

inline constexpr int kFind = 57636;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kFindNext = 57640;
inline constexpr int kReplace = 57641;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;

// Dialogs.
inline constexpr int kGotoDialog = 8603;

}  // namespace brindle::edcmd
