// Unicode simple upper-casing of one UTF-16 code unit (Basic Multilingual Plane).
#pragma once

namespace brindle {

// The simple (one-to-one) uppercase mapping of the Unicode Character Database for ch;
// ch itself when it has none. Surrogates and unassigned units map to themselves.
char16_t simpleUpper(char16_t ch);

}  // namespace brindle
