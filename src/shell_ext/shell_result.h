// Outcomes of the shell extension's operations; the Windows library maps them to COM result codes.
#pragma once

namespace brindle {

// Ok is S_OK, False S_FALSE, Fail E_FAIL, InvalidArg E_INVALIDARG, NotImpl E_NOTIMPL.
enum class EShellResult { Ok, False, Fail, InvalidArg, NotImpl };

}  // namespace brindle
