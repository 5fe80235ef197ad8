// Batch scripts: INI-style files read into named sections of "key=value" entry lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brindle {

// One section of a script: the text between its brackets and its entry lines, each kept whole.
struct CSection {
    std::u16string m_name;
    std::vector<std::u16string> m_entries;
};

// The sections of a script in file order. Reading never fails: a file that cannot be opened or
// read gives a script without sections.
class CScriptFile {
public:
    // Reads the whole file at path. The text is UTF-16 little-endian after the mark FF FE (an odd
    // last byte is ignored), UTF-8 after the mark EF BB BF, and otherwise 8-bit text in the
    // system ANSI code page.
    static CScriptFile Read(std::u16string_view path);
    // The same from the bytes of a file.
    static CScriptFile FromBytes(std::string_view bytes);
    // Splits decoded text: lines end at LF, a CR before the LF is dropped. A line starting with
    // "[" and holding "]" opens a section named by the text up to the first "]"; after the first
    // section every other non-empty line holding "=" is an entry; all else is ignored.
    static CScriptFile FromText(std::u16string_view text);

    // The first section whose name equals name with ASCII letters compared without regard to
    // case; nullptr when there is none. Valid as long as the script lives.
    const CSection* FindSection(std::u16string_view name) const;

    // The first entry whose text starts with key (ASCII case ignored) followed directly by "=";
    // value receives everything after that "=", untrimmed. Leaves value alone when not found.
    static bool GetString(const CSection& section, std::u16string_view key, std::u16string& value);
    // As GetString, then reads the value as a signed decimal number: leading white space (C
    // isspace) and one sign allowed, reading stops at the first non-digit, no digits give 0, and
    // a number outside the 32-bit range saturates. Found is true whatever the value holds.
    static bool GetInt(const CSection& section, std::u16string_view key, std::int32_t& value);

    const std::vector<CSection>& sections() const { return m_sections; }

private:
    std::vector<CSection> m_sections;
    // ASCII-lower-cased section name -> index of the first section of that name. Batch runs look
    // up "Action1", "Action2", ... one by one; a linear search would make large scripts quadratic.
    std::unordered_map<std::u16string, std::size_t> m_index;
};

}  // namespace brindle
