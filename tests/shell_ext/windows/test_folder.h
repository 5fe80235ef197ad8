// A fresh folder for one test's files, removed with everything in it at the end.
#pragma once

#include <string>
#include <string_view>

namespace brindle::test {

class CTestFolder {
public:
    CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;
    ~CTestFolder();

    const std::wstring& path() const { return m_path; }
    std::wstring path(std::wstring_view name) const { return m_path + L'\\' + std::wstring(name); }

    // Both return the whole path of what they made.
    std::wstring file(std::wstring_view name, std::string_view content = "text\n") const;
    std::wstring folder(std::wstring_view name) const;
    std::wstring copy(const std::wstring& from, std::wstring_view name) const;

private:
    std::wstring m_path;
};

}  // namespace brindle::test
