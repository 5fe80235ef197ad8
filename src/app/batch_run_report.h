// What a batch run without a window could not do, told once when the run ends.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>

namespace brindle {

class CCompFileOpt;
struct SQuietOutcome;

class CBatchRunReport {
public:
    // Notes how action number (from 1) ended. Only the actions that were meant to write and did
    // not are kept: a failure (missing, unreadable or not an ordinary input, an output that could
    // not be written), a refused output, an action without two files, a cancelled one. Binary
    // pairs are skipped by design and are not failures.
    void add(std::size_t number, const CCompFileOpt& action, const SQuietOutcome& outcome);

    bool empty() const { return m_lines.isEmpty(); }
    // One line per failed action: "Action 3 (a.txt, b.txt): reason".
    const QStringList& lines() const { return m_lines; }
    // The message for the end of a run of actionCount actions, with the first failures listed.
    QString message(std::size_t actionCount) const;

private:
    QStringList m_lines;
};

}  // namespace brindle
