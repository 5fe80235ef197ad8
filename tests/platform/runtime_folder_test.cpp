// The private folder in which copies of the program meet: which folder, and which are refused.
#include "platform/runtime_folder.h"

#include "platform/utf8.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

struct SCase {
    const char* name;
    // Prepares the temporary folder t and returns XDG_RUNTIME_DIR (nullptr: unset).
    std::function<const char*(const test::CTempDir& t, std::string& runtime)> prepare;
    std::errc error;  // std::errc{}: the folder is used
};

const std::string kFallback = "brindle-runtime-" + std::to_string(::getuid());

// A folder of the given mode in t, as XDG_RUNTIME_DIR.
const char* runtimeFolder(const test::CTempDir& t, std::string& runtime, fs::perms mode)
{
    runtime = t.file("run");
    fs::create_directory(runtime);
    fs::permissions(runtime, mode);
    return runtime.c_str();
}

TEST(RuntimeFolder, OnlyAPrivateFolderIsUsed)
{
    using P = fs::perms;
    const SCase cases[] = {
        {"XDG_RUNTIME_DIR", [](auto& t, auto& r) { return runtimeFolder(t, r, P::owner_all); }, {}},
        {"XDG_RUNTIME_DIR open to the group",
         [](auto& t, auto& r) { return runtimeFolder(t, r, P::owner_all | P::group_read | P::group_exec); },
         std::errc::permission_denied},
        {"XDG_RUNTIME_DIR missing", [](auto& t, auto& r) { return (r = t.file("none")).c_str(); },
         std::errc::no_such_file_or_directory},
        {"unset: a private folder made in the temporary folder", [](auto&, auto&) { return nullptr; }, {}},
        {"relative XDG_RUNTIME_DIR counts as unset", [](auto&, auto&) { return "run"; }, {}},
        {"unset: an existing private folder",
         [](auto& t, auto&) -> const char* {
             fs::create_directory(t.file(kFallback));
             fs::permissions(t.file(kFallback), P::owner_all);
             return nullptr;
         },
         {}},
        {"unset: an existing folder others may enter is refused, not changed",
         [](auto& t, auto&) -> const char* {
             fs::create_directory(t.file(kFallback));
             fs::permissions(t.file(kFallback), P::owner_all | P::others_exec);
             return nullptr;
         },
         std::errc::permission_denied},
        {"unset: a link to a private folder is refused",
         [](auto& t, auto& r) -> const char* {
             runtimeFolder(t, r, P::owner_all);
             fs::create_directory_symlink(r, t.file(kFallback));
             return nullptr;
         },
         std::errc::not_a_directory},
        {"unset: a file in the way is refused",
         [](auto& t, auto&) -> const char* {
             t.write(kFallback, "");
             return nullptr;
         },
         std::errc::not_a_directory},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const test::CTempDir t;
        std::string runtime;
        const char* runtimeValue = c.prepare(t, runtime);
        const test::CScopedEnv xdg("XDG_RUNTIME_DIR", runtimeValue);
        const test::CScopedEnv temp("TMPDIR", t.path().c_str());
        const mode_t before = modeOf(t.file(kFallback));

        const SRuntimeFolder folder = privateRuntimeFolder();
        EXPECT_EQ(u8(folder.path), runtimeValue && runtimeValue[0] == '/' ? runtime : t.file(kFallback));
        if (c.error == std::errc{}) {
            EXPECT_FALSE(folder.error) << folder.error.message();
            EXPECT_EQ(modeOf(u8(folder.path)), 0700u);
        } else {
            EXPECT_EQ(folder.error, std::make_error_code(c.error)) << folder.error.message();
            EXPECT_EQ(modeOf(t.file(kFallback)), before);
        }
    }
}

}  // namespace
}  // namespace brindle
