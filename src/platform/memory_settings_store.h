// A settings store held in memory, for unit tests and tools that must not touch the user's file.
#pragma once

#include "platform/reg_file_format.h"
#include "platform/settings_store.h"

namespace brindle {

// Behaves like CRegFileStore without a file: same key rules (a key that the file could not hold
// is refused), same case rules, values kept until the object is destroyed.
class CMemorySettingsStore final : public CSettingsStore {
public:
    std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view name) const override;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(std::u16string_view key,
                                                        std::u16string_view name) const override;

    std::vector<std::pair<std::u16string, std::u16string>> readStringValues(std::u16string_view key) const override;

    bool writeDword(std::u16string_view key, std::u16string_view name, std::uint32_t value) override;
    bool writeString(std::u16string_view key, std::u16string_view name, std::u16string_view value) override;
    bool writeBinary(std::u16string_view key, std::u16string_view name, std::span<const std::uint8_t> value) override;

    const CRegistryData& data() const { return m_data; }
    CRegistryData& data() { return m_data; }

private:
    CRegistryData m_data;
};

}  // namespace brindle
