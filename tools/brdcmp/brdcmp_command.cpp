#include "brdcmp/brdcmp_command.h"

#include "engine/binary_test.h"
#include "engine/comp_file_opt.h"
#include "engine/compare_lines.h"
#include "engine/file_exception.h"
#include "engine/line_list.h"
#include "engine/merge_file.h"
#include "engine/section_groups.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <ostream>
#include <unistd.h>

#ifndef BRINDLE_VERSION
#define BRINDLE_VERSION "0"
#endif

namespace brindle {

namespace {

constexpr const char* kUsage =
    "Usage: brdcmp [options] FILE1 FILE2\n"
    "Compares two text files line by line and prints one line per section:\n"
    "\"same LABEL\" for lines common to both files, \"diff LABEL\" for a difference.\n"
    "Options default to the saved settings of the \"Compare Files\" dialog.\n"
    "\n"
    "  -w, --ignore-whitespace  ignore spaces, tabs and carriage returns\n"
    "  -i, --ignore-case        ignore letter case\n"
    "  -m, --merge FILE         write the merge file to FILE (in file 1's encoding)\n"
    "      --no-common          leave the common lines out of the merge file\n"
    "      --prefix1 TEXT       line prefix of file-1 lines in the merge file\n"
    "      --prefix2 TEXT       line prefix of file-2 lines\n"
    "      --header1 TEXT       section header before file-1 lines\n"
    "      --footer1 TEXT       section footer after file-1 lines\n"
    "      --header2 TEXT       section header before file-2 lines\n"
    "      --footer2 TEXT       section footer after file-2 lines\n"
    "      --help               show this help\n"
    "      --version            show the version\n"
    "\n"
    "Exit status: 0 no differences, 1 differences, 2 trouble.\n";

struct SCommandLine {
    bool help = false;
    bool version = false;
    std::optional<std::string> mergeFile;
    std::vector<std::string> files;
};

class CUsageError {
public:
    explicit CUsageError(std::string text) : m_text(std::move(text)) {}
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// Options that take a text, and the record field each one sets.
std::u16string* textOption(const std::string& name, CCompFileOpt& options)
{
    if (name == "--prefix1") return &options.m_file1LinePrefix;
    if (name == "--prefix2") return &options.m_file2LinePrefix;
    if (name == "--header1") return &options.m_file1SectionHeader;
    if (name == "--footer1") return &options.m_file1SectionFooter;
    if (name == "--header2") return &options.m_file2SectionHeader;
    if (name == "--footer2") return &options.m_file2SectionFooter;
    return nullptr;
}

SCommandLine parseArguments(std::span<const std::string> args, CCompFileOpt& options)
{
    SCommandLine command;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            command.files.push_back(arg);
            continue;
        }
        std::optional<std::string> attached;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            attached = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const auto value = [&]() -> std::string {
            if (attached)
                return *attached;
            if (i + 1 >= args.size())
                throw CUsageError("option " + arg + " needs a value");
            return args[++i];
        };
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-w" || arg == "--ignore-whitespace") {
            options.m_ignoreWhitespace = 1;
        } else if (arg == "-i" || arg == "--ignore-case") {
            options.m_ignoreCase = 1;
        } else if (arg == "-m" || arg == "--merge") {
            command.mergeFile = value();
        } else if (arg == "--no-common") {
            options.m_writeCommonSections = 0;
        } else if (std::u16string* field = textOption(arg, options)) {
            *field = pathFromNative(value());
        } else if (arg == "--help" || arg == "-h") {
            command.help = true;
        } else if (arg == "--version") {
            command.version = true;
        } else {
            throw CUsageError("unknown option " + arg);
        }
    }
    return command;
}

// Why a file cannot be compared, or nothing when it can be read.
std::optional<std::string> unreadableReason(const std::string& path)
{
    const auto attributes = fileAttributes(pathFromNative(path));
    if (!attributes)
        return "cannot open " + path + ": " + std::strerror(ENOENT);
    if (attributes->directory)
        return path + " is a folder, not a file";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "cannot open " + path + ": " + std::strerror(errno);
    ::close(fd);
    return std::nullopt;
}

bool namesComparedFile(const std::u16string& merge, const std::u16string& file)
{
    return equalsIgnoreAsciiCase(merge, file) || sameFile(merge, file);
}

int compare(const SCommandLine& command, CCompFileOpt& options, std::ostream& out, std::ostream& err)
{
    for (const std::string& file : command.files) {
        if (const auto reason = unreadableReason(file)) {
            err << "brdcmp: " << *reason << '\n';
            return kBrdcmpTrouble;
        }
    }
    options.m_file1Path = pathFromNative(command.files[0]);
    options.m_file2Path = pathFromNative(command.files[1]);
    std::u16string mergePath;
    if (command.mergeFile) {
        mergePath = pathFromNative(*command.mergeFile);
        if (mergePath.empty() || namesComparedFile(mergePath, options.m_file1Path) ||
            namesComparedFile(mergePath, options.m_file2Path)) {
            err << "brdcmp: the merge file must not be one of the compared files\n";
            return kBrdcmpTrouble;
        }
    }
    for (const std::u16string* path : {&options.m_file1Path, &options.m_file2Path}) {
        if (IsBinary(*path)) {
            err << "brdcmp: " << u8(*path) << " is a binary file; brdcmp compares text files only\n";
            return kBrdcmpTrouble;
        }
    }

    auto lines1 = std::make_shared<CLineList>(options.m_file1Path);
    auto lines2 = std::make_shared<CLineList>(options.m_file2Path);
    SLineCompareOptions flags;
    flags.ignoreWhitespace = options.m_ignoreWhitespace != 0;
    flags.ignoreCase = options.m_ignoreCase != 0;
    options.m_sections.clear();
    if (!CompareLines(lines1, lines2, flags, options.m_sections)) {
        err << "brdcmp: comparison cancelled\n";
        return kBrdcmpTrouble;
    }
    try {
        WriteMergeFile(options, mergePath, lines1->encoding());
    } catch (const CFileException& e) {
        err << "brdcmp: " << e.what() << '\n';
        return kBrdcmpTrouble;
    }

    bool different = false;
    for (const SSectionGroup& group : groupSections(options.m_sections)) {
        different |= !group.common;
        out << (group.common ? "same " : "diff ") << u8(sectionLabel(group, u"missing")) << '\n';
    }
    out.flush();
    return different ? kBrdcmpDifferent : kBrdcmpSame;
}

}  // namespace

int runBrdcmp(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    CCompFileOpt options;
    CProfile profile(userSettingsStore());
    options.Load(profile);
    SCommandLine command;
    try {
        command = parseArguments(args, options);
    } catch (const CUsageError& e) {
        err << "brdcmp: " << e.text() << "\nTry 'brdcmp --help'.\n";
        return kBrdcmpTrouble;
    }
    if (command.help) {
        out << kUsage;
        return kBrdcmpSame;
    }
    if (command.version) {
        out << "brdcmp (Brindle) " << BRINDLE_VERSION << '\n';
        return kBrdcmpSame;
    }
    if (command.files.size() != 2) {
        err << "brdcmp: expected two files, got " << command.files.size() << "\nTry 'brdcmp --help'.\n";
        return kBrdcmpTrouble;
    }
    try {
        return compare(command, options, out, err);
    } catch (const std::bad_alloc&) {
        err << "brdcmp: not enough memory\n";
        return kBrdcmpTrouble;
    } catch (const std::exception& e) {
        err << "brdcmp: " << e.what() << '\n';
        return kBrdcmpTrouble;
    }
}

}  // namespace brindle
