// The runs of the stub brd64.exe that BRDEXT.dll started, read from the records the stub writes.
#include "stub_runs.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace brindle::test {

namespace {

// The program's name is the first token, quoted or not; the parameters start after the blanks
// behind it.
std::wstring parametersOf(const std::wstring& commandLine)
{
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"')
        end = commandLine.find(L'"', 1);
    else
        end = commandLine.find(L' ');
    if (end == std::wstring::npos)
        return {};
    end = commandLine.find_first_not_of(L' ', end + 1);
    return end == std::wstring::npos ? std::wstring() : commandLine.substr(end);
}

SStubRun readRecord(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    const std::size_t newline = text.find(L'\n');
    return {parametersOf(text.substr(0, newline)), newline == std::wstring::npos ? L"" : text.substr(newline + 1)};
}

}  // namespace

namespace {

// Each watch gets a folder of its own, so that no run of an earlier one is counted.
std::wstring freshRecordsFolder(const CTestFolder& folder)
{
    static int made = 0;
    return folder.folder(L"stub-runs-" + std::to_wstring(++made));
}

}  // namespace

CStubRuns::CStubRuns(const CTestFolder& folder) : m_folder(freshRecordsFolder(folder))
{
    SetEnvironmentVariableW(L"BRDEXT_TEST_RECORD_DIR", m_folder.c_str());
}

CStubRuns::~CStubRuns()
{
    SetEnvironmentVariableW(L"BRDEXT_TEST_RECORD_DIR", nullptr);
}

std::vector<SStubRun> CStubRuns::read() const
{
    std::vector<SStubRun> runs;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        if (entry.path().extension() == L".txt")
            runs.push_back(readRecord(entry.path()));
    }
    return runs;
}

std::vector<SStubRun> CStubRuns::waitFor(std::size_t count, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    std::vector<SStubRun> runs = read();
    while (runs.size() < count && GetTickCount64() < deadline) {
        Sleep(50);
        runs = read();
    }
    return runs;
}

}  // namespace brindle::test
