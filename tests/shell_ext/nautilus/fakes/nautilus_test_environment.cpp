// Process-wide settings for the Nautilus tests: no user settings and no desktop services.
#include "nautilus_test_environment.h"

namespace brindle::test {

const CTempDir& CNautilusTestEnvironment::configHome()
{
    static const CTempDir dir;
    return dir;
}

void CNautilusTestEnvironment::SetUp()
{
    m_configHome = std::make_unique<CScopedEnv>("XDG_CONFIG_HOME", configHome().path().c_str());
    m_vfs = std::make_unique<CScopedEnv>("GIO_USE_VFS", "local");
}

}  // namespace brindle::test
