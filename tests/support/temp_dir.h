// Temporary folders and byte files for tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

namespace brindle::test {

// Writes bytes to the file at path, replacing it.
inline void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// A fresh folder under the system temp folder, removed with everything in it on destruction.
class CTempDir {
public:
    CTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindle-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~CTempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(std::string_view name) const { return (m_path / name).string(); }

    // Writes bytes to name and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const
    {
        const std::string target = file(name);
        writeFile(target, bytes);
        return target;
    }

    // Writes bytes to a file whose path is exactly pathLength characters long (ASCII), in nested
    // folders whose names each stay far below the system's limit of 255 bytes for one name.
    std::string writeDeep(std::size_t pathLength, std::string_view bytes) const
    {
        constexpr std::size_t kFolderName = 200;
        constexpr std::size_t kLongestName = 255;
        std::string path = m_path.string();
        if (pathLength < path.size() + 6)
            throw std::invalid_argument("path too short for the temporary folder");
        // "/" and a folder name while the rest would not fit one name; the rest leaves at least
        // "/" and 55 characters for the file's name.
        while (pathLength - path.size() > 1 + kLongestName) {
            path += '/' + std::string(kFolderName, 'd');
            std::filesystem::create_directory(path);
        }
        const std::size_t nameLength = pathLength - path.size() - 1;
        path += '/' + std::string(nameLength - 4, 'f') + ".txt";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path);
        return path;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets an environment variable for the lifetime of the object, restoring it afterwards.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old, m_hadOld = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~CScopedEnv()
    {
        if (m_hadOld)
            ::setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_hadOld = false;
};

}  // namespace brindle::test
