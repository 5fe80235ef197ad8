#include "brdcmp/brdcmp_command.h"

#include "engine/batch_actions.h"
#include "engine/byte_sink.h"
#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "engine/compared_files.h"
#include "engine/file_exception.h"
#include "engine/folder_comparison.h"
#include "engine/script_file.h"
#include "engine/settings_file_warning.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_store.h"
#include "platform/utf8.h"

#include <memory>
#include <optional>
#include <ostream>

#ifndef BRINDLE_VERSION
#define BRINDLE_VERSION "0"
#endif

namespace brindle {

namespace {

constexpr const char* kUsage =
    "Usage: brdcmp [options] FILE1 FILE2\n"
    "Compares two files, text line by line or binary byte by byte, and prints one line\n"
    "per section: \"same LABEL\" for what both files share, \"diff LABEL\" for a difference.\n"
    "       brdcmp [options] --script FILE\n"
    "       brdcmp [options] -r FOLDER1 FOLDER2\n"
    "Compares two folder trees and prints one line per entry (file, folder, link) in path\n"
    "order: \"same PATH\", \"diff PATH\", \"only1 PATH\", \"only2 PATH\" or \"type PATH\" (a\n"
    "file on one side, a folder or link on the other); a folder is \"same\" when all it holds\n"
    "is. Control characters and \\ in names are escaped.\n"
    "Options default to the saved settings of the \"Compare Files\" dialog.\n"
    "\n"
    "  -w, --ignore-whitespace  ignore spaces, tabs and carriage returns\n"
    "  -i, --ignore-case        ignore letter case\n"
    "  -m, --merge FILE         write the merge file to FILE (in file 1's encoding)\n"
    "      --no-common          leave the common lines out of the merge file\n"
    "      --output FILE        write the report-time output file (merge layout, ANSI text)\n"
    "      --report1 FILE       write the file-1 report pane as an RTF document\n"
    "      --report2 FILE       write the file-2 report pane as an RTF document\n"
    "      --items              print the report line at which each entry starts\n"
    "      --script FILE        run every action of a batch script without a window\n"
    "  -r, --recursive          compare two folders\n"
    "      --exclude PATTERN    leave out names matching PATTERN (with -r; may be repeated;\n"
    "                           added to the saved patterns, by default .git .svn .hg *.o\n"
    "                           *.obj __pycache__)\n"
    "      --no-saved-excludes  use only the --exclude patterns given\n"
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
    bool items = false;
    bool recursive = false;
    bool savedExcludes = true;
    std::vector<std::string> excludes;
    std::optional<std::string> mergeFile;
    std::optional<std::string> outputFile;
    std::optional<std::string> report1;
    std::optional<std::string> report2;
    std::optional<std::string> script;
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
    if (name == "--prefix1")
        return &options.m_file1LinePrefix;
    if (name == "--prefix2")
        return &options.m_file2LinePrefix;
    if (name == "--header1")
        return &options.m_file1SectionHeader;
    if (name == "--footer1")
        return &options.m_file1SectionFooter;
    if (name == "--header2")
        return &options.m_file2SectionHeader;
    if (name == "--footer2")
        return &options.m_file2SectionFooter;
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
        } else if (arg == "--output") {
            command.outputFile = value();
        } else if (arg == "--report1") {
            command.report1 = value();
        } else if (arg == "--report2") {
            command.report2 = value();
        } else if (arg == "--items") {
            command.items = true;
        } else if (arg == "--script") {
            command.script = value();
        } else if (arg == "-r" || arg == "--recursive") {
            command.recursive = true;
        } else if (arg == "--exclude") {
            command.excludes.push_back(value());
        } else if (arg == "--no-saved-excludes") {
            command.savedExcludes = false;
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
    const std::u16string problem = inputFileProblem(pathFromNative(path));
    return problem.empty() ? std::nullopt : std::optional<std::string>(u8(problem));
}

// The files a run writes besides its output: each must be writable and none may be a compared file.
bool refusesOutputs(const SCommandLine& command, const CCompFileOpt& options, std::ostream& err)
{
    const std::pair<const std::optional<std::string>*, const char*> outputs[] = {
        {&command.mergeFile, "merge file"},
        {&command.outputFile, "output file"},
        {&command.report1, "report file"},
        {&command.report2, "report file"},
    };
    for (const auto& [output, what] : outputs) {
        if (!*output)
            continue;
        const std::u16string path = pathFromNative(**output);
        if (path.empty() || namesComparedFile(path, options.m_file1Path, options.m_file2Path)) {
            err << "brdcmp: the " << what << " must not be one of the compared files; nothing was written\n";
            return true;
        }
    }
    return false;
}

// One line each, so that a script sees where the files it replaced went.
void tellKeptBackups(const std::vector<SKeptBackup>& backups, std::ostream& err)
{
    for (const SKeptBackup& kept : backups)
        err << "brdcmp: " << u8(kept.file) << " was not as Brindle last wrote it; it was kept as " << u8(kept.backup)
            << '\n';
}

int printItems(const SReport& report, bool withLines, std::ostream& out)
{
    bool different = false;
    for (const SSectionItem& item : report.items) {
        const bool common = item.image == kImageCommon;
        different |= !common;
        out << (common ? "same " : "diff ") << u8(item.label);
        if (withLines)
            out << " @" << item.reportLine;
        out << '\n';
    }
    out.flush();
    return different ? kBrdcmpDifferent : kBrdcmpSame;
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
    // The saved output file belongs to the window; brdcmp writes one only when asked to.
    options.m_outputFile = command.outputFile ? pathFromNative(*command.outputFile) : std::u16string();
    if (refusesOutputs(command, options, err))
        return kBrdcmpTrouble;

    SReport report;
    SRunOptions run;
    run.buildDocuments = command.report1 || command.report2;
    run.documentFile1 = command.report1 ? pathFromNative(*command.report1) : std::u16string();
    run.documentFile2 = command.report2 ? pathFromNative(*command.report2) : std::u16string();
    const std::u16string mergePath = command.mergeFile ? pathFromNative(*command.mergeFile) : std::u16string();
    const SRunOutcome outcome = RunComparison(options, mergePath, report, run);
    tellKeptBackups(outcome.keptBackups, err);
    if (outcome.status != SRunOutcome::Status::Completed) {
        err << "brdcmp: " << (outcome.message.empty() ? std::string("comparison did not complete") : outcome.message)
            << '\n';
        return kBrdcmpTrouble;
    }
    if (command.mergeFile && options.m_comparisonKind == kComparisonBinary)
        err << "brdcmp: binary files have no merge file; " << *command.mergeFile << " was not written\n";
    return printItems(report, command.items, out);
}

// A path on one line whatever its name holds: control characters and backslashes escaped.
std::string printablePath(const std::string& path)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\t')
            text += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
        else
            text += c;
    }
    return text;
}

