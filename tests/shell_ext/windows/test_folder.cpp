// A fresh folder for one test's files, removed with everything in it at the end.
#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include <windows.h>

namespace brindle::test {

CTestFolder::CTestFolder()
{
    static int made = 0;
    std::wstring temp(MAX_PATH + 1, L'\0');
    temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
    m_path = temp + L"brdext-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
    std::filesystem::create_directories(m_path);
}

CTestFolder::~CTestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::wstring CTestFolder::file(std::wstring_view name, std::string_view content) const
{
    const std::wstring whole = path(name);
    std::ofstream out(std::filesystem::path(whole), std::ios::binary);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write a test file");
    return whole;
}

std::wstring CTestFolder::folder(std::wstring_view name) const
{
    const std::wstring whole = path(name);
    std::filesystem::create_directories(whole);
    return whole;
}

std::wstring CTestFolder::copy(const std::wstring& from, std::wstring_view name) const
{
    const std::wstring whole = path(name);
    std::filesystem::copy_file(from, whole, std::filesystem::copy_options::overwrite_existing);
    return whole;
}

}  // namespace brindle::test
