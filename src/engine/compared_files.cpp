#include "engine/compared_files.h"

#include "platform/file_system.h"

namespace brindle {

bool namesComparedFile(std::u16string_view path, std::u16string_view file1, std::u16string_view file2)
{
    for (const std::u16string_view file : {file1, file2}) {
        if (file.empty())
            continue;
        if (equalsIgnoreAsciiCase(path, file) || sameFile(path, file))
            return true;
    }
    return false;
}

}  // namespace brindle