const char* folderLineWord(EEntryState state)
{
    switch (state) {
    case EEntryState::Same: return "same";
    case EEntryState::OnlyIn1: return "only1";
    case EEntryState::OnlyIn2: return "only2";
    case EEntryState::TypeDiffers: return "type";
    default: return "diff";
    }
}

int compareFolders(const SCommandLine& command, const CCompFileOpt& options, const CProfile& profile, std::ostream& out,
                   std::ostream& err)
{
    for (const std::string& folder : command.files) {
        const std::optional<SFileAttributes> attributes = fileAttributes(pathFromNative(folder));
        if (!attributes || !attributes->directory) {
            err << "brdcmp: " << folder << (attributes ? " is not a folder\n" : ": no such folder\n");
            return kBrdcmpTrouble;
        }
    }
    SFolderCompareOptions folderOptions;
    folderOptions.ignoreWhitespace = options.m_ignoreWhitespace != 0;
    folderOptions.ignoreCase = options.m_ignoreCase != 0;
    if (command.savedExcludes)
        folderOptions.excludes = loadExcludePatterns(profile);
    folderOptions.excludes.insert(folderOptions.excludes.end(), command.excludes.begin(), command.excludes.end());
    CFolderComparison comparison(command.files[0], command.files[1], folderOptions);
    comparison.run();
    int status = kBrdcmpSame;
    for (const SFolderEntry& entry : comparison.entries()) {
        if (entry.state == EEntryState::Unreadable) {
            err << "brdcmp: " << entry.problem << '\n';
            status = kBrdcmpTrouble;
            continue;
        }
        out << folderLineWord(entry.state) << ' ' << printablePath(entry.path) << '\n';
        if (entry.state != EEntryState::Same && status == kBrdcmpSame)
            status = kBrdcmpDifferent;
    }
    out.flush();
    return status;
}

