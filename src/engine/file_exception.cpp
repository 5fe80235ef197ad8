#include "engine/file_exception.h"

#include "platform/utf8.h"

namespace brindle {

namespace {

std::string describe(const std::u16string& path, CFileException::Operation operation,
                     const std::error_code& error)
{
    const char* verb = "open";
    switch (operation) {
    case CFileException::Operation::Open: verb = "open"; break;
    case CFileException::Operation::Create: verb = "create"; break;
    case CFileException::Operation::Write: verb = "write"; break;
    case CFileException::Operation::Replace: verb = "replace"; break;
    }
    std::string text = std::string("Cannot ") + verb + " \"" + u8(path) + "\"";
    if (error)
        text += ": " + error.message();
    return text;
}

}  // namespace

CFileException::CFileException(std::u16string path, Operation operation, std::error_code error)
    : std::runtime_error(describe(path, operation, error)),
      m_path(std::move(path)),
      m_operation(operation),
      m_error(error)
{
}

}  // namespace brindle
