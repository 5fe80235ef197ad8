// Whether two files present on both sides of a folder comparison hold the same content.
#pragma once

#include <cstdint>
#include <string>

namespace brindle {

enum class EFileKind : std::uint8_t {
    Unknown,  // not examined
    Text,
    Binary,  // by the binary test of either file
};

struct SFilePairResult {
    bool same = false;
    bool sameIgnoring = false;  // text that differs only in what the ignore options leave out
    EFileKind kind = EFileKind::Unknown;
    std::string problem;  // the user's message when a file could not be read; same is then false
};

struct SFilePairOptions {
    bool ignoreWhitespace = false;
    bool ignoreCase = false;
    // Examine the kind even when the sizes alone decide (reads the first bytes of each file).
    bool fileKinds = false;
};

// Compares the files at the native paths whose sizes the folder listing gave. Without ignore
// options files of different sizes differ unread; otherwise both are read once, side by side, in
// blocks. Under an ignore option two text files whose bytes differ are compared line by line as
// the comparison window would, and are the same when no difference section is left.
SFilePairResult compareFilePair(const std::string& path1, const std::string& path2, std::int64_t size1,
                                std::int64_t size2, const SFilePairOptions& options);

}  // namespace brindle
