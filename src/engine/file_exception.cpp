#include "engine/file_exception.h"

#include "engine/engine_strings.h"
#include "platform/file_system.h"
#include "platform/fill_template.h"
#include "platform/utf8.h"

namespace brindle {

namespace {

std::u16string withArguments(int id, std::u16string_view first, std::u16string_view second = {})
{
    return engineString(id, {first, second});
}

std::string describe(const std::u16string& path, CFileException::Operation operation, const std::error_code& error)
{
    const char* verb = "create";
    switch (operation) {
    case CFileException::Operation::Open:
    case CFileException::Operation::Read: return u8(inputFileProblem(path, operation, error));
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
    : std::runtime_error(describe(path, operation, error)), m_path(std::move(path)), m_operation(operation),
      m_error(error)
{
}

std::u16string inputFileProblem(std::u16string_view path, CFileException::Operation operation,
                                const std::error_code& error)
{
    const std::u16string reason = u16(errorText(error));
    if (operation == CFileException::Operation::Read)
        return withArguments(kStrCannotRead, path, reason);
    if (error == std::errc::is_a_directory)
        return withArguments(kStrIsAFolder, path);
    if (error == notOrdinaryFileError())
        return withArguments(kStrNotAnOrdinaryFile, path);
    return withArguments(kStrCannotOpen, path, reason);
}

std::u16string inputFileProblem(std::u16string_view path)
{
    std::error_code error;
    if (canOpenInputFile(path, &error))
        return {};
    return inputFileProblem(path, CFileException::Operation::Open, error);
}

void checkInputFiles(std::u16string_view file1, std::u16string_view file2)
{
    for (const std::u16string_view path : {file1, file2}) {
        std::error_code error;
        if (!canOpenInputFile(path, &error))
            throw CFileException(std::u16string(path), CFileException::Operation::Open, error);
    }
}

}  // namespace brindle
