// What brd64 and brdcmp tell the user once at start when the settings file was damaged or not read.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

struct SSettingsFileReport;

// The warning for report in the user's language (engineString), its sentences joined by
// separator: the damage with the number of skipped lines and where the damaged file was copied,
// or why the file was not read. Empty for a healthy file.
std::u16string settingsFileWarning(const SSettingsFileReport& report, std::u16string_view separator = u" ");

}  // namespace brindle
