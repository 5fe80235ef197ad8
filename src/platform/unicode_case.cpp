// Unicode simple upper-casing of one UTF-16 code unit (Basic Multilingual Plane).
#include "platform/unicode_case.h"

#include "platform/unicode_case_table_p.h"

namespace brindle {

char16_t simpleUpper(char16_t ch)
{
    const unsigned delta = detail::kUpperDelta[detail::kUpperPageOf[ch >> 8]][ch & 0xFF];
    return static_cast<char16_t>(ch + delta);
}

}  // namespace brindle
