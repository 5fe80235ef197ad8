// COM result codes for the shell core's outcomes.
#pragma once

#include "shell_ext/shell_result.h"

#include <windows.h>

namespace brindle {

inline HRESULT ToHResult(EShellResult result)
{
    switch (result) {
    case EShellResult::Ok:
        return S_OK;
    case EShellResult::False:
        return S_FALSE;
    case EShellResult::InvalidArg:
        return E_INVALIDARG;
    case EShellResult::NotImpl:
        return E_NOTIMPL;
    case EShellResult::Fail:
        break;
    }
    return E_FAIL;
}

}  // namespace brindle
