// The engine's string loader replaced for one test, and the built-in texts given back afterwards.
#pragma once

#include "engine/engine_strings.h"

namespace brindle::test {

// Installs loader while it lives; on destruction engineString gives the built-in English texts
// again, also after a failed assertion.
class CScopedStringLoader {
public:
    explicit CScopedStringLoader(StringLoader loader) { setStringLoader(loader); }
    ~CScopedStringLoader() { setStringLoader(nullptr); }
    CScopedStringLoader(const CScopedStringLoader&) = delete;
    CScopedStringLoader& operator=(const CScopedStringLoader&) = delete;
};

}  // namespace brindle::test
