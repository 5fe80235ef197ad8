// The typed exception of the engine for file failures, caught once by the compare driver.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

// A file could not be opened, read, created, written or replaced. Carries the path (UTF-16, as
// the user named it), the operation and the system error.
class CFileException : public std::runtime_error {
public:
    enum class Operation { Open, Read, Create, Write, Replace };

    CFileException(std::u16string path, Operation operation, std::error_code error);

    const std::u16string& path() const { return m_path; }
    Operation operation() const { return m_operation; }
    const std::error_code& error() const { return m_error; }

private:
    std::u16string m_path;
    Operation m_operation;
    std::error_code m_error;
};

// Why an input file cannot be compared, in the user's words: "%1 is a folder, not a file",
// "%1 is not an ordinary file", "Cannot open %1: reason" or, for Read, "Cannot read %1: reason".
std::u16string inputFileProblem(std::u16string_view path, CFileException::Operation operation,
                                const std::error_code& error);

// Why path cannot be opened as an input (as above), or empty when it can.
std::u16string inputFileProblem(std::u16string_view path);

// Throws a CFileException for the first of the two paths that cannot be opened as an input.
void checkInputFiles(std::u16string_view file1, std::u16string_view file2);

}  // namespace brindle
