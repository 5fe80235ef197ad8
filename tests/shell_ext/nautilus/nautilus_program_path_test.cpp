// The Nautilus module finds the brd64 of the prefix it was installed into, also through a link.
#include "shell_ext/nautilus/nautilus_program_path.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace brindle {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRelative = "../../../bin/brd64";
constexpr const char* kFallback = "/configured/prefix/bin/brd64";

TEST(NautilusProgramPath, ProgramOfTheModulesOwnPrefix)
{
    const test::CTempDir dir;
    const fs::path root = fs::canonical(dir.file(""));
    const fs::path prefix = root / "my prefix";
    const fs::path extensions = prefix / "lib/nautilus/extensions-4";
    fs::create_directories(extensions);
    fs::create_directories(prefix / "bin");
    const std::string module = dir.write("my prefix/lib/nautilus/extensions-4/libbrindle-nautilus.so", "module");
    const std::string program = dir.write("my prefix/bin/brd64", "#!/bin/sh\n");
    fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
    // Nautilus's own folder holds only a link to the installed module.
    fs::create_directories(root / "nautilus-folder");
    fs::create_symlink(module, root / "nautilus-folder/libbrindle-nautilus.so");
    // A module in a prefix whose brd64 cannot be run, and one without brd64.
    fs::create_directories(root / "plain/lib/nautilus/extensions-4");
    fs::create_directories(root / "plain/bin");
    const std::string plainModule = dir.write("plain/lib/nautilus/extensions-4/m.so", "module");
    dir.write("plain/bin/brd64", "not executable");
    fs::create_directories(root / "empty/lib/nautilus/extensions-4");
    const std::string emptyModule = dir.write("empty/lib/nautilus/extensions-4/m.so", "module");

    struct SCase {
        const char* name;
        std::string moduleFile;
        std::string expected;
    };
    const SCase cases[] = {
        {"installed module", module, program},
        {"linked into Nautilus's folder", (root / "nautilus-folder/libbrindle-nautilus.so").string(), program},
        {"brd64 not executable", plainModule, kFallback},
        {"no brd64 in the prefix", emptyModule, kFallback},
        {"module file gone", (root / "gone.so").string(), kFallback},
        {"no module file name", "", kFallback},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NautilusProgramPath(c.moduleFile, kRelative, kFallback), c.expected);
    }
}

}  // namespace
}  // namespace brindle
