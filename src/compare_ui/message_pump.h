// Keeping the user interface alive while the engine works on the user-interface thread.
#pragma once

#include <chrono>

namespace brindle {

// Processes the pending events of the user interface, at most once per pump interval. Does
// nothing while it is already processing (an event handler that runs a long loop of its own does
// not nest the processing), without an application object, and once the application is closing
// down. Cheap when it does nothing (a clock read), so long loops may call it for every line.
void pumpPendingEvents();

// The least time between two processings; 30 ms unless changed.
inline constexpr std::chrono::milliseconds kDefaultPumpInterval{30};
void setPumpInterval(std::chrono::milliseconds interval);
std::chrono::milliseconds pumpInterval();

}  // namespace brindle
