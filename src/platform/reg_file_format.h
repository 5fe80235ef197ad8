// Settings data in memory (keys of named, typed values) and its registry-export-like text form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace brindle {

enum class ERegValueType { Dword, String, Binary };

// One value; only the member that matches type is meaningful.
struct SRegValue {
    ERegValueType type = ERegValueType::String;
    std::uint32_t dword = 0;
    std::u16string text;
    std::vector<std::uint8_t> bytes;

    static SRegValue fromDword(std::uint32_t value);
    static SRegValue fromString(std::u16string_view value);
    static SRegValue fromBinary(std::vector<std::uint8_t> value);

    friend bool operator==(const SRegValue& a, const SRegValue& b);
};

// A line parse() left out: its 1-based number and what was wrong there.
struct SRegParseError {
    int line = 0;
    std::string message;
};

// Keys (backslash-separated paths) holding named values. Keys and names are compared ignoring
// ASCII letter case and keep the spelling of their first write; both stay in insertion order so
// that a rewritten file differs from the old one only where values changed. A key that starts
// with "HKEY_CURRENT_USER\" is the same as the key without that prefix. Depends on nothing but
// the standard library and utf8.h.
class CRegistryData {
public:
    struct SNamedValue {
        std::u16string name;
        SRegValue value;
    };
    struct SKey {
        std::u16string path;
        std::vector<SNamedValue> values;
    };

    const SRegValue* find(std::u16string_view key, std::u16string_view name) const;
    // Typed reads: nullopt when the value is missing or of another type.
    std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view name) const;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view name) const;
    std::optional<std::vector<std::uint8_t>> readBinary(std::u16string_view key, std::u16string_view name) const;
    // The text values of key as (name, text) pairs in insertion order; empty when key is missing.
    std::vector<std::pair<std::u16string, std::u16string>> readStringValues(std::u16string_view key) const;
    // Sets the value, creating the key; false when the same value was already there.
    bool set(std::u16string_view key, std::u16string_view name, SRegValue value);

    const std::vector<SKey>& keys() const { return m_keys; }
    bool empty() const { return m_keys.empty(); }
    void clear();

    // True when key can be written to the text form and read back unchanged: no line ends, and
    // no unpaired surrogates (key lines have no escapes).
    static bool isStorableKey(std::u16string_view key);

    // Replaces the content with the values of text (UTF-8, optional BOM) and returns the lines
    // it left out, empty when every line was read. A damaged line costs only itself: a line that
    // is not a key, a value or a comment, a value cut short, unterminated or with bad data. Values
    // under a damaged key line are left out as well, since their key is unknown. A wrapped hex
    // value takes only continuation lines made of hex bytes.
    std::vector<SRegParseError> parse(std::string_view text);
    // The text form: a header line, then each key with its values, a blank line between keys.
    std::string serialize() const;

private:
    // Adds the key of a "[key]" line; nullopt when the line is damaged.
    std::optional<std::u16string> parseKeyLine(std::string_view line);
    // `set` for a key path whose root is already off: a path may itself start with the root.
    bool setInPath(std::u16string_view key, std::u16string_view name, SRegValue value);

    struct SKeyIndex {
        std::size_t position = 0;
        std::unordered_map<std::u16string, std::size_t> names;  // folded name -> value position
    };
    std::vector<SKey> m_keys;
    std::unordered_map<std::u16string, SKeyIndex> m_index;  // folded key -> key and its names
};

}  // namespace brindle
