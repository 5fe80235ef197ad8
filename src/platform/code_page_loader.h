// Making a code page from what glibc's iconv knows about it.
#pragma once

#include "platform/code_page.h"

#include <cstdint>
#include <memory>

namespace brindle {

// The page of a Windows code-page number, read from iconv under the names of iconvNamesFor():
// a CSingleByteCodePage when no byte starts a longer character, else a CMultiByteCodePage.
// nullptr when iconv knows none of the names, or the page breaks a promise of CCodePage (its
// bytes 0..0x7F are not ASCII, or CR or LF can follow a lead byte inside a character).
// Not for kCodePageAnsi or kCodePageUtf8.
std::unique_ptr<CCodePage> loadCodePage(std::uint32_t number);

}  // namespace brindle
