#include "compare_ui/recovery_file.h"

#include "framework/document.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/string_ids.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace brindle {

namespace {

QString firstFreeName(const QString& base)
{
    QString candidate = base;
    for (int number = 1; QFileInfo::exists(candidate); ++number)
        candidate = base + u'.' + QString::number(number);
    return candidate;
}

QString dataFolderPathFor(const QString& file)
{
    const QString name = file.isEmpty() ? QStringLiteral("untitled") : QFileInfo(file).fileName();
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/brindle/recovered");
    QDir().mkpath(data);
    return firstFreeName(data + u'/' + name + QStringLiteral(".unsaved"));
}

}  // namespace

QString recoveryPathFor(const QString& file)
{
    if (!file.isEmpty()) {
        const QFileInfo info(file);
        const QFileInfo folder(info.absolutePath());
        if (folder.isDir() && folder.isWritable())
            return firstFreeName(info.absoluteFilePath() + QStringLiteral(".unsaved"));
    }
    return dataFolderPathFor(file);
}

QString keepUnsavedEdits(CDocument& document)
{
    if (!document.isModified())
        return {};
    // A folder that looks writable may still refuse the file (a read-only mount, a full disk).
    const QString path = recoveryPathFor(document.pathName());
    if (document.writeRecoveryCopy(path))
        return path;
    const QString fallback = dataFolderPathFor(document.pathName());
    return fallback != path && document.writeRecoveryCopy(fallback) ? fallback : QString();
}

QString keptBackupsMessage(const std::vector<SKeptBackup>& backups)
{
    QStringList lines;
    for (const SKeptBackup& kept : backups)
        lines << loadString(res::kStrKeptBackup).arg(toQString(kept.file), toQString(kept.backup));
    return lines.join(u'\n');
}

}  // namespace brindle
