// What BRDEXT.dll keeps for the whole module: its own handle and the count of live COM objects.
#pragma once

#include "shell_ext/shell_counter.h"

#include <string>

#include <windows.h>

namespace brindle {

// Set once on process attach, before any object exists.
void BrdExtSetModuleHandle(HINSTANCE module);

// Class factories and extension objects alike; DllCanUnloadNow answers S_OK only at 0.
CShellCounter& BrdExtObjectCount();

// The library's whole file name, however long (never cut to a fixed buffer); empty on failure.
std::wstring BrdExtModuleFileName();

}  // namespace brindle
