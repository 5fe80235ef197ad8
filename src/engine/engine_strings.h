// Texts the engine puts into reports and messages, by string-table id.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brindle {

// String-table ids used by the engine.
enum EngineStringId : int {
    kStrBinaryComparison = 2306,   // "Binary Comparison of Files"
    kStrCreatingReport = 2309,     // "Creating Report"
    kStrComparisonResults = 2338,  // "Comparison Results"
    kStrMissing = 2339,            // "missing"
    kStrUndoAction = 8615,         // "&Undo %s\tCtrl+Z"
    kStrRedoAction = 8616,         // "&Redo %s\tCtrl+Y"
    kStrUndo = 8617,               // "&Undo\tCtrl+Z"
    kStrRedo = 8618,               // "&Redo\tCtrl+Y"
    // The settings file (settings_file_warning.h).
    kStrSettingsLineSkipped = 3220,   // "The settings file %1 is damaged: one line could not be read ..."
    kStrSettingsLinesSkipped = 3221,  // "The settings file %1 is damaged: %2 lines could not be read ..."
    kStrSettingsCopied = 3222,        // "The damaged file was copied to %1."
    kStrSettingsNotCopied = 3223,     // "No copy of the damaged file could be made (%1), ..."
    kStrSettingsNotOrdinary = 3224,   // "The settings file %1 was not read, because it is not an ordinary file. ..."
    kStrSettingsTooLarge = 3225,      // "The settings file %1 was not read, because it is larger than 16 MiB. ..."
    kStrSettingsUnreadable = 3226,    // "The settings file %1 could not be read (%2). ..."
    kStrSettingsUnwritable = 3227,    // "The settings file %1 could not be written (%2). ..."
    // Compared files that cannot be read (file_exception.h).
    kStrCannotOpen = 3243,         // "Cannot open %1: %2"
    kStrIsAFolder = 3244,          // "%1 is a folder, not a file"
    kStrNotAnOrdinaryFile = 3245,  // "%1 is not an ordinary file"
    kStrCannotRead = 3246,         // "Cannot read %1: %2"
    // A comparison that ran out of memory (compare_driver.h).
    kStrNotEnoughMemory = 3229,  // "Not enough memory to compare the files."
    // A comparison too large for the memory available (memory_estimate.h).
    kStrComparisonTooLarge = 3259,  // "Comparing %1 and %2 needs about %3 of memory, ..."
};

// The text of a string id: from the loader the user interface installs (the resources of the
// program or its language module), else the built-in English text; empty for unknown ids.
using StringLoader = std::u16string (*)(int id);
void setStringLoader(StringLoader loader);
std::u16string engineString(int id);
// The text of id with %1, %2, ... replaced by arguments in order (each marker once).
std::u16string engineString(int id, std::initializer_list<std::u16string_view> arguments);

}  // namespace brindle
