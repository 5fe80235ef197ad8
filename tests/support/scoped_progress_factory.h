// The engine's progress factory replaced for one test, and removed again afterwards.
#pragma once

#include "engine/progress.h"

namespace brindle::test {

// Installs factory while it lives; on destruction the engine makes displays that show nothing
// again, also after a failed assertion.
class CScopedProgressFactory {
public:
    explicit CScopedProgressFactory(ProgressFactory factory) { setProgressFactory(factory); }
    ~CScopedProgressFactory() { setProgressFactory(nullptr); }
    CScopedProgressFactory(const CScopedProgressFactory&) = delete;
    CScopedProgressFactory& operator=(const CScopedProgressFactory&) = delete;
};

}  // namespace brindle::test
