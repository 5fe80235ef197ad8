// Which brd64 the Nautilus module starts: the one installed with it, wherever that went.
#include "shell_ext/nautilus/nautilus_program_path.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace brindle {

std::string NautilusProgramPath(const std::string& moduleFile, std::string_view relativeProgram,
                                std::string_view fallbackProgram)
{
    std::error_code error;
    const std::filesystem::path module = std::filesystem::canonical(moduleFile, error);
    if (error)
        return std::string(fallbackProgram);
    const std::filesystem::path candidate =
        std::filesystem::weakly_canonical(module.parent_path() / relativeProgram, error);
    if (error || !std::filesystem::is_regular_file(candidate, error) || ::access(candidate.c_str(), X_OK) != 0)
        return std::string(fallbackProgram);
    return candidate.string();
}

}  // namespace brindle
