// Starting another program directly (no shell), detached from this one.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace brindle {

// Starts program with arguments and returns without waiting for it. The program is executed
// directly, never through a shell: each argument reaches it unchanged as one argv entry, and no
// character in program or arguments has a meaning. A program name without '/' is searched for
// along PATH (only executable regular files count; an empty PATH entry is the current folder);
// a name with '/' is used as it stands. argv[0] is the program text as given.
//
// The started program runs detached: it is not this process's child (so it never becomes a
// zombie and needs no reaping), it leads a session of its own, inherits the environment and the
// standard input, output and error but no other open descriptor, and starts with no blocked
// signals and every signal at its default action.
//
// Returns true once the program is running. Returns false with error set, and throws nothing,
// when it could not be started: empty or unknown program (ENOENT), not executable (EACCES),
// not a program the system can run (ENOEXEC; a script needs a "#!" line, there is no fallback to
// a shell), or when no process could be made.
bool startProgram(std::u16string_view program, const std::vector<std::u16string>& arguments,
                  std::error_code* error = nullptr);

}  // namespace brindle
