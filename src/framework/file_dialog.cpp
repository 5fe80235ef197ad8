#include "framework/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace brindle {

namespace {

QString everyFileIn(QString pattern)
{
    return pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed();
}

QString chosenFile(QFileDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                   : QString();
}

}  // namespace

QString qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = everyFileIn(pattern);
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters.isEmpty() ? QStringLiteral("*") : filters.join(QStringLiteral(";;"));
}

QString templateFilter(const QString& filterName)
{
    static const QRegularExpression named(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = named.match(filterName);
    if (!match.hasMatch())
        return QString();
    return match.captured(1).trimmed() + u'|' + match.captured(2).trimmed() + QStringLiteral("||");
}

QString promptOpenFileName(QWidget* parent, const QString& startName, const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(filter).split(QStringLiteral(";;")));
    if (!startName.isEmpty()) {
        const QFileInfo start(startName);
        dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
        if (!start.isDir())
            dialog.selectFile(start.fileName());
    }
    return chosenFile(dialog);
}

QString promptSaveFileName(QWidget* parent, const QString& proposedName, const QString& defaultSuffix,
                           const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(qtNameFilters(filter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty()) {
        const QFileInfo proposed(proposedName);
        if (proposed.isAbsolute())
            dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    return chosenFile(dialog);
}

}  // namespace brindle
