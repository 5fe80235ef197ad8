// Test stand-in for the update library: CheckForUpdate answers from the environment and records
// every call.
//
// BRINDLE_VPROBE_STUB_RESULTS  results of the first, second, ... call, separated by blanks; a call
//                              beyond the list returns 99.
// BRINDLE_VPROBE_STUB_LOG      file to which each call appends one line: versions location, tab,
//                              program path, tab, flag (0/1), all UTF-8. The number of lines
//                              already in it is the index of the call, so the count survives
//                              unloading the library between checks. Without it calls are
//                              counted in memory.
// The versions reported are new 2.3.4 (20304) and installed 1.2.3 (10203).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string utf8(const char16_t* text)
{
    std::string out;
    if (!text)
        return "(null)";
    for (; *text; ++text) {
        std::uint32_t c = *text;
        if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[1]) - 0xDC00);
            ++text;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int linesIn(const char* path)
{
    int lines = 0;
    if (std::FILE* file = std::fopen(path, "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;)
            lines += c == '\n';
        std::fclose(file);
    }
    return lines;
}

int g_callsWithoutLog = 0;

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t CheckForUpdate(const char16_t* versionsLocation,
                                                                              const char16_t* programPath,
                                                                              std::int32_t* newVersion,
                                                                              std::int32_t* installedVersion, bool flag)
{
    const char* log = std::getenv("BRINDLE_VPROBE_STUB_LOG");
    const int index = log ? linesIn(log) : g_callsWithoutLog++;
    if (log) {
        if (std::FILE* file = std::fopen(log, "ab")) {
            const std::string line =
                utf8(versionsLocation) + '\t' + utf8(programPath) + '\t' + (flag ? "1" : "0") + '\n';
            std::fwrite(line.data(), 1, line.size(), file);
            std::fclose(file);
        }
    }
    if (newVersion)
        *newVersion = 20304;
    if (installedVersion)
        *installedVersion = 10203;

    std::istringstream results(std::getenv("BRINDLE_VPROBE_STUB_RESULTS") ? std::getenv("BRINDLE_VPROBE_STUB_RESULTS")
                                                                          : "");
    int result = 99;
    for (int i = 0; i <= index; ++i) {
        if (!(results >> result)) {
            result = 99;
            break;
        }
    }
    return result;
}
