// Texts the engine puts into reports and messages, by string-table id.
#pragma once

#include <string>

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
};

// The text of a string id: from the loader the user interface installs (the resources of the
// program or its language module), else the built-in English text; empty for unknown ids.
using StringLoader = std::u16string (*)(int id);
void setStringLoader(StringLoader loader);
std::u16string engineString(int id);

}  // namespace brindle
