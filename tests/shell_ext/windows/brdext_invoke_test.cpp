// BRDEXT.dll's selection from a real CF_HDROP list and the start of brd64.exe beside the library,
// observed through the stub brd64.exe that records how it was started.
#include "extension_object.h"
#include "stub_runs.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle::test {
namespace {

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t ch : text)
        out += ch < 0x80 ? static_cast<char>(ch) : '?';
    return out;
}

std::wstring quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

class BrdExtInvoke : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_object.made()); }

    // What InvokeCommand with offset 0 started brd64 with; fails the test when it started nothing.
    std::wstring invokedParameters(const CExtensionObject& object)
    {
        CStubRuns runs(m_folder);
        EXPECT_EQ(object.invokeOffset(0), S_OK);
        const std::vector<SStubRun> started = runs.waitFor(1);
        EXPECT_EQ(started.size(), 1u);
        return started.empty() ? L"<nothing started>" : started[0].parameters;
    }

    CTestFolder m_folder;
    CExtensionObject m_object;
};

TEST_F(BrdExtInvoke, SelectionFromTheFileList)
{
    const std::wstring a = m_folder.file(L"a.txt");
    const std::wstring b = m_folder.file(L"b file.txt");
    const std::wstring accented = m_folder.file(L"c\u00E9\u6587.txt");
    const std::wstring folder = m_folder.folder(L"folder");
    const std::wstring folder2 = m_folder.folder(L"other folder.txt");
    const std::wstring missing = m_folder.path(L"missing.txt");
    const std::wstring tooLong = L"C:\\" + std::wstring(300, L'n') + L".txt";
    struct SCase {
        const char* name;
        std::vector<std::wstring> names;
        HRESULT result;
        std::wstring parameters;
    };
    const SCase cases[] = {
        {"one file", {a}, S_OK, quoted(a)},
        {"two files", {a, b}, S_OK, quoted(a) + L" " + quoted(b)},
        {"two files, the other order", {b, a}, S_OK, quoted(b) + L" " + quoted(a)},
        {"not Latin", {accented}, S_OK, quoted(accented)},
        {"folder first", {folder, a, b}, S_OK, quoted(a) + L" " + quoted(b)},
        {"folder between", {a, folder, b}, S_OK, quoted(a) + L" " + quoted(b)},
        {"folder last", {a, b, folder2}, S_OK, quoted(a) + L" " + quoted(b)},
        {"only folders", {folder, folder2}, S_OK, L""},
        {"nothing", {}, S_OK, L""},
        {"missing file skipped", {missing, b}, S_OK, quoted(b)},
        {"too long a name skipped, never cut", {tooLong, a}, S_OK, quoted(a)},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CExtensionObject object;
        EXPECT_EQ(object.initialize(c.names), c.result);
        CPopupMenu menu;
        EXPECT_EQ(object.menu()->QueryContextMenu(menu.handle(), 0, 1, 1, CMF_NORMAL),
                  MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        EXPECT_EQ(narrow(invokedParameters(object)), narrow(c.parameters));
    }
}

TEST_F(BrdExtInvoke, ThirdFileRefused)
{
    const std::wstring a = m_folder.file(L"a.txt");
    const std::wstring b = m_folder.file(L"b.txt");
    const std::wstring c = m_folder.file(L"c.txt");
    const std::wstring folder = m_folder.folder(L"folder");
    EXPECT_EQ(m_object.initialize({a, b, c}), E_FAIL);
    EXPECT_EQ(m_object.initialize({a, folder, b, folder, c}), E_FAIL);
    // Nothing of a refused selection is left to start brd64 with.
    EXPECT_EQ(narrow(invokedParameters(m_object)), "");
}

TEST_F(BrdExtInvoke, DataObjectsThatGiveNoFileList)
{
    const std::wstring a = m_folder.file(L"a.txt");
    struct SCase {
        const char* name;
        EDropAnswer answer;
    };
    const SCase cases[] = {
        {"refused", EDropAnswer::Refuse},
        {"other medium", EDropAnswer::WrongMedium},
        {"no memory handle", EDropAnswer::NullGlobal},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CExtensionObject object;
        ASSERT_EQ(object.initialize({a}), S_OK);
        EXPECT_EQ(object.initialize({a}, c.answer), E_FAIL);
        EXPECT_EQ(narrow(invokedParameters(object)), "") << "the earlier selection was dropped";
    }
    EXPECT_EQ(m_object.init()->Initialize(nullptr, nullptr, nullptr), E_FAIL);
}

TEST_F(BrdExtInvoke, OnlyOffsetZeroStartsTheProgram)
{
    const std::wstring a = m_folder.file(L"a.txt");
    ASSERT_EQ(m_object.initialize({a}), S_OK);
    CStubRuns runs(m_folder);
    struct SCase {
        const char* name;
        const char* verb;
    };
    const SCase refused[] = {
        {"string verb", "open"},
        {"empty string verb", ""},
        {"offset 1", MAKEINTRESOURCEA(1)},
        {"offset 0xFFFF", MAKEINTRESOURCEA(0xFFFF)},
    };
    for (const SCase& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_object.invoke(c.verb), E_INVALIDARG);
    }
    EXPECT_EQ(m_object.menu()->InvokeCommand(nullptr), E_INVALIDARG);
    // The refused calls started nothing: the only run is the one of offset 0, and a run started
    // before it would have been recorded before it.
    EXPECT_EQ(m_object.invokeOffset(0), S_OK);
    const std::vector<SStubRun> started = runs.waitFor(1);
    Sleep(500);
    EXPECT_EQ(runs.waitFor(1).size(), 1u);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(narrow(started[0].parameters), narrow(quoted(a)));
}

