// The batch-script parser on any bytes. Properties: section names hold no "]", entries are
// non-empty and hold "="; every section is found by its name in any ASCII case, and every
// entry's key finds a value; the sections written out as text read back the same.
#include "engine/script_file.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {
namespace {

char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

bool sameSections(const CScriptFile& a, const CScriptFile& b)
{
    if (a.sections().size() != b.sections().size())
        return false;
    for (std::size_t i = 0; i < a.sections().size(); ++i) {
        if (a.sections()[i].m_name != b.sections()[i].m_name || a.sections()[i].m_entries != b.sections()[i].m_entries)
            return false;
    }
    return true;
}

void checkSection(const CScriptFile& script, const CSection& section)
{
    FUZZ_CHECK(section.m_name.find(u']') == std::u16string::npos);
    const CSection* found = script.FindSection(section.m_name);
    FUZZ_CHECK(found != nullptr && found <= &section && equalIgnoringAsciiCase(found->m_name, section.m_name));
    for (const std::u16string& entry : section.m_entries) {
        const std::size_t equals = entry.find(u'=');
        FUZZ_CHECK(equals != std::u16string::npos);
        std::u16string value;
        FUZZ_CHECK(CScriptFile::GetString(section, std::u16string_view(entry).substr(0, equals), value));
        std::int32_t number = 0;
        FUZZ_CHECK(CScriptFile::GetInt(section, std::u16string_view(entry).substr(0, equals), number));
    }
}

}  // namespace
}  // namespace brindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    const CScriptFile script = CScriptFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u16string text;
    for (const CSection& section : script.sections()) {
        checkSection(script, section);
        text += u"[" + section.m_name + u"]\r\n";
        for (const std::u16string& entry : section.m_entries)
            text += entry + u"\r\n";
    }
    FUZZ_CHECK(sameSections(CScriptFile::FromText(text), script));
    return 0;
}
