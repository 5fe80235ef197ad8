// The system ANSI code page set for one test, and given back afterwards.
#pragma once

#include "platform/code_page.h"
#include "support/temp_dir.h"

namespace brindle::test {

// Sets BRINDLE_ACP to a Windows code-page number and makes CCodePage::ansi() read it; on
// destruction the variable is restored and ansi() reads it again, also after a failed assertion.
class CScopedCodePage {
public:
    explicit CScopedCodePage(const char* number) : m_variable("BRINDLE_ACP", number)
    {
        CCodePage::resetAnsiForTesting();
    }
    ~CScopedCodePage() { CCodePage::resetAnsiForTesting(); }
    CScopedCodePage(const CScopedCodePage&) = delete;
    CScopedCodePage& operator=(const CScopedCodePage&) = delete;

private:
    CScopedEnv m_variable;
};

}  // namespace brindle::test
