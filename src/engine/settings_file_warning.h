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

// The warning for a write of the settings file that failed (report.writeError), in the user's
// language; empty when none failed.
std::u16string settingsWriteWarning(const SSettingsFileReport& report);

// Writes settingsWriteWarning to stderr, on a line of its own: the reporter the programs give
// setSettingsWriteFailureReporter (reg_file_store.h).
void printSettingsWriteWarning(const SSettingsFileReport& report);

}  // namespace brindle
