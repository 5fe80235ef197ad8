// The user settings store replaced for one test, and the file store given back afterwards.
#pragma once

#include "platform/settings_store.h"

namespace brindle::test {

// Makes store the user settings store (userSettingsStore()) while it lives; on destruction the
// file store is in use again, also after a failed assertion. store outlives the guard.
class CScopedSettingsStore {
public:
    explicit CScopedSettingsStore(CSettingsStore& store) { setUserSettingsStore(&store); }
    ~CScopedSettingsStore() { setUserSettingsStore(nullptr); }
    CScopedSettingsStore(const CScopedSettingsStore&) = delete;
    CScopedSettingsStore& operator=(const CScopedSettingsStore&) = delete;
};

}  // namespace brindle::test
