// Entry point of every test program: pins the ANSI code page so that byte-exact expectations
// hold on any machine, whatever its locale, and sends settings to a fresh folder so that no test
// touches the user's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    ::setenv("BRINDLE_ACP", "1252", 0);
    std::string config = (std::filesystem::temp_directory_path() / "brindle-settings-XXXXXX").string();
    if (::mkdtemp(config.data()))
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
