// Word lists of C and C++, DCL, InstallShield, Java and resource scripts.
#include "editor/word_list_p.h"

namespace brindle::words {

namespace {

// C and C++ keywords, with the Microsoft compiler's own.
constexpr auto kCKeywords = split<109>(
    u"asm auto bool break case catch char class const const_cast continue default delete do double "
    u"dynamic_cast else enum explicit export extern false float for friend goto if inline int long mutable "
    u"namespace new operator private protected public register reinterpret_cast return short signed sizeof "
    u"static static_cast struct switch template this throw true try typedef typeid typename union unsigned "
    u"using virtual void volatile wchar_t while "
    u"alignas alignof char8_t char16_t char32_t concept consteval constexpr constinit co_await co_return "
    u"co_yield decltype noexcept nullptr requires static_assert thread_local "
    u"restrict _Alignas _Alignof _Atomic _Bool _Complex _Generic _Imaginary _Noreturn _Static_assert "
    u"_Thread_local "
    u"__asm __based __cdecl __declspec __except __fastcall __finally __forceinline __inline __int8 __int16 "
    u"__int32 __int64 __interface __leave __stdcall __try ");

// Type names of the platform headers.
constexpr auto kCTypes = split<21>(
    u"BOOL BYTE WORD DWORD UINT LONG LPSTR LPCSTR LPWSTR LPCWSTR LPTSTR LPCTSTR TCHAR WCHAR HANDLE HWND "
    u"WPARAM LPARAM LRESULT size_t ptrdiff_t ");

// AutoCAD dialog control language: tiles, predefined tiles, attributes.
constexpr auto kDclTiles = split<20>(
    u"dialog boxed_column boxed_radio_column boxed_radio_row boxed_row button column concatenation edit_box "
    u"image image_button list_box paragraph popup_list radio_button radio_column radio_row row slider toggle ");

constexpr auto kDclPredefined = split<18>(
    u"ok_only ok_cancel ok_cancel_help ok_cancel_help_info ok_cancel_help_errtile errtile spacer spacer_0 "
    u"spacer_1 text text_part default_button retirement_button ok_button cancel_button help_button "
    u"info_button image_block ");

constexpr auto kDclAttributes = split<31>(
    u"action alignment aspect_ratio big_increment children_alignment children_fixed_height "
    u"children_fixed_width color edit_limit edit_width fixed_height fixed_width height initial_focus is_bold "
    u"is_cancel is_default is_enabled is_tab_stop key label layout list max_value min_value mnemonic "
    u"multiple_select small_increment tabs value width ");

// InstallScript: keywords, predefined constants, system variables.
constexpr auto kInstallShieldKeywords = split<44>(
    u"begin end if then else elseif endif for to downto step endfor while endwhile repeat until switch case "
    u"default endswitch goto return abort exit function prototype program endprogram typedef set number "
    u"string list bool char int long short pointer void byval byref external try ");

constexpr auto kInstallShieldConstants = split<30>(
    u"TRUE FALSE YES NO OK CANCEL NEXT BACK SUCCESS EXISTS NOTEXISTS WAIT NOWAIT COMMAND COMMANDEX AFTER "
    u"BEFORE APPEND SEVERE WARNING INFORMATION HKEY_CLASSES_ROOT HKEY_CURRENT_USER HKEY_LOCAL_MACHINE "
    u"HKEY_USERS REGDB_STRING REGDB_NUMBER REGDB_KEYS REGDB_NAMES LIST_NULL ");

constexpr auto kInstallShieldSystemVariables = split<15>(
    u"SUPPORTDIR TARGETDIR TARGETDISK SRCDIR SRCDISK WINDIR WINDISK WINSYSDIR WINSYSDISK PROGRAMFILES "
    u"COMMONFILES FOLDER_STARTMENU FOLDER_PROGRAMS FOLDER_DESKTOP CMDLINE ");

// The Java language keywords.
constexpr auto kJavaKeywords = split<50>(
    u"abstract assert boolean break byte case catch char class const continue default do double else enum "
    u"extends final finally float for goto if implements import instanceof int interface long native new "
    u"package private protected public return short static strictfp super switch synchronized this throw "
    u"throws transient try void volatile while ");

// Resource script statements that open and close blocks.
constexpr auto kResourceKeywords = split<6>(u"BEGIN END MENU MENUITEM POPUP DIALOG ");

const SWordList kCLists[] = {{kCKeywords, true}, {kCTypes, true}};
const SWordList kDclLists[] = {{kDclTiles, true}, {kDclPredefined, true}, {kDclAttributes, true}};
const SWordList kInstallShieldLists[] = {
    {kInstallShieldKeywords, true},
    {kInstallShieldConstants, true},
    {kInstallShieldSystemVariables, true},
};
const SWordList kJavaLists[] = {{kJavaKeywords, true}};
const SWordList kResourceLists[] = {{kResourceKeywords, false}};

}  // namespace

std::span<const SWordList> c() { return kCLists; }
std::span<const SWordList> dcl() { return kDclLists; }
std::span<const SWordList> installShield() { return kInstallShieldLists; }
std::span<const SWordList> java() { return kJavaLists; }
std::span<const SWordList> resources() { return kResourceLists; }

}  // namespace brindle::words
