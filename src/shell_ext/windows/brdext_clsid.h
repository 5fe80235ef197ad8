// The class identifier of the context-menu handler, the one under which the installer registers
// BRDEXT.dll.
#pragma once

#include <guiddef.h>

namespace brindle {

// {3C3641C3-DB74-4B37-856C-48BA006BE819}
inline constexpr CLSID kBrdExtClsid = {0x3c3641c3, 0xdb74, 0x4b37, {0x85, 0x6c, 0x48, 0xba, 0x00, 0x6b, 0xe8, 0x19}};

}  // namespace brindle
