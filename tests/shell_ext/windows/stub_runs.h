// The runs of the stub brd64.exe that BRDEXT.dll started, read from the records the stub writes.
#pragma once

#include "test_folder.h"

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

namespace brindle::test {

struct SStubRun {
    std::wstring parameters;  // the command line without the program's own name
    std::wstring program;     // the stub's whole file name
};

// Points the stub at a records folder inside folder while it lives.
class CStubRuns {
public:
    explicit CStubRuns(const CTestFolder& folder);
    CStubRuns(const CStubRuns&) = delete;
    CStubRuns& operator=(const CStubRuns&) = delete;
    ~CStubRuns();

    // The runs recorded so far, once there are at least count of them or timeoutMs has passed.
    std::vector<SStubRun> waitFor(std::size_t count, DWORD timeoutMs = 20000) const;

private:
    std::vector<SStubRun> read() const;

    std::wstring m_folder;
};

}  // namespace brindle::test
