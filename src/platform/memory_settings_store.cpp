#include "platform/memory_settings_store.h"

namespace brindle {

std::optional<std::uint32_t> CMemorySettingsStore::readDword(std::u16string_view key, std::u16string_view name) const
{
    return m_data.readDword(key, name);
}

std::vector<std::pair<std::u16string, std::u16string>> CMemorySettingsStore::readStringValues(
    std::u16string_view key) const
{
    return m_data.readStringValues(key);
}

std::optional<std::u16string> CMemorySettingsStore::readString(std::u16string_view key, std::u16string_view name) const
{
    return m_data.readString(key, name);
}

std::optional<std::vector<std::uint8_t>> CMemorySettingsStore::readBinary(std::u16string_view key,
                                                                          std::u16string_view name) const
{
    return m_data.readBinary(key, name);
}

bool CMemorySettingsStore::writeDword(std::u16string_view key, std::u16string_view name, std::uint32_t value)
{
    if (!CRegistryData::isStorableKey(key))
        return false;
    m_data.set(key, name, SRegValue::fromDword(value));
    return true;
}

bool CMemorySettingsStore::writeString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    if (!CRegistryData::isStorableKey(key))
        return false;
    m_data.set(key, name, SRegValue::fromString(value));
    return true;
}

bool CMemorySettingsStore::writeBinary(std::u16string_view key, std::u16string_view name,
                                       std::span<const std::uint8_t> value)
{
    if (!CRegistryData::isStorableKey(key))
        return false;
    m_data.set(key, name, SRegValue::fromBinary({value.begin(), value.end()}));
    return true;
}

}  // namespace brindle
