#include "platform/settings_store.h"

#include "platform/reg_file_store.h"

#include <atomic>

namespace brindle {

namespace {

std::atomic<CSettingsStore*> g_replacement{nullptr};

}  // namespace

CSettingsStore& userSettingsStore()
{
    if (CSettingsStore* store = g_replacement.load())
        return *store;
    static CRegFileStore fileStore(CRegFileStore::defaultPath());
    return fileStore;
}

void setUserSettingsStore(CSettingsStore* store) { g_replacement.store(store); }

}  // namespace brindle
