// Process-wide settings for the Nautilus tests: no user settings and no desktop services.
#pragma once

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace brindle::test {

// Points XDG_CONFIG_HOME at a fresh folder before any test reads settings: the user settings
// store keeps the first path it sees for the whole process. GIO is kept to local files, so that
// no GVfs module reaches for D-Bus. Register it with testing::AddGlobalTestEnvironment.
class CNautilusTestEnvironment : public testing::Environment {
public:
    void SetUp() override;

    // The folder XDG_CONFIG_HOME names; user.reg goes into its "brindle" folder.
    static const CTempDir& configHome();

private:
    std::unique_ptr<CScopedEnv> m_configHome;
    std::unique_ptr<CScopedEnv> m_vfs;
};

}  // namespace brindle::test
