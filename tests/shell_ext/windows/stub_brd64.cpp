// Stands in for brd64.exe beside BRDEXT.dll in the Wine tests: records how it was started into
// the folder named by BRDEXT_TEST_RECORD_DIR, one file per run, then ends.
#include <string>

#include <windows.h>

namespace {

std::wstring environmentValue(const wchar_t* name)
{
    std::wstring value(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(length < value.size() ? length : 0);
    return value;
}

std::wstring ownFileName()
{
    std::wstring name(32768, L'\0');
    name.resize(GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
    return name;
}

bool writeAll(const std::wstring& path, const std::wstring& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool ok = WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring folder = environmentValue(L"BRDEXT_TEST_RECORD_DIR");
    if (folder.empty())
        return 2;
    // The record appears whole or not at all: the driver reads it as soon as it exists.
    const std::wstring base = folder + L"\\run-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring record = std::wstring(GetCommandLineW()) + L'\n' + ownFileName();
    if (!writeAll(base + L".tmp", record) || !MoveFileW((base + L".tmp").c_str(), (base + L".txt").c_str()))
        return 1;
    return 0;
}
