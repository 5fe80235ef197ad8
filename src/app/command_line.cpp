#include "app/command_line.h"

#include "engine/batch_actions.h"
#include "engine/comp_file_opt.h"
#include "engine/script_file.h"
#include "framework/qt_utf16.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/settings_names.h"

#include <QFileInfo>

namespace brindle {

namespace {

qsizetype closingQuote(const QString& text)
{
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == u'"' && text[i - 1] != u'\\')
            return i;
    }
    return -1;
}

enum class ScriptResult { NotAScript, OpenedInWindow, RanQuietly };

ScriptResult runScript(const QString& path, CCommandLineActions& actions)
{
    const CScriptFile script = CScriptFile::Read(toU16String(path));
    std::vector<CCompFileOpt> records;
    if (LoadActions(records, script, actions.profile()) == 0)
        return ScriptResult::NotAScript;
    if (records.size() == 1 && records.front().m_quietMode == 0) {
        const CCompFileOpt& record = records.front();
        actions.setTextFont(toQString(record.m_fontName).left(31), record.m_fontSize);
        actions.openComparison(record, toQString(record.m_outputFile));
        return ScriptResult::OpenedInWindow;
    }
    actions.runQuietActions(records);
    return ScriptResult::RanQuietly;
}

}  // namespace

QString nextCommandLineToken(QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    text.remove(0, start);
    if (text.isEmpty())
        return {};
    QString token;
    if (text.front() == u'"') {
        const qsizetype close = closingQuote(text);
        if (close < 0) {
            token = text.mid(1);
            text.clear();
        } else {
            token = text.mid(1, close - 1);
            text.remove(0, close + 1);
        }
    } else {
        const qsizetype blank = text.indexOf(u' ');
        if (blank < 0) {
            token = text;
            text.clear();
        } else {
            token = text.left(blank);
            text.remove(0, blank + 1);
        }
    }
    token.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return token;
}

void compareTwoFiles(const QString& first, const QString& second, CCommandLineActions& actions)
{
    CCompFileOpt record;
    record.Load(actions.profile());
    const bool showMerge = actions.profile().readInt(kSettingsSection, kShowMergeEditorValue, 0) != 0;
    record.m_file1Path = toU16String(first);
    record.m_file2Path = toU16String(second);
    actions.openComparison(record, showMerge ? toQString(record.m_outputFile) : QString());
}

bool processCommandLine(const QString& commandLine, CCommandLineActions& actions)
{
    if (commandLine.isEmpty())
        return false;
    QString rest = commandLine;
    const QString first = nextCommandLineToken(rest);
    const QString second = nextCommandLineToken(rest);
    nextCommandLineToken(rest);  // a third token is accepted and has no effect

    if (!first.isEmpty() && !second.isEmpty()) {
        compareTwoFiles(first, second, actions);
        return true;
    }
    switch (runScript(first, actions)) {
    case ScriptResult::OpenedInWindow: return true;
    case ScriptResult::RanQuietly: return false;  // the main frame stays empty
    case ScriptResult::NotAScript: break;
    }
    if (!pathExists(toU16String(first)))
        return false;
    actions.profile().writeString(kPathsSection, pathHistoryValue(kFile1PathValue, 1), toU16String(first));
    actions.profile().writeString(kPathsSection, kFile1PathValue, toU16String(first));
    actions.postCompareFiles();
    return true;
}

QStringList absoluteFileArguments(const QStringList& arguments)
{
    QStringList result;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        result << (!argument.isEmpty() && info.isRelative() && info.exists() ? info.absoluteFilePath() : argument);
    }
    return result;
}

std::optional<SEarlyAnswer> earlyCommandLineAnswer(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    if (arguments.front() == QLatin1String("--version"))
        return SEarlyAnswer{QStringLiteral("brd64 (Brindle) %1\n").arg(QLatin1String(BRINDLE_VERSION)), 0};
    if (arguments.front() == QLatin1String("--help") || arguments.front() == QLatin1String("-h")) {
        return SEarlyAnswer{QStringLiteral("Usage: brd64 [--new-instance] [FILE1 FILE2 | SCRIPT | FILE]\n"
                                           "Compares two files (or two folders, entry by entry), runs the\n"
                                           "batch script SCRIPT, or opens the compare dialog with FILE as\n"
                                           "file 1. Without arguments the last comparison is opened again.\n"
                                           "  --new-instance  never hand over to a running copy; run until the\n"
                                           "                  window is closed (for git difftool)\n"
                                           "  --help          show this help\n"
                                           "  --version       show the version\n"),
                            0};
    }
    return std::nullopt;
}

}  // namespace brindle
