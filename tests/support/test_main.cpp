// Entry point of every test program: pins the ANSI code page so that byte-exact expectations
// hold on any machine, whatever its locale.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("BRINDLE_ACP", "1252", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
