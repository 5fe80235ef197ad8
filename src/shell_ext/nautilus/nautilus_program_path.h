// Which brd64 the Nautilus module starts: the one installed with it, wherever that went.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// relativeProgram (such as "../../../bin/brd64") taken from the folder of moduleFile, with every
// symbolic link resolved, so that a module linked into Nautilus's own extension folder still finds
// the brd64 of its installation prefix. fallbackProgram, the path the build was configured to
// install to, when no executable file is there or moduleFile cannot be resolved.
std::string NautilusProgramPath(const std::string& moduleFile, std::string_view relativeProgram,
                                std::string_view fallbackProgram);

}  // namespace brindle
