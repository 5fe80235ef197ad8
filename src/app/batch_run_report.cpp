#include "app/batch_run_report.h"

#include "engine/comp_file_opt.h"
#include "engine/compare_driver.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

namespace brindle {

namespace {

// A message box stays readable: the rest of a long list is only counted.
constexpr qsizetype kListedFailures = 20;

QString reason(const SQuietOutcome& outcome)
{
    switch (outcome.status) {
    case SQuietOutcome::Status::Failed: return QString::fromStdString(outcome.message);
    case SQuietOutcome::Status::Refused: return loadString(res::kStrOutputIsCompared);
    case SQuietOutcome::Status::NoFiles: return loadString(res::kStrNotTwoFiles);
    case SQuietOutcome::Status::Cancelled: return loadString(res::kStrActionCancelled);
    case SQuietOutcome::Status::Written:
    case SQuietOutcome::Status::NoOutputFile:
    case SQuietOutcome::Status::Binary: break;
    }
    return {};
}

}  // namespace

void CBatchRunReport::add(std::size_t number, const CCompFileOpt& action, const SQuietOutcome& outcome)
{
    const QString why = reason(outcome);
    if (!why.isEmpty()) {
        m_lines << loadString(res::kStrFailedAction)
                       .arg(QString::number(number), toQString(action.m_file1Path), toQString(action.m_file2Path), why);
    }
}

QString CBatchRunReport::message(std::size_t actionCount) const
{
    if (m_lines.isEmpty())
        return {};
    QString text = loadString(res::kStrActionsFailed).arg(m_lines.size()).arg(actionCount);
    for (const QString& line : m_lines.mid(0, kListedFailures))
        text += u'\n' + line;
    if (m_lines.size() > kListedFailures)
        text += u'\n' + loadString(res::kStrMoreFailures).arg(m_lines.size() - kListedFailures);
    return text;
}

}  // namespace brindle
