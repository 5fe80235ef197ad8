#include "platform/profile.h"

#include "platform/settings_store.h"

namespace brindle {

CProfile::CProfile(CSettingsStore& store, std::u16string_view company, std::u16string_view application) : m_store(store)
{
    setRegistryKey(company, application);
}

void CProfile::setRegistryKey(std::u16string_view company, std::u16string_view application)
{
    m_root = u"Software\\";
    m_root += company;
    m_root += u'\\';
    m_root += application;
}

std::u16string CProfile::sectionKey(std::u16string_view section) const
{
    std::u16string key = m_root;
    key += u'\\';
    key += section;
    return key;
}

std::int32_t CProfile::readInt(std::u16string_view section, std::u16string_view name, std::int32_t defaultValue) const
{
    const auto value = m_store.readDword(sectionKey(section), name);
    return value ? static_cast<std::int32_t>(*value) : defaultValue;
}

std::u16string CProfile::readString(std::u16string_view section, std::u16string_view name,
                                    std::u16string_view defaultValue) const
{
    auto value = m_store.readString(sectionKey(section), name);
    return value ? std::move(*value) : std::u16string(defaultValue);
}

void CProfile::writeInt(std::u16string_view section, std::u16string_view name, std::int32_t value)
{
    m_store.writeDword(sectionKey(section), name, static_cast<std::uint32_t>(value));
}

void CProfile::writeString(std::u16string_view section, std::u16string_view name, std::u16string_view value)
{
    m_store.writeString(sectionKey(section), name, value);
}

}  // namespace brindle
