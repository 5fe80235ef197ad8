// The Wine test driver's entry: the shell calls context-menu handlers from a single-threaded
// apartment, so the tests do the same.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
