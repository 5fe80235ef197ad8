// The application's sections in the settings store: read and write integer and text values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {

class CSettingsStore;

inline constexpr std::u16string_view kCompanyName = u"Tollan Software Inc.";
inline constexpr std::u16string_view kApplicationTitle = u"Brindle";

// The four operations of the application's settings: each takes a section (a subkey of
// "Software\<company>\<application>") and a value name. Integers are DWORD values read back
// as signed 32-bit; a value that is missing or of another type reads as the default. Failed
// writes are ignored. Does not own the store.
class CProfile {
public:
    CProfile(CSettingsStore& store, std::u16string_view company = kCompanyName,
             std::u16string_view application = kApplicationTitle);

    // Sets the registry root; done once at start-up before any read.
    void setRegistryKey(std::u16string_view company, std::u16string_view application);
    const std::u16string& rootKey() const { return m_root; }
    std::u16string sectionKey(std::u16string_view section) const;

    std::int32_t readInt(std::u16string_view section, std::u16string_view name, std::int32_t defaultValue) const;
    std::u16string readString(std::u16string_view section, std::u16string_view name,
                              std::u16string_view defaultValue = {}) const;
    void writeInt(std::u16string_view section, std::u16string_view name, std::int32_t value);
    void writeString(std::u16string_view section, std::u16string_view name, std::u16string_view value);

    CSettingsStore& store() const { return m_store; }

private:
    CSettingsStore& m_store;
    std::u16string m_root;  // "Software\<company>\<application>"
};

}  // namespace brindle
