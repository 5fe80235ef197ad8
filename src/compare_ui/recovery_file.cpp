#include "compare_ui/recovery_file.h"

#include "framework/document.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace brindle {

namespace {

QString firstFreeName(const QString& base)
{
    QString candidate = base;
    for (int number = 1; QFileInfo::exists(candidate); ++number)
        candidate = base + u'.' + QString::number(number);
    return candidate;
}

}  // namespace

QString recoveryPathFor(const QString& file)
{
    const QFileInfo info(file);
    const QString name = file.isEmpty() ? QStringLiteral("untitled") : info.fileName();
    if (!file.isEmpty()) {
        const QFileInfo folder(info.absolutePath());
        if (folder.isDir() && folder.isWritable())
            return firstFreeName(info.absoluteFilePath() + QStringLiteral(".unsaved"));
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/brindle/recovered");
    QDir().mkpath(data);
    return firstFreeName(data + u'/' + name + QStringLiteral(".unsaved"));
}

QString keepUnsavedEdits(CDocument& document)
{
    if (!document.isModified())
        return {};
    const QString path = recoveryPathFor(document.pathName());
    return document.writeRecoveryCopy(path) ? path : QString();
}

}  // namespace brindle
