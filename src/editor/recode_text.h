// Character-set conversion: the accented letters of a text from one 8-bit character set to another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brindle {

class CCodePage;

// Results of RecodeText (and of recodeRange, which adds kRecodeRefused).
enum RecodeResult : int {
    kRecodeOk = 0,
    kRecodeNoSource = -1,        // no source set given and the text declares none
    kRecodeBadDestination = -2,  // the destination is not one of the sets
    kRecodeNoMemory = -3,
    kRecodeRefused = -4,  // the buffer refused the change (recode_range.h)
};

// The character sets, numbered as both lists of the conversion dialog show them.
enum RecodeSet : int {
    kRecodeAscii = 0,
    kRecodeCp1250,
    kRecodeCp1252,
    kRecodeCp850,
    kRecodeCp852,
    kRecodeIbm852,
    kRecodeIso8859_1,
    kRecodeIso8859_2,
    kRecodeKamenicky,
    kRecodeKoi8Cs,
    kRecodeMac,
    kRecodeMacCe,
    kRecodeCork,
};
inline constexpr int kRecodeSetCount = 13;

// A row has one code per position: the 22 capitals Á Č Ď É Ě Í Ň Ó Ř Š Ť Ú Ů Ý Ž Ľ Ŕ Ĺ Ô Ö Ü Ä,
// the same letters in small form, then ß, §, « » „ “ ” ‚ ‘ ’, en and em dash, ellipsis, bullet,
// no-break space, soft hyphen, ° × ÷, acute accent, caron and µ. Where a set lacks the
// character its row holds the plain letter (or an ASCII stand-in for a sign: '"' for the
// double quotation marks, ' ' for the no-break space, '?' for § and °).
inline constexpr int kRecodeLetterPositions = 44;  // what "alphabet characters only" converts
inline constexpr int kRecodePositions = 66;

struct SRecodeSet {
    std::u16string_view displayName;  // "MS-Windows CP 1250"
    std::u16string_view markerName;   // "CP1250", as a text declares it after MYCHARSET=
};

// The 13 sets in index order.
std::span<const SRecodeSet, kRecodeSetCount> recodeSets();

// The codes a set is converted from: empty for ASCII (nothing is converted from it), 66 codes
// for every other set. set must be 0..12.
std::span<const std::uint8_t> recodeSourceRow(int set);
// The codes a set is converted to; ASCII's are the plain letters. set must be 0..12.
std::span<const std::uint8_t, kRecodePositions> recodeDestinationRow(int set);

// A text's declaration of its set: MYCHARSET, blanks, "=", blanks and a marker name, typically
// inside an HTML comment ("<!--MYCHARSET=CP1250-->"). Keyword and name are compared without
// regard to ASCII case; the first MYCHARSET that is followed by "=" and a marker name counts.
// Where two names fit (MAC and MACCE) the longer one is taken.
struct SRecodeMarker {
    std::size_t nameStart = 0;  // index of the marker name in the text
    std::size_t nameLength = 0;
    int set = -1;
};
std::optional<SRecodeMarker> findRecodeMarker(std::u16string_view text);

// Converts text from set sourceSet to set destinationSet. Each unit of 0x80 or above that is
// among the first 44 (alphabetOnly) or 66 codes of the source row is replaced by the
// destination code at the same position; every other unit stays, so do the two units of a
// surrogate pair. Units are taken as the 8-bit codes themselves (0x80-0xFF).
// A sourceSet outside 0..12 means "not given": the set is then the one the text declares
// (findRecodeMarker), and the declaration is rewritten to name the destination set.
// On success returns kRecodeOk and assigns the result to converted; otherwise returns
// kRecodeBadDestination, kRecodeNoSource or kRecodeNoMemory and leaves converted alone.
int RecodeText(std::u16string_view text, int sourceSet, int destinationSet, bool alphabetOnly,
               std::u16string& converted);

// The same for text that was read from 8-bit bytes through codePage: a unit stands for the byte
// that codePage shows as that unit, and the replacement is the unit it shows for the
// destination code. A single-byte page of the buffer's reader maps the tables one to one; the
// lossless UTF-8 page converts the units that stand for bytes of invalid sequences.
int RecodeText(std::u16string_view text, int sourceSet, int destinationSet, bool alphabetOnly,
               const CCodePage& codePage, std::u16string& converted);

}  // namespace brindle