std::string describeAction(const CCompFileOpt& action) { return u8(action.m_file1Path) + " " + u8(action.m_file2Path); }

int runScript(const std::string& path, CProfile& profile, std::ostream& out, std::ostream& err)
{
    if (const auto reason = unreadableReason(path)) {
        err << "brdcmp: " << *reason << '\n';
        return kBrdcmpTrouble;
    }
    const CScriptFile script = CScriptFile::Read(pathFromNative(path));
    std::vector<CCompFileOpt> actions;
    if (LoadActions(actions, script, profile) == 0) {
        err << "brdcmp: " << path << " is not a batch script with at least one action\n";
        return kBrdcmpTrouble;
    }
    int status = kBrdcmpSame;
    for (CCompFileOpt& action : actions) {
        const std::string files = describeAction(action);
        const std::string output = u8(action.m_outputFile);
        const SQuietOutcome outcome = RunQuietComparison(action);
        tellKeptBackups(outcome.keptBackups, err);
        switch (outcome.status) {
        case SQuietOutcome::Status::Written: out << files << " -> " << output << '\n'; break;
        case SQuietOutcome::Status::NoOutputFile: out << files << ": no output file named\n"; break;
        case SQuietOutcome::Status::NoFiles:
            out << files << ": output not written\n";
            err << "brdcmp: " << files << ": the action does not name two files\n";
            status = kBrdcmpTrouble;
            break;
        case SQuietOutcome::Status::Binary:
            out << files << ": binary files, nothing written\n";
            err << "brdcmp: " << files << ": binary files are skipped in a batch run\n";
            break;
        case SQuietOutcome::Status::Refused:
            out << files << ": output not written\n";
            err << "brdcmp: " << output << " was not written: it is one of the compared files\n";
            status = kBrdcmpTrouble;
            break;
        case SQuietOutcome::Status::Cancelled:
            out << files << ": cancelled\n";
            status = kBrdcmpTrouble;
            break;
        case SQuietOutcome::Status::Failed:
            out << files << ": output not written\n";
            err << "brdcmp: " << outcome.message << '\n';
            status = kBrdcmpTrouble;
            break;
        }
    }
    out.flush();
    return status;
}

int run(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    CCompFileOpt options;
    CProfile profile(userSettingsStore());
    options.Load(profile);
    if (const std::u16string warning = settingsFileWarning(profile.store().fileReport()); !warning.empty())
        err << "brdcmp: " << u8(warning) << '\n';
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
    if (command.script) {
        if (!command.files.empty()) {
            err << "brdcmp: --script takes no other files\nTry 'brdcmp --help'.\n";
            return kBrdcmpTrouble;
        }
        return runScript(*command.script, profile, out, err);
    }
    if (command.recursive) {
        if (command.files.size() != 2 || command.mergeFile || command.outputFile || command.report1 ||
            command.report2 || command.items) {
            err << "brdcmp: -r takes two folders and no output files\nTry 'brdcmp --help'.\n";
            return kBrdcmpTrouble;
        }
        return compareFolders(command, options, profile, out, err);
    }
    if (!command.excludes.empty()) {
        err << "brdcmp: --exclude goes with -r\nTry 'brdcmp --help'.\n";
        return kBrdcmpTrouble;
    }
    if (command.files.size() != 2) {
        err << "brdcmp: expected two files, got " << command.files.size() << "\nTry 'brdcmp --help'.\n";
        return kBrdcmpTrouble;
    }
    return compare(command, options, out, err);
}

}  // namespace

// One catch for the whole run, settings and scripts included: whatever fails is a message and
// status 2, never an abort. Output that could not be written is a failure too.
int runBrdcmp(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    int status = kBrdcmpTrouble;
    try {
        status = run(args, out, err);
    } catch (const std::bad_alloc&) {
        err << "brdcmp: not enough memory\n";
    } catch (const std::exception& e) {
        err << "brdcmp: " << e.what() << '\n';
    }
    out.flush();
    if (!out) {
        err << "brdcmp: cannot write to standard output\n";
        return kBrdcmpTrouble;
    }
    return status;
}

}  // namespace brindle
