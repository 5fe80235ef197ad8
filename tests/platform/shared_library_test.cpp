// Loading libraries at run time: failures leave nothing loaded, symbols are found by their plain
// exported name, and a moved handle takes the library along.
#include "platform/shared_library.h"

#include "platform/utf8.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace brindle {
namespace {

// The update-library stand-in: CheckForUpdate with C linkage, answering from the environment.
using CheckFunction = std::int32_t (*)(const char16_t*, const char16_t*, std::int32_t*, std::int32_t*, bool);

std::u16string stubPath() { return pathFromNative(BRINDLE_VPROBE_STUB_PATH); }

std::int32_t callCheck(CSharedLibrary& library)
{
    const auto check = library.function<CheckFunction>("CheckForUpdate");
    if (!check)
        return -1000;
    std::int32_t newVersion = 0;
    std::int32_t installed = 0;
    return check(u"location", u"program", &newVersion, &installed, false);
}

struct SLoadFailure {
    const char* name;
    std::string (*path)(const test::CTempDir& dir);
};

class SharedLibraryLoadFailure : public testing::TestWithParam<SLoadFailure> {};

TEST_P(SharedLibraryLoadFailure, LeavesNothingLoadedAndSaysWhy)
{
    test::CTempDir dir;
    CSharedLibrary library;
    ASSERT_TRUE(library.load(stubPath()));
    EXPECT_FALSE(library.load(pathFromNative(GetParam().path(dir))));
    EXPECT_FALSE(library.isLoaded());
    EXPECT_FALSE(library.error().empty());
    EXPECT_EQ(nullptr, library.symbol("CheckForUpdate"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SharedLibraryLoadFailure,
    testing::Values(SLoadFailure{"missing", [](const test::CTempDir& d) { return d.file("libnone.so"); }},
                    SLoadFailure{"empty", [](const test::CTempDir&) { return std::string(); }},
                    SLoadFailure{"text_file",
                                 [](const test::CTempDir& d) { return d.write("libtext.so", "not ELF\n"); }},
                    SLoadFailure{"folder", [](const test::CTempDir& d) { return d.path().string(); }},
                    SLoadFailure{"truncated_elf",
                                 [](const test::CTempDir& d) {
                                     return d.write("libcut.so",
                                                    "\x7f"
                                                    "ELF\x02\x01\x01");
                                 }}),
    test::SCaseName());

TEST(SharedLibrary, FindsCLinkageFunctionsByPlainNameOnly)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "6");
    test::CScopedEnv log("BRINDLE_VPROBE_STUB_LOG", nullptr);
    CSharedLibrary library;
    ASSERT_TRUE(library.load(stubPath())) << library.error();
    EXPECT_TRUE(library.error().empty());
    EXPECT_EQ(6, callCheck(library));

    EXPECT_EQ(nullptr, library.symbol("CheckForUpdates"));
    EXPECT_FALSE(library.error().empty());
    EXPECT_NE(nullptr, library.symbol("CheckForUpdate"));
    EXPECT_TRUE(library.error().empty());

    library.unload();
    EXPECT_FALSE(library.isLoaded());
    EXPECT_EQ(nullptr, library.symbol("CheckForUpdate"));
}

TEST(SharedLibrary, MovingTakesTheLibraryAlong)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "0 0 0");
    test::CScopedEnv log("BRINDLE_VPROBE_STUB_LOG", nullptr);
    CSharedLibrary first;
    ASSERT_TRUE(first.load(stubPath()));
    CSharedLibrary second(std::move(first));
    EXPECT_FALSE(first.isLoaded());  // NOLINT(bugprone-use-after-move): moved-from state is specified
    ASSERT_TRUE(second.isLoaded());
    EXPECT_EQ(0, callCheck(second));

    CSharedLibrary third;
    ASSERT_TRUE(third.load(stubPath()));
    third = std::move(second);
    EXPECT_FALSE(second.isLoaded());  // NOLINT(bugprone-use-after-move)
    EXPECT_TRUE(third.isLoaded());
    EXPECT_EQ(0, callCheck(third));
    third = std::move(third);
    EXPECT_TRUE(third.isLoaded());
}

}  // namespace
}  // namespace brindle
