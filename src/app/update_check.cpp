#include "app/update_check.h"

#include "framework/command_ids.h"
#include "framework/qt_utf16.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "platform/shared_library.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace brindle {

namespace {

class CMessageBoxPrompts final : public CUpdatePrompts {
public:
    bool askYesNo(int, const QString& text) override
    {
        return QMessageBox::question(dialogParent(), loadString(res::kStrAppTitle), text,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    }
    void inform(int, const QString& text) override
    {
        QMessageBox::information(dialogParent(), loadString(res::kStrAppTitle), text);
    }
    void openMail(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

bool triesFallback(std::int32_t result) { return result >= 1 && result <= 3; }

}  // namespace

QString versionText(std::int32_t version)
{
    return QString::asprintf("%d.%d.%d", version / 10000, version / 100 % 100, version % 100);
}

QUrl updateRequestMail(const QString& programName, std::int32_t installedVersion, std::int32_t newVersion)
{
    const QString subject = loadString(res::kStrUpdateRequestSubject).arg(programName, versionText(newVersion));
    const QString body =
        loadString(res::kStrUpdateRequestBody).arg(programName, versionText(installedVersion), versionText(newVersion));
    // Percent-encoded by hand: QUrlQuery leaves '+' alone, which some mail programs read as a blank.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kUpdateRequestAddress));
    url.setQuery(QStringLiteral("subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject)) +
                     QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(body)),
                 QUrl::StrictMode);
    return url;
}

CUpdateCheck::CUpdateCheck(const QString& libraryPath)
    : m_libraryPath(libraryPath.isEmpty() ? defaultLibraryPath() : libraryPath),
      m_prompts(std::make_unique<CMessageBoxPrompts>())
{
}

CUpdateCheck::~CUpdateCheck() = default;

QString CUpdateCheck::defaultLibraryPath()
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromLatin1(kUpdateLibraryName);
}

bool CUpdateCheck::probe()
{
    CSharedLibrary library;
    m_available = library.load(toU16String(m_libraryPath));
    return m_available;
}

void CUpdateCheck::setPrompts(std::unique_ptr<CUpdatePrompts> prompts) { m_prompts = std::move(prompts); }

std::optional<std::int32_t> CUpdateCheck::run()
{
    CSharedLibrary library;
    if (!library.load(toU16String(m_libraryPath)))
        return std::nullopt;
    const auto check = library.function<CheckForUpdateFunction>(kCheckForUpdateName);
    if (!check)
        return std::nullopt;
    const std::u16string program = toU16String(QCoreApplication::applicationFilePath());
    std::int32_t newVersion = 0;
    std::int32_t installedVersion = 0;
    std::int32_t result = check(kPrimaryVersionsLocation, program.c_str(), &newVersion, &installedVersion, false);
    if (triesFallback(result))
        result = check(kFallbackVersionsLocation, program.c_str(), &newVersion, &installedVersion, false);
    report(result, installedVersion, newVersion);
    return result;
}

void CUpdateCheck::report(std::int32_t result, std::int32_t installedVersion, std::int32_t newVersion)
{
    const QString programName = loadString(res::kStrAppTitle);
    if (result == kUpdateNewVersion) {
        if (m_prompts->askYesNo(res::kStrNewVersionAvailable, loadString(res::kStrNewVersionAvailable)))
            m_prompts->openMail(updateRequestMail(programName, installedVersion, newVersion));
    } else if (result == kUpdateUpToDate) {
        QString text = loadString(res::kStrUpToDate);
        text.replace(QStringLiteral("<PROG_NAME>"), programName);
        m_prompts->inform(res::kStrUpToDate, text);
    } else {
        m_prompts->inform(res::kStrUpdateFailed, loadString(res::kStrUpdateFailed));
    }
}

}  // namespace brindle
