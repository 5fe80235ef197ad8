// Turning a batch script into the list of compare-options records it asks for.
#pragma once

#include "engine/comp_file_opt.h"

#include <cstddef>
#include <vector>

namespace brindle {

class CProfile;
class CScriptFile;

// The most actions one script can hold.
inline constexpr std::size_t kMaxBatchActions = 100000;

// Replaces actions with one record per section "Action1", "Action2", ... up to the first number
// that has no section or whose section has no "File1" value (at most kMaxBatchActions).
// One working record serves every action: before each action it is loaded from the settings
// store, then the action's values replace what they name. A value that neither the store nor
// the action gives (file 2, quiet mode, and options missing from the store) therefore keeps what
// the previous action set; the first action starts from the defaults, quiet. "Max Lines Show
// Diff" always comes from the store. Returns the number of actions.
std::size_t LoadActions(std::vector<CCompFileOpt>& actions, const CScriptFile& script, CProfile& profile);

}  // namespace brindle
