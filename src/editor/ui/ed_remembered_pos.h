// The caret position remembered per document under "Software\RodeZor\Remembered".
#pragma once

#include "editor/text_pos.h"

#include <optional>
#include <string_view>

namespace brindle {

class CSettingsStore;

// A 12-byte binary value named by the document's full path: three int32 (little-endian), of
// which the second is the character and the third the line. nullopt when the value is missing
// or not 12 bytes long.
std::optional<STextPos> readRememberedPos(const CSettingsStore& store, std::u16string_view path);
void writeRememberedPos(CSettingsStore& store, std::u16string_view path, STextPos pos);

}  // namespace brindle