TEST_F(BrdExtInvoke, ObjectsKeepTheirOwnSelections)
{
    const std::wstring a = m_folder.file(L"a.txt");
    const std::wstring b = m_folder.file(L"b.txt");
    const std::wstring c = m_folder.file(L"c.txt");
    CExtensionObject other;
    ASSERT_EQ(m_object.initialize({a}), S_OK);
    ASSERT_EQ(other.initialize({b, c}), S_OK);
    EXPECT_EQ(narrow(invokedParameters(m_object)), narrow(quoted(a)));
    EXPECT_EQ(narrow(invokedParameters(other)), narrow(quoted(b) + L" " + quoted(c)));
}

TEST_F(BrdExtInvoke, ProgramBesideTheLibrary)
{
    const std::wstring a = m_folder.file(L"a.txt");
    const std::wstring place = m_folder.folder(L"Program Files \u00C4\\Brindle");
    m_folder.copy(DriverFolder() + L"\\BRDEXT.dll", L"Program Files \u00C4\\Brindle\\BRDEXT.dll");
    m_folder.copy(DriverFolder() + L"\\brd64.exe", L"Program Files \u00C4\\Brindle\\brd64.exe");
    {
        CBrdExtLibrary copy(place + L"\\BRDEXT.dll");
        ASSERT_TRUE(copy.loaded());
        CExtensionObject object(copy);
        ASSERT_EQ(object.initialize({a}), S_OK);
        CStubRuns runs(m_folder);
        EXPECT_EQ(object.invokeOffset(0), S_OK);
        const std::vector<SStubRun> started = runs.waitFor(1);
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(narrow(started[0].program), narrow(place + L"\\brd64.exe"));
    }
}

TEST_F(BrdExtInvoke, MissingProgramIsAFailure)
{
    const std::wstring a = m_folder.file(L"a.txt");
    const std::wstring place = m_folder.folder(L"without program");
    m_folder.copy(DriverFolder() + L"\\BRDEXT.dll", L"without program\\BRDEXT.dll");
    CBrdExtLibrary copy(place + L"\\BRDEXT.dll");
    ASSERT_TRUE(copy.loaded());
    CExtensionObject object(copy);
    ASSERT_EQ(object.initialize({a}), S_OK);
    EXPECT_EQ(object.invokeOffset(0), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace brindle::test
