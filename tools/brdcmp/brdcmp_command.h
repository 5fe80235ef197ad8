// brdcmp: compares two files with the compare engine and prints the section list.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace brindle {

// Exit statuses of brdcmp.
enum BrdcmpStatus : int {
    kBrdcmpSame = 0,
    kBrdcmpDifferent = 1,
    kBrdcmpTrouble = 2,
};

// Runs brdcmp with the arguments after the program name. Loads the compare options from the
// user's settings store, applies the options given, compares, writes the merge file when asked
// and prints one line per section-list entry to out: "same LABEL" or "diff LABEL". Trouble is
// one line on err, "brdcmp: ...", and so is a warning that the settings file was damaged or not
// read, which does not change the exit status.
int runBrdcmp(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace brindle
