// A loadable library that lacks the update entry point (the name differs by one letter).
#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::int32_t CheckForUpdates() { return 0; }
