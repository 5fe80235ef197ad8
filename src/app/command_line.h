// The command line of brd64: the tokenizer and what each form of command line does.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace brindle {

class CCompFileOpt;
class CProfile;

// Takes the next token off the front of text: leading white space removed; a token in double
// quotes runs to the next double quote not directly preceded by a backslash (without a closing
// quote, to the end); otherwise to the first blank (U+0020 only). Every backslash directly before
// a double quote is then removed. text becomes what follows the character that ended the token.
QString nextCommandLineToken(QString& text);

// What command-line processing needs from the program; the main frame implements it.
class CCommandLineActions {
public:
    virtual ~CCommandLineActions() = default;
    virtual CProfile& profile() = 0;
    virtual void openComparison(const CCompFileOpt& record, const QString& mergePath) = 0;
    // A batch action opened in a window takes its font for the report panes.
    virtual void setTextFont(const QString& face, int pointSize) = 0;
    virtual void runQuietActions(std::vector<CCompFileOpt>& actions) = 0;
    // Posts "Compare Files" (cmd::kCompareFiles) so that the compare dialog opens.
    virtual void postCompareFiles() = 0;
};

// Compares first and second with the stored options, as two files on the command line are.
void compareTwoFiles(const QString& first, const QString& second, CCommandLineActions& actions);

// Runs a command line: two file names compare them; otherwise the first token is tried as a batch
// script (one action with "Quiet Mode" off opens a window, else every action runs quietly), then
// as a single file that pre-fills the compare dialog ("File1" and "File11" in "Paths"). Returns
// true when the text was handled.
bool processCommandLine(const QString& commandLine, CCommandLineActions& actions);

// The arguments with every relative name of an existing file or folder made absolute: a command
// line handed to a running copy is read in that copy's working folder, not in the caller's.
QStringList absoluteFileArguments(const QStringList& arguments);

// Answers for arguments that need no window (--help, --version): the text for standard output
// and the exit status; nothing for every other command line.
struct SEarlyAnswer {
    QString text;
    int status = 0;
};
std::optional<SEarlyAnswer> earlyCommandLineAnswer(const QStringList& arguments);

}  // namespace brindle
