// The typed exception of the engine for file failures, caught once by the compare driver.
#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace brindle {

// A file could not be opened, created, written or replaced. Carries the path (UTF-16, as the
// user named it), the operation and the system error.
class CFileException : public std::runtime_error {
public:
    enum class Operation { Open, Create, Write, Replace };

    CFileException(std::u16string path, Operation operation, std::error_code error);

    const std::u16string& path() const { return m_path; }
    Operation operation() const { return m_operation; }
    const std::error_code& error() const { return m_error; }

private:
    std::u16string m_path;
    Operation m_operation;
    std::error_code m_error;
};

}  // namespace brindle
